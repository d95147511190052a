#include "fonts/point_chain.h"

#include <algorithm>

namespace {

constexpr int kPointStep = 64;
constexpr int kContourStep = 8;

}  // namespace

void PointChain::Init() {
  Free();
  kind = kFilled;
  colour = -1;
  next = nullptr;
}

void PointChain::Grow(int n) {
  if (n < 0) return;
  const std::size_t count = points.size();
  if (count + static_cast<std::size_t>(n) < points.capacity()) return;
  const int step = n <= kPointStep ? kPointStep : n + kPointStep;
  points.reserve(points.capacity() + static_cast<std::size_t>(step));
}

void PointChain::AddPoint(int mode, double x, double y) {
  Grow(1);
  points.push_back({x, y});
  ++openCount;
  if (mode == kCloseContour) CloseContour();
}

void PointChain::CloseContour() {
  if (contourSizes.size() + 1 >= contourSizes.capacity()) contourSizes.reserve(contourSizes.capacity() + kContourStep);
  contourSizes.push_back(openCount);
  openCount = 0;
}

int PointChain::Transform(const FcMatrix2d& m) {
  for (FcPoint2d& p : points) TransformPoint(m, p);
  return PointCount();
}

int PointChain::Scale(double factor) {
  for (FcPoint2d& p : points) p *= factor;
  return PointCount();
}

void PointChain::GetExtents(FcPoint2d& min, FcPoint2d& max) const {
  if (points.empty()) {
    min = max = FcPoint2d{};
    return;
  }
  min = max = points.front();
  for (const FcPoint2d& p : points) {
    min.x = std::min(min.x, p.x);
    min.y = std::min(min.y, p.y);
    max.x = std::max(max.x, p.x);
    max.y = std::max(max.y, p.y);
  }
}

void PointChain::Free() {
  std::vector<FcPoint2d>().swap(points);
  std::vector<int>().swap(contourSizes);
  openCount = 0;
}

void PointChain::Delete(PointChain* node, bool freeNode) {
  if (node == nullptr) return;
  node->Free();
  if (freeNode) delete node;
}

void MakeMissingGlyph(PointChain& node) {
  static constexpr FcPoint2d kDot[] = {{25, 0}, {25, 10}};
  static constexpr FcPoint2d kHook[] = {{25, 20}, {25, 40}, {40, 60}, {40, 90},
                                        {35, 100}, {15, 100}, {10, 90}, {10, 70}};
  node.Free();
  node.kind = PointChain::kStrokes;
  for (const FcPoint2d& p : kDot) node.AddPoint(0, p.x, p.y);
  node.CloseContour();
  for (const FcPoint2d& p : kHook) node.AddPoint(0, p.x, p.y);
  node.CloseContour();
}
