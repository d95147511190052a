#pragma once

#include "core/data_array.h"
#include "core/point2d.h"

// The cut points of a trim: the crossing nearest to the pick point on the
// start side of the object (A) and on its end side (B).
struct CrossingSides {
  bool hasA = false;
  bool hasB = false;
  FcPoint2d a;
  FcPoint2d b;
};

// Splits the crossings by the side of pick on which they lie, startSide
// telling for each; on each side the crossing nearest to pick wins, an
// earlier one on a tie.
template <typename StartSide>
CrossingSides NearestCrossingsBySide(const FcPoint2dArray& crossings, const FcPoint2d& pick, StartSide startSide) {
  CrossingSides sides;
  double nearestA = 0.0;
  double nearestB = 0.0;
  for (int i = 0; i < crossings.count; ++i) {
    const FcPoint2d& x = crossings[i];
    const double dx = x.x - pick.x;
    const double dy = x.y - pick.y;
    const double distance = dx * dx + dy * dy;
    if (startSide(x)) {
      if (sides.hasA && distance >= nearestA) continue;
      sides.hasA = true;
      sides.a = x;
      nearestA = distance;
    } else {
      if (sides.hasB && distance >= nearestB) continue;
      sides.hasB = true;
      sides.b = x;
      nearestB = distance;
    }
  }
  return sides;
}
