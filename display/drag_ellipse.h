#pragma once

#include <cstdint>

#include "core/point2d.h"
#include "display/drag_object.h"

// The ellipse or elliptic arc the Ellipse command would build for the
// cursor. Angles of the arc are measured from the major axis.
class FcDragEllipse : public FcDragObject {
 public:
  enum Kind : std::int32_t {
    kOtherAxis = 0,      // the minor semi-axis is the cursor's distance from the centre
    kEndAngle = 1,       // arc from the start angle to the cursor's direction
    kStartAngle = 2,     // the whole ellipse of the stored ratio
    kIncludedAngle = 3,  // arc of the cursor's direction as included angle
  };

  // The prompt "Other axis length" once the centre and the major axis are known.
  static FcDragEllipse OtherAxis(const FcPoint2d& centre, const FcPoint2d& majorAxis);
  // The arc prompts; ratio is minor over major.
  static FcDragEllipse Arc(Kind kind, const FcPoint2d& centre, const FcPoint2d& majorAxis, double ratio,
                           double startAngle = 0.0);

  // Stores the major-axis vector from the centre with its angle and length.
  void SetAxis(const FcPoint2d& axis);

  int Draw(FcDisplaySurface* surface, const FcPoint2d& cursor) override;

  FcPoint2d axisVector{1.0, 0.0};
  double axisAngle = 0.0;
  double majorRadius = 1.0;
  double startAngle = 0.0;
  FcPoint2d centre;
  double ratio = 1.0;
  std::int32_t kind = kOtherAxis;
};
