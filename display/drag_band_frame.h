#pragma once

#include "core/point2d.h"

class FcDisplaySurface;

// What the geometric rubber bands read from the drawing behind the surface:
// the UCS and the angle settings. A surface without a drawing (headless
// previews) gives the world UCS, ANGBASE 0 and counter-clockwise angles.
struct FcDragBandFrame {
  explicit FcDragBandFrame(const FcDisplaySurface* surface);

  FcPoint2d ToUcs(const FcPoint2d& world) const;
  FcPoint2d ToWorld(const FcPoint2d& ucs) const;
  // A direction given in the UCS as a world direction.
  double UcsAngleToWorld(double ucsAngle) const { return ucsAngle + ucsAngle_; }

  double angbase = 0.0;
  bool clockwise = false;

 private:
  const FcDisplaySurface* surface_;
  double ucsAngle_ = 0.0;
};

// The angle of `to` seen from `from` in the UCS, minus ANGBASE, normalised:
// what an angle prompt would answer for that cursor.
double UcsAngleAnswer(const FcDragBandFrame& frame, const FcPoint2d& from, const FcPoint2d& to);

// The counter-clockwise arc from start to end on the device. Both angles are
// normalised first and the end raised above the start; a radius that is not
// positive or an arc of no sweep draws nothing, where the device would
// otherwise show the whole circle.
void DrawBandArc(FcDisplaySurface* surface, const FcPoint2d& centre, double radius, double startAngle,
                 double endAngle);
// A circle of positive, finite radius.
void DrawBandCircle(FcDisplaySurface* surface, const FcPoint2d& centre, double radius);
