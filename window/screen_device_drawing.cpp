#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "display/bitmap_helpers.h"
#include "window/screen_device.h"
#include "window/screen_device_colors.h"
#include "platform/program_settings.h"

namespace {

constexpr FcColorRef kGripOutline = 0x3A3A3A;

int ClampToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

int SixteenthsOfDegree(double radians) { return static_cast<int>(std::lround(radians * 180.0 / kPi * 16.0)); }

// The total point count of the rings, or -1 when a count is negative.
std::int64_t TotalPoints(const std::int32_t* ringCounts, int ringCount) {
  if (ringCounts == nullptr || ringCount <= 0) return -1;
  std::int64_t total = 0;
  for (int i = 0; i < ringCount; ++i) {
    if (ringCounts[i] < 0) return -1;
    total += ringCounts[i];
  }
  return total;
}

QPainterPath RingsPath(const std::vector<QPoint>& points, const std::int32_t* ringCounts, int ringCount) {
  QPainterPath path;
  path.setFillRule(Qt::OddEvenFill);
  std::size_t start = 0;
  for (int r = 0; r < ringCount; ++r) {
    const std::size_t n = static_cast<std::size_t>(ringCounts[r]);
    if (n >= 2) {
      path.moveTo(points[start]);
      for (std::size_t i = start + 1; i < start + n; ++i) path.lineTo(points[i]);
      path.closeSubpath();
    }
    start += n;
  }
  return path;
}

}  // namespace

// The one place where device coordinates (y up from the bottom edge) become
// pixel coordinates of the target (y down from the top).
QPoint FcMFCDisplayDevice::ToPixel(int x, int y) const { return {x, ClampToInt(std::int64_t{height} - y)}; }

std::vector<QPoint> FcMFCDisplayDevice::ToPixels(const FcDevicePoint* points, int count) const {
  std::vector<QPoint> pixels;
  pixels.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) pixels.push_back(ToPixel(points[i].x, points[i].y));
  return pixels;
}

void FcMFCDisplayDevice::SetTargetPixel(int x, int y, FcColorRef pixelColor) {
  if (target_ == nullptr) return;
  target_->fillRect(QRect(ToPixel(x, y), QSize(1, 1)), ToQColor(pixelColor));
}

void FcMFCDisplayDevice::SetPixel(int x, int y) { SetTargetPixel(x, y, color); }

void FcMFCDisplayDevice::MoveTo(int x, int y) {
  lastX_ = x;
  lastY_ = y;
}

void FcMFCDisplayDevice::LineTo(int x, int y) { DrawLineFromLast(x, y); }

void FcMFCDisplayDevice::DrawLineFromLast(int x, int y) {
  const int fromX = lastX_;
  const int fromY = lastY_;
  lastX_ = x;
  lastY_ = y;
  if (target_ == nullptr) return;
  if (x == fromX && y == fromY) {
    SetTargetPixel(x, y, color);
    return;
  }
  target_->drawLine(ToPixel(fromX, fromY), ToPixel(x, y));
}

void FcMFCDisplayDevice::Polyline(const FcDevicePoint* points, int count) {
  if (target_ == nullptr || points == nullptr || count < 2) return;
  const std::vector<QPoint> pixels = ToPixels(points, count);
  target_->drawPolyline(pixels.data(), count);
}

void FcMFCDisplayDevice::Polygon(const FcDevicePoint* points, int count) {
  if (target_ == nullptr || points == nullptr || count < 2) return;
  const std::vector<QPoint> pixels = ToPixels(points, count);
  target_->drawPolygon(pixels.data(), count, Qt::OddEvenFill);
}

void FcMFCDisplayDevice::PolyPolygon(const FcDevicePoint* points, const std::int32_t* ringCounts, int ringCount) {
  const std::int64_t total = TotalPoints(ringCounts, ringCount);
  if (target_ == nullptr || points == nullptr || total <= 0 || total > std::numeric_limits<int>::max()) return;
  target_->drawPath(RingsPath(ToPixels(points, static_cast<int>(total)), ringCounts, ringCount));
}

void FcMFCDisplayDevice::Circle(int centreX, int centreY, int radius) {
  Arc(centreX, centreY, radius, 0.0, 0.0);
}

void FcMFCDisplayDevice::Arc(int centreX, int centreY, int radius, double startAngle, double endAngle) {
  if (target_ == nullptr || radius < 0) return;
  // The arc runs between the radial directions of the two truncated end
  // points; equal directions give the full circle.
  const auto direction = [&](double angle) {
    const double x = std::trunc(centreX + radius * std::cos(angle));
    const double y = std::trunc(centreY + radius * std::sin(angle));
    return std::atan2(y - centreY, x - centreX);
  };
  const double start = direction(startAngle);
  double sweep = direction(endAngle) - start;
  while (sweep <= 0.0) sweep += kTwoPi;
  const QPoint topLeft = ToPixel(centreX - radius, centreY + radius);
  const QRect square(topLeft, QSize(2 * radius, 2 * radius));
  target_->drawArc(square, SixteenthsOfDegree(start), SixteenthsOfDegree(sweep));
}

void FcMFCDisplayDevice::DrawGrip(int x, int y, bool) {
  if (target_ == nullptr) return;
  const int c = std::max(GetProgramSettings().grip_size, 0);
  const FcDevicePoint corners[5] = {{x - c, y - c}, {x + c, y - c}, {x + c, y + c}, {x - c, y + c}, {x - c, y - c}};
  const std::vector<QPoint> pixels = ToPixels(corners, 5);
  target_->drawPolygon(pixels.data(), 4);
  const QPen pen = target_->pen();
  target_->setPen(QPen(ToQColor(kGripOutline), 0));
  target_->drawPolyline(pixels.data(), 5);
  target_->setPen(pen);
}

