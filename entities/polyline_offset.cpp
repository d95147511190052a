#include "entities/polyline_offset.h"

#include <cmath>
#include <memory>
#include <vector>

#include "core/arcs.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "entities/polyline.h"
#include "entities/polyline_offset_parts.h"

namespace {

PolylineVertex CarryWidths(const PolylineVertex& source) {
  PolylineVertex v;
  v.startWidth = source.startWidth;
  v.endWidth = source.endWidth;
  return v;
}

void MoveTo(PolylineVertex& v, const FcPoint2d& p) {
  v.x = p.x;
  v.y = p.y;
}

void OffsetStraight(const FcPoint2d& a, const FcPoint2d& b, int side, double distance, OffsetPiece& piece) {
  const double direction = AngleFromTo(a, b) + (side == 1 ? kHalfPi : -kHalfPi);
  MoveTo(piece.start, PointAtPolar(a, distance, direction));
  MoveTo(piece.end, PointAtPolar(b, distance, direction));
}

// A vertex at the point of the one before it starts a segment of no length,
// which has no direction to be offset along: the earlier of the two goes,
// and the later keeps the bulge and widths of the segment that follows. In
// a closed polyline the last vertex goes when it repeats the first.
std::vector<PolylineVertex> WithoutRepeatedPoints(const FcPolyline& source) {
  std::vector<PolylineVertex> kept;
  for (const PolylineVertex& v : source.GetVertices()) {
    if (!kept.empty() && IsSamePoint(VertexPoint(kept.back()), VertexPoint(v))) kept.pop_back();
    kept.push_back(v);
  }
  if (source.IsClosed() && kept.size() > 1 && IsSamePoint(VertexPoint(kept.back()), VertexPoint(kept.front()))) {
    kept.pop_back();
  }
  return kept;
}

}  // namespace

bool OffsetSegment(const PolylineVertex& vertex, const PolylineVertex& next, int side, double distance,
                   OffsetPiece& piece) {
  piece.start = CarryWidths(vertex);
  piece.end = CarryWidths(next);
  const FcPoint2d a = VertexPoint(vertex);
  const FcPoint2d b = VertexPoint(next);
  FcPoint2d centre;
  double radius = 0.0;
  if (vertex.bulge == 0.0 || ArcFromChordBulge(a, vertex.bulge, b, centre, nullptr, &radius) == 0) {
    OffsetStraight(a, b, side, distance, piece);
    return vertex.bulge == 0.0 || IsDifferentPoint(VertexPoint(piece.start), VertexPoint(piece.end));
  }
  // Towards the centre: the left of a counter-clockwise arc, the right of a
  // clockwise one.
  const bool inner = (side == 1) == (vertex.bulge > 0.0);
  const double newRadius = inner ? radius - distance : radius + distance;
  if (newRadius <= 0.0) return false;
  const FcPoint2d s = PointAtPolar(centre, newRadius, AngleFromTo(centre, a));
  const FcPoint2d e = PointAtPolar(centre, newRadius, AngleFromTo(centre, b));
  const double chord = DistanceBetween(s, e);
  if (chord < kTolerance) return false;
  const double h = PointLineDistance(centre, s, e);
  const double sagitta = std::fabs(vertex.bulge) <= 1.0 ? newRadius - h : newRadius + h;
  MoveTo(piece.start, s);
  MoveTo(piece.end, e);
  piece.start.bulge = std::copysign(2.0 * sagitta / chord, vertex.bulge);
  return true;
}

FcPolyline* MakeOffsetPolyline(const FcPolyline& source, const FcPoint2d& point, double distance,
                               OffsetGapType gapType) {
  if ((source.GetFlags() & ~kPolylineClosed) != 0) return nullptr;
  OffsetSideChoice choice;
  if (!ChooseOffsetSide(source, point, choice)) return nullptr;
  if (distance < 0.0) distance = choice.carrierDistance;
  if (!(distance > 0.0)) return nullptr;
  std::unique_ptr<FcEntity> clone(source.Clone());
  auto* result = dynamic_cast<FcPolyline*>(clone.get());
  if (result == nullptr) return nullptr;
  result->Reset();
  const std::vector<PolylineVertex> v = WithoutRepeatedPoints(source);
  const std::size_t n = v.size();
  OffsetPiece piece;
  for (std::size_t i = 0; i + 1 < n; ++i) {
    if (OffsetSegment(v[i], v[i + 1], choice.side, distance, piece)) {
      JoinOffsetSegment(VertexPoint(v[i]), piece, choice.side, gapType, *result);
    }
  }
  if (result->GetVertexCount() < 2) return nullptr;
  if (source.IsClosed()) {
    if (OffsetSegment(v[n - 1], v[0], choice.side, distance, piece)) {
      CloseOffsetPolyline(piece, VertexPoint(v[n - 1]), VertexPoint(v[0]), choice.side, gapType, *result);
    } else {
      result->SetClosed(false);
    }
  }
  clone.release();
  return result;
}
