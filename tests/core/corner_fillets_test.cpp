#include "core/corner_fillets.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/point_ops.h"
#include "tests/support/point_expect.h"

namespace {

using enum CornerEdgeKind;

constexpr double kDeg = 3.14159265358979323846 / 180.0;

TEST(CheckCornerPointTest, AcceptsOnlyPointsTheEdgeCanReachOnItsPickedSide) {
  struct Case {
    const char* what;
    CornerEdgeKind kind;
    FcPoint2d t, p1, p2, pick;
    bool accepted;
  };
  // The corner is the origin throughout.
  const Case cases[] = {
      {"segment, point between corner and far end", kSegment, {5, 0}, {2, 0}, {20, 0}, {15, 0}, true},
      {"segment drawn out towards the corner", kSegment, {1, 0}, {2, 0}, {20, 0}, {15, 0}, true},
      {"segment too short for the point", kSegment, {25, 0}, {2, 0}, {20, 0}, {15, 0}, false},
      {"segment, point at its far end", kSegment, {20, 0}, {2, 0}, {20, 0}, {15, 0}, false},
      {"segment, point across the corner from the pick", kSegment, {-5, 0}, {-20, 0}, {20, 0}, {15, 0}, false},
      {"segment picked at the corner goes by the point", kSegment, {-5, 0}, {-20, 0}, {20, 0}, {0, 0}, true},
      {"segment wholly across the corner", kSegment, {5, 0}, {-20, 0}, {-2, 0}, {15, 0}, false},
      {"ray through the corner, point on it", kRay, {-3, 0}, {-10, 0}, {-9, 0}, {0, 0}, true},
      {"ray through the corner, point behind its base", kRay, {-12, 0}, {-10, 0}, {-9, 0}, {0, 0}, false},
      {"ray starting beyond the corner, point before its base", kRay, {5, 0}, {10, 0}, {11, 0}, {0, 0}, true},
      {"ray starting beyond the corner, point across it", kRay, {-5, 0}, {10, 0}, {11, 0}, {0, 0}, false},
      {"construction line takes anything", kInfinite, {-500, 0}, {10, 0}, {11, 0}, {0, 0}, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CheckCornerPoint(c.kind, c.t, c.p1, c.p2, {0, 0}, c.pick), c.accepted) << c.what;
  }
}

// Two lines crossing at the origin: each pick chooses the quarter the
// fillet goes into, and the arc always runs round the corner.
TEST(FilletLineLineTest, PicksChooseTheQuarterAndTheArcFacesTheCorner) {
  struct Case {
    FcPoint2d pickOnX, pickOnY, centre;
  };
  const Case cases[] = {
      {{50, 0}, {0, 50}, {10, 10}},
      {{-50, 0}, {0, 50}, {-10, 10}},
      {{-50, 0}, {0, -50}, {-10, -10}},
      {{50, 0}, {0, -50}, {10, -10}},
  };
  for (const Case& c : cases) {
    StraightCornerEdge xAxis{{-100, 0}, {100, 0}, kSegment, c.pickOnX};
    StraightCornerEdge yAxis{{0, -100}, {0, 100}, kSegment, c.pickOnY};
    FcPoint2d corner;
    FilletArcPlace arc;
    ASSERT_TRUE(FilletLineLine(xAxis, yAxis, 10.0, corner, arc));
    const std::string where = "centre " + std::to_string(c.centre.x) + "," + std::to_string(c.centre.y);
    ExpectPointNear(corner, {0, 0}, 1e-9, where);
    ExpectPointNear(arc.centre, c.centre, 1e-9, where);
    ExpectPointNear(xAxis.pick, {c.centre.x, 0}, 1e-9, where);
    ExpectPointNear(yAxis.pick, {0, c.centre.y}, 1e-9, where);
    // A quarter turn whose middle points at the corner.
    double sweep = arc.endAngle - arc.startAngle;
    if (sweep < 0) sweep += 2 * 3.14159265358979323846;
    EXPECT_NEAR(sweep, 90 * kDeg, 1e-9) << where;
    const FcPoint2d middle = PointAtPolar(arc.centre, 10.0, arc.startAngle + sweep / 2);
    EXPECT_LT(DistanceBetween(middle, corner), DistanceBetween(arc.centre, corner)) << where;
  }
}

TEST(FilletLineLineTest, RefusesParallelEdgesAndSegmentsTooShortForTheRadius) {
  FcPoint2d corner;
  FilletArcPlace arc;
  StraightCornerEdge a{{0, 0}, {100, 0}, kSegment, {50, 0}};
  StraightCornerEdge parallel{{0, 10}, {100, 10}, kSegment, {50, 10}};
  EXPECT_FALSE(FilletLineLine(a, parallel, 1.0, corner, arc));
  ExpectPointEq(a.pick, {50, 0});

  // The segment on the y axis ends 8 units from the corner.
  StraightCornerEdge shortOne{{0, 2}, {0, 8}, kSegment, {0, 5}};
  StraightCornerEdge b{{20, 0}, {100, 0}, kSegment, {50, 0}};
  EXPECT_FALSE(FilletLineLine(b, shortOne, 10.0, corner, arc));
  EXPECT_TRUE(FilletLineLine(b, shortOne, 7.0, corner, arc));
}

TEST(FilletLineLineTest, ZeroRadiusMeetsAtTheCornerAndRaysKeepTheirSide) {
  StraightCornerEdge line{{10, 0}, {100, 0}, kSegment, {50, 0}};
  // A ray from (0,-20) upwards meets the line's extension at the origin.
  StraightCornerEdge ray{{0, -20}, {0, -19}, kRay, {0, -10}};
  FcPoint2d corner;
  FilletArcPlace arc;
  ASSERT_TRUE(FilletLineLine(line, ray, 0.0, corner, arc));
  ExpectPointNear(line.pick, {0, 0}, 1e-9);
  ExpectPointNear(ray.pick, {0, 0}, 1e-9);
  ExpectPointNear(arc.centre, {0, 0}, 1e-9);

  // The fillet would need the part behind the base of a ray that starts
  // just below the corner.
  StraightCornerEdge ray2{{0, -3}, {0, -2}, kRay, {0, -1}};
  StraightCornerEdge line2{{10, 0}, {100, 0}, kSegment, {50, 0}};
  EXPECT_FALSE(FilletLineLine(line2, ray2, 5.0, corner, arc));
}

TEST(FilletLineArcTest, OutsideFilletFollowsTheLinePick) {
  for (const double side : {1.0, -1.0}) {
    StraightCornerEdge line{{-100, 0}, {100, 0}, kSegment, {side * 50, 0}};
    CircularCornerEdge circle{{0, 15}, 10.0, {0, 5}};
    FilletArcPlace arc;
    bool startsAtLine = true;
    ASSERT_TRUE(FilletLineArc(line, circle, 5.0, arc, startsAtLine));
    const double x = side * std::sqrt(125.0);
    ExpectPointNear(arc.centre, {x, 5}, 1e-9);
    ExpectPointNear(line.pick, {x, 0}, 1e-9);
    EXPECT_NEAR(DistanceBetween(circle.pick, {0, 15}), 10.0, 1e-9);
    EXPECT_NEAR(DistanceBetween(circle.pick, arc.centre), 5.0, 1e-9);
    // The arc runs counter-clockwise from the one tangent point to the other.
    const FcPoint2d& from = startsAtLine ? line.pick : circle.pick;
    const FcPoint2d& to = startsAtLine ? circle.pick : line.pick;
    ExpectPointNear(PointAtPolar(arc.centre, 5.0, arc.startAngle), from, 1e-9);
    ExpectPointNear(PointAtPolar(arc.centre, 5.0, arc.endAngle), to, 1e-9);
    EXPECT_EQ(startsAtLine, side < 0);
  }
}

// A line through the centre picked inside the circle: the fillet lies
// inside, on the pick's half, and cannot be as large as the circle.
TEST(FilletLineArcTest, LinePickedInsideGivesAnInsideFillet) {
  StraightCornerEdge line{{-100, 0}, {100, 0}, kSegment, {10, 0}};
  CircularCornerEdge circle{{0, 0}, 20.0, {0, 20}};
  FilletArcPlace arc;
  bool startsAtLine = false;
  ASSERT_TRUE(FilletLineArc(line, circle, 5.0, arc, startsAtLine));
  ExpectPointNear(arc.centre, {std::sqrt(200.0), 5}, 1e-9);
  EXPECT_NEAR(DistanceBetween(circle.pick, {0, 0}), 20.0, 1e-9);
  EXPECT_NEAR(DistanceBetween(circle.pick, arc.centre), 5.0, 1e-9);

  StraightCornerEdge again{{-100, 0}, {100, 0}, kSegment, {10, 0}};
  CircularCornerEdge same{{0, 0}, 20.0, {0, 20}};
  EXPECT_FALSE(FilletLineArc(again, same, 20.0, arc, startsAtLine));
}

TEST(FilletArcArcTest, TouchesBothFromOutsideOnTheFirstPicksSide) {
  for (const double side : {1.0, -1.0}) {
    CircularCornerEdge first{{0, 0}, 10.0, {0, side * 10}};
    CircularCornerEdge second{{24, 0}, 10.0, {24, 10}};
    FilletArcPlace arc;
    bool firstToSecond = false;
    ASSERT_TRUE(FilletArcArc(first, second, 5.0, arc, firstToSecond));
    ExpectPointNear(arc.centre, {12, side * 9}, 1e-9);
    ExpectPointNear(first.pick, PointAtPolar({0, 0}, 10.0, std::atan2(side * 9, 12)), 1e-9);
    const FcPoint2d& from = firstToSecond ? first.pick : second.pick;
    const FcPoint2d& to = firstToSecond ? second.pick : first.pick;
    ExpectPointNear(PointAtPolar(arc.centre, 5.0, arc.startAngle), from, 1e-9);
    ExpectPointNear(PointAtPolar(arc.centre, 5.0, arc.endAngle), to, 1e-9);
    EXPECT_EQ(firstToSecond, side > 0);
  }
  CircularCornerEdge a{{0, 0}, 10.0, {0, 10}};
  CircularCornerEdge farAway{{100, 0}, 10.0, {100, 10}};
  FilletArcPlace arc;
  bool firstToSecond = false;
  EXPECT_FALSE(FilletArcArc(a, farAway, 5.0, arc, firstToSecond));
}

}  // namespace
