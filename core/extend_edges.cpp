#include "core/extend_edges.h"

#include <cmath>

#include "core/geometry_basics.h"
#include "core/intersections.h"
#include "core/point_ops.h"

namespace {

// Kinds of the core intersection routines used here.
constexpr short kLinesInfinite = 0;
constexpr short kFirstLineInfiniteSecondSegment = 1;
constexpr short kLineWithArc = 2;
constexpr short kRayWithCircle = 4;
constexpr short kSegmentWithCircle = 5;
constexpr short kLineWithCircle = 0;
constexpr short kCirclesOnly = 0;
constexpr short kFirstArcWithCircle = 2;

double Dot(const FcPoint2d& a, const FcPoint2d& b) { return a.x * b.x + a.y * b.y; }
FcPoint2d Minus(const FcPoint2d& a, const FcPoint2d& b) { return {a.x - b.x, a.y - b.y}; }

// The first of the whole circle's crossings with an edge that the moving
// arc end meets when it travels on (steps shared by both edge kinds).
template <typename Accepts>
int FirstCrossingAhead(const FcPoint2d& centre, const FcPoint2d (&crossings)[2], int count, double fixedAngle,
                       double movingAngle, bool counterClockwise, Accepts accepts, FcPoint2d& out) {
  const auto ahead = [&](double a) { return counterClockwise ? a > movingAngle : a < movingAngle; };
  if (count == 1) {
    double a = NormalAngleAbout(centre, crossings[0]);
    if (counterClockwise) {
      while (a < fixedAngle) a += kTwoPi;
    } else {
      while (a > fixedAngle) a -= kTwoPi;
    }
    if (!ahead(a) || !accepts(crossings[0])) return 0;
    out = crossings[0];
    return 1;
  }
  if (count != 2) return 0;
  int found = -1;
  double best = 0.0;
  for (int i = 0; i < 2; ++i) {
    double a = NormalAngleAbout(centre, crossings[i]);
    if (counterClockwise) {
      while (a <= fixedAngle + kTolerance) a += kTwoPi;
    } else {
      while (a >= fixedAngle - kTolerance) a -= kTwoPi;
    }
    if (!ahead(a) || !accepts(crossings[i])) continue;
    const bool better = counterClockwise ? a < best : a > best;
    if (found < 0 || better) {
      found = i;
      best = a;
    }
  }
  if (found < 0) return 0;
  out = crossings[found];
  return 1;
}

// Moves the points the edge accepts to the front, keeping their order.
template <typename Accepts>
int KeepAccepted(FcPoint2d (&points)[2], int count, Accepts accepts) {
  int kept = 0;
  for (int i = 0; i < count; ++i) {
    if (accepts(points[i])) points[kept++] = points[i];
  }
  return kept;
}

bool StrictlyBeyond(const FcPoint2d& x, const FcPoint2d& far, const FcPoint2d& moving) {
  return Dot(Minus(x, moving), Minus(far, moving)) < 0.0;
}

short CircleKindFor(ExtendLineKind kind) {
  if (kind == kExtendSegment) return kSegmentWithCircle;
  if (kind == kExtendRay) return kRayWithCircle;
  return kLineWithCircle;
}

}  // namespace

void OrderTravelAngles(double& fixedAngle, double& movingAngle, bool counterClockwise) {
  NormalizeAngle(fixedAngle);
  NormalizeAngle(movingAngle);
  if (counterClockwise) {
    while (movingAngle <= fixedAngle) movingAngle += kTwoPi;
  } else {
    while (movingAngle >= fixedAngle) movingAngle -= kTwoPi;
  }
}

bool FcExtendLineEdge::Accepts(const FcPoint2d& point, bool extendEdges) const {
  const bool onP2Side = Dot(Minus(point, p1), Minus(p2, p1)) >= 0.0;
  if (lineKind == kExtendSegment) {
    if (IsBetween(p1, p2, point)) return true;
    if (!extendEdges) return false;
    if (extendMode == kExtendBothWays) return true;
    return extendMode == kExtendBeyondSecond && onP2Side;
  }
  if (lineKind == kExtendRay) return onP2Side || (extendEdges && extendMode == kExtendBothWays);
  return true;
}

int FcExtendLineEdge::FindArcExtensionHit(const FcPoint2d& centre, double radius, double fixedAngle,
                                          double movingAngle, bool counterClockwise, bool extendEdges,
                                          FcPoint2d& out) const {
  OrderTravelAngles(fixedAngle, movingAngle, counterClockwise);
  FcPoint2d crossings[2];
  const int count = IntersectLineArc(p1, p2, centre, kLineWithCircle, 0.0, 0.0, radius, crossings);
  return FirstCrossingAhead(centre, crossings, count, fixedAngle, movingAngle, counterClockwise,
                            [&](const FcPoint2d& p) { return Accepts(p, extendEdges); }, out);
}

