#include "display/display_primitives.h"

#include <algorithm>
#include <cmath>

#include "core/geometry_basics.h"
#include "display/color_table.h"
#include "display/display_surface.h"
#include "display/view_transform.h"

namespace {

bool IsFinitePoint(const FcPoint2d& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// The background's own colour made a little darker (bright) or brighter
// (dark) so that it stays visible; brightened channels stop at 255.
FcColorRef ShadeOfBackground(FcColorRef color) {
  const double factor = IsBrightColor(color) ? 0.8 : 1.2;
  FcColorRef result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const auto channel = static_cast<int>(((color >> shift) & 0xFF) * factor);
    result |= static_cast<FcColorRef>(std::min(channel, 255)) << shift;
  }
  return result;
}

}  // namespace

FcColorRef ResolveColor(const FcDsEntity& primitive, int backgroundIndex, FcColorRef backgroundRgb) {
  const int index = primitive.colorIndex;
  if (index < 0) return primitive.trueColor;
  const FcColorRef background = backgroundIndex < 0 ? backgroundRgb : ColorIndexRgb(backgroundIndex);
  if (index == 7) return IsBrightColor(background) ? 0x000000 : 0xFFFFFF;
  if (backgroundIndex < 0 || index != backgroundIndex) return ColorIndexRgb(index);
  return ShadeOfBackground(ColorIndexRgb(index));
}

bool BoxInsideBox(const FcPoint2d& innerMin, const FcPoint2d& innerMax, const FcPoint2d& min,
                  const FcPoint2d& max) {
  return innerMin.x >= min.x && innerMin.y >= min.y && innerMax.x <= max.x && innerMax.y <= max.y;
}

bool BoxesOverlap(const FcPoint2d& aMin, const FcPoint2d& aMax, const FcPoint2d& bMin, const FcPoint2d& bMax) {
  return !(aMin.x > bMax.x || aMin.y > bMax.y || aMax.x < bMin.x || aMax.y < bMin.y);
}

bool FcDsEntity::InsideWindow(const FcPoint2d& min, const FcPoint2d& max) {
  if (!drawn) return false;
  FcPoint2d low;
  FcPoint2d high;
  GetExtents(low, high);
  return BoxInsideBox(low, high, min, max);
}

void FcDsEntity::SelectPenAndColor(FcDisplayDevice& device) const {
  device.SetPen(colorIndex);
  device.SetColor(ResolveColor(*this, device.backgroundIndex, device.backgroundRgb));
}

void FcDsEntity::SelectPrintPen(const FcDisplaySurface& surface) const {
  FcDisplayDevice& device = *surface.GetDevice();
  SelectPenAndColor(device);
  device.SetLineWidth(PrintLineWidth(surface));
}

int FcDsEntity::PrintLineWidth(const FcDisplaySurface& surface) const {
  if (colorIndex < 0 || colorIndex > 255) return 0;
  return surface.GetPenWidths()[static_cast<std::size_t>(colorIndex)].device_width;
}

bool FcDsEntity::CanDraw(const FcDisplaySurface& surface) const {
  return visible && surface.GetView() != nullptr && surface.GetDevice() != nullptr;
}

bool FcDsEntity::CacheUsable(const FcDisplaySurface& surface) const {
  return deviceCacheValid && surface.viewUnchanged;
}

FcDsEntity::Placement FcDsEntity::PlaceInView(const FcDisplaySurface& surface) {
  deviceCacheValid = false;
  FcPoint2d min;
  FcPoint2d max;
  GetExtents(min, max);
  const FcViewTransform& view = *surface.GetView();
  const FcPoint2d windowMin{view.x0, view.y0};
  const FcPoint2d windowMax{view.x1, view.y1};
  // Geometry from bad data cannot be placed; it is treated as off screen.
  if (!IsFinitePoint(min) || !IsFinitePoint(max) || !BoxesOverlap(min, max, windowMin, windowMax)) {
    drawn = false;
    deviceCacheValid = true;
    return Placement::kOutside;
  }
  return BoxInsideBox(min, max, windowMin, windowMax) ? Placement::kInside : Placement::kCrossing;
}

void FcDsEntity::CacheExtentsOf(const std::vector<FcPoint2d>& points) {
  extentsValid = true;
  if (points.empty()) return;
  extentsMin = points.front();
  extentsMax = points.front();
  for (const FcPoint2d& p : points) {
    extentsMin.x = std::min(extentsMin.x, p.x);
    extentsMin.y = std::min(extentsMin.y, p.y);
    extentsMax.x = std::max(extentsMax.x, p.x);
    extentsMax.y = std::max(extentsMax.y, p.y);
  }
}

void FcDsEntity::GetCachedExtents(FcPoint2d& min, FcPoint2d& max) const {
  min = extentsMin;
  max = extentsMax;
}

bool FcDsEntity::ExtentsDecideCrossing(const FcPoint2d& min, const FcPoint2d& max, bool& answer) {
  if (!drawn) {
    answer = false;
    return true;
  }
  FcPoint2d low;
  FcPoint2d high;
  GetExtents(low, high);
  if (BoxInsideBox(low, high, min, max)) {
    answer = true;
    return true;
  }
  if (!BoxesOverlap(low, high, min, max)) {
    answer = false;
    return true;
  }
  return false;
}

