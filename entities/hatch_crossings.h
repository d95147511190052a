#pragma once

#include <vector>

#include "core/point2d.h"

// Where a boundary crosses a pattern line. A point counts as above the line
// only when it lies more than a tolerance to its left; a piece of boundary
// crosses wherever it passes between above and not above. Every point has
// one side whichever piece asks, so a boundary passing through a vertex on
// the line crosses there once, and one that only touches the line at a
// vertex or a tangent crosses twice or not at all: the count along a closed
// loop stays even and pairs inside spans correctly.
class CrossingLine {
 public:
  // The infinite line through p1 and p2.
  CrossingLine(const FcPoint2d& p1, const FcPoint2d& p2);

  // Appends the crossing of the straight piece from a to b, if any.
  void AppendSegmentCrossings(const FcPoint2d& a, const FcPoint2d& b, std::vector<FcPoint2d>& hits) const;
  // Appends the crossings of the arc centre + u cos t + v sin t, t from low
  // to high (at most one turn above low): a circular arc when u and v are
  // perpendicular radii, an elliptic one for the two semi-axes.
  void AppendConicCrossings(const FcPoint2d& centre, const FcPoint2d& u, const FcPoint2d& v, double low, double high,
                            std::vector<FcPoint2d>& hits) const;

 private:
  // Signed distance, positive to the left of the line.
  double Height(const FcPoint2d& point) const;
  bool Above(const FcPoint2d& point) const;

  FcPoint2d origin_;
  FcPoint2d normal_;
};
