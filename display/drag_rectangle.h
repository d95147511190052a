#pragma once

#include <cstdint>

#include "core/point2d.h"
#include "display/drag_object.h"

// The rectangle the Rectangle command would build from its first corner to
// the cursor, sides parallel to the UCS axes, with chamfered or filleted
// corners when they fit.
class FcDragRectangle : public FcDragObject {
 public:
  enum Corner : std::uint8_t { kPlain = 0, kChamfer = 1, kFillet = 2 };

  // The first corner is a UCS point.
  static FcDragRectangle FromCorner(const FcPoint2d& firstCornerUcs);

  int Draw(FcDisplaySurface* surface, const FcPoint2d& cursor) override;

  std::uint8_t corner = kPlain;
  FcPoint2d firstCorner;
  double chamfer1 = 10.0;
  double chamfer2 = 10.0;
  double filletRadius = 10.0;
};
