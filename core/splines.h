#pragma once

#include <span>

#include "core/data_array.h"
#include "core/point2d.h"

// B-spline curves of splines, spline-fit polylines and spline leaders. A
// curve of order k (degree + 1) over n control points has n + k knots and is
// defined on [knots[k-1], knots[n]]. Routines that are handed fewer knots or
// weights than that produce nothing.

// Value of the basis function N(i, k) at t (Cox-de Boor). The first order is
// 1 on its knot span widened by the tolerance at both ends, so at an interior
// knot the values add up to 2; every rational evaluation divides by the sum
// of the weighted values, which cancels this.
double BSplineBasis(int i, int k, std::span<const double> knots, double t);

// Rational B-spline as points, steps points per non-empty knot span plus the
// curve's end point. A first or last weight that is not positive is set to
// 1.0 in the caller's weights.
void TessellateNurbsFixed(std::span<double> weights, std::span<const FcPoint2d> points, int k,
                          std::span<const double> knots, int steps, FcPoint2dArray& out);

// The same with as many points as a chord tolerance (the largest distance
// between curve and chord) asks for: 6 to 1000 steps per span, halved where
// the curve bends more.
void TessellateNurbs(FcPoint2dArray& out, std::span<const FcPoint2d> points, int k,
                     std::span<const double> knots, std::span<double> weights, double tolerance);

// The clamped cubic spline-fit curve of a polyline's vertices (at least 4
// steps per span; nothing for fewer than 4 vertices).
void PolylineSplineCurve(std::span<const FcPoint2d> points, int steps, FcPoint2dArray& out);

// One window of a uniform B-spline: appends the points at t = i / steps,
// i = 0 .. steps - 1, of the cubic over four (quadratic over three)
// consecutive control points. t = 1 is left to the next window.
void CubicBSplineFit(const FcPoint2d& p0, const FcPoint2d& p1, const FcPoint2d& p2,
                     const FcPoint2d& p3, int steps, FcPoint2dArray& out);
void QuadraticBSplineFit(const FcPoint2d& p0, const FcPoint2d& p1, const FcPoint2d& p2, int steps,
                         FcPoint2dArray& out);

// Control points of the uniform cubic B-spline through the fit points with
// the given end tangents: fit count + 2 points (+ 1 more when closed).
// False for fewer than 2 fit points.
bool InterpolatingSpline(std::span<const FcPoint2d> fit, bool closed, const FcPoint2d& startTangent,
                         const FcPoint2d& endTangent, FcPoint2dArray& control);

// The fit count + 2 control points of the clamped cubic through the fit
// points, on the given knots (fit count + 6 values). A tangent that is zero
// is written back as exactly (0, 0), any other is written back at unit
// length. Returns 1, or 0 for fewer than 2 fit points, too few knots or
// knots that leave the system without a finite solution.
int SplineFromFitPoints(std::span<const double> knots, std::span<const FcPoint2d> fit,
                        FcPoint2d& startTangent, FcPoint2d& endTangent, FcPoint2dArray& control);
