#pragma once

#include <cstdint>

#include "core/point2d.h"
#include "display/drag_object.h"

// The next segment of the polyline being drawn, from its start S to the
// cursor: a straight segment or an arc of the arc sub-mode, thin or as the
// outline of its width.
class FcDragPLine : public FcDragObject {
 public:
  enum Kind : std::int32_t {
    kLine = 0,                // straight, or of fixed length towards the cursor
    kTangentArc = 1,          // continues the tangent direction at S
    kCentreArc = 2,           // about the second point, ending in the cursor's direction
    kRadiusArc = 3,           // of the stored radius, ending at the cursor
    kAngleArc = 4,            // of the stored included angle, ending at the cursor
    kThreePointArc = 5,       // through the second point, ending at the cursor
    kRadiusAngleArc = 6,      // stored radius and included angle, chord towards the cursor
    kAngleAboutCursor = 7,    // stored included angle about the cursor as centre
    kCentreAngleArc = 8,      // about the second point, included angle from the cursor
    kCentreChordArc = 9,      // about the second point, chord length from the cursor
  };

  static FcDragPLine From(Kind kind, const FcPoint2d& start, double startHalfWidth, double endHalfWidth);

  int Draw(FcDisplaySurface* surface, const FcPoint2d& cursor) override;

  FcPoint2d start;
  // The second point of a three-point arc, or the centre.
  FcPoint2d second;
  double tangentAngle = 0.0;
  double includedAngle = 0.0;
  double radius = 0.0;
  double startHalfWidth = 0.0;
  double endHalfWidth = 0.0;
  double segmentLength = 0.0;
  bool fixedLength = false;
  std::int32_t kind = kLine;
};