void FcMFCDisplayDevice::PushClipRect(FcDevicePoint corner, FcDevicePoint opposite) {
  if (target_ == nullptr) return;
  target_->save();
  ++clipDepth_;
  // Columns from the left edge up to the right one, rows from the top edge
  // down to the bottom one, the far edges left out.
  const int left = std::min(corner.x, opposite.x);
  const int right = std::max(corner.x, opposite.x);
  const QPoint topLeft = ToPixel(left, std::max(corner.y, opposite.y));
  const QPoint bottomRight = ToPixel(right, std::min(corner.y, opposite.y));
  target_->setClipRect(QRect(topLeft, QSize(right - left, bottomRight.y() - topLeft.y())), Qt::IntersectClip);
}

void FcMFCDisplayDevice::PushClipPolyPolygon(const FcDevicePoint* points, const std::int32_t* ringCounts,
                                             int ringCount) {
  if (target_ == nullptr) return;
  target_->save();
  ++clipDepth_;
  const std::int64_t total = TotalPoints(ringCounts, ringCount);
  if (points == nullptr || total <= 0 || total > std::numeric_limits<int>::max()) {
    // Nothing to draw through: everything is clipped away until the pop.
    target_->setClipRect(QRect(), Qt::IntersectClip);
    return;
  }
  target_->setClipPath(RingsPath(ToPixels(points, static_cast<int>(total)), ringCounts, ringCount),
                       Qt::IntersectClip);
}

void FcMFCDisplayDevice::PopClip() {
  if (target_ == nullptr || clipDepth_ == 0) return;
  // The pen and brush chosen since the push stay in force.
  const QPen pen = target_->pen();
  const QBrush brush = target_->brush();
  target_->restore();
  --clipDepth_;
  target_->setPen(pen);
  target_->setBrush(brush);
}

void FcMFCDisplayDevice::DrawBitmap(int x, int y, int w, int h, const FcBitmap* bitmap) {
  if (target_ == nullptr || bitmap == nullptr || bitmap->IsEmpty()) return;
  w = std::min(w, bitmap->GetWidth());
  h = std::min(h, bitmap->GetHeight());
  if (w <= 0 || h <= 0) return;
  QImage picture(w, h, QImage::Format_ARGB32);
  bool clear = false;
  for (int row = 0; row < h; ++row) {
    QRgb* line = reinterpret_cast<QRgb*>(picture.scanLine(row));
    for (int i = 0; i < w; ++i) {
      const FcColorRef pixel = bitmap->GetPixel(i, h - 1 - row);
      clear = clear || pixel == kClearPixel;
      line[i] = pixel == kClearPixel ? qRgba(0, 0, 0, 0) : ToQColor(pixel).rgb();
    }
  }
  const QPainter::CompositionMode mode = target_->compositionMode();
  // A plain copy, unless clear pixels have to let the target show.
  target_->setCompositionMode(clear ? QPainter::CompositionMode_SourceOver : QPainter::CompositionMode_Source);
  target_->drawImage(ToPixel(x, ClampToInt(std::int64_t{y} + h - 1)), picture);
  target_->setCompositionMode(mode);
}

void FcMFCDisplayDevice::DrawBitmapRotated(int x, int y, int w, int h, const FcBitmap* bitmap) {
  DrawBitmap(x, y, w, h, bitmap);
}

FcDevicePoint FcMFCDisplayDevice::Rotated(int x, int y) const {
  const std::int64_t w = width;
  const std::int64_t h = height;
  std::int64_t rx = x;
  std::int64_t ry = y;
  switch (((printQuarterTurns % 4) + 4) % 4) {
    case 1:
      rx = w - y;
      ry = x;
      break;
    case 2:
      rx = w - x;
      ry = h - y;
      break;
    case 3:
      rx = y;
      ry = h - x;
      break;
    default:
      break;
  }
  return {ClampToInt(rx + printOffsetX), ClampToInt(ry + printOffsetY)};
}

void FcMFCDisplayDevice::SetPixelRotated(int x, int y) {
  const FcDevicePoint p = Rotated(x, y);
  SetPixel(p.x, p.y);
}

void FcMFCDisplayDevice::MoveToRotated(int x, int y) {
  const FcDevicePoint p = Rotated(x, y);
  MoveTo(p.x, p.y);
}

void FcMFCDisplayDevice::LineToRotated(int x, int y) {
  const FcDevicePoint p = Rotated(x, y);
  DrawLineFromLast(p.x, p.y);
}

void FcMFCDisplayDevice::PolylineRotated(FcDevicePoint* points, int count) {
  if (points == nullptr) return;
  for (int i = 0; i < count; ++i) points[i] = Rotated(points[i].x, points[i].y);
  Polyline(points, count);
}

void FcMFCDisplayDevice::PolygonRotated(FcDevicePoint* points, int count) {
  if (points == nullptr) return;
  for (int i = 0; i < count; ++i) points[i] = Rotated(points[i].x, points[i].y);
  Polygon(points, count);
}

void FcMFCDisplayDevice::PolyPolygonRotated(FcDevicePoint* points, const std::int32_t* ringCounts, int ringCount) {
  const std::int64_t total = TotalPoints(ringCounts, ringCount);
  if (points == nullptr || total <= 0) return;
  for (std::int64_t i = 0; i < total; ++i) points[i] = Rotated(points[i].x, points[i].y);
  PolyPolygon(points, ringCounts, ringCount);
}
