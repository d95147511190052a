#include "core/trace_joints.h"

#include "core/geometry_basics.h"
#include "core/intersection_kinds.h"
#include "core/intersections.h"
#include "core/point_ops.h"

namespace {

// Offset line of the segment from a (half width wa) to b (half width wb) on
// the side given by the normal angle.
struct OffsetLine {
  FcPoint2d from;
  FcPoint2d to;
};

OffsetLine Offset(const FcPoint2d& a, double wa, const FcPoint2d& b, double wb, double normal) {
  return {PointAtPolar(a, wa, normal), PointAtPolar(b, wb, normal)};
}

// Keeps the straight-on corner when the two lines are too near parallel to
// meet.
void Corner(const OffsetLine& first, const OffsetLine& second, FcPoint2d& corner) {
  FcPoint2d crossing;
  if (IntersectLines(kInfiniteLines, first.from, first.to, second.from, second.to, crossing)) {
    corner = crossing;
  }
}

}  // namespace

void TraceJointPoints(const FcPoint2d& prev, const FcPoint2d& joint, const FcPoint2d& next,
                      double w0, double w1, double w2, FcPoint2d& left, FcPoint2d& right,
                      int& sharp) {
  double q = AngleFromTo(prev, joint);
  NormalizeAngle(q);
  double r = AngleFromTo(joint, next);
  NormalizeAngle(r);
  double delta = q - r;
  NormalizeAngle(delta);
  if (delta > kPi) delta = kTwoPi - delta;

  left = PointAtPolar(joint, w1, q + kHalfPi);
  right = PointAtPolar(joint, w1, q - kHalfPi);
  sharp = 0;
  if (delta < 1e-10) return;

  OffsetLine inLeft = Offset(prev, w0, joint, w1, q + kHalfPi);
  OffsetLine inRight = Offset(prev, w0, joint, w1, q - kHalfPi);
  if (delta > kPi - kPi * 0.15833333333333333) {
    double mean = (q + r) / 2.0;
    OffsetLine cut{PointAtPolar(joint, 100.0, mean), PointAtPolar(joint, 100.0, mean + kPi)};
    Corner(inLeft, cut, left);
    Corner(inRight, cut, right);
    sharp = 1;
    return;
  }
  Corner(inLeft, Offset(joint, w1, next, w2, r + kHalfPi), left);
  Corner(inRight, Offset(joint, w1, next, w2, r - kHalfPi), right);
}
