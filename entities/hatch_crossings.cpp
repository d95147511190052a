#include "entities/hatch_crossings.h"

#include <algorithm>
#include <cmath>

#include "core/geometry_basics.h"

namespace {

constexpr double kSideTolerance = 1e-7;

// The angle brought into [0, 2*pi) by whole turns.
double TurnRemainder(double angle) {
  double rest = std::fmod(angle, kTwoPi);
  if (rest < 0.0) rest += kTwoPi;
  return rest >= kTwoPi ? 0.0 : rest;
}

}  // namespace

CrossingLine::CrossingLine(const FcPoint2d& p1, const FcPoint2d& p2) : origin_(p1) {
  const double length = std::hypot(p2.x - p1.x, p2.y - p1.y);
  if (length > 0.0 && std::isfinite(length)) normal_ = {-(p2.y - p1.y) / length, (p2.x - p1.x) / length};
}

double CrossingLine::Height(const FcPoint2d& point) const {
  return normal_.x * (point.x - origin_.x) + normal_.y * (point.y - origin_.y);
}

bool CrossingLine::Above(const FcPoint2d& point) const { return Height(point) > kSideTolerance; }

void CrossingLine::AppendSegmentCrossings(const FcPoint2d& a, const FcPoint2d& b,
                                          std::vector<FcPoint2d>& hits) const {
  if (Above(a) == Above(b)) return;
  // Where the piece meets the line itself, which for a vertex on the line
  // is the vertex.
  const double ha = Height(a);
  const double t = std::clamp(ha / (ha - Height(b)), 0.0, 1.0);
  hits.push_back(a + t * (b - a));
}

void CrossingLine::AppendConicCrossings(const FcPoint2d& centre, const FcPoint2d& u, const FcPoint2d& v, double low,
                                        double high, std::vector<FcPoint2d>& hits) const {
  // The height of the point at t is h + reach * cos(t - phi); the arc is
  // above the line between phi - beta and phi + beta.
  const double h = Height(centre);
  const double cu = normal_.x * u.x + normal_.y * u.y;
  const double cv = normal_.x * v.x + normal_.y * v.y;
  const double reach = std::hypot(cu, cv);
  if (!(reach > 0.0) || !std::isfinite(reach) || !std::isfinite(h) || !std::isfinite(low) || !std::isfinite(high)) {
    return;
  }
  const double k = (kSideTolerance - h) / reach;
  if (!(k < 1.0) || k < -1.0) return;
  const double phi = std::atan2(cv, cu);
  const double beta = std::acos(k);
  // The crossing is placed where the arc meets the line itself, just
  // outside the part above it; an arc that comes within the tolerance of
  // the line without meeting it is placed at its foot on the line.
  const double k0 = -h / reach;
  const bool meets = k0 >= -1.0;
  const double widen = meets ? std::acos(k0) - beta : 0.0;
  const auto place = [&](double t) {
    const FcPoint2d point = centre + std::cos(t) * u + std::sin(t) * v;
    return meets ? point : point - Height(point) * normal_;
  };
  // A lower end counts unless it is the arc's end, an upper one unless it
  // is the arc's start: there the arc has no part above on that side.
  const double lower = low + TurnRemainder(phi - beta - low);
  if (lower < high) hits.push_back(place(lower - widen));
  double upper = low + TurnRemainder(phi + beta - low);
  if (upper == low) upper += kTwoPi;
  if (upper <= high) hits.push_back(place(upper + widen));
}
