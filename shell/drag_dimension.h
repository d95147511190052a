#pragma once

#include "core/point2d.h"
#include "display/drag_object.h"

class FcDimension;

// Which way a linear dimension placed at the location measures: across the
// base angle when the location lies further beside the origins than above
// or below them, else along it.
double AutomaticDimAngle(const FcPoint2d& first, const FcPoint2d& second, const FcPoint2d& location, double base);
// Where the dimension line through the location, at the angle, meets the
// perpendicular through the origin.
FcPoint2d PointOnDimLine(const FcPoint2d& location, double angle, const FcPoint2d& origin);

// The rubber band of the dimension commands: the dimension being placed
// follows the cursor and is rebuilt and drawn into the preview group on
// every move. The dimension is the command's; the band changes the points
// the cursor gives and never owns it.
class FcDimDrag : public FcDragObject {
 public:
  explicit FcDimDrag(FcDimension* placed) : dimension(placed) { mode = 1; }

  void DrawFull(FcGraph* drawing, FcDisplaySurface* surface, const FcPoint2d& point) override;

  FcDimension* dimension = nullptr;  // not owned
  // Linear: the dimension line's angle and the angle the automatic choice
  // starts from; the origins, and for a circle the origins turned a
  // quarter about its centre that measure across.
  double angle = 0.0;
  double baseAngle = 0.0;
  bool automatic = true;
  bool circle = false;
  FcPoint2d first;
  FcPoint2d second;
  FcPoint2d turnedFirst;
  FcPoint2d turnedSecond;
  // Radial: the curve measured; the direction to the cursor stays within
  // its start and end angle (a circle's are equal).
  FcPoint2d centre;
  double radius = 0.0;
  double startAngle = 0.0;
  double endAngle = 0.0;

 private:
  void PlaceLinear(const FcPoint2d& cursor);
  void PlaceRadial(const FcPoint2d& cursor);
};
