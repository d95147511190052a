#include "commands/modify/chamfer_polyline.h"

#include "commands/modify/chamfer_points.h"
#include "commands/modify/corner_pieces.h"
#include "commands/modify/polyline_corners.h"
#include "core/geometry_basics.h"
#include "core/intersection_kinds.h"
#include "core/intersections.h"
#include "core/point_ops.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "entities/polyline.h"
#include "platform/frame_link.h"

namespace {

constexpr const char* kLinesDiverge = "Lines diverge.";

double Dot(const FcPoint2d& a, const FcPoint2d& b) { return a.x * b.x + a.y * b.y; }

// A segment seen from the corner: its far end and its near end.
struct CornerLeg {
  FcPoint2d far;
  FcPoint2d near;
  // Whether p lies on the corner's side of the far end.
  bool Reaches(const FcPoint2d& p) const { return Dot(near - far, p - far) >= 0.0; }
};

FcPoint2d Towards(const FcPoint2d& from, const FcPoint2d& to, double distance) {
  return PointAtPolar(from, distance, AngleFromTo(from, to));
}

// The point at the distance from the corner towards the leg's far end, the
// corner itself for a distance of 0; false when it lies past the far end.
bool LegPoint(const CornerLeg& leg, const FcPoint2d& corner, double distance, FcPoint2d& point) {
  point = distance > 0.0 ? Towards(corner, leg.far, distance) : corner;
  return leg.Reaches(point);
}

// Where the chamfer line from q, at the angle from the first leg turned
// towards the other leg, meets the other leg's line.
bool AngledPoint(const CornerLeg& first, const CornerLeg& other, const FcPoint2d& q, double angle, FcPoint2d& point) {
  double towards = AngleFromTo(first.far, first.near);
  NormalizeAngle(towards);
  const double direction = Orientation3(first.far, other.far, first.near) == 1 ? towards + angle : towards - angle;
  return IntersectLines(kInfiniteLines, q, PointAtPolar(q, 1000.0, direction), other.far, other.near, point);
}

}  // namespace

void ChamferPolylineSegments(FcGraph& graph, FcPolyline& polyline, int firstPicked, int secondPicked) {
  SegmentPair pair;
  if (!OrderSegmentPair(polyline, firstPicked, secondPicked, pair)) {
    PrintMessage("Lines belonging to polylines must be consecutive or separated by one segment");
    return;
  }
  if (IsArcSegment(polyline, pair.first) || IsArcSegment(polyline, pair.second)) {
    PrintMessage("Cannot chamfer polyline arc segments.");
    return;
  }
  const CornerLeg s1{SegmentStartPoint(polyline, pair.first), SegmentEndPoint(polyline, pair.first)};
  const CornerLeg s2{SegmentEndPoint(polyline, pair.second), SegmentStartPoint(polyline, pair.second)};
  FcPoint2d corner;
  if (!IntersectLines(kInfiniteLines, s1.far, s1.near, s2.far, s2.near, corner) || !s1.Reaches(corner) ||
      !s2.Reaches(corner)) {
    PrintMessage(kLinesDiverge);
    return;
  }
  const bool firstIsS1 = firstPicked == pair.first;
  const CornerLeg& picked = firstIsS1 ? s1 : s2;
  const CornerLeg& other = firstIsS1 ? s2 : s1;
  const FcSystemVar& vars = graph.GetSysVars();
  FcPoint2d onPicked, onOther;
  if (vars.chammode == 0) {
    if (!LegPoint(picked, corner, vars.chamfera, onPicked) || !LegPoint(other, corner, vars.chamferb, onOther)) {
      PrintMessage(kInvalidChamferDistance);
      return;
    }
  } else {
    if (!LegPoint(picked, corner, vars.chamferc, onPicked)) {
      PrintMessage(kInvalidChamferDistance);
      return;
    }
    if (!AngledPoint(picked, other, onPicked, vars.chamferd, onOther) || !other.Reaches(onOther)) {
      PrintMessage(kInvalidChamferAngle);
      return;
    }
  }
  const FcPoint2d& p1 = firstIsS1 ? onPicked : onOther;
  const FcPoint2d& p2 = firstIsS1 ? onOther : onPicked;
  CornerUndoStep step(graph, "Chamfer");
  if (vars.TrimMode != 1) {
    AddChamferLine(graph, step.Item(), polyline, polyline, p1, p2);
    return;
  }
  step.Item().Record(kUndoChanged, &polyline);
  CutPolylineCorner(polyline, pair, p1, p2, 0.0, true);
  graph.RedrawEntity(&polyline);
}

void ChamferWholePolyline(FcGraph& graph, FcPolyline& polyline) {
  CornerUndoStep step(graph, "Chamfer");
  const FcSystemVar& vars = graph.GetSysVars();
  const int n = polyline.GetVertexCount();
  bool chamfered = false;
  // Vertices are only ever inserted after the corner at hand, so the
  // corners still to come keep their indices.
  for (int k = polyline.IsClosed() ? n - 1 : n - 3; k >= 0; --k) {
    const int count = polyline.GetVertexCount();
    const int next = (k + 1) % count;
    if (IsArcSegment(polyline, k) || IsArcSegment(polyline, next)) continue;
    const FcPoint2d v = PolylineVertexPoint(polyline, next);
    const CornerLeg a{PolylineVertexPoint(polyline, k), v};
    const CornerLeg b{PolylineVertexPoint(polyline, (next + 1) % count), v};
    FcPoint2d p1, p2;
    if (!LegPoint(a, v, vars.chammode == 0 ? vars.chamfera : vars.chamferc, p1)) continue;
    if (vars.chammode == 0) {
      p2 = vars.chamferb > 0.0 ? Towards(v, b.far, vars.chamferb) : v;
    } else if (!AngledPoint(a, b, p1, vars.chamferd, p2)) {
      continue;
    }
    if ((IsDifferentPoint(p2, v) && !b.Reaches(p2)) || !IsDifferentPoint(p1, p2)) continue;
    step.Item().Record(kUndoChanged, &polyline);
    const SegmentPair pair{k, next, k + 1 == count ? SegmentPair::Kind::kAcrossClosure : SegmentPair::Kind::kConsecutive};
    CutPolylineCorner(polyline, pair, p1, p2, 0.0, true);
    chamfered = true;
  }
  if (chamfered) graph.RedrawEntity(&polyline);
}
