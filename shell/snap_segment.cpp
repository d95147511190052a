#include "shell/snap_segment.h"

#include <cmath>

#include "core/geometry_basics.h"
#include "core/intersections.h"
#include "core/point_ops.h"
#include "database/entity.h"
#include "entities/geom_segment_ops.h"

namespace {

bool IsFinite(const FcPoint2d& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// The best point so far: a new one wins only when strictly nearer, so on a
// tie the mode tried first keeps it.
class BestPoint {
 public:
  explicit BestPoint(const FcPoint2d& cursor) : cursor_(cursor) {}

  void Offer(int mode, const FcPoint2d& point) {
    if (!IsFinite(point)) return;
    const double distance = DistanceBetween(cursor_, point);
    if (best_.mode != 0 && !(distance < best_.distance)) return;
    best_ = {mode, point, distance};
  }

  const SnapCandidate& Result() const { return best_; }

 private:
  FcPoint2d cursor_;
  SnapCandidate best_;
};

// Whether the direction lies on the arc. The tolerance keeps an angle that
// rounding put a hair below the start (or above the end) on the arc
// instead of a whole turn away from it.
bool ArcHoldsAngle(const GeomSegment& arc, double angle) {
  NormalizeAngle(angle);
  RaiseAngleTo(angle, arc.startAngle - kTolerance);
  return angle <= arc.endAngle + kTolerance;
}

FcPoint2d ArcPointAt(const GeomSegment& arc, double angle) { return PointAtPolar(arc.centre, arc.radius, angle); }

// The point of the arc in the direction of the target seen from the centre,
// and the opposite point, each when it lies on the arc.
void OfferThroughCentre(BestPoint& best, int mode, const GeomSegment& arc, const FcPoint2d& target) {
  const double toward = AngleFromTo(arc.centre, target);
  for (const double angle : {toward, toward + kPi}) {
    if (ArcHoldsAngle(arc, angle)) best.Offer(mode, ArcPointAt(arc, angle));
  }
}

// The two tangent points from the base are where the circle over the base
// and the centre as diameter meets the arc; a base on or inside the circle
// has none.
void OfferTangents(BestPoint& best, const GeomSegment& arc, const FcPoint2d& base) {
  const FcPoint2d middle = MidPoint(base, arc.centre);
  const double halfDistance = DistanceBetween(middle, arc.centre);
  if (!(2.0 * halfDistance > arc.radius)) return;
  FcPoint2d points[2];
  const int count = IntersectArcs(arc.centre, points, middle, 2, arc.startAngle, arc.endAngle, arc.radius, 0.0,
                                  kTwoPi, halfDistance);
  for (int k = 0; k < count; ++k) best.Offer(kOsnapTangent, points[k]);
}

void SnapPoint(BestPoint& best, const GeomSegment& record, bool hasBase, int modes) {
  constexpr int kOrder[] = {kOsnapEndpoint,       kOsnapMidpoint, kOsnapCenter,
                            kOsnapTangent,        kOsnapPerpendicular, kOsnapQuadrant,
                            kOsnapNearest,        kOsnapNode,     kOsnapInsert};
  for (const int mode : kOrder) {
    if ((modes & mode) == 0) continue;
    if (!hasBase && (mode == kOsnapTangent || mode == kOsnapPerpendicular)) continue;
    best.Offer(mode, record.point);
  }
}

// The point of the line nearest to the cursor, kept on the segment or the
// ray that the record's extent makes of it.
FcPoint2d NearestOnLine(const GeomSegment& line, const FcPoint2d& cursor) {
  const FcPoint2d direction = line.second - line.first;
  const double squared = direction.x * direction.x + direction.y * direction.y;
  if (squared <= kTolerance * kTolerance) return line.first;
  double t = ((cursor.x - line.first.x) * direction.x + (cursor.y - line.first.y) * direction.y) / squared;
  if (line.extent != kLineExtentInfinite && t < 0.0) t = 0.0;
  if (line.extent == kLineExtentSegment && t > 1.0) t = 1.0;
  return line.first + t * direction;
}

void SnapLine(BestPoint& best, const GeomSegment& line, const FcPoint2d* base, const FcPoint2d& cursor, int modes) {
  if (modes & kOsnapEndpoint) {
    best.Offer(kOsnapEndpoint, line.first);
    best.Offer(kOsnapEndpoint, line.second);
  }
  if (modes & kOsnapMidpoint) best.Offer(kOsnapMidpoint, MidPoint(line.first, line.second));
  // A line without length has no direction to stand perpendicular to.
  if ((modes & kOsnapPerpendicular) && base != nullptr && IsDifferentPoint(line.first, line.second)) {
    FcPoint2d foot;
    if (FootOfPerpendicular(line.first, line.second, *base, foot)) best.Offer(kOsnapPerpendicular, foot);
  }
  if (modes & kOsnapNearest) best.Offer(kOsnapNearest, NearestOnLine(line, cursor));
}

// An arc record starts within the first turn and sweeps at most one turn
// counter-clockwise; anything else is bad data, and walking its angles a
// turn at a time could take practically forever.
bool IsWellFormedArc(const GeomSegment& arc) {
  if (!std::isfinite(arc.radius) || arc.radius < 0.0) return false;
  const double sweep = arc.endAngle - arc.startAngle;
  return arc.startAngle >= -kTolerance && arc.startAngle < kTwoPi + kTolerance && sweep >= -kTolerance &&
         sweep <= kTwoPi + kTolerance;
}

void SnapArc(BestPoint& best, const GeomSegment& arc, const FcPoint2d* base, const FcPoint2d& cursor, int modes) {
  if (!IsWellFormedArc(arc)) return;
  if (modes & kOsnapEndpoint) {
    best.Offer(kOsnapEndpoint, ArcPointAt(arc, arc.startAngle));
    best.Offer(kOsnapEndpoint, ArcPointAt(arc, arc.endAngle));
  }
  if (modes & kOsnapMidpoint) best.Offer(kOsnapMidpoint, ArcPointAt(arc, (arc.startAngle + arc.endAngle) / 2.0));
  if (modes & kOsnapCenter) best.Offer(kOsnapCenter, arc.centre);
  // Every direction of an arc without size leads to its centre, which is
  // no tangent, perpendicular, quadrant or nearest point of a curve.
  if (arc.radius <= kTolerance) return;
  if ((modes & kOsnapTangent) && base != nullptr) OfferTangents(best, arc, *base);
  if ((modes & kOsnapPerpendicular) && base != nullptr) OfferThroughCentre(best, kOsnapPerpendicular, arc, *base);
  if (modes & kOsnapQuadrant) {
    for (int k = 0; k < 4; ++k) {
      const double angle = k * kHalfPi;
      if (ArcHoldsAngle(arc, angle)) best.Offer(kOsnapQuadrant, ArcPointAt(arc, angle));
    }
  }
  if (modes & kOsnapNearest) OfferThroughCentre(best, kOsnapNearest, arc, cursor);
}

}  // namespace

SnapCandidate SnapSegment(const GeomSegment& segment, const FcPoint2d* basePoint, const FcPoint2d& cursor,
                          int mask) {
  const int modes = mask & segment.snapModes;
  BestPoint best(cursor);
  if (modes == 0) return best.Result();
  switch (segment.type) {
    case kGeomSegmentPoint:
      SnapPoint(best, segment, basePoint != nullptr, modes);
      break;
    case kGeomSegmentLine:
      SnapLine(best, segment, basePoint, cursor, modes);
      break;
    case kGeomSegmentArc:
      SnapArc(best, segment, basePoint, cursor, modes);
      break;
    case kGeomSegmentCurve: {
      if (segment.entity == nullptr) break;
      FcPoint2d point;
      int found = modes;
      segment.entity->GetTangentPoints(basePoint, cursor, segment.parameter, segment.matrix, point, found);
      if (found != 0) best.Offer(found, point);
      break;
    }
    default:
      break;
  }
  return best.Result();
}
