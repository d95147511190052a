#pragma once

#include <cmath>

// A point or vector of the two-dimensional drawing, in drawing units.
struct FcPoint2d {
  double x = 0.0;
  double y = 0.0;
};

// The one absolute tolerance of the drawing side. It applies to coordinates,
// lengths, squared lengths, cross products, parameters and angles alike and
// is never scaled.
inline constexpr double kTolerance = 1e-7;
inline constexpr double kNegTolerance = -1e-7;

// Computed at start-up rather than folded, so that every value is the double
// the run-time library gives for it.
inline const double kPi = std::atan2(0.0, -1.0);
inline const double kTwoPi = kPi + kPi;
inline const double kHalfPi = kPi * 0.5;
inline const double kDegToRad = kPi * 0.005555555555555556;
inline const double kRadToDeg = 180.0 / kPi;
