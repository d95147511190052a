#include "commands/modify/extend_operations.h"
#include "commands/modify/polyline_segment_crossings.h"
#include "core/arcs.h"
#include "core/extend_edge_list.h"
#include "core/geometry_basics.h"
#include "core/partial_arc_bulge.h"
#include "core/point_ops.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "entities/polyline.h"

namespace {

// Where the end segment from 'fixed' through 'moving' (bulge the segment's
// own, running from 'fixed') first meets a boundary beyond 'moving'.
bool EndSegmentHit(const EdgePick& pick, const FcPoint2d& fixed, const FcPoint2d& moving, double bulge,
                   FcPoint2d& hit) {
  if (bulge == 0.0) return pick.edges.NearestLineExtension(fixed, moving, pick.extendEdges, hit);
  FcPoint2d centre;
  double radius = 0.0;
  if (ArcFromChordBulge(fixed, bulge, moving, centre, nullptr, &radius) == 0) return false;
  return pick.edges.NearestArcExtension(centre, radius, AngleFromTo(centre, fixed), AngleFromTo(centre, moving),
                                        bulge > 0.0, pick.extendEdges, hit);
}

class PolylineExtension {
 public:
  PolylineExtension(FcPolyline& polyline, const EdgePick& pick) : polyline_(polyline), pick_(pick) {}

  void Run() {
    if (polyline_.GetFlags() != 0) return;
    const int n = polyline_.GetVertexCount();
    const int i = pick_.segment;
    if (n < 2 || i < 0 || i > n - 2) return;
    const double toFirst = DistanceBetween(VertexPoint(*polyline_.GetVertex(0)), pick_.point);
    const double toSecond = DistanceBetween(VertexPoint(*polyline_.GetVertex(1)), pick_.point);
    const bool twoVertices = n == 2;
    if (i == 0 && !(twoVertices && toSecond < toFirst)) ExtendStart();
    if (i == n - 2 && !(twoVertices && toSecond > toFirst)) ExtendEnd();
    if (!changed_) return;
    pick_.graph.RedrawEntity(&polyline_);
    pick_.graph.Redraw();
  }

 private:
  void RecordOnce() {
    if (!changed_) pick_.undo.Record(kUndoChanged, &polyline_);
    changed_ = true;
  }

  // The first vertex moves back along the first segment.
  void ExtendStart() {
    const PolylineVertex v0 = *polyline_.GetVertex(0);
    const FcPoint2d v1 = VertexPoint(*polyline_.GetVertex(1));
    // The segment seen from its end runs the other way round.
    PolylineVertex reversed = *polyline_.GetVertex(1);
    reversed.bulge = -v0.bulge;
    FcPoint2d hit;
    if (!EndSegmentHit(pick_, v1, VertexPoint(v0), reversed.bulge, hit)) return;
    RecordOnce();
    PolylineVertex& first = *polyline_.GetVertex(0);
    if (IsTapered(first)) {
      first.startWidth = WidthAlong(first.endWidth, first.startWidth, SegmentFraction(reversed, VertexPoint(v0), hit));
    }
    if (first.bulge != 0.0) SetPartialArcBulge(first, v1, hit, ArcPart::kCutToNext);
    first.x = hit.x;
    first.y = hit.y;
  }

  // The last vertex moves on along the last segment.
  void ExtendEnd() {
    const int last = polyline_.GetVertexCount() - 1;
    const PolylineVertex vi = *polyline_.GetVertex(last - 1);
    const FcPoint2d end = VertexPoint(*polyline_.GetVertex(last));
    FcPoint2d hit;
    if (!EndSegmentHit(pick_, VertexPoint(vi), end, vi.bulge, hit)) return;
    RecordOnce();
    PolylineVertex& before = *polyline_.GetVertex(last - 1);
    if (IsTapered(before)) before.endWidth = WidthAlong(before.startWidth, before.endWidth, SegmentFraction(vi, end, hit));
    if (before.bulge != 0.0) SetPartialArcBulge(before, end, hit, ArcPart::kVertexToCut);
    PolylineVertex& moved = *polyline_.GetVertex(last);
    moved.x = hit.x;
    moved.y = hit.y;
  }

  FcPolyline& polyline_;
  const EdgePick& pick_;
  bool changed_ = false;
};

}  // namespace

void ExtendPolyline(FcPolyline& polyline, const EdgePick& pick) { PolylineExtension(polyline, pick).Run(); }
