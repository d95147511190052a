#pragma once

#include <cmath>

// A point or vector of the two-dimensional drawing, in drawing units.
struct FcPoint2d {
  double x = 0.0;
  double y = 0.0;

  FcPoint2d& operator+=(const FcPoint2d& other) {
    x += other.x;
    y += other.y;
    return *this;
  }
  FcPoint2d& operator-=(const FcPoint2d& other) {
    x -= other.x;
    y -= other.y;
    return *this;
  }
  FcPoint2d& operator*=(double factor) {
    x *= factor;
    y *= factor;
    return *this;
  }
};

// Points and vectors add, subtract and scale as vectors. Equality is exact;
// geometry compares within kTolerance instead.
inline FcPoint2d operator+(FcPoint2d a, const FcPoint2d& b) { return a += b; }
inline FcPoint2d operator-(FcPoint2d a, const FcPoint2d& b) { return a -= b; }
inline FcPoint2d operator-(const FcPoint2d& a) { return {-a.x, -a.y}; }
inline FcPoint2d operator*(FcPoint2d a, double factor) { return a *= factor; }
inline FcPoint2d operator*(double factor, FcPoint2d a) { return a *= factor; }
inline bool operator==(const FcPoint2d& a, const FcPoint2d& b) { return a.x == b.x && a.y == b.y; }
inline bool operator!=(const FcPoint2d& a, const FcPoint2d& b) { return !(a == b); }

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
