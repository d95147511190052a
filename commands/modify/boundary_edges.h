#pragma once

class FcEntity;
class FcExtendEdgeList;

// Adds the boundary edges of the entity to the list: a line, circle, arc,
// ray or construction line gives one edge, a text or paragraph text the
// four sides of its frame, a polyline one edge a segment (its closing one
// when closed; a fitted one follows its fitted points). False, with
// nothing added, for any other kind.
bool BuildExtendEdgeList(FcEntity& entity, FcExtendEdgeList& list);
