#include "core/bulge_arc.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/point_ops.h"

namespace {

bool Holds(const SegmentBounds& box, const FcPoint2d& p) {
  return p.x >= box.min.x && p.x <= box.max.x && p.y >= box.min.y && p.y <= box.max.y;
}

// Every point of the arc, sampled along it, lies in the loose box; so do
// the ends.
TEST(LooseSegmentBounds, HoldsTheWholeArcOfAnyBulge) {
  const FcPoint2d start{3, -2};
  const FcPoint2d end{7, 1};
  for (double bulge : {0.0, 1e-6, 0.2, -0.7, 1.0, -1.0, 2.5, -8.0, 40.0}) {
    SCOPED_TRACE(bulge);
    const SegmentBounds box = LooseSegmentBounds(start, bulge, end);
    EXPECT_TRUE(Holds(box, start));
    EXPECT_TRUE(Holds(box, end));
    BulgeArc arc;
    if (!BulgeArcOf(start, bulge, end, arc)) continue;
    for (int i = 0; i <= 64; ++i) {
      const double angle = arc.startAngle + (arc.endAngle - arc.startAngle) * i / 64.0;
      EXPECT_TRUE(Holds(box, PointAtPolar(arc.centre, arc.radius, angle))) << i;
    }
  }
}

TEST(LooseSegmentBounds, SetsApartSegmentsThatAreFarApart) {
  const SegmentBounds a = LooseSegmentBounds({0, 0}, 0.5, {10, 0});
  EXPECT_FALSE(BoundsOverlap(a, LooseSegmentBounds({0, 5}, 0.0, {10, 5})));
  EXPECT_TRUE(BoundsOverlap(a, LooseSegmentBounds({5, -1}, 0.0, {5, -3})));
  EXPECT_TRUE(BoundsOverlap(a, LooseSegmentBounds({10, 0}, 0.0, {20, 0}))) << "meeting at an end";
}

}  // namespace
