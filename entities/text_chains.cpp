#include "entities/text_chains.h"

#include <algorithm>
#include <new>

#include "database/entity.h"
#include "database/entity_sets.h"
#include "database/layer.h"
#include "entities/polyline.h"

bool ChainExtents(const std::vector<PointChain>& chains, std::size_t first, std::size_t last, FcPoint2d& min,
                  FcPoint2d& max) {
  bool found = false;
  for (std::size_t i = first; i < last && i < chains.size(); ++i) {
    if (chains[i].PointCount() == 0) continue;
    FcPoint2d low, high;
    chains[i].GetExtents(low, high);
    min = found ? FcPoint2d{std::min(min.x, low.x), std::min(min.y, low.y)} : low;
    max = found ? FcPoint2d{std::max(max.x, high.x), std::max(max.y, high.y)} : high;
    found = true;
  }
  return found;
}

void TransformChains(std::vector<PointChain>& chains, std::size_t first, std::size_t last, const FcMatrix2d& m) {
  for (std::size_t i = first; i < last && i < chains.size(); ++i) chains[i].Transform(m);
}

void ExplodeTextChains(const std::vector<PointChain>& chains, const FcEntity& source, FcEntitySets& target) {
  for (const PointChain& chain : chains) {
    std::size_t at = 0;
    for (const int size : chain.contourSizes) {
      auto* polyline = new (std::nothrow) FcPolyline;
      if (polyline == nullptr) return;
      for (int i = 0; i < size; ++i) polyline->AppendVertex(chain.points[at + i], 0.0, 0.0, 0.0);
      at += static_cast<std::size_t>(size);
      polyline->SetLinetype(source.GetLinetype());
      if (source.GetLinetypeScale() > 0.0) polyline->SetLinetypeScale(source.GetLinetypeScale());
      if (source.GetColor() >= 0 && source.GetColor() <= 256) polyline->SetColor(source.GetColor());
      if (source.GetLayer() != nullptr) {
        polyline->SetLayer(source.GetLayer());
        source.GetLayer()->AddEntityHandle(polyline);
      }
      target.Add(polyline);
    }
  }
}

PointChain StrokeChain(const FcPoint2d& a, const FcPoint2d& b) {
  PointChain chain;
  chain.kind = PointChain::kStrokes;
  chain.AddPoint(0, a.x, a.y);
  chain.AddPoint(PointChain::kCloseContour, b.x, b.y);
  return chain;
}

void ToggleDecoration(TextDecoration& decoration, double x, double y, std::vector<PointChain>& chains) {
  if (!decoration.on) {
    decoration = {true, x};
    return;
  }
  decoration.on = false;
  chains.push_back(StrokeChain({decoration.startX, y}, {x, y}));
}
