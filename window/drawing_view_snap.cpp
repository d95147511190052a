#include <QToolTip>

#include "display/display_device.h"
#include "display/display_surface.h"
#include "display/view_transform.h"
#include "platform/program_settings.h"
#include "shell/object_snap.h"
#include "window/drawing_view.h"

void DrawingView::ShowSnapMarker() {
  FcDisplaySurface& surface = Surface();
  FcDisplayDevice* device = surface.GetDevice();
  if (device == nullptr || surface.GetView() == nullptr) return;
  FcPoint2d point;
  int mode = 0;
  // The command thread may only be read from while it waits or is idle.
  const bool found = DrawingIsQuiet() && core_.FindSnapPoint(WorldAt(cursor_), point, mode);
  std::int32_t x = 0;
  std::int32_t y = 0;
  if (found) surface.GetView()->WorldToDevice(point.x, point.y, &x, &y);
  const std::int32_t kind = found ? mode : 0;
  const bool moved =
      device->snapMarkerKind != kind || (kind != 0 && (device->snapMarkerX != x || device->snapMarkerY != y));
  device->snapMarkerKind = kind;
  device->snapMarkerX = x;
  device->snapMarkerY = y;
  const QString tip = QString::fromStdString(SnapMarkerName(kind));
  if (tip != snapTip_) {
    snapTip_ = tip;
    if (tip.isEmpty()) {
      QToolTip::hideText();
    } else {
      const int offset = GetProgramSettings().snap_box_size + 2;
      QToolTip::showText(mapToGlobal((cursor_ + QPointF(offset, offset)).toPoint()), tip, this);
    }
  }
  if (moved) update();
}
