#pragma once

#include <cstdint>

#include "core/point2d.h"
#include "display/drag_object.h"
#include "display/grip_point.h"

class FcSPline;

// The rubber band of the spline commands: the spline the command is
// building, with its last fit point or a tangent following the cursor,
// drawn into the preview group, or, for the kinds from kControlGrips on,
// only the grips of the spline's points, some of them marked. The spline
// is the command's; the band changes only what the kind names and never
// owns it.
class FcDragSPline : public FcDragObject {
 public:
  enum Kind : std::int32_t {
    kLastFitPoint = 0,
    kStartTangent = 1,
    kEndTangent = 2,
    // A closed spline: one tangent for both ends.
    kBothTangents = 3,
    kControlGrips = 4,
    kControlGripMarked = 5,
    kFitGrips = 6,
    // The highlighted fit point and the one after it: where a new one goes.
    kFitGripAndNextMarked = 7,
    kFitGripMarked = 8,
  };

  FcDragSPline(FcSPline* curve, Kind how) : spline(curve), kind(how) { mode = 1; }

  void DrawFull(FcGraph* drawing, FcDisplaySurface* surface, const FcPoint2d& point) override;
  // The grips become the spline's fit points (fit set) or its control
  // points, none marked.
  void SetGrips(bool fit);

  FcSPline* spline = nullptr;  // not owned
  Kind kind = kLastFitPoint;
  // The grip marked, -1 for none.
  int highlighted = -1;
  FcGripPoint grips;
};
