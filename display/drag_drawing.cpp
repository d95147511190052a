#include <vector>

#include "display/builder_support.h"
#include "display/display_surface.h"
#include "display/primitive_builders.h"
#include "display/view_transform.h"

namespace {

FcDevicePoint ToDevice(const FcViewTransform& view, const FcPoint2d& p) {
  FcDevicePoint d;
  view.WorldToDevice(p.x, p.y, &d.x, &d.y);
  return d;
}

std::vector<FcDevicePoint> ToDevice(const FcViewTransform& view, const FcPoint2d* points, int count) {
  std::vector<FcDevicePoint> out;
  if (points == nullptr || count <= 0) return out;
  out.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) out.push_back(ToDevice(view, points[i]));
  return out;
}

}  // namespace

void DragDrawLine(FcDisplaySurface* surface, const FcPoint2d& p1, const FcPoint2d& p2) {
  if (surface == nullptr || surface->GetDevice() == nullptr) return;
  const FcViewTransform& view = SurfaceView(*surface);
  const FcDevicePoint a = ToDevice(view, p1);
  const FcDevicePoint b = ToDevice(view, p2);
  surface->GetDevice()->MoveTo(a.x, a.y);
  surface->GetDevice()->LineTo(b.x, b.y);
}

void DragDrawCircle(FcDisplaySurface* surface, const FcPoint2d& centre, double radius) {
  if (surface == nullptr || surface->GetDevice() == nullptr) return;
  const FcViewTransform& view = SurfaceView(*surface);
  const FcDevicePoint c = ToDevice(view, centre);
  surface->GetDevice()->Circle(c.x, c.y, view.WorldLengthToPixels(radius));
}

void DragDrawArc(FcDisplaySurface* surface, const FcPoint2d& centre, double radius, double startAngle,
                 double endAngle) {
  if (surface == nullptr || surface->GetDevice() == nullptr) return;
  const FcViewTransform& view = SurfaceView(*surface);
  const FcDevicePoint c = ToDevice(view, centre);
  surface->GetDevice()->Arc(c.x, c.y, view.WorldLengthToPixels(radius), startAngle, endAngle);
}

void DrawPolylineDirect(FcDisplaySurface* surface, const FcPoint2d* points, int count) {
  if (surface == nullptr || surface->GetDevice() == nullptr) return;
  const std::vector<FcDevicePoint> device = ToDevice(SurfaceView(*surface), points, count);
  if (!device.empty()) surface->GetDevice()->Polyline(device.data(), static_cast<int>(device.size()));
}

void DragDrawPolyline(FcDisplaySurface* surface, const FcPoint2d* points, int count) {
  if (surface == nullptr || surface->GetDevice() == nullptr) return;
  const std::vector<FcDevicePoint> device = ToDevice(SurfaceView(*surface), points, count);
  if (!device.empty()) surface->GetDevice()->Polygon(device.data(), static_cast<int>(device.size()));
}
