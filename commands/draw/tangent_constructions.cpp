#include "commands/draw/tangent_constructions.h"

#include <cmath>

#include "core/geometry_basics.h"
#include "core/intersection_kinds.h"
#include "core/intersections.h"
#include "core/point_ops.h"

namespace {

constexpr const char* kNoTangentCircle = "There isn't any tangent circle or the radius is tool small.";
// IntersectLineArc: an infinite line with a full circle.
constexpr short kInfiniteLineWithCircle = 0;
// IntersectArcs: two full circles.
constexpr short kTwoCircles = 0;

double Cross(const FcPoint2d& u, const FcPoint2d& v) { return u.x * v.y - u.y * v.x; }
double Dot(const FcPoint2d& u, const FcPoint2d& v) { return u.x * v.x + u.y * v.y; }

// +1, -1, or 0 within the tolerance.
int SignOf(double value) {
  if (value > kTolerance) return 1;
  if (value < kNegTolerance) return -1;
  return 0;
}

// The line moved by the distance towards its pick; a pick on the line
// moves it to the right.
TangentLine OffsetTowardsPick(const TangentShape& line, double distance) {
  const FcPoint2d along = line.second - line.first;
  const double theta = std::atan2(along.y, along.x);
  const double normal = Cross(along, line.pick - line.first) > kTolerance ? theta + kHalfPi : theta - kHalfPi;
  return {PointAtPolar(line.first, distance, normal), PointAtPolar(line.second, distance, normal)};
}

std::optional<FcPoint2d> CentreFromLines(const TangentShape& a, const TangentShape& b, double radius) {
  const TangentLine p = OffsetTowardsPick(a, radius);
  const TangentLine q = OffsetTowardsPick(b, radius);
  FcPoint2d centre;
  if (!IntersectLines(kInfiniteLines, p.first, p.second, q.first, q.second, centre)) return std::nullopt;
  return centre;
}

std::optional<FcPoint2d> CentreFromLineAndCircle(const TangentShape& line, const TangentShape& circle, double radius,
                                                 std::string& message) {
  const TangentLine offset = OffsetTowardsPick(line, radius);
  const FcPoint2d& c = circle.centre;
  FcPoint2d foot = c;
  FootOfPerpendicular(line.first, line.second, c, foot);
  const int circleSide = SignOf(Cross(foot - c, circle.pick - c));
  const int lineSide = SignOf(Cross(foot - c, line.pick - c));
  // Picks on the same side of the perpendicular from the centre ask for
  // outer contact with the circle, picks on opposite sides for inner.
  const bool outer = circleSide == lineSide || std::fabs(radius - circle.radius) <= kTolerance;
  const double reach = outer ? circle.radius + radius : std::fabs(radius - circle.radius);
  FcPoint2d found[2];
  const int count =
      IntersectLineArc(offset.first, offset.second, c, kInfiniteLineWithCircle, 0.0, kTwoPi, reach, found);
  if (count == 0) {
    message = kNoTangentCircle;
    return std::nullopt;
  }
  if (count == 1 || Orientation3(c, found[0], foot) == circleSide) return found[0];
  return found[1];
}

// The distance from the circle's centre at which the tangent circle's
// centre lies: a pick on the side facing the other circle asks for outer
// contact, one on the far side for inner.
double Reach(const TangentShape& circle, const TangentShape& other, double radius) {
  const bool outer = Dot(other.centre - circle.centre, circle.pick - circle.centre) >= 0.0 ||
                     std::fabs(circle.radius - radius) <= kTolerance;
  return outer ? circle.radius + radius : std::fabs(circle.radius - radius);
}

std::optional<FcPoint2d> CentreFromCircles(const TangentShape& a, const TangentShape& b, double radius,
                                           std::string& message) {
  FcPoint2d found[2];
  const int count =
      IntersectArcs(a.centre, found, b.centre, kTwoCircles, 0.0, kTwoPi, Reach(a, b, radius), 0.0, kTwoPi,
                    Reach(b, a, radius));
  if (count == 0) {
    message = kNoTangentCircle;
    return std::nullopt;
  }
  if (count == 1 || Orientation3(a.centre, found[0], b.centre) == Orientation3(a.centre, a.pick, b.centre))
    return found[0];
  return found[1];
}

}  // namespace

std::optional<TangentLine> CommonTangentLine(const TangentShape& a, const TangentShape& b, std::string& message) {
  const FcPoint2d& c1 = a.centre;
  const FcPoint2d& c2 = b.centre;
  const double r1 = a.radius;
  const double r2 = b.radius;
  const int s1 = SignOf(Cross(c2 - c1, a.pick - c1)) >= 0 ? 1 : -1;
  const int s2 = SignOf(Cross(c2 - c1, b.pick - c1)) >= 0 ? 1 : -1;
  const double d = DistanceBetween(c1, c2);
  // Also a circle picked twice: d is 0 there.
  if (d < std::fabs(r1 - r2) + kTolerance) {
    message = "There is not any common tangent!";
    return std::nullopt;
  }
  double t = AngleFromTo(c1, c2);
  NormalizeAngle(t);
  if (s1 == s2) {
    double w = r1 - r2;
    int v = s1;
    if (r1 < r2) {
      t += kPi;
      w = r2 - r1;
      v = -s1;
    }
    const double a1 = std::acos(w / d);
    const double theta = v == 1 ? t + a1 : t - a1;
    return TangentLine{PointAtPolar(c1, r1, theta), PointAtPolar(c2, r2, theta)};
  }
  if (r1 + r2 + kTolerance > d) {
    message = "There is not inscribed common tangent!";
    return std::nullopt;
  }
  const double w = std::acos((r1 + r2) / d);
  if (s1 == 1) return TangentLine{PointAtPolar(c1, r1, t + w), PointAtPolar(c2, r2, t + w + kPi)};
  return TangentLine{PointAtPolar(c1, r1, t - w), PointAtPolar(c2, r2, t + kPi - w)};
}

std::optional<FcPoint2d> TangentCircleCentre(const TangentShape& a, const TangentShape& b, double radius,
                                             std::string& message) {
  message.clear();
  if (a.isCircle && b.isCircle) return CentreFromCircles(a, b, radius, message);
  if (a.isCircle) return CentreFromLineAndCircle(b, a, radius, message);
  if (b.isCircle) return CentreFromLineAndCircle(a, b, radius, message);
  return CentreFromLines(a, b, radius);
}
