#include "core/bulge_arc.h"

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
