#pragma once

#include "core/point2d.h"

class FcPolyline;

// How the gap that opens at a convex corner between two offset segments is
// filled (the program setting offsetgaptype).
enum OffsetGapType {
  // Straight segments are extended to meet; where an arc takes part the
  // gap is rounded as kGapRound does.
  kGapExtend = 0,
  // An arc about the source vertex.
  kGapRound = 1,
  // A straight segment across the gap.
  kGapStraight = 2,
};

// The parallel copy of a polyline on the side of `point`, at `distance`,
// or, with a distance below 0, through `point` (the distance of the point
// from the nearest visible segment's carrier line or circle). Segments that
// overlap are trimmed and loops cut off; arcs that shrink to nothing are
// left out. The copy is a clone of the source (layer, linetype, colour,
// widths per vertex, closed flag) not yet in any drawing; null when the
// polyline cannot be offset: fitted or otherwise flagged beyond closed, no
// segment to take the side from, a distance that is not above 0, or fewer
// than two vertices left.
FcPolyline* MakeOffsetPolyline(const FcPolyline& source, const FcPoint2d& point, double distance,
                               OffsetGapType gapType);
