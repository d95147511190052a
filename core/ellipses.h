#pragma once

#include "core/point2d.h"

// An ellipse is given by its centre, the vector from the centre to the end
// of its major axis and the ratio minor / major. A polar angle is measured
// at the centre from the major axis; a parametric angle t names the point
// (a cos t, b sin t) of the ellipse's own frame.

// The ellipse point at a polar angle. False, with out untouched, when either
// semi-axis is zero.
bool EllipsePointAtAngle(FcPoint2d& out, const FcPoint2d& major, const FcPoint2d& centre,
                         double ratio, double angle);

// Polar angle to parametric angle and back, for semi-axes a and b. The
// result lies in the quadrant of the given angle.
double EllipseAngleToParameter(double a, double b, double angle);
double EllipseParameterToAngle(double a, double b, double parameter);

// Points where the tangents from p touch the axis-aligned ellipse about
// centre with semi-axes a (along x) and b (along y). False when p lies
// inside the ellipse. Either out pointer may be null.
bool EllipseTangentPoints(const FcPoint2d& p, const FcPoint2d& centre, double a, double b,
                          FcPoint2d* first, FcPoint2d* second);

// The same for an ellipse with any rotation. Returns 1, or 0 when p lies
// inside the ellipse.
int RotatedEllipseTangentPoints(const FcPoint2d& p, const FcPoint2d& centre, const FcPoint2d& major,
                                double ratio, FcPoint2d* first, FcPoint2d* second);
