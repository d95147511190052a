#pragma once

#include "core/point2d.h"

class FcPolyline;

// Cutting a plain polyline at a point x on its segment k (from vertex k to
// the next, the closing segment of a closed polyline included). A closed
// polyline becomes open. A tapered segment keeps the width it had at x,
// and a bulged one the part of its arc that is kept.

// Keeps the part from the first vertex to x.
void PolylineKeepUpTo(FcPolyline& polyline, int k, const FcPoint2d& x);
// Keeps the part from x to the last vertex (for a closed polyline: round
// to the first vertex again).
void PolylineKeepFrom(FcPolyline& polyline, int k, const FcPoint2d& x);
