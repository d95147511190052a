#include "database/point_chain_drawing.h"

void DrawPointChain(FcDrawSink& sink, const PointChain& node, FcHandle handle, int subIndex) {
  if (node.colour != -1) {
    FcPen pen;
    pen.color = node.colour;
    sink.SetPen(pen);
  }
  sink.SetContinuousLinetype();
  if (node.contourSizes.empty()) return;
  if (node.kind == PointChain::kFilled) {
    sink.AddPolyPolygon(node.points.data(), node.contourSizes.data(), node.ContourCount(), handle, subIndex);
    return;
  }
  const FcPoint2d* points = node.points.data();
  for (int size : node.contourSizes) {
    sink.AddPolyline(points, size, false, handle, subIndex);
    points += size;
  }
}
