#include <cmath>

#include "core/intersections.h"
#include "database/dash_applier.h"
#include "database/linetype.h"
#include "display/display_primitives.h"
#include "display/display_surface.h"
#include "display/view_transform.h"

namespace {

// The four sides of the box in the order the crossing tests take them:
// left, bottom, right, top.
struct BoxSides {
  FcPoint2d starts[4];
  FcPoint2d ends[4];
};

BoxSides SidesOf(const FcPoint2d& min, const FcPoint2d& max) {
  return {{min, min, {max.x, min.y}, {min.x, max.y}}, {{min.x, max.y}, {max.x, min.y}, max, max}};
}

FcDevicePoint ToDevice(const FcViewTransform& view, double x, double y) {
  FcDevicePoint d;
  view.WorldToDevice(x, y, &d.x, &d.y);
  return d;
}

}  // namespace

void FcVertexChainDeleter::operator()(VertexChain* head) const { FreeVertexChains(head); }

void FcDsRayLine::Transform(const FcMatrix2d& matrix) {
  TransformPoint(matrix, first);
  TransformPoint(matrix, second);
  deviceCacheValid = false;
}

bool FcDsRayLine::ClipToView(const FcDisplaySurface& surface, FcPoint2d& end1, FcPoint2d& end2) const {
  return surface.GetView()->ClipRay(first, second, end1, end2);
}

bool FcDsXLine::ClipToView(const FcDisplaySurface& surface, FcPoint2d& end1, FcPoint2d& end2) const {
  return surface.GetView()->ClipInfiniteLine(first, second, end1, end2);
}

FcVertexChainList FcDsRayLine::MakeDashes(const FcDisplaySurface& surface, const FcPoint2d& end1,
                                          const FcPoint2d& end2) const {
  if (linetype == nullptr || linetype->GetElementCount() <= 1) return nullptr;
  const double length = std::hypot(end2.x - end1.x, end2.y - end1.y);
  const double pattern = linetype->GetPatternLength();
  if (length * linetypeScale < pattern) return nullptr;
  if (surface.GetView()->WorldLengthToPixels(pattern * linetypeScale) <= 3) return nullptr;
  const FcPoint2d ends[2] = {end1, end2};
  VertexChain* head = nullptr;
  ApplyLinetypeToPolyline(ends, 2, false, 0.0, 0.0, 2.0 * length, linetypeScale, 0, head, *linetype);
  return FcVertexChainList(head);
}

void FcDsRayLine::DrawDashes(const FcViewTransform& view, FcDisplayDevice& device, const VertexChain* dashes,
                             bool rotated) {
  for (const VertexChain* chain = dashes; chain != nullptr; chain = chain->next) {
    const int count = chain->vertices.count;
    if (count <= 0) continue;
    const PolylineVertex& head = chain->vertices[0];
    const FcDevicePoint start = ToDevice(view, head.x, head.y);
    if (count == 1) {
      rotated ? device.SetPixelRotated(start.x, start.y) : device.SetPixel(start.x, start.y);
      continue;
    }
    rotated ? device.MoveToRotated(start.x, start.y) : device.MoveTo(start.x, start.y);
    for (int i = 1; i < count; ++i) {
      const FcDevicePoint p = ToDevice(view, chain->vertices[i].x, chain->vertices[i].y);
      rotated ? device.LineToRotated(p.x, p.y) : device.LineTo(p.x, p.y);
    }
  }
}

void FcDsRayLine::DrawCachedSegment(FcDisplayDevice& device) const {
  device.MoveTo(deviceFirst.x, deviceFirst.y);
  device.LineTo(deviceSecond.x, deviceSecond.y);
}

void FcDsRayLine::Draw(FcDisplaySurface& surface) {
  if (!CanDraw(surface)) return;
  FcDisplayDevice& device = *surface.GetDevice();
  const FcViewTransform& view = *surface.GetView();
  if (CacheUsable(surface)) {
    if (!drawn) return;
    SelectPenAndColor(device);
    dashes_ ? DrawDashes(view, device, dashes_.get(), false) : DrawCachedSegment(device);
    return;
  }
  dashes_.reset();
  FcPoint2d end1;
  FcPoint2d end2;
  drawn = ClipToView(surface, end1, end2);
  deviceCacheValid = true;
  if (!drawn) return;
  SelectPenAndColor(device);
  dashes_ = MakeDashes(surface, end1, end2);
  if (dashes_) {
    DrawDashes(view, device, dashes_.get(), false);
    return;
  }
  deviceFirst = ToDevice(view, end1.x, end1.y);
  deviceSecond = ToDevice(view, end2.x, end2.y);
  DrawCachedSegment(device);
}

void FcDsRayLine::DrawRotated(FcDisplaySurface& surface) {
  if (!CanDraw(surface)) return;
  deviceCacheValid = false;
  FcPoint2d end1;
  FcPoint2d end2;
  if (!ClipToView(surface, end1, end2)) return;
  FcDisplayDevice& device = *surface.GetDevice();
  const FcViewTransform& view = *surface.GetView();
  SelectPenAndColor(device);
  device.SetLineWidth(PrintLineWidth(surface));
  if (const FcVertexChainList dashes = MakeDashes(surface, end1, end2)) {
    DrawDashes(view, device, dashes.get(), true);
    return;
  }
  const FcDevicePoint a = ToDevice(view, end1.x, end1.y);
  const FcDevicePoint b = ToDevice(view, end2.x, end2.y);
  device.MoveToRotated(a.x, a.y);
  device.LineToRotated(b.x, b.y);
}

void FcDsRayLine::GetExtents(FcPoint2d& min, FcPoint2d& max) {
  min = first;
  max = first;
}

bool FcDsRayLine::InsideWindow(const FcPoint2d&, const FcPoint2d&) { return false; }

bool FcDsRayLine::CrossesWindow(const FcPoint2d& min, const FcPoint2d& max) {
  if (!drawn) return false;
  const BoxSides sides = SidesOf(min, max);
  FcPoint2d crossing;
  for (int i = 0; i < 4; ++i) {
    if (IntersectRaySegment(first, second, sides.starts[i], sides.ends[i], crossing)) return true;
  }
  return false;
}

bool FcDsXLine::CrossesWindow(const FcPoint2d& min, const FcPoint2d& max) {
  if (!drawn) return false;
  const BoxSides sides = SidesOf(min, max);
  FcPoint2d crossing;
  for (int i = 0; i < 4; ++i) {
    if (IntersectLines(1, first, second, sides.starts[i], sides.ends[i], crossing)) return true;
  }
  return false;
}
