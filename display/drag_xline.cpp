#include "display/drag_xline.h"

#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "display/builder_support.h"
#include "display/display_surface.h"
#include "display/primitive_builders.h"
#include "display/view_transform.h"

FcDragXLine FcDragXLine::ThroughPoint(const FcPoint2d& point) {
  FcDragXLine band;
  band.point = point;
  return band;
}

FcDragXLine FcDragXLine::AtAngle(double angle) {
  FcDragXLine band;
  band.kind = kAtAngle;
  band.angle = angle;
  return band;
}

FcDragXLine FcDragXLine::Bisector(const FcPoint2d& vertex, double startAngle) {
  FcDragXLine band = ThroughPoint(vertex);
  band.kind = kBisector;
  band.angle = startAngle;
  return band;
}

int FcDragXLine::Draw(FcDisplaySurface* surface, const FcPoint2d& cursor) {
  if (surface == nullptr) return 0;
  FcPoint2d p = point;
  FcPoint2d q = cursor;
  switch (kind) {
    case kThroughPoint:
      break;
    case kAtAngle:
      p = cursor;
      q = PointAtPolar(cursor, 1.0, angle);
      break;
    case kBisector:
      if (IsSamePoint(point, cursor)) return 0;
      q = PointAtPolar(point, 1.0, (angle + NormalAngleAbout(point, cursor)) / 2.0);
      break;
    default:
      return 0;
  }
  FcPoint2d end1;
  FcPoint2d end2;
  if (IsSamePoint(p, q) || !SurfaceView(*surface).ClipInfiniteLine(p, q, end1, end2)) return 0;
  DragDrawLine(surface, end1, end2);
  return kDragDrawn;
}
