#include "core/bulge_arc.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/arcs.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"

bool BulgeArcOf(const FcPoint2d& start, double bulge, const FcPoint2d& end, BulgeArc& arc) {
  FcPoint2d centre;
  double radius = 0.0;
  if (ArcFromChordBulge(start, bulge, end, centre, nullptr, &radius) == 0) return false;
  double from = NormalAngleAbout(centre, start);
  double to = NormalAngleAbout(centre, end);
  if (bulge < 0.0) std::swap(from, to);
  while (to < from) to += kTwoPi;
  arc.centre = centre;
  arc.radius = radius;
  arc.startAngle = from;
  arc.endAngle = to;
  return true;
}

double SweepAlongBulge(const FcPoint2d& centre, double bulge, const FcPoint2d& from, const FcPoint2d& to) {
  double sweep = AngleFromTo(centre, to) - AngleFromTo(centre, from);
  if (bulge < 0.0) sweep = -sweep;
  NormalizeAngle(sweep);
  return sweep;
}

SegmentBounds LooseSegmentBounds(const FcPoint2d& start, double bulge, const FcPoint2d& end) {
  const double dx = std::fabs(end.x - start.x);
  const double dy = std::fabs(end.y - start.y);
  // Segment windows reach a parameter tolerance beyond the ends, arc ranges
  // an angle tolerance: both scale with the size.
  double margin = 2.0 * kTolerance * (1.0 + dx + dy);
  const double b = std::fabs(bulge);
  if (b > 0.0) {
    const double chord = dx + dy;
    const double radius = chord * (1.0 + b * b) / (4.0 * b);
    // Up to half a circle the arc stays within its sagitta of the chord;
    // beyond, within the circle's diameter of any of its points.
    margin += (b <= 1.0 ? b * chord / 2.0 : 2.0 * radius) + 2.0 * kTolerance * radius;
  }
  return {{std::min(start.x, end.x) - margin, std::min(start.y, end.y) - margin},
          {std::max(start.x, end.x) + margin, std::max(start.y, end.y) + margin}};
}

bool BoundsOverlap(const SegmentBounds& a, const SegmentBounds& b) {
  return a.min.x <= b.max.x && b.min.x <= a.max.x && a.min.y <= b.max.y && b.min.y <= a.max.y;
}