int FcExtendLineEdge::FindLineExtensionHit(const FcPoint2d& far, const FcPoint2d& moving, bool extendEdges,
                                           FcPoint2d& out) const {
  FcPoint2d x;
  if (!IntersectLines(kLinesInfinite, far, moving, p1, p2, x)) return 0;
  if (!StrictlyBeyond(x, far, moving) || !Accepts(x, extendEdges)) return 0;
  out = x;
  return 1;
}

int FcExtendLineEdge::CrossArc(const FcPoint2d& centre, double radius, double start, double end, bool extendEdges,
                               FcPoint2d (&out)[2]) const {
  NormalizeAngle(start);
  NormalizeAngle(end);
  while (end <= start) end += kTwoPi;
  const int count = IntersectLineArc(p1, p2, centre, kLineWithArc, start, end, radius, out);
  return KeepAccepted(out, count, [&](const FcPoint2d& p) { return Accepts(p, extendEdges); });
}

int FcExtendLineEdge::CrossLine(const FcPoint2d& a, const FcPoint2d& b, ExtendLineKind kind, bool extendEdges,
                                FcPoint2d (&out)[2]) const {
  FcPoint2d x;
  if (kind == kExtendSegment) {
    if (!IntersectLines(kFirstLineInfiniteSecondSegment, p1, p2, a, b, x)) return 0;
  } else {
    if (!IntersectLines(kLinesInfinite, p1, p2, a, b, x)) return 0;
    if (kind == kExtendRay && Dot(Minus(x, a), Minus(b, a)) < 0.0) return 0;
  }
  if (!Accepts(x, extendEdges)) return 0;
  out[0] = x;
  return 1;
}

FcExtendArcEdge::FcExtendArcEdge(const FcPoint2d& centre, double radius, double startAngle, double endAngle,
                                 bool fullCircle)
    : centre(centre), radius(radius), isFullCircle(fullCircle ? 1 : 0) {
  if (fullCircle) {
    this->startAngle = 0.0;
    this->endAngle = kTwoPi;
    return;
  }
  NormalizeAngle(startAngle);
  NormalizeAngle(endAngle);
  while (endAngle <= startAngle) endAngle += kTwoPi;
  this->startAngle = startAngle;
  this->endAngle = endAngle;
}

bool FcExtendArcEdge::Accepts(const FcPoint2d& point, bool extendEdges) const {
  if (isFullCircle != 0) return true;
  double a = NormalAngleAbout(centre, point);
  while (a < startAngle - kTolerance) a += kTwoPi;
  if (a <= endAngle + kTolerance) return true;
  return extendEdges && canExtend != 0;
}

int FcExtendArcEdge::FindArcExtensionHit(const FcPoint2d& arcCentre, double arcRadius, double fixedAngle,
                                         double movingAngle, bool counterClockwise, bool extendEdges,
                                         FcPoint2d& out) const {
  OrderTravelAngles(fixedAngle, movingAngle, counterClockwise);
  if (IsSamePoint(centre, arcCentre)) return 0;
  FcPoint2d crossings[2];
  const int count =
      IntersectArcs(arcCentre, crossings, centre, kCirclesOnly, 0.0, 0.0, arcRadius, 0.0, 0.0, radius);
  return FirstCrossingAhead(arcCentre, crossings, count, fixedAngle, movingAngle, counterClockwise,
                            [&](const FcPoint2d& p) { return Accepts(p, extendEdges); }, out);
}

int FcExtendArcEdge::FindLineExtensionHit(const FcPoint2d& far, const FcPoint2d& moving, bool extendEdges,
                                          FcPoint2d& out) const {
  FcPoint2d crossings[2];
  const int count = IntersectLineArc(far, moving, centre, kLineWithCircle, 0.0, 0.0, radius, crossings);
  int found = -1;
  double nearest = 0.0;
  for (int i = 0; i < count; ++i) {
    if (!StrictlyBeyond(crossings[i], far, moving) || !Accepts(crossings[i], extendEdges)) continue;
    const double distance = DistanceBetween(crossings[i], moving);
    if (found < 0 || distance < nearest) {
      found = i;
      nearest = distance;
    }
  }
  if (found < 0) return 0;
  out = crossings[found];
  return 1;
}

int FcExtendArcEdge::CrossArc(const FcPoint2d& arcCentre, double arcRadius, double start, double end,
                              bool extendEdges, FcPoint2d (&out)[2]) const {
  NormalizeAngle(start);
  NormalizeAngle(end);
  while (end <= start) end += kTwoPi;
  if (IsSamePoint(centre, arcCentre)) return 0;
  const int count =
      IntersectArcs(arcCentre, out, centre, kFirstArcWithCircle, start, end, arcRadius, 0.0, kTwoPi, radius);
  return KeepAccepted(out, count, [&](const FcPoint2d& p) { return Accepts(p, extendEdges); });
}

int FcExtendArcEdge::CrossLine(const FcPoint2d& a, const FcPoint2d& b, ExtendLineKind kind, bool extendEdges,
                               FcPoint2d (&out)[2]) const {
  const int count = IntersectLineArc(a, b, centre, CircleKindFor(kind), 0.0, 0.0, radius, out);
  return KeepAccepted(out, count, [&](const FcPoint2d& p) { return Accepts(p, extendEdges); });
}
