#include "database/point_chain_drawing.h"

#include <cstdint>

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

namespace {

// Strokes gathered from several nodes until a node of another kind or
// colour ends the run.
struct StrokeRun {
  std::vector<FcPoint2d> points;
  std::vector<std::int32_t> counts;

  void Add(const PointChain& node) {
    std::size_t drawn = 0;
    for (int size : node.contourSizes) {
      counts.push_back(size);
      drawn += static_cast<std::size_t>(size);
    }
    points.insert(points.end(), node.points.begin(), node.points.begin() + static_cast<std::ptrdiff_t>(drawn));
  }

  void Flush(FcDrawSink& sink, FcHandle handle, int subIndex) {
    if (!counts.empty()) sink.AddStrokes(points.data(), counts.data(), static_cast<int>(counts.size()), handle, subIndex);
    points.clear();
    counts.clear();
  }
};

}  // namespace

void DrawPointChains(FcDrawSink& sink, const std::vector<PointChain>& nodes, FcHandle handle, int subIndex) {
  StrokeRun run;
  for (const PointChain& node : nodes) {
    if (node.kind != PointChain::kStrokes || node.colour != -1) {
      run.Flush(sink, handle, subIndex);
      DrawPointChain(sink, node, handle, subIndex);
      continue;
    }
    sink.SetContinuousLinetype();
    run.Add(node);
  }
  run.Flush(sink, handle, subIndex);
}
