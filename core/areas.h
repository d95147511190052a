#pragma once

#include <span>

#include "core/outline_loops.h"
#include "core/point2d.h"

// Areas of closed straight outlines (the last point joins the first; the
// first point is not repeated) and of elliptical segments.

// Absolute shoelace area; 0 for fewer than 3 points.
double PolygonArea(std::span<const FcPoint2d> points);

// Area of an outline that may cross itself: the sum of the areas of the
// simple loops it is cut into, so the lobes of a figure eight add up
// instead of cancelling. 0 for fewer than 3 points.
double SelfCrossingPolygonArea(std::span<const FcPoint2d> points);

// Cuts the outline at its crossings, recursively, and appends the simple
// loops to loops.
void SplitPolygonAtCrossings(std::span<const FcPoint2d> points, LoopList<FcPoint2d>& loops);

// Area between the arc of the ellipse about the origin with semi-axes a
// (along x) and b and its chord, from the polar angle start to end.
double EllipseArcArea(double a, double b, double start, double end);

// False when the polygon winds clockwise around the first centroid of three
// consecutive points that lies inside it, true otherwise.
bool PolygonHasInsideTriangleCentroid(std::span<const FcPoint2d> points);
