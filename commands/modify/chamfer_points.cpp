#include "commands/modify/chamfer_points.h"

#include "core/geometry_basics.h"
#include "core/intersection_kinds.h"
#include "core/intersections.h"
#include "core/point_ops.h"
#include "database/system_var.h"
#include "platform/frame_link.h"

namespace {

FcPoint2d Foot(const StraightCornerEdge& edge, const FcPoint2d& p) {
  FcPoint2d foot = p;
  FootOfPerpendicular(edge.p1, edge.p2, p, foot);
  return foot;
}

// A point of the edge other than the corner, on the picked side where the
// pick tells one.
FcPoint2d AwayFromCorner(const StraightCornerEdge& edge, const FcPoint2d& foot, const FcPoint2d& corner) {
  if (IsDifferentPoint(foot, corner)) return foot;
  return IsDifferentPoint(edge.p2, corner) ? edge.p2 : edge.p1;
}

// The point at the distance from the corner along the edge; false, after
// the history line, when the edge cannot reach it.
bool PointAtDistance(const StraightCornerEdge& edge, const FcPoint2d& corner, double distance, FcPoint2d& point) {
  if (distance <= 0.0) {
    point = corner;
    return true;
  }
  const FcPoint2d foot = Foot(edge, edge.pick);
  point = PointAtPolar(corner, distance, AngleFromTo(corner, AwayFromCorner(edge, foot, corner)));
  if (CheckCornerPoint(edge.kind, point, edge.p1, edge.p2, corner, foot)) return true;
  PrintMessage(kInvalidChamferDistance);
  return false;
}

}  // namespace

bool ChamferPoints(const StraightCornerEdge& first, const StraightCornerEdge& second, const FcSystemVar& vars,
                   ChamferCut& cut) {
  if (!IntersectLines(kInfiniteLines, first.p1, first.p2, second.p1, second.p2, cut.corner)) {
    PrintMessage("Lines are parallel.");
    return false;
  }
  const FcPoint2d& corner = cut.corner;
  if (vars.chammode == 0) {
    return PointAtDistance(first, corner, vars.chamfera, cut.onFirst) &&
           PointAtDistance(second, corner, vars.chamferb, cut.onSecond);
  }
  if (!PointAtDistance(first, corner, vars.chamferc, cut.onFirst)) return false;
  // The first edge's direction towards the corner, turned towards the side
  // where the second edge was picked.
  const FcPoint2d base = AwayFromCorner(first, Foot(first, first.pick), corner);
  double towards = AngleFromTo(base, corner);
  NormalizeAngle(towards);
  const double direction =
      Orientation3(base, second.pick, corner) == 1 ? towards + vars.chamferd : towards - vars.chamferd;
  const FcPoint2d& q = cut.onFirst;
  if (!IntersectLines(kInfiniteLines, q, PointAtPolar(q, 1000.0, direction), second.p1, second.p2, cut.onSecond) ||
      !CheckCornerPoint(second.kind, cut.onSecond, second.p1, second.p2, corner, Foot(second, second.pick))) {
    PrintMessage(kInvalidChamferAngle);
    return false;
  }
  return true;
}
