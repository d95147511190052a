#pragma once

#include <memory>

#include "core/point2d.h"

class FcEntity;
class FcEntitySets;
class FcHatchEdge;
class FcHatchEdgeList;
class FcOtherEdge;

// What an entity gives a hatch boundary.
enum class BoundaryPiece { kNothing, kOpen, kClosed };

// The entity as a boundary piece: one edge, or a chain of them for an open
// polyline, or a whole loop for a closed curve.
BoundaryPiece EntityToHatchEdge(const FcEntity& entity, std::unique_ptr<FcHatchEdge>& piece);

// True for an open curve, with its two ends.
bool GetOpenCurveEnds(const FcEntity& entity, FcPoint2d& start, FcPoint2d& end);

// Joins line edges that run on along one line into one, across the loop's
// start too; other edges are kept as they are.
void JoinCollinearLineEdges(FcOtherEdge& loop);

// Turns the entities into loops: closed curves give a loop each, open
// ones are chained end to end (each turned as needed). The set is emptied.
// The loops of entities in found (boundaries found around picked points)
// have their split sides joined; loops the user chose keep their edges.
void ChainBoundaryLoops(FcEntitySets& entities, const FcEntitySets& found, FcHatchEdgeList& loops);
