#include "commands/modify/fillet_polyline.h"

#include "commands/modify/corner_pieces.h"
#include "commands/modify/polyline_corners.h"
#include "core/arcs.h"
#include "core/corner_fillets.h"
#include "core/point_ops.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "entities/polyline.h"
#include "platform/frame_link.h"

namespace {

StraightCornerEdge SegmentEdge(const FcPolyline& polyline, int segment) {
  const FcPoint2d start = SegmentStartPoint(polyline, segment);
  const FcPoint2d end = SegmentEndPoint(polyline, segment);
  return {start, end, CornerEdgeKind::kSegment, MidPoint(start, end)};
}

// The fillet of the pair's corner, picked at the segments' midpoints; false
// when the radius does not fit there.
bool FilletPolylineCorner(FcGraph& graph, FcPolyline& polyline, const SegmentPair& pair, FcEntSetsUndoItem& item) {
  StraightCornerEdge a = SegmentEdge(polyline, pair.first);
  StraightCornerEdge b = SegmentEdge(polyline, pair.second);
  const double radius = graph.GetSysVars().filletrad;
  FcPoint2d corner;
  FilletArcPlace place;
  if (!FilletLineLine(a, b, radius, corner, place)) return false;
  if (graph.GetSysVars().TrimMode == 1) {
    // The arc leaves the first segment in its own direction.
    double bulge = 0.0;
    ArcFromStartDirectionEnd(a.pick, AngleFromTo(a.p1, a.p2), b.pick, nullptr, nullptr, &bulge);
    item.Record(kUndoChanged, &polyline);
    CutPolylineCorner(polyline, pair, a.pick, b.pick, bulge, false);
    return true;
  }
  AddFilletArc(graph, item, polyline, polyline, place);
  return true;
}

}  // namespace

void FilletPolylineSegments(FcGraph& graph, FcPolyline& polyline, int firstSegment, int secondSegment) {
  SegmentPair pair;
  if (!OrderSegmentPair(polyline, firstSegment, secondSegment, pair)) {
    PrintMessage("Lines belonging to polylines must be consecutive or separated by one segment");
    return;
  }
  if (IsArcSegment(polyline, pair.first) || IsArcSegment(polyline, pair.second)) {
    PrintMessage("Cannot fillet polyline arc segments.");
    return;
  }
  CornerUndoStep step(graph, "Fillet");
  if (FilletPolylineCorner(graph, polyline, pair, step.Item()) && graph.GetSysVars().TrimMode == 1) {
    graph.RedrawEntity(&polyline);
  }
}

void FilletWholePolyline(FcGraph& graph, FcPolyline& polyline) {
  CornerUndoStep step(graph, "Fillet");
  const int n = polyline.GetVertexCount();
  bool filleted = false;
  // Vertices are only ever inserted after the corner at hand, so the
  // corners still to come keep their indices.
  for (int k = polyline.IsClosed() ? n - 1 : n - 3; k >= 0; --k) {
    const int count = polyline.GetVertexCount();
    const int next = (k + 1) % count;
    if (IsArcSegment(polyline, next)) continue;
    SegmentPair pair{k, next, k + 1 == count ? SegmentPair::Kind::kAcrossClosure : SegmentPair::Kind::kConsecutive};
    if (IsArcSegment(polyline, k)) {
      if (k == 0) break;
      if (IsArcSegment(polyline, k - 1)) {
        --k;
        continue;
      }
      // The arc segment between them gives way to the fillet.
      pair = {k - 1, next, SegmentPair::Kind::kSeparated};
    }
    filleted = FilletPolylineCorner(graph, polyline, pair, step.Item()) || filleted;
  }
  if (filleted && graph.GetSysVars().TrimMode == 1) graph.RedrawEntity(&polyline);
}
