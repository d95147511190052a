#pragma once

#include <optional>
#include <vector>

#include "display/display_primitives.h"

// What makes the chords of a curve later: the curve before the insert
// matrix, the chord height and segment cap of its regeneration, and the
// insert matrix. A full curve is a circle.
struct FcCurveChords {
  FcPoint2d centre;
  double radius;
  double startAngle;
  double endAngle;
  bool full;
  double chordHeight;
  int segmentCap;
  FcMatrix2d insertMatrix;
};

// The chords before the insert matrix.
std::vector<PolylineVertex> LocalChords(const FcCurveChords& chords);

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

  // Keeps the recipe of the chords instead of the chords, with the curve
  // already placed through the recipe's insert matrix.
  void SetPendingChords(const FcCurveChords& chords);

  void Transform(const FcMatrix2d& matrix) override;
  void GetExtents(FcPoint2d& min, FcPoint2d& max) override;
  bool InsideWindow(const FcPoint2d& min, const FcPoint2d& max) override;
  bool CrossesWindow(const FcPoint2d& min, const FcPoint2d& max) override;
  void DrawRotated(FcDisplaySurface& surface) override;
  // Carries only the curve through the matrix, for chords that were
  // transformed before they were set.
  void PlaceCurve(const FcMatrix2d& matrix);
  void Draw(FcDisplaySurface& surface) override;

 protected:
  void MakePendingPoints() const override;

 private:
  mutable std::optional<FcCurveChords> pendingChords_;
  // The extents are the curve's box, taken while the chords were pending.
  bool curveBox_ = false;
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
