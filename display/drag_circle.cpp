#include "display/drag_circle.h"

#include "core/arcs.h"
#include "core/point_ops.h"
#include "display/drag_band_frame.h"

FcDragCircle FcDragCircle::CentreRadius(const FcPoint2d& centre) {
  FcDragCircle band;
  band.centre = centre;
  return band;
}

FcDragCircle FcDragCircle::CentreDiameter(const FcPoint2d& centre) {
  FcDragCircle band = CentreRadius(centre);
  band.kind = kCentreDiameter;
  return band;
}

FcDragCircle FcDragCircle::TwoPoints(const FcPoint2d& first) {
  FcDragCircle band;
  band.kind = kTwoPoints;
  band.first = first;
  return band;
}

FcDragCircle FcDragCircle::ThreePoints(const FcPoint2d& first, const FcPoint2d& second) {
  FcDragCircle band = TwoPoints(first);
  band.kind = kThreePoints;
  band.second = second;
  return band;
}

int FcDragCircle::Draw(FcDisplaySurface* surface, const FcPoint2d& cursor) {
  FcPoint2d at = centre;
  double radius = 0.0;
  switch (kind) {
    case kCentreRadius:
      radius = DistanceBetween(cursor, centre);
      break;
    case kCentreDiameter:
      radius = DistanceBetween(cursor, centre) / 2.0;
      break;
    case kTwoPoints:
      at = MidPoint(first, cursor);
      radius = DistanceBetween(cursor, at);
      break;
    case kThreePoints:
      if (!CircleThrough3Points(first, second, cursor, at, &radius, nullptr)) return 0;
      break;
    default:
      return 0;
  }
  if (!(radius > 0.0)) return 0;
  DrawBandCircle(surface, at, radius);
  return kDragDrawn;
}

int FcDragDonut::Draw(FcDisplaySurface* surface, const FcPoint2d& cursor) {
  DrawBandCircle(surface, cursor, insideDiameter / 2.0);
  DrawBandCircle(surface, cursor, outsideDiameter / 2.0);
  return kDragDrawn;
}
