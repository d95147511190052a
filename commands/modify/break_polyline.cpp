#include <memory>

#include "commands/command_support.h"
#include "commands/modify/break_operations.h"
#include "commands/modify/entity_pieces.h"
#include "commands/modify/polyline_cuts.h"
#include "core/arcs.h"
#include "core/data_array.h"
#include "core/geometry_basics.h"
#include "core/intersections.h"
#include "core/point_ops.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "entities/polyline.h"
#include "entities/polyline_crossing.h"

namespace {

constexpr short kRayWithArc = 3;

// A point on the polyline with the segment it lies on.
struct OnSegment {
  int segment = 0;
  FcPoint2d point;
};

int SegmentCount(const FcPolyline& polyline) {
  const int n = polyline.GetVertexCount();
  if (n < 2) return 0;
  return polyline.IsClosed() ? n : n - 1;
}

FcPoint2d SegmentEndPoint(const FcPolyline& polyline, int segment) {
  return VertexPoint(*polyline.GetVertex((segment + 1) % polyline.GetVertexCount()));
}

// The point of the segment that p projects onto; false when there is none.
bool ProjectOntoSegment(const FcPolyline& polyline, int segment, const FcPoint2d& p, FcPoint2d& out) {
  const PolylineVertex& v = *polyline.GetVertex(segment);
  const FcPoint2d a = VertexPoint(v);
  const FcPoint2d b = SegmentEndPoint(polyline, segment);
  if (v.bulge != 0.0) {
    FcPoint2d centre;
    double radius = 0.0;
    if (ArcFromChordBulge(a, v.bulge, b, centre, nullptr, &radius) == 0 || IsSamePoint(centre, p)) return false;
    double start = AngleFromTo(centre, a);
    double end = AngleFromTo(centre, b);
    if (v.bulge < 0.0) std::swap(start, end);
    FcPoint2d hits[2];
    if (IntersectLineArc(centre, p, centre, kRayWithArc, start, end, radius, hits) != 1) return false;
    out = hits[0];
    return true;
  }
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  if (length2 == 0.0) return false;
  const double t = ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2;
  if (t < -kTolerance || t > 1.0 + kTolerance) return false;
  out = {a.x + t * dx, a.y + t * dy};
  return true;
}

// Which of two points on one segment is reached first going along it
// from its start vertex; false when a bulged segment's arc cannot be formed.
bool FirstAlongSegment(const FcPolyline& polyline, int segment, const FcPoint2d& p, const FcPoint2d& q,
                       bool& pFirst) {
  const PolylineVertex& v = *polyline.GetVertex(segment);
  const FcPoint2d a = VertexPoint(v);
  if (v.bulge == 0.0) {
    pFirst = DistanceBetween(a, p) <= DistanceBetween(a, q);
    return true;
  }
  FcPoint2d centre;
  double radius = 0.0;
  if (ArcFromChordBulge(a, v.bulge, SegmentEndPoint(polyline, segment), centre, nullptr, &radius) == 0) return false;
  const double av = NormalAngleAbout(centre, a);
  const auto along = [&](const FcPoint2d& x) {
    double angle = NormalAngleAbout(centre, x);
    if (v.bulge > 0.0) {
      while (angle < av) angle += kTwoPi;
      return angle - av;
    }
    while (angle > av) angle -= kTwoPi;
    return av - angle;
  };
  pFirst = along(p) <= along(q);
  return true;
}

// Fewer than two vertices, or two that coincide: nothing left to draw.
bool IsDegenerate(const FcPolyline& polyline) {
  const int n = polyline.GetVertexCount();
  if (n < 2) return true;
  return n == 2 && IsSamePoint(VertexPoint(*polyline.GetVertex(0)), VertexPoint(*polyline.GetVertex(1)));
}

}  // namespace

bool ProjectOntoPolyline(const FcPoint2d& p, const FcPolyline& polyline, FcPoint2d& out, int& segment) {
  bool found = false;
  double nearest = 0.0;
  for (int j = 0; j < SegmentCount(polyline); ++j) {
    FcPoint2d candidate;
    if (!ProjectOntoSegment(polyline, j, p, candidate)) continue;
    if (IsSamePoint(candidate, p)) {
      out = candidate;
      segment = j;
      return true;
    }
    if (SegmentCrossesPolyline(p, candidate, polyline)) continue;
    const double distance = DistanceBetween(candidate, p);
    if (found && distance >= nearest) continue;
    found = true;
    nearest = distance;
    out = candidate;
    segment = j;
  }
  return found;
}

void BreakPolyline(FcPolyline& polyline, const BreakPoints& at) {
  at.undo.Record(kUndoChanged, &polyline);
  if (polyline.IsFitted()) polyline.ApplyFit();
  const int segments = SegmentCount(polyline);
  if (segments == 0) return;
  OnSegment first;
  if (!ProjectOntoPolyline(at.first, polyline, first.point, first.segment)) {
    double nearest = 0.0;
    for (int i = 0; i < polyline.GetVertexCount(); ++i) {
      const FcPoint2d v = VertexPoint(*polyline.GetVertex(i));
      if (i > 0 && DistanceBetween(v, at.first) >= nearest) continue;
      nearest = DistanceBetween(v, at.first);
      first = {i, v};
    }
    // The last vertex of an open polyline ends the last segment.
    if (first.segment >= segments) first.segment = segments - 1;
  }
  OnSegment second;
  if (!ProjectOntoPolyline(at.second, polyline, second.point, second.segment)) {
    const FcPoint2d a = VertexPoint(*polyline.GetVertex(first.segment));
    const FcPoint2d b = SegmentEndPoint(polyline, first.segment);
    const bool towardsEnd = (b.x - a.x) * (at.second.x - a.x) + (b.y - a.y) * (at.second.y - a.y) >= 0.0;
    second = {first.segment, towardsEnd ? b : a};
  }
  OnSegment upTo = first;
  OnSegment from = second;
  if (IsSamePoint(first.point, second.point)) {
    upTo.segment = std::min(first.segment, second.segment);
    from = {std::max(first.segment, second.segment), first.point};
  } else if (first.segment != second.segment) {
    if (second.segment < first.segment) std::swap(upTo, from);
  } else {
    bool firstComesFirst = true;
    if (!FirstAlongSegment(polyline, first.segment, first.point, second.point, firstComesFirst)) return;
    if (!firstComesFirst) std::swap(upTo, from);
  }
  std::unique_ptr<FcPolyline> copy(static_cast<FcPolyline*>(polyline.Clone()));
  std::unique_ptr<FcPolyline> before(static_cast<FcPolyline*>(polyline.Clone()));
  if (!copy || !before) {
    PrintMessage(kNoMemoryMessage);
    return;
  }
  PolylineKeepUpTo(polyline, upTo.segment, upTo.point);
  PolylineKeepFrom(*copy, from.segment, from.point);
  if (IsDegenerate(*copy)) copy.reset();
  if (IsDegenerate(polyline)) {
    // A break from end to end removes nothing, as for a line.
    polyline.Copy(copy ? copy.get() : before.get());
    copy.reset();
  }
  AddNewPiece(at.graph, at.undo, copy.release());
  at.graph.RedrawEntity(&polyline);
  at.graph.Redraw();
}
