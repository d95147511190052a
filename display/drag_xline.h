#pragma once

#include <cstdint>

#include "core/point2d.h"
#include "display/drag_object.h"

// The construction line the XLine command would build for the cursor,
// clipped to the view.
class FcDragXLine : public FcDragObject {
 public:
  enum Kind : std::int32_t {
    kThroughPoint = 0,  // through the point and the cursor
    kAtAngle = 1,       // through the cursor at the stored angle
    kBisector = 2,      // through the vertex, halving the stored angle and the cursor's
  };

  static FcDragXLine ThroughPoint(const FcPoint2d& point);
  static FcDragXLine AtAngle(double angle);
  static FcDragXLine Bisector(const FcPoint2d& vertex, double startAngle);

  int Draw(FcDisplaySurface* surface, const FcPoint2d& cursor) override;

  FcPoint2d point;
  double angle = 0.0;
  std::int32_t kind = kThroughPoint;
};
