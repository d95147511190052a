#include <memory>
#include <vector>

#include "commands/command_support.h"
#include "commands/modify/polyline_cuts.h"
#include "commands/modify/polyline_segment_crossings.h"
#include "commands/modify/trim_operations.h"
#include "core/extend_edge_list.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "entities/polyline.h"

namespace {

// A cut point with the segment it lies on.
struct SegmentCut {
  bool found = false;
  int segment = 0;
  FcPoint2d point;
};

class PolylineTrim {
 public:
  PolylineTrim(FcPolyline& polyline, const EdgePick& pick) : polyline_(polyline), pick_(pick) {}

  void Run() {
    pick_.undo.Record(kUndoChanged, &polyline_);
    fitted_ = polyline_.IsFitted();
    if (fitted_) polyline_.ApplyFit();
    const bool cut = polyline_.IsClosed() ? TrimClosed() : TrimOpen();
    if (!cut && !fitted_) {
      pick_.undo.Forget(polyline_.GetHandle());
      return;
    }
    pick_.graph.RedrawEntity(&polyline_);
    pick_.graph.Redraw();
  }

 private:
  int Count() const { return polyline_.GetVertexCount(); }
  const PolylineVertex& Start(int segment) const { return *polyline_.GetVertex(segment); }
  FcPoint2d End(int segment) const { return VertexPoint(*polyline_.GetVertex((segment + 1) % Count())); }

  // The crossings of the segment; false when it has none.
  bool Crossings(int segment, FcPoint2dArray& crossings) const {
    return pick_.edges.PolylineSegmentCrossings(Start(segment), *polyline_.GetVertex((segment + 1) % Count()),
                                                pick_.extendEdges, crossings) > 0;
  }

  // A and B on the picked segment itself.
  void OnPickedSegment(int i, SegmentCut& a, SegmentCut& b) const {
    FcPoint2dArray crossings;
    if (!Crossings(i, crossings)) return;
    const CrossingSides sides = ClassifySegmentCrossings(Start(i), End(i), pick_.point, crossings);
    a = {sides.hasA, i, sides.a};
    b = {sides.hasB, i, sides.b};
  }

  // The first segment in the order given with crossings, cut at the
  // crossing nearest its end (backwards) or its start (forwards).
  template <typename Segments>
  SegmentCut Search(Segments segments, bool backwards) const {
    for (const int j : segments) {
      FcPoint2dArray crossings;
      if (!Crossings(j, crossings)) continue;
      SegmentCut cut{true, j, {}};
      cut.found = backwards ? CrossingNearestSegmentEnd(Start(j), End(j), crossings, cut.point)
                            : CrossingNearestSegmentStart(Start(j), End(j), crossings, cut.point);
      if (cut.found) return cut;
    }
    return {};
  }

  bool TrimOpen() {
    const int i = pick_.segment;
    if (i < 0 || i >= Count() - 1) return false;
    SegmentCut a;
    SegmentCut b;
    OnPickedSegment(i, a, b);
    if (!a.found) {
      std::vector<int> before;
      for (int j = i - 1; j >= 0; --j) before.push_back(j);
      a = Search(before, true);
    }
    if (!b.found) {
      std::vector<int> after;
      for (int j = i + 1; j <= Count() - 2; ++j) after.push_back(j);
      b = Search(after, false);
    }
    if (a.found && IsSamePoint(a.point, VertexPoint(*polyline_.GetVertex(0)))) a.found = false;
    if (b.found && IsSamePoint(b.point, VertexPoint(*polyline_.GetVertex(Count() - 1)))) b.found = false;
    if (a.found && b.found) return SplitInTwo(a, b);
    if (a.found) PolylineKeepUpTo(polyline_, a.segment, a.point);
    if (b.found) PolylineKeepFrom(polyline_, b.segment, b.point);
    return a.found || b.found;
  }

  bool TrimClosed() {
    const int n = Count();
    const int i = pick_.segment;
    if (i < 0 || i >= n) return false;
    SegmentCut a;
    SegmentCut b;
    OnPickedSegment(i, a, b);
    if (!a.found) {
      std::vector<int> before;
      for (int t = 1; t <= n; ++t) before.push_back(((i - t) % n + n) % n);
      a = Search(before, true);
      if (!a.found) return false;
    }
    if (!b.found) {
      std::vector<int> after;
      for (int t = 1; t <= n; ++t) after.push_back((i + t) % n);
      b = Search(after, false);
      if (!b.found) return false;
    }
    if (a.segment == b.segment) {
      if (IsSamePoint(a.point, b.point)) return false;
      bool bFirst = false;
      if (!BIsReachedFirst(a, b, bFirst)) return false;
      if (!bFirst) return SplitInTwo(a, b);
    } else if (b.segment > a.segment) {
      return SplitInTwo(a, b);
    }
    PolylineKeepUpTo(polyline_, a.segment, a.point);
    PolylineKeepFrom(polyline_, b.segment, b.point);
    return true;
  }

  // Whether B comes before A (or with it) going along their one segment;
  // false when a bulged segment's arc cannot be formed.
  bool BIsReachedFirst(const SegmentCut& a, const SegmentCut& b, bool& bFirst) const {
    const PolylineVertex& v = Start(a.segment);
    if (v.bulge == 0.0) {
      bFirst = DistanceBetween(VertexPoint(v), b.point) <= DistanceBetween(VertexPoint(v), a.point);
      return true;
    }
    FcPoint2dArray both;
    both.Add(b.point);
    both.Add(a.point);
    FcPoint2d first;
    if (!CrossingNearestSegmentStart(v, End(a.segment), both, first)) return false;
    bFirst = IsSamePoint(first, b.point);
    return true;
  }

  // Keeps the part up to A in the polyline and the part from B in a copy.
  bool SplitInTwo(const SegmentCut& a, const SegmentCut& b) {
    std::unique_ptr<FcPolyline> copy(static_cast<FcPolyline*>(polyline_.Clone()));
    if (!copy) {
      PrintMessage(kNoMemoryMessage);
      return false;
    }
    PolylineKeepUpTo(polyline_, a.segment, a.point);
    PolylineKeepFrom(*copy, b.segment, b.point);
    AddNewPiece(pick_.graph, pick_.undo, copy.release());
    return true;
  }

  FcPolyline& polyline_;
  const EdgePick& pick_;
  bool fitted_ = false;
};

}  // namespace

void TrimPolyline(FcPolyline& polyline, const EdgePick& pick) { PolylineTrim(polyline, pick).Run(); }
