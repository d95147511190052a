#include "display/drag_band_frame.h"

#include <cmath>

#include "core/geometry_basics.h"
#include "core/matrix2d.h"
#include "core/point_ops.h"
#include "database/graph.h"
#include "display/display_surface.h"
#include "display/primitive_builders.h"

namespace {

const FcSystemVar* VarsOf(const FcDisplaySurface* surface) {
  if (surface == nullptr || surface->GetOwner() == nullptr) return nullptr;
  return &surface->GetOwner()->GetSysVars();
}

}  // namespace

FcDragBandFrame::FcDragBandFrame(const FcDisplaySurface* surface) : surface_(surface) {
  const FcSystemVar* vars = VarsOf(surface);
  if (vars == nullptr) return;
  angbase = vars->angbase;
  clockwise = vars->angdir == 1;
  ucsAngle_ = vars->UcsAngle;
}

FcPoint2d FcDragBandFrame::ToUcs(const FcPoint2d& world) const {
  FcPoint2d p = world;
  if (const FcSystemVar* vars = VarsOf(surface_)) TransformPoint(vars->WorldToUcs, p);
  return p;
}

FcPoint2d FcDragBandFrame::ToWorld(const FcPoint2d& ucs) const {
  FcPoint2d p = ucs;
  if (const FcSystemVar* vars = VarsOf(surface_)) TransformPoint(vars->UcsToWorld, p);
  return p;
}

double UcsAngleAnswer(const FcDragBandFrame& frame, const FcPoint2d& from, const FcPoint2d& to) {
  double angle = AngleFromTo(frame.ToUcs(from), frame.ToUcs(to)) - frame.angbase;
  NormalizeAngle(angle);
  return angle;
}

void DrawBandArc(FcDisplaySurface* surface, const FcPoint2d& centre, double radius, double startAngle,
                 double endAngle) {
  if (!(radius > 0.0) || !std::isfinite(radius) || !std::isfinite(startAngle) || !std::isfinite(endAngle)) return;
  NormalizeAngle(startAngle);
  NormalizeAngle(endAngle);
  if (endAngle == startAngle) return;
  if (endAngle < startAngle) endAngle += kTwoPi;
  DragDrawArc(surface, centre, radius, startAngle, endAngle);
}

void DrawBandCircle(FcDisplaySurface* surface, const FcPoint2d& centre, double radius) {
  if (!(radius > 0.0) || !std::isfinite(radius)) return;
  DragDrawCircle(surface, centre, radius);
}
