#include <cmath>
#include <vector>

#include "core/bulge_arc.h"
#include "core/geometry_basics.h"
#include "core/intersection_kinds.h"
#include "core/intersections.h"
#include "core/partial_arc_bulge.h"
#include "core/point_ops.h"
#include "entities/polyline.h"
#include "entities/polyline_offset_parts.h"

namespace {

struct OffsetCrossing {
  int segment = -1;
  FcPoint2d point;
};

void MoveTo(PolylineVertex& v, const FcPoint2d& p) {
  v.x = p.x;
  v.y = p.y;
}

int LastIndex(const FcPolyline& result) { return result.GetVertexCount() - 1; }

PolylineVertex& VertexAt(FcPolyline& result, int index) { return *result.GetVertex(index); }

// The crossings of the piece with the result segment from vertex a to b,
// and the sweep along the arc that decides between two of them: the
// piece's arc from its start, or else the segment's arc from a.
int PieceMeetsSegment(const OffsetPiece& piece, const PolylineVertex& a, const PolylineVertex& b,
                      FcPoint2d (&points)[2], double (&along)[2]) {
  const FcPoint2d s = VertexPoint(piece.start);
  const FcPoint2d e = VertexPoint(piece.end);
  BulgeArc newArc;
  BulgeArc oldArc;
  const bool newIsArc = BulgeArcOf(s, piece.start.bulge, e, newArc);
  const bool oldIsArc = BulgeArcOf(VertexPoint(a), a.bulge, VertexPoint(b), oldArc);
  int found = 0;
  if (!newIsArc && !oldIsArc) {
    found = IntersectLines(kBothSegments, s, e, VertexPoint(a), VertexPoint(b), points[0]) ? 1 : 0;
  } else if (!newIsArc) {
    found = IntersectLineArc(s, e, oldArc.centre, kSegmentWithArc, oldArc.startAngle, oldArc.endAngle, oldArc.radius,
                             points);
  } else if (!oldIsArc) {
    found = IntersectLineArc(VertexPoint(a), VertexPoint(b), newArc.centre, kSegmentWithArc, newArc.startAngle,
                             newArc.endAngle, newArc.radius, points);
  } else {
    found = IntersectArcs(newArc.centre, points, oldArc.centre, kArcWithArc, newArc.startAngle, newArc.endAngle,
                          newArc.radius, oldArc.startAngle, oldArc.endAngle, oldArc.radius);
  }
  for (int i = 0; i < found; ++i) {
    along[i] = newIsArc ? SweepAlongBulge(newArc.centre, piece.start.bulge, s, points[i])
                        : (oldIsArc ? SweepAlongBulge(oldArc.centre, a.bulge, VertexPoint(a), points[i]) : 0.0);
  }
  return found;
}

// The first result segment, from index `from` on, that the piece meets;
// of two points the one farther along the arc. A meeting at the result's
// first vertex does not count on its first segment.
bool FindOffsetCrossing(const OffsetPiece& piece, FcPolyline& result, int from, OffsetCrossing& crossing) {
  const std::vector<PolylineVertex>& vertices = result.GetVertices();
  const FcPoint2d first = VertexPoint(vertices.front());
  const SegmentBounds pieceBounds =
      LooseSegmentBounds(VertexPoint(piece.start), piece.start.bulge, VertexPoint(piece.end));
  for (std::size_t k = static_cast<std::size_t>(from); k + 1 < vertices.size(); ++k) {
    const PolylineVertex& a = vertices[k];
    const PolylineVertex& b = vertices[k + 1];
    // The search runs over the whole chain for every piece: most segments
    // are far away and ruled out by their boxes alone.
    if (!BoundsOverlap(pieceBounds, LooseSegmentBounds(VertexPoint(a), a.bulge, VertexPoint(b)))) continue;
    FcPoint2d points[2];
    double along[2] = {0.0, 0.0};
    int found = PieceMeetsSegment(piece, a, b, points, along);
    if (k == 0) {
      int kept = 0;
      for (int i = 0; i < found; ++i) {
        if (IsSamePoint(points[i], first)) continue;
        points[kept] = points[i];
        along[kept++] = along[i];
      }
      found = kept;
    }
    if (found == 0) continue;
    crossing.segment = static_cast<int>(k);
    crossing.point = found == 2 && along[1] > along[0] ? points[1] : points[0];
    return true;
  }
  return false;
}

// The bulge of the arc about centre from `from` to `to` whose radius is the
// distance from the centre to `radiusEnd`, turning the way the offset side
// makes a convex corner turn.
double CornerBulge(const FcPoint2d& centre, const FcPoint2d& from, const FcPoint2d& to, const FcPoint2d& radiusEnd,
                   int side) {
  const double h = PointLineDistance(centre, from, to);
  const double bulge = 2.0 * (DistanceBetween(centre, radiusEnd) - h) / DistanceBetween(from, to);
  return side == 1 ? -bulge : bulge;
}

// Drops the result's vertices after index k + 1, ends segment k at the
// crossing and starts the piece there.
void TrimAtCrossing(const OffsetCrossing& crossing, OffsetPiece& piece, FcPolyline& result) {
  const int k = crossing.segment;
  while (LastIndex(result) > k + 1) result.RemoveVertex(LastIndex(result));
  PolylineVertex& a = VertexAt(result, k);
  PolylineVertex& b = VertexAt(result, k + 1);
  if (a.bulge != 0.0) SetPartialArcBulge(a, VertexPoint(b), crossing.point, ArcPart::kVertexToCut);
  MoveTo(b, crossing.point);
  if (piece.start.bulge != 0.0) {
    SetPartialArcBulge(piece.start, VertexPoint(piece.end), crossing.point, ArcPart::kCutToNext);
  }
  b.bulge = piece.start.bulge;
}

// Where the infinite lines of two straight segments meet; false when they
// are parallel.
bool LinesMeet(const FcPoint2d& a1, const FcPoint2d& a2, const FcPoint2d& b1, const FcPoint2d& b2, FcPoint2d& out) {
  return IntersectLines(kInfiniteLines, a1, a2, b1, b2, out);
}

// With gap type 0, a straight piece after a straight last segment: the
// segment's line is extended to meet the piece's. When they meet, the last
// vertex moves there and the answer is true with the point in `meeting`.
bool ExtendLastToMeet(const OffsetPiece& piece, OffsetGapType gapType, FcPolyline& result, bool& bothStraight,
                      FcPoint2d& meeting) {
  const int last = LastIndex(result);
  const PolylineVertex& before = VertexAt(result, last - 1);
  bothStraight = gapType == kGapExtend && before.bulge == 0.0 && piece.start.bulge == 0.0;
  if (!bothStraight) return false;
  PolylineVertex& l = VertexAt(result, last);
  if (!LinesMeet(VertexPoint(before), VertexPoint(l), VertexPoint(piece.start), VertexPoint(piece.end), meeting)) {
    return false;
  }
  MoveTo(l, meeting);
  return true;
}

}  // namespace

