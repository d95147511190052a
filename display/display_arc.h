#pragma once

#include "display/display_primitives.h"

// A circle or arc kept both as its chords and as the curve itself, made
// only for devices that write true curves (FcDisplayDevice::DrawsCurves).
// Wholly in view it draws through the device's Circle or Arc; cut by the
// view, or after a transform that does not keep circles round, it draws
// its chords like any polyline.
class FcDsArc : public FcDsPolyline {
 public:
  // Angles in radians, counterclockwise from start to end; a circle when
  // full.
  FcDsArc(FcHandle entityHandle, int partTag, const FcPoint2d& centre, double radius, double startAngle,
          double endAngle, bool full);

  void Transform(const FcMatrix2d& matrix) override;
  // Carries only the curve through the matrix, for chords that were
  // transformed before they were set.
  void PlaceCurve(const FcMatrix2d& matrix);
  void Draw(FcDisplaySurface& surface) override;

 private:
  FcPoint2d centre_;
  double radius_;
  double startAngle_;
  double endAngle_;
  bool full_;
  // False once a transform made the curve something other than a circle.
  bool curveKept_ = true;
};

// True when the matrix keeps circles round and their direction: a rotation
// with one scale for both axes, without mirroring.
bool KeepsCirclesRound(const FcMatrix2d& matrix);
