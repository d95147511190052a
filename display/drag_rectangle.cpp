#include "display/drag_rectangle.h"

#include <cmath>

#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "display/drag_band_frame.h"
#include "display/primitive_builders.h"

namespace {

// The point `distance` from `from` towards `to`.
FcPoint2d Towards(const FcPoint2d& from, const FcPoint2d& to, double distance) {
  return PointAtPolar(from, distance, AngleFromTo(from, to));
}

}  // namespace

FcDragRectangle FcDragRectangle::FromCorner(const FcPoint2d& firstCornerUcs) {
  FcDragRectangle band;
  band.firstCorner = firstCornerUcs;
  return band;
}

int FcDragRectangle::Draw(FcDisplaySurface* surface, const FcPoint2d& cursor) {
  const FcDragBandFrame frame(surface);
  const FcPoint2d c = frame.ToUcs(cursor);
  const FcPoint2d& f = firstCorner;
  // From the first corner round, its vertical side first.
  const FcPoint2d corners[4] = {f, {f.x, c.y}, c, {c.x, f.y}};
  const double width = std::fabs(c.x - f.x);
  const double height = std::fabs(c.y - f.y);
  const auto line = [&](const FcPoint2d& p, const FcPoint2d& q) {
    DragDrawLine(surface, frame.ToWorld(p), frame.ToWorld(q));
  };

  const double chamferSum = chamfer1 + chamfer2;
  if (corner == kChamfer && width > chamferSum && height > chamferSum) {
    for (int i = 0; i < 4; ++i) {
      const FcPoint2d& from = corners[i];
      const FcPoint2d& to = corners[(i + 1) % 4];
      const FcPoint2d& next = corners[(i + 2) % 4];
      const FcPoint2d sideEnd = Towards(to, from, chamfer1);
      line(Towards(from, to, chamfer2), sideEnd);
      line(sideEnd, Towards(to, next, chamfer2));
    }
    return kDragDrawn;
  }

  const double r = filletRadius;
  if (corner == kFillet && r > 0.0 && width > 2.0 * r && height > 2.0 * r) {
    for (int i = 0; i < 4; ++i) {
      const FcPoint2d& from = corners[i];
      const FcPoint2d& to = corners[(i + 1) % 4];
      const FcPoint2d& next = corners[(i + 2) % 4];
      const FcPoint2d sideEnd = Towards(to, from, r);
      line(Towards(from, to, r), sideEnd);
      const FcPoint2d nextStart = Towards(to, next, r);
      const FcPoint2d centre = sideEnd + (nextStart - to);
      // The quarter arc, not its complement, runs counter-clockwise from
      // whichever end lies a quarter turn before the other.
      double a1 = NormalAngleAbout(centre, sideEnd);
      double a2 = NormalAngleAbout(centre, nextStart);
      double sweep = a2 - a1;
      NormalizeAngle(sweep);
      if (sweep > kPi) std::swap(a1, a2);
      DrawBandArc(surface, frame.ToWorld(centre), r, frame.UcsAngleToWorld(a1), frame.UcsAngleToWorld(a2));
    }
    return kDragDrawn;
  }

  for (int i = 0; i < 4; ++i) line(corners[i], corners[(i + 1) % 4]);
  return kDragDrawn;
}
