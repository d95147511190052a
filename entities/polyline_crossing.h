#pragma once

#include "core/point2d.h"

class FcPolyline;

// Whether the segment a-b meets a segment of the polyline (its arcs and,
// when it is closed, its closing segment included) at a point other than a
// and b. A meeting exactly at either end does not count; of two points on
// one arc, the arc counts only when neither is at an end.
bool SegmentCrossesPolyline(const FcPoint2d& a, const FcPoint2d& b, const FcPolyline& polyline);
