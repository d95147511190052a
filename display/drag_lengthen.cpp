#include "display/drag_lengthen.h"

#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "display/drag_band_frame.h"
#include "display/primitive_builders.h"

void FcDragLengthen::SetLine(const FcPoint2d& start, const FcPoint2d& end, bool moveStart) {
  lineStart = start;
  lineEnd = end;
  startMoves = moveStart;
  kind = kLine;
}

void FcDragLengthen::SetArc(const FcPoint2d& centre, double radius, double startAngle, double endAngle,
                            bool moveStart) {
  arcCentre = centre;
  arcRadius = radius;
  arcStart = startAngle;
  arcEnd = endAngle;
  startMoves = moveStart;
  kind = kArc;
}

int FcDragLengthen::Draw(FcDisplaySurface* surface, const FcPoint2d& cursor) {
  if (kind == kLine) {
    FcPoint2d foot;
    if (!FootOfPerpendicular(lineStart, lineEnd, cursor, foot)) return 0;
    if (startMoves) {
      DragDrawLine(surface, foot, lineEnd);
    } else {
      DragDrawLine(surface, lineStart, foot);
    }
    return kDragDrawn;
  }
  // The ray from the centre through the cursor meets the circle once, at
  // the cursor's direction; a cursor on the centre gives no ray.
  if (kind != kArc || !(arcRadius > 0.0) || IsSamePoint(cursor, arcCentre)) return 0;
  const double g = NormalAngleAbout(arcCentre, cursor);
  // DrawBandArc brings the angles into one turn, so the piece runs from the
  // cursor up to the start, or from the end up to the cursor.
  if (startMoves) {
    DrawBandArc(surface, arcCentre, arcRadius, g, arcStart);
  } else {
    DrawBandArc(surface, arcCentre, arcRadius, arcEnd, g);
  }
  return kDragDrawn;
}