void FcDsPointList::Transform(const FcMatrix2d& matrix) {
  for (FcPoint2d& p : points_) TransformPoint(matrix, p);
  deviceCacheValid = false;
  extentsValid = false;
}

void FcDsPointList::GetExtents(FcPoint2d& min, FcPoint2d& max) {
  if (!extentsValid) CacheExtentsOf(points_);
  GetCachedExtents(min, max);
}

void FcDsPointList::SetPointArray(const FcPoint2d* source, int count) {
  if (source == nullptr || count <= 0) return;
  points_.assign(source, source + count);
  deviceCacheValid = false;
  extentsValid = false;
}

void FcDsPointList::SetPoints(const PolylineVertex* vertices, int count) {
  if (vertices == nullptr || count <= 0) return;
  points_.clear();
  points_.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) points_.push_back({vertices[i].x, vertices[i].y});
  deviceCacheValid = false;
  extentsValid = false;
}

void FcDsPointList::AddPoint(const FcPoint2d& point) {
  points_.push_back(point);
  deviceCacheValid = false;
  extentsValid = false;
}

void FcDsLine::Transform(const FcMatrix2d& matrix) {
  TransformPoint(matrix, first);
  TransformPoint(matrix, second);
  deviceCacheValid = false;
  extentsValid = false;
}

void FcDsLine::Draw(FcDisplaySurface& surface) {
  if (!CanDraw(surface)) return;
  FcDisplayDevice& device = *surface.GetDevice();
  if (CacheUsable(surface)) {
    if (!drawn) return;
    SelectPenAndColor(device);
    device.MoveTo(deviceFirst.x, deviceFirst.y);
    device.LineTo(deviceSecond.x, deviceSecond.y);
    return;
  }
  if (PlaceInView(surface) == Placement::kOutside) return;
  int codes[2] = {0, 0};
  drawn = surface.GetView()->ClipSegmentToDevice(codes, first, second, deviceFirst, deviceSecond);
  if (drawn) {
    SelectPenAndColor(device);
    device.MoveTo(deviceFirst.x, deviceFirst.y);
    device.LineTo(deviceSecond.x, deviceSecond.y);
  }
  deviceCacheValid = true;
}

void FcDsLine::DrawRotated(FcDisplaySurface& surface) {
  if (!CanDraw(surface)) return;
  FcDisplayDevice& device = *surface.GetDevice();
  int codes[2] = {0, 0};
  FcDevicePoint a;
  FcDevicePoint b;
  if (surface.GetView()->ClipSegmentToDevice(codes, first, second, a, b)) {
    SelectPenAndColor(device);
    device.SetLineWidth(PrintLineWidth(surface));
    device.MoveToRotated(a.x, a.y);
    device.LineToRotated(b.x, b.y);
  }
  deviceCacheValid = false;
}

void FcDsLine::GetExtents(FcPoint2d& min, FcPoint2d& max) {
  if (!extentsValid) {
    extentsMin = {std::min(first.x, second.x), std::min(first.y, second.y)};
    extentsMax = {std::max(first.x, second.x), std::max(first.y, second.y)};
    extentsValid = true;
  }
  GetCachedExtents(min, max);
}

bool FcDsLine::CrossesWindow(const FcPoint2d& min, const FcPoint2d& max) {
  bool answer = false;
  if (ExtentsDecideCrossing(min, max, answer)) return answer;
  return SegmentMeetsRect(first, second, min, max);
}

void FcDsPoint::Transform(const FcMatrix2d& matrix) {
  TransformPoint(matrix, point);
  deviceCacheValid = false;
}

void FcDsPoint::Draw(FcDisplaySurface& surface) {
  if (!CanDraw(surface)) return;
  FcDisplayDevice& device = *surface.GetDevice();
  if (CacheUsable(surface)) {
    if (!drawn) return;
    SelectPenAndColor(device);
    device.SetPixel(devicePoint.x, devicePoint.y);
    return;
  }
  const FcViewTransform& view = *surface.GetView();
  drawn = point.x >= view.x0 && point.x <= view.x1 && point.y >= view.y0 && point.y <= view.y1;
  if (drawn) {
    view.WorldToDevice(point.x, point.y, &devicePoint.x, &devicePoint.y);
    SelectPenAndColor(device);
    device.SetPixel(devicePoint.x, devicePoint.y);
  }
  deviceCacheValid = true;
}

void FcDsPoint::DrawRotated(FcDisplaySurface& surface) {
  if (!CanDraw(surface)) return;
  const FcViewTransform& view = *surface.GetView();
  if (point.x >= view.x0 && point.x <= view.x1 && point.y >= view.y0 && point.y <= view.y1) {
    FcDisplayDevice& device = *surface.GetDevice();
    FcDevicePoint p;
    view.WorldToDevice(point.x, point.y, &p.x, &p.y);
    SelectPenAndColor(device);
    device.SetPixelRotated(p.x, p.y);
  }
  deviceCacheValid = false;
}

void FcDsPoint::GetExtents(FcPoint2d& min, FcPoint2d& max) {
  min = point;
  max = point;
}

bool FcDsPoint::CrossesWindow(const FcPoint2d& min, const FcPoint2d& max) { return InsideWindow(min, max); }
