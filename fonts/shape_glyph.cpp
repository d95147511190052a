#include "fonts/shape_glyph.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kGlyphUnits = 100.0;

}  // namespace

void CMyArc::Emit(PointChain& chain) const {
  const double radius = std::hypot(start_.x - centre_.x, start_.y - centre_.y);
  const double a0 = std::atan2(start_.y - centre_.y, start_.x - centre_.x);
  double a1 = std::atan2(end_.y - centre_.y, end_.x - centre_.x);
  while (a1 <= a0) a1 += 2.0 * std::numbers::pi;
  const double step = (a1 - a0) / (kPoints - 1);
  chain.Grow(kPoints);
  for (int i = 0; i < kPoints; ++i) {
    const double a = a0 + i * step;
    chain.AddPoint(0, (centre_.x + radius * std::cos(a)) * kGlyphUnits,
                   (centre_.y + radius * std::sin(a)) * kGlyphUnits);
  }
  chain.CloseContour();
}

void CMyPolyLn::Emit(PointChain& chain) const {
  chain.Grow(static_cast<int>(points_.size()));
  for (const FcPoint2d& p : points_) chain.AddPoint(0, p.x * kGlyphUnits, p.y * kGlyphUnits);
  chain.CloseContour();
}

void CShape::Emit(PointChain& chain) const {
  chain.kind = PointChain::kStrokes;
  for (const auto& piece : pieces_) piece->Emit(chain);
}

void CShape::AddPolyline(const FcPoint2d* points, int count) {
  if (count < 2) return;
  auto polyline = std::make_unique<CMyPolyLn>();
  for (int i = 0; i < count; ++i) polyline->AddPoint(points[i]);
  pieces_.push_back(std::move(polyline));
}

void CShape::AddLine(const FcPoint2d& end, const FcPoint2d& start) {
  auto polyline = std::make_unique<CMyPolyLn>();
  polyline->AddPoint(start);
  polyline->AddPoint(end);
  pieces_.push_back(std::move(polyline));
}

void CShape::AddArc(const FcPoint2d& centre, const FcPoint2d& start, const FcPoint2d& end) {
  pieces_.push_back(std::make_unique<CMyArc>(centre, start, end));
}
