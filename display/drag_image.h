#pragma once

#include <cstdint>

#include "core/point2d.h"
#include "display/drag_object.h"

// The outline of a raster image being attached.
class FcDragImage : public FcDragObject {
 public:
  enum Kind : std::int32_t {
    kInsertionPoint = 0,  // the corner at the cursor
    kScale = 1,           // the width is the cursor's distance from the corner
    kRotation = 2,        // the bottom edge points at the cursor
  };

  // width and height of the image (for kScale only their ratio counts).
  static FcDragImage Outline(Kind kind, const FcPoint2d& insertion, double width, double height);

  int Draw(FcDisplaySurface* surface, const FcPoint2d& cursor) override;

  FcPoint2d insertion;
  double width = 0.0;
  double height = 0.0;
  std::int32_t kind = kInsertionPoint;
};
