#include "database/graph.h"
#include "display/color_table.h"
#include "display/cursor_overlay.h"
#include "display/display_surface.h"
#include "display/drag_object.h"
#include "window/screen_device.h"
#include "window/screen_device_colors.h"
#include "platform/program_settings.h"

namespace {

// The painter's operation, pen and brush, put back when the overlay is done.
class PainterStateKeeper {
 public:
  explicit PainterStateKeeper(QPainter& painter)
      : painter_(painter), mode_(painter.compositionMode()), pen_(painter.pen()), brush_(painter.brush()) {}
  ~PainterStateKeeper() {
    painter_.setCompositionMode(mode_);
    painter_.setPen(pen_);
    painter_.setBrush(brush_);
  }
  PainterStateKeeper(const PainterStateKeeper&) = delete;
  PainterStateKeeper& operator=(const PainterStateKeeper&) = delete;
  const QBrush& Brush() const { return brush_; }

 private:
  QPainter& painter_;
  QPainter::CompositionMode mode_;
  QPen pen_;
  QBrush brush_;
};

}  // namespace

void FcMFCDisplayDevice::StrokePolylines(const std::vector<std::vector<FcDevicePoint>>& polylines, const QPen& pen) {
  target_->setPen(pen);
  for (const auto& line : polylines) {
    const std::vector<QPoint> pixels = ToPixels(line.data(), static_cast<int>(line.size()));
    target_->drawPolyline(pixels.data(), static_cast<int>(pixels.size()));
  }
}

void FcMFCDisplayDevice::DrawPreviewGroup(FcDisplaySurface* surface) {
  if (target_ == nullptr || surface == nullptr || surface->GetDevice() != this) return;
  FcDsGroupEnts& preview = surface->GetPreviewGroup();
  if (preview.IsEmpty()) return;
  PainterStateKeeper keep(*target_);
  // The target is the window's painter, not the buffer's: it has none of
  // the device's pen yet.
  SelectPenAndBrush();
  preview.Draw(*surface);
}

void FcMFCDisplayDevice::DrawSnapMarker() {
  if (target_ == nullptr || snapMarkerKind == 0) return;
  const ProgramSettings& settings = GetProgramSettings();
  const FcOverlayShape shape = SnapMarkerShape(snapMarkerKind, snapMarkerX, snapMarkerY, settings.snap_marker_size);
  if (shape.polylines.empty() && shape.circleRadius <= 0) return;
  const FcColorRef background = BackgroundColor();
  PainterStateKeeper keep(*target_);
  const QPen pen(ToQColor(SnapMarkerColor(settings.osnap_color, background)), 2, Qt::SolidLine, Qt::RoundCap,
                 Qt::RoundJoin);
  StrokePolylines(shape.polylines, pen);
  if (shape.circleRadius > 0) {
    target_->setBrush(Qt::NoBrush);
    const int r = shape.circleRadius;
    target_->drawEllipse(QRect(ToPixel(shape.circleCentre.x - r, shape.circleCentre.y + r), QSize(2 * r, 2 * r)));
  }
}

void FcMFCDisplayDevice::DrawCursor(FcGraph* drawing, FcDisplaySurface* surface) {
  if (target_ == nullptr) return;
  const ProgramSettings& settings = GetProgramSettings();
  const FcColorRef background = BackgroundColor();
  PainterStateKeeper keep(*target_);
  cursorColor = ContrastCursorColor(cursorColor, background);
  const QPen cursorPen(ToQColor(cursorColor), 0);
  target_->setPen(cursorPen);
  target_->setBrush(QBrush(ToQColor(cursorColor)));
  if (dragPreview != nullptr) {
    dragPreview->Draw(surface, cursorPoint);
    target_->setBrush(keep.Brush());
  }

  const FcSystemVar* vars = drawing != nullptr ? &drawing->GetSysVars() : nullptr;
  const double angle = vars != nullptr ? vars->snapang + vars->UcsAngle : 0.0;
  const FcDevicePoint cursor{cursorX, cursorY};
  const auto ends = CrossHairEnds(cursor, crossHairArm, angle);
  const std::vector<FcDevicePolyline> crossHair{{ends[0], ends[1]}, {ends[2], ends[3]}};
  switch (cursorKind) {
    case 1: {
      const int thickness = settings.cursor_thickness;
      StrokePolylines(crossHair, thickness > 1 ? SolidPen(ToQColor(cursorColor), thickness) : cursorPen);
      StrokePolylines({BoxOutline(cursor, settings.select_box_size)}, cursorPen);
      break;
    }
    case 2:
      StrokePolylines({BoxOutline(cursor, settings.select_box_size)}, cursorPen);
      break;
    case 3: {
      if (bandStyle < 3 || bandStyle > 5) StrokePolylines(crossHair, cursorPen);
      const int osmode = vars != nullptr ? vars->osmode : 0;
      if (settings.apbox != 0 && osmode != 0 && (osmode & kSnapOff) == 0) {
        StrokePolylines({BoxOutline(cursor, settings.snap_box_size)}, cursorPen);
      }
      break;
    }
    default:
      break;
  }

  const bool ortho = vars != nullptr && vars->orthomode != 0;
  const FcRubberBand band = RubberBand(bandStyle, {bandAnchorX, bandAnchorY}, cursor, cursorKind, angle, ortho);
  if (band.points.empty()) return;
  const QColor bandColor = ToQColor(RubberBandColor(background));
  StrokePolylines({band.points}, band.dotted ? DottedPen(bandColor) : QPen(bandColor, 0));
}
