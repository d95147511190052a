#pragma once

#include <string>
#include <vector>

#include "core/point2d.h"
#include "display/device_point.h"
#include "display/view_transform.h"

class FcSystemVar;

// What the screen device draws at the end of a redraw: the grid dots and
// the UCS icon, worked out here in device pixels (y up) and painted by the
// screen device in the colour that contrasts with its background.

// Whether the view window and the drawing limits overlap (strictly: a
// window that only touches the limits along an edge does not).
bool GridLimitsOverlap(const FcPoint2d& limitsMin, const FcPoint2d& limitsMax, const FcPoint2d& windowMin,
                       const FcPoint2d& windowMax);

// The device points of the grid dots inside both the view window and the
// limits. None when the grid spacing comes to 2 pixels or less.
std::vector<FcDevicePoint> GridDots(const FcSystemVar& vars, const FcViewTransform& view);

struct FcIconLabel {
  std::string text;
  FcDevicePoint topLeft;
};

// The UCS icon: polylines, an optional circle about the origin and the
// axis labels.
struct FcUcsIconShape {
  std::vector<std::vector<FcDevicePoint>> polylines;
  bool originCircle = false;
  FcDevicePoint origin;
  std::vector<FcIconLabel> labels;
};

// The icon for a drawing area of width x height pixels; letterWidth and
// letterHeight are the size of the text "W" in the label font.
FcUcsIconShape UcsIconShape(const FcSystemVar& vars, const FcViewTransform& view, int width, int height,
                            int letterWidth, int letterHeight);
