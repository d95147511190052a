#include "core/ellipses.h"

#include <cmath>

#include "core/geometry_basics.h"
#include "core/matrix2d.h"
#include "core/point_ops.h"

namespace {

// Shared by both conversions: the angle on the other side has the tangent
// tan * f and lies in the quadrant of the given angle. It is placed from
// its quadrant's start or end rather than shifted there by quarter turns, so
// an angle a rounding step off a quadrant boundary stays beside it instead
// of landing a quarter turn away.
double ConvertEllipseAngle(double factor, double angle) {
  const double threeHalfPi = kHalfPi + kPi;
  if (angle == 0.0 || angle == kHalfPi || angle == kPi || angle == threeHalfPi || angle == kTwoPi) {
    return angle;
  }
  double normal = angle;
  NormalizeAngle(normal);
  const double t = std::atan(std::fabs(std::tan(normal)) * factor);
  if (normal < kHalfPi) return t;
  if (normal < kPi) return kPi - t;
  if (normal < threeHalfPi) return kPi + t;
  return kTwoPi - t;
}

// Tangents from the point (dx, dy), relative to the centre of the ellipse
// x^2 / A + y^2 / B = 1, written (dx, dy) + t * (s, 1): s is their change
// of x per unit of y and solves e*s^2 + m*s + h = 0. count is 2 for two
// slopes, 1 when the point lies at the height of a vertex (one slope; the
// other tangent is horizontal), 0 when there is no tangent.
struct TangentSlopes {
  TangentSlopes(double dx, double dy, double A, double B) : dx(dx), dy(dy), A(A), B(B) {
    double K = B * dx * dx + A * dy * dy - A * B;
    double e = (B * dx * dx - K) * B;
    double m = 2.0 * B * A * dy * dx;
    double h = (A * dy * dy - K) * A;
    if (std::fabs(e) > 1e-10) {
      double D = m * m - 4.0 * h * e;
      if (D < 0.0) return;
      double root = std::sqrt(D);
      first = (root - m) / (2.0 * e);
      second = (-m - root) / (2.0 * e);
      count = 2;
      return;
    }
    if (m == 0.0) return;
    first = -h / m;
    count = 1;
  }

  // Offset from the point to where the tangent of slope s touches.
  FcPoint2d Touch(double s) const {
    double t = -(B * dx * s + A * dy) / (B * s * s + A);
    return {t * s, t};
  }

  double dx, dy, A, B;
  int count = 0;
  double first = 0.0;
  double second = 0.0;
};

}  // namespace

bool EllipsePointAtAngle(FcPoint2d& out, const FcPoint2d& major, const FcPoint2d& centre,
                         double ratio, double angle) {
  double a = std::sqrt(major.x * major.x + major.y * major.y);
  if (a == 0.0) return false;
  double b = a * ratio;
  if (b == 0.0) return false;
  double theta = std::atan2(major.y, major.x);
  double c = std::cos(angle);
  double s = std::sin(angle);
  double r = a * b / std::sqrt(b * b * c * c + a * a * s * s);
  FcPoint2d p{r * c, r * s};
  RotateVector(theta, p);
  out = {centre.x + p.x, centre.y + p.y};
  return true;
}

double EllipseAngleToParameter(double a, double b, double angle) {
  return ConvertEllipseAngle(a / b, angle);
}

double EllipseParameterToAngle(double a, double b, double parameter) {
  return ConvertEllipseAngle(b / a, parameter);
}

bool EllipseTangentPoints(const FcPoint2d& p, const FcPoint2d& centre, double a, double b,
                          FcPoint2d* first, FcPoint2d* second) {
  TangentSlopes slopes(p.x - centre.x, p.y - centre.y, a * a, b * b);
  if (slopes.count == 0) return false;
  auto touch = [&](double s) {
    FcPoint2d step = slopes.Touch(s);
    return FcPoint2d{p.x + step.x, p.y + step.y};
  };
  SetIfWanted(first, touch(slopes.first));
  // p at the height of a vertex: the other tangent is horizontal.
  SetIfWanted(second, slopes.count == 2 ? touch(slopes.second) : FcPoint2d{centre.x, p.y});
  return true;
}

int RotatedEllipseTangentPoints(const FcPoint2d& p, const FcPoint2d& centre, const FcPoint2d& major,
                                double ratio, FcPoint2d* first, FcPoint2d* second) {
  double theta = std::atan2(major.y, major.x);
  NormalizeAngle(theta);
  FcPoint2d q = p;
  RotatePointAbout(-theta, centre, q);
  double a = std::sqrt(major.x * major.x + major.y * major.y);
  double b = a * ratio;
  // In the ellipse's own frame the tangents are q + t * (1, s) with slope s:
  // the same equations with x and y (and the two axes) exchanged.
  TangentSlopes slopes(q.y - centre.y, q.x - centre.x, b * b, a * a);
  if (slopes.count == 0) return 0;
  auto touch = [&](double s) {
    FcPoint2d step = slopes.Touch(s);
    return FcPoint2d{q.x + step.y, q.y + step.x};
  };
  FcPoint2d one;
  FcPoint2d two;
  if (slopes.count == 1) {
    // q level with a vertex along x: the other tangent is vertical.
    one = touch(slopes.first);
    two = {q.x, centre.y};
  } else {
    double s1 = slopes.first;
    double s2 = slopes.second;
    double small = std::fmin(std::fabs(s1), std::fabs(s2));
    double large = std::fmax(std::fabs(s1), std::fabs(s2));
    // Near-vertical slopes lose their precision; the tangents then come from
    // the form that measures x per unit of y.
    bool tooSteep = s1 != 0.0 && s2 != 0.0 && large > 1e9 && large > small * 1e9;
    if (tooSteep) {
      if (!EllipseTangentPoints(q, centre, a, b, &one, &two)) return 0;
    } else {
      one = touch(s1);
      two = touch(s2);
    }
  }
  RotatePointAbout(theta, centre, one);
  RotatePointAbout(theta, centre, two);
  SetIfWanted(first, one);
  SetIfWanted(second, two);
  return 1;
}