void JoinOffsetSegment(const FcPoint2d& sourceVertex, OffsetPiece piece, int side, OffsetGapType gapType,
                       FcPolyline& result) {
  if (result.GetVertexCount() == 0) {
    result.AppendVertexCopy(piece.start);
    result.AppendVertexCopy(piece.end);
    return;
  }
  OffsetCrossing crossing;
  if (FindOffsetCrossing(piece, result, 0, crossing)) {
    TrimAtCrossing(crossing, piece, result);
    result.AppendVertexCopy(piece.end);
    return;
  }
  bool bothStraight = false;
  FcPoint2d meeting;
  if (ExtendLastToMeet(piece, gapType, result, bothStraight, meeting)) {
    result.AppendVertexCopy(piece.end);
    return;
  }
  PolylineVertex& l = VertexAt(result, LastIndex(result));
  const FcPoint2d s = VertexPoint(piece.start);
  if (!bothStraight && gapType != kGapStraight && IsDifferentPoint(VertexPoint(l), s)) {
    l.bulge = CornerBulge(sourceVertex, VertexPoint(l), s, VertexPoint(l), side);
  }
  result.AppendVertexCopy(piece.start);
  result.AppendVertexCopy(piece.end);
}

namespace {

// The closing piece against the last result vertex L: extended to meet,
// rounded about the last source vertex, or joined straight.
void JoinClosingEnd(OffsetPiece& piece, const FcPoint2d& lastSource, int side, OffsetGapType gapType,
                    bool trimmedFirst, FcPolyline& result) {
  bool bothStraight = false;
  FcPoint2d meeting;
  if (ExtendLastToMeet(piece, gapType, result, bothStraight, meeting)) {
    MoveTo(piece.start, meeting);
    return;
  }
  if (bothStraight) {
    result.AppendVertexCopy(piece.start);
    return;
  }
  PolylineVertex& l = VertexAt(result, LastIndex(result));
  const FcPoint2d s = VertexPoint(piece.start);
  // After the first segment was cut, any gap at all is closed.
  const double limit = gapType == kGapExtend && !trimmedFirst ? kTolerance : 0.0;
  if (gapType == kGapExtend ? DistanceBetween(VertexPoint(l), s) > limit : IsDifferentPoint(VertexPoint(l), s)) {
    if (gapType != kGapStraight) l.bulge = CornerBulge(lastSource, VertexPoint(l), s, s, side);
    result.AppendVertexCopy(piece.start);
    return;
  }
  // The last vertex stands in for the piece's start and carries its arc.
  l.bulge = piece.start.bulge;
}

// The closing piece against the first result vertex F.
void JoinClosingStart(OffsetPiece& piece, const FcPoint2d& firstSource, int side, OffsetGapType gapType,
                      FcPolyline& result) {
  PolylineVertex& f = VertexAt(result, 0);
  const FcPoint2d e = VertexPoint(piece.end);
  if (gapType == kGapExtend && piece.start.bulge == 0.0 && f.bulge == 0.0) {
    FcPoint2d x;
    if (LinesMeet(VertexPoint(piece.start), e, VertexPoint(f), VertexPoint(VertexAt(result, 1)), x)) MoveTo(f, x);
    return;
  }
  if (gapType == kGapExtend ? DistanceBetween(e, VertexPoint(f)) <= kTolerance : IsSamePoint(e, VertexPoint(f))) return;
  if (gapType != kGapStraight) piece.end.bulge = CornerBulge(firstSource, e, VertexPoint(f), VertexPoint(f), side);
  result.AppendVertexCopy(piece.end);
}

}  // namespace

