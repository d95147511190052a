#pragma once

#include <cstdint>

#include "core/point2d.h"
#include "display/drag_object.h"

// The arc the Arc command would build for the cursor C, drawn on the
// cursor overlay. A and B are world points whose meaning the kind gives.
class FcDragArc : public FcDragObject {
 public:
  enum Kind : std::int32_t {
    kCentreStartEnd = 0,        // A centre, B start, C the end direction
    kCentreStartChord = 1,      // A centre, B start, C the chord's end
    kCentreStartAngle = 2,      // A centre, B start, C the included angle
    kThreePoints = 3,           // A start, B second point, C end
    kStartEndCentre = 4,        // A start, B end, C centre
    kStartEndAngle = 5,         // A start, B end, C the included angle
    kStartEndDirection = 6,     // A start, B end, C the tangent direction at A
    kStartEndRadius = 7,        // A start, B end, |B - C| the radius
  };

  static FcDragArc CentreStartEnd(const FcPoint2d& centre, const FcPoint2d& start);
  static FcDragArc CentreStartChord(const FcPoint2d& centre, const FcPoint2d& start);
  static FcDragArc CentreStartAngle(const FcPoint2d& centre, const FcPoint2d& start);
  static FcDragArc ThreePoints(const FcPoint2d& start, const FcPoint2d& second);
  static FcDragArc StartEndCentre(const FcPoint2d& start, const FcPoint2d& end);
  static FcDragArc StartEndAngle(const FcPoint2d& start, const FcPoint2d& end);
  static FcDragArc StartEndDirection(const FcPoint2d& start, const FcPoint2d& end);
  static FcDragArc StartEndRadius(const FcPoint2d& start, const FcPoint2d& end);

  int Draw(FcDisplaySurface* surface, const FcPoint2d& cursor) override;

  FcPoint2d a;
  FcPoint2d b;
  std::int32_t kind = kCentreStartEnd;
};
