#pragma once

#include "core/point2d.h"

class FcEntity;
class FcGraph;
class FcLine;
class FcPolyline;

// The chamfers between two different entities, each with the world point
// it was picked at; the first distance (or the length and angle) goes to
// the edge picked first. Each prints its own refusal and leaves the
// drawing unchanged when the chamfer cannot be made.

// Two of line, ray and construction line.
void ChamferStraightPair(FcGraph& graph, FcEntity& first, const FcPoint2d& firstPick, FcEntity& second,
                         const FcPoint2d& secondPick);
// A line with the first or last segment of an open polyline.
void ChamferLineWithPolyline(FcGraph& graph, FcLine& line, const FcPoint2d& linePick, FcPolyline& polyline,
                             int segment, const FcPoint2d& polylinePick, bool linePickedFirst);