void CloseOffsetPolyline(OffsetPiece piece, const FcPoint2d& lastSource, const FcPoint2d& firstSource, int side,
                         OffsetGapType gapType, FcPolyline& result) {
  // Whatever the gap type, the closing piece may cut into the first
  // segment and the last one, which cuts off what lies beyond both.
  bool trimmedFirst = false;
  OffsetCrossing crossing;
  if (FindOffsetCrossing(piece, result, 0, crossing) && crossing.segment == 0) {
    PolylineVertex& first = VertexAt(result, 0);
    if (first.bulge != 0.0) {
      SetPartialArcBulge(first, VertexPoint(VertexAt(result, 1)), crossing.point, ArcPart::kCutToNext);
    }
    MoveTo(first, crossing.point);
    if (piece.start.bulge != 0.0) {
      SetPartialArcBulge(piece.start, VertexPoint(piece.end), crossing.point, ArcPart::kVertexToCut);
    }
    MoveTo(piece.end, crossing.point);
    trimmedFirst = true;
    if (FindOffsetCrossing(piece, result, 1, crossing) && crossing.segment == LastIndex(result) - 1) {
      TrimAtCrossing(crossing, piece, result);
      return;
    }
  }
  JoinClosingEnd(piece, lastSource, side, gapType, trimmedFirst, result);
  if (!trimmedFirst) JoinClosingStart(piece, firstSource, side, gapType, result);
}
