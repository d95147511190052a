#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "core/extend_edge_list.h"
#include "tests/support/point_expect.h"

namespace {

constexpr double kNear = 1e-9;
const double kDeg = kPi / 180.0;

std::unique_ptr<FcExtendEdge> Segment(FcPoint2d a, FcPoint2d b) {
  return std::make_unique<FcExtendLineEdge>(a, b, kExtendSegment);
}
std::unique_ptr<FcExtendEdge> Ray(FcPoint2d base, FcPoint2d through) {
  return std::make_unique<FcExtendLineEdge>(base, through, kExtendRay);
}
std::unique_ptr<FcExtendEdge> Arc(FcPoint2d centre, double radius, double startDeg, double endDeg) {
  return std::make_unique<FcExtendArcEdge>(centre, radius, startDeg * kDeg, endDeg * kDeg, false);
}
std::unique_ptr<FcExtendEdge> Circle(FcPoint2d centre, double radius) {
  return std::make_unique<FcExtendArcEdge>(centre, radius, 0.0, 0.0, true);
}

// A line from (0,0) through (10,0) extended at (10,0) against one edge,
// in both edge modes.
TEST(ExtendEdges, LineExtensionStopsAtAnEdgeOnlyWhereTheModeLetsItCount) {
  struct Case {
    const char* what;
    std::unique_ptr<FcExtendEdge> edge;
    bool hitNoExtend;
    bool hitExtend;
    FcPoint2d at;
  };
  Case cases[] = {
      {"segment across the extension", Segment({20, -5}, {20, 5}), true, true, {20, 0}},
      {"segment whose line alone is met", Segment({20, 5}, {20, 15}), false, true, {20, 0}},
      {"ray pointing across", Ray({20, -5}, {20, -4}), true, true, {20, 0}},
      {"ray met behind its base", Ray({20, 5}, {20, 6}), false, true, {20, 0}},
      {"arc met within its range", Arc({30, 0}, 10, 90, 270), true, true, {20, 0}},
      {"arc widened by the tolerance", Arc({30, 0}, 10, 180 + 1e-7 / kDeg * 0.5, 270), true, true, {20, 0}},
      {"arc met only on its circle", Arc({30, 0}, 10, 200, 340), false, true, {20, 0}},
      {"edge at the moving end itself", Segment({10, -5}, {10, 5}), false, false, {}},
      {"edge behind the line", Segment({-5, -5}, {-5, 5}), false, false, {}},
      {"parallel edge", Segment({0, 5}, {30, 5}), false, false, {}},
  };
  for (Case& c : cases) {
    FcExtendEdgeList list;
    list.Add(std::move(c.edge));
    for (const bool extend : {false, true}) {
      FcPoint2d hit{-99, -99};
      const bool found = list.NearestLineExtension({0, 0}, {10, 0}, extend, hit);
      EXPECT_EQ(found, extend ? c.hitExtend : c.hitNoExtend) << c.what << (extend ? " (Extend)" : " (No extend)");
      if (found) ExpectPointNear(hit, c.at, kNear, c.what);
    }
  }
}

TEST(ExtendEdges, TheNearestHitOfAllEdgesWins) {
  FcExtendEdgeList list;
  list.Add(Segment({40, -5}, {40, 5}));
  list.Add(Circle({30, 0}, 5));  // met at 25 and 35
  list.Add(Segment({25, -5}, {25, 5}));
  FcPoint2d hit;
  ASSERT_TRUE(list.NearestLineExtension({0, 0}, {10, 0}, false, hit));
  ExpectPointNear(hit, {25, 0}, kNear);
}

// An arc of radius 10 about the origin from 0 to 90 degrees extended at
// either end.
TEST(ExtendEdges, ArcExtensionMeetsTheFirstEdgeInTheDirectionOfTravel) {
  FcExtendEdgeList list;
  list.Add(Segment({-20, 0}, {0, 0}));     // the negative x axis: 180 degrees
  list.Add(Segment({0, -20}, {0, 0}));     // the negative y axis: 270 degrees
  list.Add(Circle({20, 20}, 5));           // misses the arc's circle
  FcPoint2d hit;
  ASSERT_TRUE(list.NearestArcExtension({0, 0}, 10, 0.0, kPi / 2, true, false, hit));
  ExpectPointNear(hit, {-10, 0}, kNear, "end moving counter-clockwise");
  ASSERT_TRUE(list.NearestArcExtension({0, 0}, 10, kPi / 2, 0.0, false, false, hit));
  ExpectPointNear(hit, {0, -10}, kNear, "start moving clockwise");

  // A line through the centre crosses the circle twice; the crossing behind
  // the moving end is not taken.
  FcExtendEdgeList through;
  through.Add(std::make_unique<FcExtendLineEdge>(FcPoint2d{-1, -1}, FcPoint2d{1, 1}, kExtendInfinite));
  ASSERT_TRUE(through.NearestArcExtension({0, 0}, 10, 0.0, kPi / 2, true, false, hit));
  ExpectPointNear(hit, {-10 / std::sqrt(2.0), -10 / std::sqrt(2.0)}, 1e-7);
}

TEST(ExtendEdges, AConcentricCircularEdgeNeverMeetsAnArc) {
  FcExtendEdgeList list;
  list.Add(Circle({0, 0}, 10));
  list.Add(Arc({0, 0}, 10, 100, 200));
  FcPoint2d hit;
  EXPECT_FALSE(list.NearestArcExtension({0, 0}, 10, 0.0, kPi / 2, true, true, hit));
  FcPoint2dArray crossings;
  EXPECT_EQ(list.ArcCrossings({0, 0}, 10, 0.0, kTwoPi, true, crossings), 0);
}

TEST(ExtendEdges, CrossingsOfLinesAndArcsFollowTheKindsAndTheMode) {
  struct Case {
    const char* what;
    std::unique_ptr<FcExtendEdge> edge;
    FcPoint2d p1, p2;
    ExtendLineKind kind;
    bool extend;
    int count;
  };
  Case cases[] = {
      {"segment edge across a segment", Segment({5, -5}, {5, 5}), {0, 0}, {10, 0}, kExtendSegment, false, 1},
      {"segment edge beyond a segment's end", Segment({15, -5}, {15, 5}), {0, 0}, {10, 0}, kExtendSegment, true, 0},
      {"segment edge met by a ray", Segment({15, -5}, {15, 5}), {0, 0}, {10, 0}, kExtendRay, false, 1},
      {"segment edge behind a ray", Segment({-5, -5}, {-5, 5}), {0, 0}, {10, 0}, kExtendRay, true, 0},
      {"segment edge behind on a line", Segment({-5, -5}, {-5, 5}), {0, 0}, {10, 0}, kExtendInfinite, false, 1},
      {"short segment edge, No extend", Segment({5, 1}, {5, 5}), {0, 0}, {10, 0}, kExtendSegment, false, 0},
      {"short segment edge, Extend", Segment({5, 1}, {5, 5}), {0, 0}, {10, 0}, kExtendSegment, true, 1},
      {"circle edge across a segment", Circle({5, 0}, 2), {0, 0}, {10, 0}, kExtendSegment, false, 2},
      {"tangent circle edge", Circle({5, 2}, 2), {0, 0}, {10, 0}, kExtendSegment, false, 1},
      {"arc edge, one crossing in range", Arc({5, 0}, 2, 90, 270), {0, 0}, {10, 0}, kExtendSegment, false, 1},
      {"arc edge, both with Extend", Arc({5, 0}, 2, 90, 270), {0, 0}, {10, 0}, kExtendSegment, true, 2},
  };
  for (Case& c : cases) {
    FcExtendEdgeList list;
    list.Add(std::move(c.edge));
    FcPoint2dArray crossings;
    EXPECT_EQ(list.LineCrossings(c.p1, c.p2, c.kind, c.extend, crossings), c.count) << c.what;
    EXPECT_EQ(crossings.count, c.count) << c.what;
  }
}

// A polyline arc segment is the counter-clockwise arc from its vertex for a
// positive bulge and the clockwise one for a negative bulge: a half circle
// over (-10,0)-(10,0) lies above the chord for bulge -1 and below for +1.
TEST(ExtendEdges, PolylineSegmentCrossingsFollowTheBulgeSide) {
  FcExtendEdgeList list;
  list.Add(Segment({0, 0}, {0, 20}));  // the upper half of the y axis
  const PolylineVertex from{-10, 0, 0, 0, 0, -1.0};
  const PolylineVertex to{10, 0};
  FcPoint2dArray crossings;
  ASSERT_EQ(list.PolylineSegmentCrossings(from, to, false, crossings), 1);
  ExpectPointNear(crossings[0], {0, 10}, 1e-7);
  PolylineVertex below = from;
  below.bulge = 1.0;
  EXPECT_EQ(list.PolylineSegmentCrossings(below, to, false, crossings), 0);
  const PolylineVertex straight{-10, 5};
  ASSERT_EQ(list.PolylineSegmentCrossings(straight, {10, 5}, false, crossings), 1);
  ExpectPointNear(crossings[0], {0, 5}, kNear);
}

}  // namespace
