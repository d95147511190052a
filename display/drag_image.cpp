#include "display/drag_image.h"

#include <cmath>

#include "core/point_ops.h"
#include "display/drag_band_frame.h"
#include "display/primitive_builders.h"

FcDragImage FcDragImage::Outline(Kind kind, const FcPoint2d& insertion, double width, double height) {
  FcDragImage band;
  band.kind = kind;
  band.insertion = insertion;
  band.width = width;
  band.height = height;
  return band;
}

int FcDragImage::Draw(FcDisplaySurface* surface, const FcPoint2d& cursor) {
  FcPoint2d corner = insertion;
  double w = width;
  double h = height;
  double direction = AngleFromTo(insertion, cursor);
  switch (kind) {
    case kInsertionPoint:
      corner = cursor;
      break;
    case kScale: {
      // The shape keeps the image's proportions; an image of no width has none.
      if (!(width > 0.0)) return 0;
      const FcDragBandFrame frame(surface);
      w = DistanceBetween(insertion, cursor);
      h = w * height / width;
      direction = frame.UcsAngleToWorld(frame.clockwise ? kTwoPi - frame.angbase : frame.angbase);
      break;
    }
    case kRotation:
      break;
    default:
      return 0;
  }
  const FcPoint2d across = PointAtPolar(corner, w, direction);
  const FcPoint2d outline[5] = {corner, across, PointAtPolar(across, h, direction + kHalfPi),
                                PointAtPolar(corner, h, direction + kHalfPi), corner};
  DrawPolylineDirect(surface, outline, 5);
  return kDragDrawn;
}
