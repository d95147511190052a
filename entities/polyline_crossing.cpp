#include "entities/polyline_crossing.h"

#include "core/bulge_arc.h"
#include "core/geometry_basics.h"
#include "core/intersection_kinds.h"
#include "core/intersections.h"
#include "entities/polyline_segments.h"

namespace {

bool AwayFromEnds(const FcPoint2d& p, const FcPoint2d& a, const FcPoint2d& b) {
  return IsDifferentPoint(p, a) && IsDifferentPoint(p, b);
}

bool CrossesSegment(const FcPoint2d& a, const FcPoint2d& b, const PolylineVertex& start, const PolylineVertex& end) {
  BulgeArc arc;
  if (!BulgeArcOf(VertexPoint(start), start.bulge, VertexPoint(end), arc)) {
    FcPoint2d x;
    return IntersectLines(kBothSegments, a, b, VertexPoint(start), VertexPoint(end), x) && AwayFromEnds(x, a, b);
  }
  FcPoint2d points[2];
  const int found =
      IntersectLineArc(a, b, arc.centre, kSegmentWithArc, arc.startAngle, arc.endAngle, arc.radius, points);
  if (found == 1) return AwayFromEnds(points[0], a, b);
  return found == 2 && AwayFromEnds(points[0], a, b) && AwayFromEnds(points[1], a, b);
}

}  // namespace

bool SegmentCrossesPolyline(const FcPoint2d& a, const FcPoint2d& b, const FcPolyline& polyline) {
  const int count = PolylineSegmentCount(polyline);
  for (int i = 0; i < count; ++i) {
    if (CrossesSegment(a, b, SegmentStart(polyline, i), SegmentEndVertex(polyline, i))) return true;
  }
  return false;
}
