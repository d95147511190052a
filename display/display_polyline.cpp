#include <cstddef>

#include "core/geometry_basics.h"
#include "display/display_primitives.h"
#include "display/display_surface.h"
#include "display/view_transform.h"

namespace {

// Clips the segments from point i to i + 1 one by one and hands each
// visible piece on, saying whether it continues the previous piece (the
// previous end was not cut by the clipping).
template <typename Visit>
void ForEachVisibleSegment(const FcViewTransform& view, const std::vector<FcPoint2d>& points, Visit visit) {
  bool continues = false;
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    int codes[2] = {0, 0};
    FcDevicePoint a;
    FcDevicePoint b;
    if (!view.ClipSegmentToDevice(codes, points[i], points[i + 1], a, b)) {
      continues = false;
      continue;
    }
    visit(a, b, continues);
    continues = codes[1] == 0;
  }
}

}  // namespace

void FcDsPolyline::BeginRun(const FcDevicePoint& point) {
  runLengths_.push_back(1);
  devicePoints_.push_back(point);
}

void FcDsPolyline::AddRunPoint(const FcDevicePoint& point) {
  ++runLengths_.back();
  devicePoints_.push_back(point);
}

void FcDsPolyline::DrawRuns(FcDisplayDevice& device) {
  SelectPenAndColor(device);
  device.SetLineWidth(0);
  std::size_t start = 0;
  for (const std::int32_t length : runLengths_) {
    device.Polyline(devicePoints_.data() + start, length);
    start += static_cast<std::size_t>(length);
  }
}

void FcDsPolyline::Draw(FcDisplaySurface& surface) {
  if (!CanDraw(surface)) return;
  FcDisplayDevice& device = *surface.GetDevice();
  if (CacheUsable(surface)) {
    if (drawn) DrawRuns(device);
    return;
  }
  devicePoints_.clear();
  runLengths_.clear();
  const Placement placement = PlaceInView(surface);
  if (placement == Placement::kOutside) return;
  const FcViewTransform& view = *surface.GetView();
  if (placement == Placement::kInside && !points_.empty()) {
    for (const FcPoint2d& p : points_) {
      FcDevicePoint d;
      view.WorldToDevice(p.x, p.y, &d.x, &d.y);
      devicePoints_.push_back(d);
    }
    runLengths_.push_back(static_cast<std::int32_t>(points_.size()));
  } else {
    ForEachVisibleSegment(view, points_, [this](const FcDevicePoint& a, const FcDevicePoint& b, bool continues) {
      if (!continues) BeginRun(a);
      AddRunPoint(b);
    });
  }
  drawn = !runLengths_.empty();
  if (drawn) DrawRuns(device);
  deviceCacheValid = true;
}

void FcDsPolyline::DrawRotated(FcDisplaySurface& surface) {
  if (!CanDraw(surface)) return;
  FcDisplayDevice& device = *surface.GetDevice();
  const FcViewTransform& view = *surface.GetView();
  bool selected = false;
  ForEachVisibleSegment(view, points_, [&](const FcDevicePoint& a, const FcDevicePoint& b, bool continues) {
    if (!selected) {
      SelectPenAndColor(device);
      device.SetLineWidth(PrintLineWidth(surface));
      selected = true;
    }
    if (!continues) device.MoveToRotated(a.x, a.y);
    device.LineToRotated(b.x, b.y);
  });
  deviceCacheValid = false;
}

bool FcDsPolyline::CrossesWindow(const FcPoint2d& min, const FcPoint2d& max) {
  bool answer = false;
  if (ExtentsDecideCrossing(min, max, answer)) return answer;
  for (std::size_t i = 0; i + 1 < points_.size(); ++i) {
    if (SegmentMeetsRect(points_[i], points_[i + 1], min, max)) return true;
  }
  return false;
}
