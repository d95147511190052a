#include "core/partial_arc_bulge.h"

#include <cmath>

#include "core/bulge_arc.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"

void SetPartialArcBulge(PolylineVertex& vertex, const FcPoint2d& next, const FcPoint2d& cut, ArcPart part) {
  const FcPoint2d start{vertex.x, vertex.y};
  BulgeArc arc;
  if (!BulgeArcOf(start, vertex.bulge, next, arc)) return;
  const FcPoint2d& first = part == ArcPart::kCutToNext ? cut : start;
  const FcPoint2d& second = part == ArcPart::kCutToNext ? next : cut;
  const double chord = DistanceBetween(first, second);
  if (chord < kTolerance) {
    vertex.bulge = 0.0;
    return;
  }
  const double h = PointLineDistance(arc.centre, first, second);
  const double sweep = SweepAlongBulge(arc.centre, vertex.bulge, first, second);
  const double sagitta = sweep > kPi ? arc.radius + h : arc.radius - h;
  vertex.bulge = std::copysign(2.0 * sagitta / chord, vertex.bulge);
}
