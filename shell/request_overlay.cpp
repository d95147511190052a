#include "shell/request_overlay.h"

#include <climits>

#include "core/matrix2d.h"
#include "database/graph.h"
#include "display/display_surface.h"
#include "display/drag_object.h"
#include "display/view_transform.h"
#include "shell/input_request.h"

namespace {

FcDevicePoint ToDevice(FcDisplaySurface& surface, const FcPoint2d& world) {
  FcDevicePoint device;
  if (const FcViewTransform* view = surface.GetView()) view->WorldToDevice(world.x, world.y, &device.x, &device.y);
  return device;
}

FcPoint2d Converted(const FcDisplaySurface& surface, FcPoint2d p, bool toWorld) {
  if (const FcGraph* drawing = surface.GetOwner()) {
    const FcSystemVar& vars = drawing->GetSysVars();
    TransformPoint(toWorld ? vars.UcsToWorld : vars.WorldToUcs, p);
  }
  return p;
}

}  // namespace

void RequestOverlay::Show(FcDisplaySurface& surface, const InputRequest& request, const FcPoint2d& cursor) {
  End();
  surface_ = &surface;
  FcDragObject* drag = request.dragObject;
  const bool onCursor = drag != nullptr && drag->mode == 0;
  if (FcDisplayDevice* device = surface.GetDevice()) {
    device->bandStyle = request.hasBase != 0 ? request.rubberBand : kBandNone;
    const FcDevicePoint anchor = ToDevice(surface, Converted(surface, request.basePoint, true));
    device->bandAnchorX = anchor.x;
    device->bandAnchorY = anchor.y;
    device->dragPreview = onCursor ? drag : nullptr;
  }
  if (!onCursor) drag_ = drag;
  MoveCursor(cursor);
}

void RequestOverlay::PlaceCursor(FcDisplaySurface& surface, const FcPoint2d& cursor) {
  FcDisplayDevice* device = surface.GetDevice();
  if (device == nullptr) return;
  const FcDevicePoint at = ToDevice(surface, cursor);
  device->cursorX = at.x;
  device->cursorY = at.y;
  device->cursorPoint = cursor;
}

bool RequestOverlay::MoveCursor(const FcPoint2d& cursor) {
  if (surface_ == nullptr) return false;
  PlaceCursor(*surface_, cursor);
  if (drag_ == nullptr) return false;
  return Preview(Converted(*surface_, cursor, false), 0);
}

void RequestOverlay::TrackPoint(const FcPoint2d& ucsPoint) {
  if (surface_ == nullptr || drag_ == nullptr || drag_->mode != 2) return;
  Preview(ucsPoint, 1);
}

bool RequestOverlay::Preview(const FcPoint2d& ucsPoint, int extra) {
  previewPoint_ = ucsPoint;
  slice_ = FcPreviewSlice{};
  // A tracking preview changes its own state on every call, so it is never
  // drawn in parts.
  slice_.limit = drag_->mode == 1 ? kItemsPerSlice : INT_MAX;
  return surface_->DragPreviewSlice(drag_, ucsPoint, extra, slice_);
}

bool RequestOverlay::Continue() {
  if (!Unfinished()) return false;
  surface_->DragPreviewSlice(drag_, previewPoint_, 0, slice_);
  return slice_.unfinished;
}

void RequestOverlay::End() {
  if (surface_ != nullptr) {
    surface_->ClearPreview();
    if (FcDisplayDevice* device = surface_->GetDevice()) {
      device->bandStyle = kBandNone;
      device->dragPreview = nullptr;
    }
  }
  surface_ = nullptr;
  drag_ = nullptr;
  slice_ = FcPreviewSlice{};
}
