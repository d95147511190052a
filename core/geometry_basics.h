#pragma once

#include "core/point2d.h"

// Elementary predicates of the geometry library. Every comparison uses the
// absolute tolerance kTolerance; none of them may be made relative, because
// the whole drawing side agrees on these exact results.

// True when a - b lies within [-kTolerance, kTolerance].
bool IsEqual(double a, double b);

// True when both coordinate differences lie within [-kTolerance, kTolerance].
bool IsSamePoint(const FcPoint2d& p, const FcPoint2d& q);
// True when either coordinate difference lies outside that closed interval.
bool IsDifferentPoint(const FcPoint2d& p, const FcPoint2d& q);

// Brings an angle into [0, 2*pi); values within the tolerance of 0 or of
// 2*pi become exactly 0.
void NormalizeAngle(double& angle);

// +1 when a -> b -> c turns clockwise, -1 when it turns counter-clockwise,
// 0 when the three points are collinear within the tolerance.
int Orientation3(const FcPoint2d& a, const FcPoint2d& b, const FcPoint2d& c);

// Distance from p to the infinite line through a and b; the distance to a
// when a and b (almost) coincide.
double PointLineDistance(const FcPoint2d& p, const FcPoint2d& a, const FcPoint2d& b);

// Foot of the perpendicular from p onto the infinite line through a and b.
// False, with out untouched, when a equals b exactly.
bool FootOfPerpendicular(const FcPoint2d& a, const FcPoint2d& b, const FcPoint2d& p,
                         FcPoint2d& out);

// Whether angle lies on the arc running counter-clockwise from start to end,
// both ends inclusive. An arc whose start equals its end holds every angle.
bool IsAngleOnArc(double start, double end, double angle);

// Whether p, known to lie on the line through a and b, is on the side of a
// towards b (or at a).
bool IsOnRaySide(const FcPoint2d& a, const FcPoint2d& b, const FcPoint2d& p);

// Whether p lies within the box of a and b, widened by the tolerance.
bool IsBetween(const FcPoint2d& a, const FcPoint2d& b, const FcPoint2d& p);

// Real roots of qa*x*x + qb*x + qc. Returns 0, 1 or 2; with 2, out1 is the
// root with +sqrt(D) and out2 the one with -sqrt(D). Outs are untouched
// when there is no root.
short SolveQuadratic(double qa, double qb, double qc, double& out1, double& out2);

// Whether the closed segment p1-p2 touches the closed axis-aligned rectangle
// with lower-left corner rmin and upper-right corner rmax (exact comparisons).
bool SegmentMeetsRect(const FcPoint2d& p1, const FcPoint2d& p2, const FcPoint2d& rmin,
                      const FcPoint2d& rmax);
