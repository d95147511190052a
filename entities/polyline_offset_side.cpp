#include <cmath>

#include "core/arcs.h"
#include "core/bulge_arc.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "entities/polyline.h"
#include "entities/polyline_crossing.h"
#include "entities/polyline_offset_parts.h"
#include "entities/polyline_segments.h"

namespace {

// The point of the segment the user's point is measured to: on a straight
// segment the foot of the perpendicular on its infinite line, on an arc
// where the radial line through the point meets it (then always on the arc).
bool SegmentFootPoint(const PolylineVertex& vertex, const PolylineVertex& next, const FcPoint2d& p,
                      FcPoint2d& foot, bool& onSegment) {
  const FcPoint2d a = VertexPoint(vertex);
  const FcPoint2d b = VertexPoint(next);
  BulgeArc arc;
  if (BulgeArcOf(a, vertex.bulge, b, arc)) {
    onSegment = true;
    return NearestArcPointOnRadialLine(arc.centre, arc.radius, arc.startAngle, arc.endAngle, p, foot);
  }
  if (!FootOfPerpendicular(a, b, p, foot)) return false;
  onSegment = IsBetween(a, b, foot);
  return true;
}

// Distance from the point to the segment's line, or to its arc's circle.
double SegmentCarrierDistance(const PolylineVertex& vertex, const PolylineVertex& next, const FcPoint2d& p) {
  const FcPoint2d a = VertexPoint(vertex);
  const FcPoint2d b = VertexPoint(next);
  BulgeArc arc;
  if (BulgeArcOf(a, vertex.bulge, b, arc)) return std::fabs(DistanceBetween(p, arc.centre) - arc.radius);
  return PointLineDistance(p, a, b);
}

// +1 for the left of the segment's direction, -1 for the right. A point on
// a straight segment's line counts as right, as the offset of a straight
// segment treats it, so that the whole polyline goes one way.
int OffsetSideOfSegment(const PolylineVertex& vertex, const PolylineVertex& next, const FcPoint2d& p) {
  const FcPoint2d a = VertexPoint(vertex);
  const FcPoint2d b = VertexPoint(next);
  const int turn = Orientation3(a, p, b);
  BulgeArc arc;
  if (!BulgeArcOf(a, vertex.bulge, b, arc)) return turn == 1 ? 1 : -1;
  const bool counterClockwise = vertex.bulge > 0.0;
  // Beyond the chord, away from the arc's middle, or inside the circle.
  const bool inner = turn == (counterClockwise ? 1 : -1) || DistanceBetween(p, arc.centre) < arc.radius;
  return inner == counterClockwise ? 1 : -1;
}

}  // namespace

bool ChooseOffsetSide(const FcPolyline& polyline, const FcPoint2d& point, OffsetSideChoice& choice) {
  const int count = PolylineSegmentCount(polyline);
  bool footOnSegmentMet = false;
  choice = {};
  for (int i = 0; i < count; ++i) {
    const PolylineVertex& vertex = SegmentStart(polyline, i);
    const PolylineVertex& next = SegmentEndVertex(polyline, i);
    FcPoint2d foot;
    bool onSegment = false;
    if (!SegmentFootPoint(vertex, next, point, foot, onSegment)) continue;
    if (footOnSegmentMet && !onSegment) continue;
    const double distance = SegmentCarrierDistance(vertex, next, point);
    const bool nearer = choice.segment < 0 || distance < choice.carrierDistance;
    // A segment that can neither win nor be the first with its foot on it
    // changes nothing, seen or hidden: the look along the whole polyline
    // is saved for the others.
    if (!nearer && (footOnSegmentMet || !onSegment)) continue;
    // Hidden from the point by another part of the polyline.
    if (SegmentCrossesPolyline(point, foot, polyline)) continue;
    footOnSegmentMet = footOnSegmentMet || onSegment;
    if (!nearer) continue;
    choice.segment = i;
    choice.carrierDistance = distance;
  }
  if (choice.segment < 0) return false;
  choice.side = OffsetSideOfSegment(SegmentStart(polyline, choice.segment), SegmentEndVertex(polyline, choice.segment),
                                    point);
  return true;
}
