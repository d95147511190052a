#include "core/geometry_basics.h"

#include <algorithm>
#include <cmath>

#include "core/intersections.h"

namespace {

// Beyond about a thousand turns an angle is reduced in one step instead of
// turn by turn; below it the result is exactly that of the repeated
// subtraction.
constexpr double kManyTurns = 6500.0;

bool InRange(double v, double lo, double hi) { return v >= lo && v <= hi; }

// An axis-parallel segment: `along` is the coordinate that varies, `across`
// the one that stays fixed.
bool AxisSegmentMeetsRange(double across, double along1, double along2, double acrossMin,
                           double acrossMax, double alongMin, double alongMax) {
  if (!InRange(across, acrossMin, acrossMax)) return false;
  if (InRange(along1, alongMin, alongMax) || InRange(along2, alongMin, alongMax)) return true;
  const auto [lo, hi] = std::minmax(along1, along2);
  return lo <= alongMin && hi >= alongMax;
}

}  // namespace

bool IsEqual(double a, double b) {
  const double d = a - b;
  return d <= kTolerance && d >= kNegTolerance;
}

bool IsSamePoint(const FcPoint2d& p, const FcPoint2d& q) {
  return IsEqual(p.x, q.x) && IsEqual(p.y, q.y);
}

bool IsDifferentPoint(const FcPoint2d& p, const FcPoint2d& q) {
  return !IsSamePoint(p, q);
}

void NormalizeAngle(double& angle) {
  // The turn-by-turn loops below would never end for an infinite angle and
  // would take practically forever for a huge one, where subtracting a turn
  // no longer changes the value. Such angles only come from bad data.
  if (!std::isfinite(angle)) {
    angle = 0.0;
    return;
  }
  if (std::fabs(angle) > kManyTurns) angle = std::fmod(angle, kTwoPi);
  while (angle >= kTwoPi) angle -= kTwoPi;
  while (angle < 0.0) angle += kTwoPi;
  if (std::fabs(angle - kTwoPi) <= kTolerance || std::fabs(angle) < kTolerance) angle = 0.0;
}

int Orientation3(const FcPoint2d& a, const FcPoint2d& b, const FcPoint2d& c) {
  const double v = (c.x - a.x) * (b.y - a.y) - (c.y - a.y) * (b.x - a.x);
  if (v > kTolerance) return 1;
  if (v < kNegTolerance) return -1;
  return 0;
}

double PointLineDistance(const FcPoint2d& p, const FcPoint2d& a, const FcPoint2d& b) {
  const double l2 = (a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y);
  if (l2 < kTolerance) return std::hypot(p.x - a.x, p.y - a.y);
  return std::fabs((b.y - p.y) * (a.x - p.x) - (b.x - p.x) * (a.y - p.y)) / std::sqrt(l2);
}

bool FootOfPerpendicular(const FcPoint2d& a, const FcPoint2d& b, const FcPoint2d& p,
                         FcPoint2d& out) {
  if (a.x == b.x && a.y == b.y) return false;
  const FcPoint2d q{p.x - (b.y - a.y), p.y + (b.x - a.x)};
  if (IntersectLines(0, p, q, a, b, out)) return true;
  // The crossing test takes lines shorter than about 3e-4 for parallel and
  // leaves out unset; project onto the line instead of reporting a foot
  // that was never computed.
  const FcPoint2d d{b.x - a.x, b.y - a.y};
  const double l2 = d.x * d.x + d.y * d.y;
  const double t = l2 > 0.0 ? ((p.x - a.x) * d.x + (p.y - a.y) * d.y) / l2 : 0.0;
  out = {a.x + t * d.x, a.y + t * d.y};
  return true;
}

bool IsAngleOnArc(double start, double end, double angle) {
  NormalizeAngle(start);
  NormalizeAngle(end);
  NormalizeAngle(angle);
  if (std::fabs(start - angle) <= kTolerance) return true;
  if (std::fabs(angle - end) <= kTolerance) return true;
  while (angle < start - kTolerance) angle += kTwoPi;
  while (end <= start) end += kTwoPi;
  return angle <= end + kTolerance;
}

bool IsOnRaySide(const FcPoint2d& a, const FcPoint2d& b, const FcPoint2d& p) {
  double t = 0.0;
  if (a.x != b.x) {
    t = (p.x - a.x) / (b.x - a.x);
  } else if (a.y != b.y) {
    t = (p.y - a.y) / (b.y - a.y);
  } else {
    return false;
  }
  return t >= kNegTolerance;
}

bool IsBetween(const FcPoint2d& a, const FcPoint2d& b, const FcPoint2d& p) {
  const auto [xmin, xmax] = std::minmax(a.x, b.x);
  const auto [ymin, ymax] = std::minmax(a.y, b.y);
  return xmin - kTolerance <= p.x && p.x <= xmax + kTolerance && ymin - kTolerance <= p.y &&
         p.y <= ymax + kTolerance;
}

short SolveQuadratic(double qa, double qb, double qc, double& out1, double& out2) {
  if (qa == 0.0) {
    if (qb == 0.0) return 0;
    out1 = out2 = -(qc / qb);
    return 1;
  }
  const double d = qb * qb - qa * qc * 4.0;
  if (d < kNegTolerance) return 0;
  if (d < kTolerance) {
    out1 = out2 = -(qb / (2.0 * qa));
    return 1;
  }
  out2 = -(qb + std::sqrt(d)) / (2.0 * qa);
  out1 = -(qb / qa + out2);
  return 2;
}



bool SegmentMeetsRect(const FcPoint2d& p1, const FcPoint2d& p2, const FcPoint2d& rmin,
                      const FcPoint2d& rmax) {
  const auto [xmin, xmax] = std::minmax(p1.x, p2.x);
  const auto [ymin, ymax] = std::minmax(p1.y, p2.y);
  if (xmin > rmax.x || ymin > rmax.y || xmax < rmin.x || ymax < rmin.y) return false;
  if (xmin >= rmin.x && xmax <= rmax.x && ymin >= rmin.y && ymax <= rmax.y) return true;
  if (p2.x - p1.x == 0.0) {
    return AxisSegmentMeetsRange(p1.x, p1.y, p2.y, rmin.x, rmax.x, rmin.y, rmax.y);
  }
  if (p2.y - p1.y == 0.0) {
    return AxisSegmentMeetsRange(p1.y, p1.x, p2.x, rmin.y, rmax.y, rmin.x, rmax.x);
  }
  const double m = (p2.y - p1.y) / (p2.x - p1.x);
  if (xmin <= rmin.x && InRange(p1.y + m * (rmin.x - p1.x), rmin.y, rmax.y)) return true;
  if (xmax >= rmax.x && InRange(p1.y + m * (rmax.x - p1.x), rmin.y, rmax.y)) return true;
  if (ymax >= rmax.y && InRange(p1.x + (rmax.y - p1.y) / m, rmin.x, rmax.x)) return true;
  if (ymin <= rmin.y && InRange(p1.x + (rmin.y - p1.y) / m, rmin.x, rmax.x)) return true;
  return false;
}
