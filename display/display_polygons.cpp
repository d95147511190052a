#include <cstddef>
#include <limits>
#include <span>

#include "core/geometry_basics.h"
#include "core/point_in_polygon.h"
#include "display/display_primitives.h"
#include "display/display_surface.h"
#include "display/view_transform.h"

namespace {

void ConvertAll(const FcViewTransform& view, const std::vector<FcPoint2d>& points, std::vector<FcDevicePoint>& out) {
  out.clear();
  out.reserve(points.size());
  for (const FcPoint2d& p : points) {
    FcDevicePoint d;
    view.WorldToDevice(p.x, p.y, &d.x, &d.y);
    out.push_back(d);
  }
}

// The edges of one ring, closing edge included.
bool RingMeetsRect(std::span<const FcPoint2d> ring, const FcPoint2d& min, const FcPoint2d& max) {
  for (std::size_t i = 0; i < ring.size(); ++i) {
    const FcPoint2d& next = ring[(i + 1) % ring.size()];
    if (SegmentMeetsRect(ring[i], next, min, max)) return true;
  }
  return false;
}

}  // namespace

bool FcDsPolygon::ClipToDevice(const FcDisplaySurface& surface, std::vector<FcDevicePoint>& out) const {
  return surface.GetView()->ClipPolygonToDevice(points_, out);
}

bool FcDsConvexPolygon::ClipToDevice(const FcDisplaySurface& surface, std::vector<FcDevicePoint>& out) const {
  return surface.GetView()->ClipConvexPolygonToDevice(GetPoints(), out);
}

bool FcDsPolygon::ConvertToDevice(const FcDisplaySurface& surface, std::vector<FcDevicePoint>& out) {
  FcPoint2d min;
  FcPoint2d max;
  GetExtents(min, max);
  const FcViewTransform& view = *surface.GetView();
  if (BoxInsideBox(min, max, {view.x0, view.y0}, {view.x1, view.y1})) {
    ConvertAll(view, points_, out);
  } else if (!ClipToDevice(surface, out)) {
    out.clear();
  }
  return !out.empty();
}

void FcDsPolygon::Draw(FcDisplaySurface& surface) {
  if (!CanDraw(surface)) return;
  FcDisplayDevice& device = *surface.GetDevice();
  if (CacheUsable(surface)) {
    if (!drawn) return;
    SelectPenAndColor(device);
    device.Polygon(devicePoints_.data(), static_cast<int>(devicePoints_.size()));
    return;
  }
  devicePoints_.clear();
  if (PlaceInView(surface) == Placement::kOutside) return;
  drawn = ConvertToDevice(surface, devicePoints_);
  if (drawn) {
    SelectPenAndColor(device);
    device.Polygon(devicePoints_.data(), static_cast<int>(devicePoints_.size()));
  }
  deviceCacheValid = true;
}

void FcDsPolygon::DrawRotated(FcDisplaySurface& surface) {
  if (!CanDraw(surface)) return;
  deviceCacheValid = false;
  std::vector<FcDevicePoint> device;
  if (!ConvertToDevice(surface, device)) return;
  FcDisplayDevice& target = *surface.GetDevice();
  SelectPenAndColor(target);
  target.SetLineWidth(0);
  target.PolygonRotated(device.data(), static_cast<int>(device.size()));
}

bool FcDsPolygon::CrossesWindow(const FcPoint2d& min, const FcPoint2d& max) {
  bool answer = false;
  if (ExtentsDecideCrossing(min, max, answer)) return answer;
  if (RingMeetsRect(points_, min, max)) return true;
  if (points_.empty()) return false;
  // A box lying wholly inside the filled polygon still touches it.
  const FcPoint2d corners[4] = {min, max, {min.x, max.y}, {max.x, min.y}};
  for (const FcPoint2d& corner : corners) {
    if (PointInPolygon(corner, points_) >= 0) return true;
  }
  return false;
}

void FcDsPolyPolygon::SetRings(int ringCount, const FcPoint2d* points, const std::int32_t* ringCounts) {
  points_.clear();
  ringCounts_.clear();
  deviceCacheValid = false;
  extentsValid = false;
  if (ringCount <= 0 || points == nullptr || ringCounts == nullptr) return;
  std::int64_t total = 0;
  for (int i = 0; i < ringCount; ++i) {
    if (ringCounts[i] < 0) return;
    total += ringCounts[i];
  }
  if (total > std::numeric_limits<std::int32_t>::max()) return;
  points_.assign(points, points + total);
  ringCounts_.assign(ringCounts, ringCounts + ringCount);
}

bool FcDsPolyPolygon::ClipToDevice(const FcDisplaySurface& surface, std::vector<FcDevicePoint>& out,
                                   std::vector<std::int32_t>& outRingCounts) {
  const FcViewTransform& view = *surface.GetView();
  FcPoint2d min;
  FcPoint2d max;
  GetExtents(min, max);
  if (BoxInsideBox(min, max, {view.x0, view.y0}, {view.x1, view.y1})) {
    ConvertAll(view, points_, out);
    outRingCounts = ringCounts_;
    return !out.empty();
  }
  return view.ClipPolyPolygonToDevice(points_, ringCounts_, out, outRingCounts);
}

void FcDsPolyPolygon::Draw(FcDisplaySurface& surface) {
  if (!CanDraw(surface)) return;
  FcDisplayDevice& device = *surface.GetDevice();
  if (CacheUsable(surface)) {
    if (!drawn) return;
    SelectPenAndColor(device);
    device.PolyPolygon(devicePoints_.data(), clippedRingCounts_.data(), static_cast<int>(clippedRingCounts_.size()));
    return;
  }
  devicePoints_.clear();
  clippedRingCounts_.clear();
  if (PlaceInView(surface) == Placement::kOutside) return;
  drawn = ClipToDevice(surface, devicePoints_, clippedRingCounts_) && !clippedRingCounts_.empty();
  if (drawn) {
    SelectPenAndColor(device);
    device.PolyPolygon(devicePoints_.data(), clippedRingCounts_.data(), static_cast<int>(clippedRingCounts_.size()));
  }
  deviceCacheValid = true;
}

void FcDsPolyPolygon::DrawRotated(FcDisplaySurface& surface) {
  if (!CanDraw(surface)) return;
  deviceCacheValid = false;
  std::vector<FcDevicePoint> device;
  std::vector<std::int32_t> counts;
  if (!ClipToDevice(surface, device, counts) || counts.empty()) return;
  FcDisplayDevice& target = *surface.GetDevice();
  SelectPenAndColor(target);
  target.SetLineWidth(0);
  target.PolyPolygonRotated(device.data(), counts.data(), static_cast<int>(counts.size()));
}

bool FcDsPolyPolygon::CrossesWindow(const FcPoint2d& min, const FcPoint2d& max) {
  bool answer = false;
  if (ExtentsDecideCrossing(min, max, answer)) return answer;
  std::size_t start = 0;
  for (const std::int32_t count : ringCounts_) {
    const std::span<const FcPoint2d> ring(points_.data() + start, static_cast<std::size_t>(count));
    if (RingMeetsRect(ring, min, max)) return true;
    start += static_cast<std::size_t>(count);
  }
  return false;
}
