#pragma once

#include "core/point2d.h"

class FcEntitySets;

// Finds the smallest closed boundary around the pick point that the lines
// and arcs of the entities form, cut at their crossings, and adds it to
// the result set (emptied first) as one closed polyline, counter-clockwise
// and starting where a ray from the point to the right first meets the
// boundary; arc pieces become bulges. 5100 with the polyline, 5000 when
// no closed boundary holds the point. The caller owns the polyline.
int BuildHatchBoundaryLoops(const FcPoint2d& pickPoint, const FcEntitySets& entities, FcEntitySets& result);
