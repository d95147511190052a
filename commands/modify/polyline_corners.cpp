#include "commands/modify/polyline_corners.h"

#include <algorithm>
#include <cstdlib>

#include "core/geometry_basics.h"
#include "core/intersection_kinds.h"
#include "core/intersections.h"
#include "core/point_ops.h"
#include "entities/polyline.h"

namespace {

// A copy of the vertex at the point, with the bulge and a handle of its own.
PolylineVertex MovedCopy(const FcPolyline& polyline, int index, const FcPoint2d& to, double bulge) {
  PolylineVertex copy = *polyline.GetVertex(index);
  copy.x = to.x;
  copy.y = to.y;
  copy.bulge = bulge;
  copy.handle = 0;
  return copy;
}

}  // namespace

void MoveVertex(FcPolyline& polyline, int index, const FcPoint2d& to) {
  if (PolylineVertex* v = polyline.GetVertex(index)) {
    v->x = to.x;
    v->y = to.y;
  }
}

int PolylineSegmentCount(const FcPolyline& polyline) {
  const int n = polyline.GetVertexCount();
  if (n < 2) return 0;
  return polyline.IsClosed() ? n : n - 1;
}

FcPoint2d PolylineVertexPoint(const FcPolyline& polyline, int index) {
  const PolylineVertex* v = polyline.GetVertex(index);
  return v != nullptr ? FcPoint2d{v->x, v->y} : FcPoint2d{};
}

FcPoint2d SegmentStartPoint(const FcPolyline& polyline, int segment) { return PolylineVertexPoint(polyline, segment); }

FcPoint2d SegmentEndPoint(const FcPolyline& polyline, int segment) {
  const int n = polyline.GetVertexCount();
  return PolylineVertexPoint(polyline, n > 0 ? (segment + 1) % n : 0);
}

bool IsArcSegment(const FcPolyline& polyline, int segment) {
  const PolylineVertex* v = polyline.GetVertex(segment);
  return v != nullptr && v->bulge != 0.0;
}

int NearestSegment(const FcPolyline& polyline, const FcPoint2d& p) {
  int nearest = 0;
  double nearestDistance = 0.0;
  for (int i = 0; i < PolylineSegmentCount(polyline); ++i) {
    const FcPoint2d a = SegmentStartPoint(polyline, i);
    const FcPoint2d b = SegmentEndPoint(polyline, i);
    const FcPoint2d ab = b - a;
    const double squared = ab.x * ab.x + ab.y * ab.y;
    const double along = squared > 0.0 ? std::clamp(((p.x - a.x) * ab.x + (p.y - a.y) * ab.y) / squared, 0.0, 1.0) : 0.0;
    const double distance = DistanceBetween(p, a + along * ab);
    if (i == 0 || distance < nearestDistance) {
      nearest = i;
      nearestDistance = distance;
    }
  }
  return nearest;
}

bool OrderSegmentPair(const FcPolyline& polyline, int i, int j, SegmentPair& pair) {
  const int n = polyline.GetVertexCount();
  const bool closed = polyline.IsClosed();
  if (i > j) std::swap(i, j);
  if (i == j) return false;
  using enum SegmentPair::Kind;
  // On a closed polyline the closing segment and segment 0 always meet,
  // also where only one segment lies between them the other way round.
  if (closed && i == 0 && j == n - 1) {
    pair = {j, i, kAcrossClosure};
    return true;
  }
  if (j - i == 1) {
    pair = {i, j, kConsecutive};
    return true;
  }
  if (j - i == 2) {
    pair = {i, j, kSeparated};
    return true;
  }
  if (closed && ((j == n - 1 && i == 1) || (j == n - 2 && i == 0))) {
    pair = {j, i, kSeparated};
    return true;
  }
  return false;
}

void CutPolylineCorner(FcPolyline& polyline, const SegmentPair& pair, const FcPoint2d& p1, const FcPoint2d& p2,
                       double bulge, bool copyLast) {
  const int n = polyline.GetVertexCount();
  const bool samePoint = IsSamePoint(p1, p2);
  switch (pair.kind) {
    case SegmentPair::Kind::kConsecutive: {
      const int shared = pair.second;
      MoveVertex(polyline, shared, p1);
      polyline.SetVertexBulge(shared, samePoint ? 0.0 : bulge);
      if (!samePoint) polyline.InsertVertexCopy(MovedCopy(polyline, shared, p2, 0.0), shared);
      break;
    }
    case SegmentPair::Kind::kAcrossClosure: {
      MoveVertex(polyline, 0, p2);
      if (!samePoint) polyline.AppendVertexCopy(MovedCopy(polyline, copyLast ? n - 1 : 0, p1, bulge));
      break;
    }
    case SegmentPair::Kind::kSeparated: {
      const int end = (pair.first + 1) % n;
      MoveVertex(polyline, end, p1);
      polyline.SetVertexBulge(end, samePoint ? 0.0 : bulge);
      MoveVertex(polyline, pair.second, p2);
      break;
    }
  }
  // A fitted polyline's curve follows its new frame.
  polyline.Refit();
}

bool PolylineEndEdge(const FcPolyline& polyline, int segment, const FcPoint2d& pick, const StraightCornerEdge& other,
                     StraightCornerEdge& edge, int& endVertex) {
  const int n = polyline.GetVertexCount();
  if (n < 2 || polyline.IsClosed() || polyline.IsFitted() || IsArcSegment(polyline, segment)) return false;
  if (segment != 0 && segment != n - 2) return false;
  endVertex = segment == 0 ? 0 : n - 1;
  int innerVertex = segment == 0 ? 1 : n - 2;
  FcPoint2d meeting;
  const FcPoint2d first = PolylineVertexPoint(polyline, 0);
  const FcPoint2d last = PolylineVertexPoint(polyline, n - 1);
  if (n == 2 && IntersectLines(kInfiniteLines, first, last, other.p1, other.p2, meeting) &&
      DistanceBetween(last, meeting) < DistanceBetween(first, meeting)) {
    std::swap(endVertex, innerVertex);
  }
  edge = {PolylineVertexPoint(polyline, innerVertex), PolylineVertexPoint(polyline, endVertex),
          CornerEdgeKind::kSegment, pick};
  return true;
}

bool LiesBehindStart(const StraightCornerEdge& edge, const FcPoint2d& t) {
  return (edge.p2.x - edge.p1.x) * (t.x - edge.p1.x) + (edge.p2.y - edge.p1.y) * (t.y - edge.p1.y) < 0.0;
}
