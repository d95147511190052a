#include "commands/modify/polyline_cuts.h"

#include "commands/modify/polyline_segment_crossings.h"
#include "core/geometry_basics.h"
#include "core/partial_arc_bulge.h"
#include "entities/polyline.h"

namespace {

// A copy of the first vertex at the end, with a handle of its own.
void AppendFirstVertexCopy(FcPolyline& polyline) {
  PolylineVertex first = *polyline.GetVertex(0);
  first.handle = 0;
  polyline.AppendVertexCopy(first);
}

}  // namespace

void PolylineKeepUpTo(FcPolyline& polyline, int k, const FcPoint2d& x) {
  if (k < 0 || k >= polyline.GetVertexCount()) return;
  polyline.SetClosed(false);
  while (polyline.GetVertexCount() > k + 2) polyline.RemoveVertex(polyline.GetVertexCount() - 1);
  if (k == polyline.GetVertexCount() - 1) AppendFirstVertexCopy(polyline);
  PolylineVertex& v = *polyline.GetVertex(k);
  PolylineVertex& w = *polyline.GetVertex(k + 1);
  if (IsSamePoint(x, VertexPoint(w))) return;
  if (IsSamePoint(x, VertexPoint(v))) {
    polyline.RemoveVertex(k + 1);
    return;
  }
  if (IsTapered(v)) v.endWidth = WidthAlong(v.startWidth, v.endWidth, SegmentFraction(v, VertexPoint(w), x));
  if (v.bulge != 0.0) SetPartialArcBulge(v, VertexPoint(w), x, ArcPart::kVertexToCut);
  w.x = x.x;
  w.y = x.y;
}

void PolylineKeepFrom(FcPolyline& polyline, int k, const FcPoint2d& x) {
  if (k < 0 || k >= polyline.GetVertexCount()) return;
  const bool closed = polyline.IsClosed();
  if (closed) AppendFirstVertexCopy(polyline);
  for (int i = k - 1; i >= 0; --i) polyline.RemoveVertex(i);
  if (closed) polyline.SetClosed(false);
  if (polyline.GetVertexCount() < 2) return;
  PolylineVertex& v = *polyline.GetVertex(0);
  const FcPoint2d w = VertexPoint(*polyline.GetVertex(1));
  if (IsSamePoint(x, VertexPoint(v))) return;
  if (IsSamePoint(x, w)) {
    polyline.RemoveVertex(0);
    return;
  }
  if (IsTapered(v)) v.startWidth = WidthAlong(v.startWidth, v.endWidth, SegmentFraction(v, w, x));
  if (v.bulge != 0.0) SetPartialArcBulge(v, w, x, ArcPart::kCutToNext);
  v.x = x.x;
  v.y = x.y;
}
