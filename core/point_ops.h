#pragma once

#include <cmath>

#include "core/geometry_basics.h"
#include "core/point2d.h"

// Small vector and angle helpers shared by the arc, area and curve code.

inline double DistanceBetween(const FcPoint2d& a, const FcPoint2d& b) {
  double dx = b.x - a.x;
  double dy = b.y - a.y;
  return std::sqrt(dx * dx + dy * dy);
}

inline FcPoint2d MidPoint(const FcPoint2d& a, const FcPoint2d& b) {
  return {(a.x + b.x) * 0.5, (a.y + b.y) * 0.5};
}

// Direction of the vector from a to b, as atan2 gives it (not normalised).
inline double AngleFromTo(const FcPoint2d& a, const FcPoint2d& b) {
  return std::atan2(b.y - a.y, b.x - a.x);
}

// Normalised angle of p seen from centre.
inline double NormalAngleAbout(const FcPoint2d& centre, const FcPoint2d& p) {
  double angle = AngleFromTo(centre, p);
  NormalizeAngle(angle);
  return angle;
}

inline FcPoint2d PointAtPolar(const FcPoint2d& origin, double distance, double angle) {
  return {origin.x + distance * std::cos(angle), origin.y + distance * std::sin(angle)};
}

// Raises angle by whole turns until it is no longer below floor. A floor
// that is not finite leaves the angle alone instead of looping for ever.
inline void RaiseAngleTo(double& angle, double floor) {
  if (!std::isfinite(floor)) return;
  while (angle < floor) angle += kTwoPi;
}

// Writes an optional output: callers pass null for what they do not want.
template <class T>
void SetIfWanted(T* out, const T& value) {
  if (out != nullptr) *out = value;
}
