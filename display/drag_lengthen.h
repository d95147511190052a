#pragma once

#include <cstdint>

#include "core/point2d.h"
#include "display/drag_object.h"

// The piece a dynamic Lengthen gives a line or an arc for the cursor: the
// whole new line, or the arc added beyond the moving end.
class FcDragLengthen : public FcDragObject {
 public:
  enum Kind : std::int32_t { kLine = 0, kArc = 1 };

  // startMoves: the start point follows the cursor, else the end point.
  void SetLine(const FcPoint2d& start, const FcPoint2d& end, bool startMoves);
  void SetArc(const FcPoint2d& centre, double radius, double startAngle, double endAngle, bool startMoves);

  int Draw(FcDisplaySurface* surface, const FcPoint2d& cursor) override;

  FcPoint2d lineStart;
  FcPoint2d lineEnd;
  FcPoint2d arcCentre;
  double arcRadius = 0.0;
  double arcStart = 0.0;
  double arcEnd = 0.0;
  bool startMoves = false;
  std::int32_t kind = kLine;
};
