#pragma once

#include "core/point2d.h"

// The arc of a bulged polyline segment as a counter-clockwise arc: from the
// start vertex to the end vertex for a positive bulge, from the end to the
// start for a negative one. endAngle lies above startAngle by at most a
// whole turn; both are radians.
struct BulgeArc {
  FcPoint2d centre;
  double radius = 0.0;
  double startAngle = 0.0;
  double endAngle = 0.0;
};

// False for a straight segment (bulge 0) or coincident ends.
bool BulgeArcOf(const FcPoint2d& start, double bulge, const FcPoint2d& end, BulgeArc& arc);

// How far the segment's arc runs from the point `from` to the point `to`,
// both on its circle, going the way the bulge runs (counter-clockwise for a
// positive bulge): an angle in [0, 2*pi).
double SweepAlongBulge(const FcPoint2d& centre, double bulge, const FcPoint2d& from, const FcPoint2d& to);

// A box that surely holds a polyline segment, its arc or its chord, with
// every point the intersection routines still accept as on it (their
// tolerances widen it). Made without trigonometry and looser than the
// exact box: for ruling out pairs of segments before intersecting them.
struct SegmentBounds {
  FcPoint2d min;
  FcPoint2d max;
};
SegmentBounds LooseSegmentBounds(const FcPoint2d& start, double bulge, const FcPoint2d& end);
bool BoundsOverlap(const SegmentBounds& a, const SegmentBounds& b);
