#pragma once

#include <cstdint>

#include "core/point2d.h"
#include "display/drag_object.h"

// The circle the Circle command would build for the cursor C (world points).
class FcDragCircle : public FcDragObject {
 public:
  enum Kind : std::int32_t {
    kCentreRadius = 0,    // radius |C - centre|
    kCentreDiameter = 1,  // diameter |C - centre|
    kTwoPoints = 2,       // the first point and C end a diameter
    kThreePoints = 3,     // through the first point, the second point and C
  };

  static FcDragCircle CentreRadius(const FcPoint2d& centre);
  static FcDragCircle CentreDiameter(const FcPoint2d& centre);
  static FcDragCircle TwoPoints(const FcPoint2d& first);
  static FcDragCircle ThreePoints(const FcPoint2d& first, const FcPoint2d& second);

  int Draw(FcDisplaySurface* surface, const FcPoint2d& cursor) override;

  FcPoint2d centre;
  FcPoint2d first;
  FcPoint2d second;
  std::int32_t kind = kCentreRadius;
};

// The two circles of a donut centred at the cursor.
class FcDragDonut : public FcDragObject {
 public:
  FcDragDonut(double inside, double outside) : insideDiameter(inside), outsideDiameter(outside) {}

  int Draw(FcDisplaySurface* surface, const FcPoint2d& cursor) override;

  double insideDiameter = 0.0;
  double outsideDiameter = 0.0;
};
