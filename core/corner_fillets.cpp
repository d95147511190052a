#include "core/corner_fillets.h"

#include <algorithm>
#include <cmath>

#include "core/geometry_basics.h"
#include "core/intersection_kinds.h"
#include "core/intersections.h"
#include "core/point_ops.h"

namespace {

double Dot(const FcPoint2d& a, const FcPoint2d& b) { return a.x * b.x + a.y * b.y; }

// The line p1-p2 moved by distance to the side on which side lies; a point
// on the line itself counts as the right-hand side.
void OffsetLineTowards(const FcPoint2d& p1, const FcPoint2d& p2, const FcPoint2d& side, double distance,
                       FcPoint2d& q1, FcPoint2d& q2) {
  double angle = AngleFromTo(p1, p2);
  NormalizeAngle(angle);
  const double normal = Orientation3(p1, side, p2) == 1 ? angle + kHalfPi : angle - kHalfPi;
  q1 = PointAtPolar(p1, distance, normal);
  q2 = PointAtPolar(p2, distance, normal);
}

FcPoint2d Foot(const FcPoint2d& p1, const FcPoint2d& p2, const FcPoint2d& p) {
  FcPoint2d foot = p;
  FootOfPerpendicular(p1, p2, p, foot);
  return foot;
}

// Raises angle by whole turns until it is above floor.
void RaiseAbove(double& angle, double floor) {
  if (!std::isfinite(angle) || !std::isfinite(floor)) return;
  while (angle <= floor) angle += kTwoPi;
}

// The point at distance from `from` towards `to`; `from` itself when the
// two coincide.
FcPoint2d PointTowards(const FcPoint2d& from, const FcPoint2d& to, double distance) {
  if (IsSamePoint(from, to)) return from;
  return PointAtPolar(from, distance, AngleFromTo(from, to));
}

}  // namespace

bool CheckCornerPoint(CornerEdgeKind kind, const FcPoint2d& t, const FcPoint2d& p1, const FcPoint2d& p2,
                      const FcPoint2d& corner, const FcPoint2d& pick) {
  if (kind == CornerEdgeKind::kInfinite) return true;
  if (kind == CornerEdgeKind::kRay) {
    const FcPoint2d direction = p2 - p1;
    if (Dot(direction, corner - p1) >= 0.0) return Dot(direction, t - p1) >= 0.0;
    return Dot(p1 - corner, t - corner) >= 0.0;
  }
  const FcPoint2d side = IsSamePoint(pick, corner) ? t - corner : pick - corner;
  const double along = Dot(t - corner, side);
  if (along < 0.0) return false;
  const double farthest = std::max(Dot(p1 - corner, side), Dot(p2 - corner, side));
  return farthest > 0.0 && farthest > along;
}

bool FilletLineLine(StraightCornerEdge& first, StraightCornerEdge& second, double radius, FcPoint2d& corner,
                    FilletArcPlace& arc) {
  if (!IntersectLines(kInfiniteLines, first.p1, first.p2, second.p1, second.p2, corner)) return false;
  FcPoint2d a1, a2, b1, b2;
  OffsetLineTowards(first.p1, first.p2, second.pick, radius, a1, a2);
  OffsetLineTowards(second.p1, second.p2, first.pick, radius, b1, b2);
  FcPoint2d centre;
  if (!IntersectLines(kInfiniteLines, a1, a2, b1, b2, centre)) return false;
  const FcPoint2d t1 = Foot(first.p1, first.p2, centre);
  const FcPoint2d t2 = Foot(second.p1, second.p2, centre);
  if (!CheckCornerPoint(first.kind, t1, first.p1, first.p2, corner, first.pick)) return false;
  if (!CheckCornerPoint(second.kind, t2, second.p1, second.p2, corner, second.pick)) return false;
  first.pick = t1;
  second.pick = t2;
  // Of the two arcs between the tangent points, the one that faces the
  // corner.
  double start = NormalAngleAbout(centre, t1);
  double end = NormalAngleAbout(centre, t2);
  double towardsCorner = NormalAngleAbout(centre, corner);
  RaiseAbove(end, start);
  RaiseAbove(towardsCorner, start);
  if (towardsCorner > end) std::swap(start, end);
  arc = {centre, start, end};
  return true;
}

bool FilletLineArc(StraightCornerEdge& line, CircularCornerEdge& circle, double radius, FilletArcPlace& arc,
                   bool& startsAtLine) {
  if (IsSamePoint(line.p1, line.p2)) return false;
  const FcPoint2d& k = circle.centre;
  // A point on the perpendicular from the centre to the line: the halves of
  // the line on either side of it are told apart by it.
  FcPoint2d across;
  FcPoint2d crossings[2];
  if (IntersectLineArc(line.p1, line.p2, k, kLineWithCircle, 0.0, kTwoPi, circle.radius, crossings) == 1) {
    across = crossings[0];
  } else {
    across = Foot(line.p1, line.p2, k);
    if (IsSamePoint(across, k)) across = PointAtPolar(k, 1000.0, AngleFromTo(line.p1, line.p2) + kHalfPi);
  }
  double locus = circle.radius + radius;
  if (DistanceBetween(line.pick, k) < circle.radius) {
    locus = circle.radius - radius;
    if (locus <= kTolerance) return false;
  }
  FcPoint2d q1, q2;
  OffsetLineTowards(line.p1, line.p2, circle.pick, radius, q1, q2);
  FcPoint2d candidates[2];
  const int count = IntersectLineArc(q1, q2, k, kLineWithCircle, 0.0, kTwoPi, locus, candidates);
  if (count == 0) return false;
  FcPoint2d centre = candidates[0];
  if (count == 2 && Orientation3(k, Foot(line.p1, line.p2, candidates[0]), across) != Orientation3(k, line.pick, across)) {
    centre = candidates[1];
  }
  const FcPoint2d onLine = Foot(line.p1, line.p2, centre);
  FcPoint2d onCircle[2];
  if (IntersectLineArc(k, centre, k, kRayWithCircle, 0.0, kTwoPi, circle.radius, onCircle) == 0) return false;
  line.pick = onLine;
  circle.pick = onCircle[0];
  startsAtLine = Orientation3(centre, onLine, onCircle[0]) != 1;
  const FcPoint2d& from = startsAtLine ? onLine : onCircle[0];
  const FcPoint2d& to = startsAtLine ? onCircle[0] : onLine;
  arc = {centre, NormalAngleAbout(centre, from), NormalAngleAbout(centre, to)};
  return true;
}

bool FilletArcArc(CircularCornerEdge& first, CircularCornerEdge& second, double radius, FilletArcPlace& arc,
                  bool& firstToSecond) {
  const FcPoint2d& k1 = first.centre;
  const FcPoint2d& k2 = second.centre;
  FcPoint2d candidates[2];
  const int count = IntersectArcs(k1, candidates, k2, kTwoCircles, 0.0, 0.0, first.radius + radius, 0.0, 0.0,
                                  second.radius + radius);
  if (count == 0) return false;
  FcPoint2d centre = candidates[0];
  if (count == 2 && Orientation3(k1, candidates[0], k2) != Orientation3(k1, first.pick, k2)) centre = candidates[1];
  firstToSecond = Orientation3(centre, k2, k1) == 1;
  const FcPoint2d& from = firstToSecond ? k1 : k2;
  const FcPoint2d& to = firstToSecond ? k2 : k1;
  arc = {centre, NormalAngleAbout(centre, from), NormalAngleAbout(centre, to)};
  first.pick = PointTowards(centre, k1, radius);
  second.pick = PointTowards(centre, k2, radius);
  return true;
}
