#pragma once

#include <cstdint>

#include "core/point2d.h"
#include "display/drag_object.h"

class FcSPline;

// The rubber band of the spline commands: the spline the command is
// building, with its last fit point or a tangent following the cursor,
// drawn into the preview group. The spline is the command's; the band
// changes only what the kind names and never owns it.
class FcDragSPline : public FcDragObject {
 public:
  enum Kind : std::int32_t {
    kLastFitPoint = 0,
    kStartTangent = 1,
    kEndTangent = 2,
    // A closed spline: one tangent for both ends.
    kBothTangents = 3,
  };

  FcDragSPline(FcSPline* curve, Kind how) : spline(curve), kind(how) { mode = 1; }

  void DrawFull(FcGraph* drawing, FcDisplaySurface* surface, const FcPoint2d& point) override;

  FcSPline* spline = nullptr;  // not owned
  Kind kind = kLastFitPoint;
};
