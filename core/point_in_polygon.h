#pragma once

#include <span>

#include "core/point2d.h"
#include "core/polyline_vertex.h"

// Quadrant of p around q: 0 right and level or above, 1 above and level or
// left, 2 left and level or below, 3 below and level or right; -1 when p
// equals q.
int PointQuadrant(const FcPoint2d& p, const FcPoint2d& q);

// Where q lies against the closed ring (the last point joins the first),
// by the winding of the ring around it: -1 outside, 0 on the boundary,
// 1 inside a counter-clockwise ring, 2 inside a clockwise ring.
int PointInPolygon(const FcPoint2d& q, std::span<const FcPoint2d> ring);
// The same over polyline vertices, of which only x and y are read.
int PointInVertexPolygon(const FcPoint2d& q, std::span<const PolylineVertex> ring);
