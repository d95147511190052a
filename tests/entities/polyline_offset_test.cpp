#include "entities/polyline_offset.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "entities/polyline.h"
#include "tests/support/polyline_expect.h"

namespace {

using V = VertexXYB;

FcPolyline Make(const std::vector<V>& vertices, bool closed) {
  FcPolyline polyline;
  for (const V& v : vertices) polyline.AppendVertex({v.x, v.y}, 0.0, 0.0, v.bulge);
  polyline.SetClosed(closed);
  return polyline;
}

std::unique_ptr<FcPolyline> Offset(const FcPolyline& source, const FcPoint2d& point, double distance,
                                   OffsetGapType gap = kGapExtend) {
  return std::unique_ptr<FcPolyline>(MakeOffsetPolyline(source, point, distance, gap));
}

const double kQuarter = std::tan(std::atan(1.0) / 2.0);  // bulge of a quarter circle

// A 10 by 6 rectangle, counter-clockwise.
FcPolyline Rectangle() { return Make({{0, 0, 0}, {10, 0, 0}, {10, 6, 0}, {0, 6, 0}}, true); }

TEST(PolylineOffset, AClosedRectangleOutwardTakesTheGapStyleAtEveryCorner) {
  struct Case {
    OffsetGapType gap;
    std::vector<V> expected;
  } cases[] = {
      {kGapExtend, {{-1, -1, 0}, {11, -1, 0}, {11, 7, 0}, {-1, 7, 0}}},
      // Quarter arcs of radius 1 about the source corners, counter-clockwise
      // like the rectangle; the last one runs from the closing side back to
      // the first vertex.
      {kGapRound,
       {{0, -1, 0}, {10, -1, kQuarter}, {11, 0, 0}, {11, 6, kQuarter}, {10, 7, 0}, {0, 7, kQuarter}, {-1, 6, 0},
        {-1, 0, kQuarter}}},
      {kGapStraight, {{0, -1, 0}, {10, -1, 0}, {11, 0, 0}, {11, 6, 0}, {10, 7, 0}, {0, 7, 0}, {-1, 6, 0}, {-1, 0, 0}}},
  };
  for (const Case& c : cases) {
    const std::string where = "gap type " + std::to_string(c.gap);
    const std::unique_ptr<FcPolyline> result = Offset(Rectangle(), {5, -3}, 1.0, c.gap);
    ASSERT_NE(result, nullptr) << where;
    EXPECT_TRUE(result->IsClosed()) << where;
    ExpectVertices(*result, c.expected, where);
  }
}

// A repeated vertex, and a closing vertex that repeats the first, make
// segments of no length: the copy is the one of the plain rectangle.
TEST(PolylineOffset, RepeatedVerticesChangeNothing) {
  const FcPolyline repeats = Make({{0, 0, 0}, {10, 0, 0}, {10, 0, 0}, {10, 6, 0}, {0, 6, 0}, {0, 0, 0}}, true);
  for (OffsetGapType gap : {kGapExtend, kGapRound}) {
    const std::unique_ptr<FcPolyline> expected = Offset(Rectangle(), {5, -3}, 1.0, gap);
    const std::unique_ptr<FcPolyline> result = Offset(repeats, {5, -3}, 1.0, gap);
    ASSERT_NE(result, nullptr);
    EXPECT_TRUE(result->IsClosed());
    std::vector<V> corners;
    for (const PolylineVertex& v : expected->GetVertices()) corners.push_back({v.x, v.y, v.bulge});
    ExpectVertices(*result, corners, "gap type " + std::to_string(gap));
  }
}

// Inward every corner is concave on the offset side: the pieces cross and
// are trimmed, the closing one against both the first and the last, so
// the gap style never shows.
TEST(PolylineOffset, AClosedRectangleInwardIsTrimmedAtEveryCornerWhateverTheGapStyle) {
  for (OffsetGapType gap : {kGapExtend, kGapRound, kGapStraight}) {
    const std::unique_ptr<FcPolyline> result = Offset(Rectangle(), {5, 1}, 2.0, gap);
    ASSERT_NE(result, nullptr);
    EXPECT_TRUE(result->IsClosed());
    ExpectVertices(*result, {{2, 2, 0}, {8, 2, 0}, {8, 4, 0}, {2, 4, 0}}, "gap type " + std::to_string(gap));
  }
}

// A slot: straight sides and half circles at the ends, each arc tangent to
// its neighbours. Each piece meets the one before exactly at its end, so
// the joints need no gap filling and the copy has the source's shape.
TEST(PolylineOffset, TangentArcsAndLinesJoinEndToEndOnBothSides) {
  const FcPolyline slot = Make({{0, 0, 0}, {10, 0, 1.0}, {10, 4, 0}, {0, 4, 1.0}}, true);
  for (OffsetGapType gap : {kGapExtend, kGapRound, kGapStraight}) {
    const std::string where = "gap type " + std::to_string(gap);
    const std::unique_ptr<FcPolyline> outward = Offset(slot, {5, -3}, 1.0, gap);
    ASSERT_NE(outward, nullptr) << where;
    EXPECT_TRUE(outward->IsClosed()) << where;
    ExpectVertices(*outward, {{0, -1, 0}, {10, -1, 1.0}, {10, 5, 0}, {0, 5, 1.0}}, where + " outward");
    const std::unique_ptr<FcPolyline> inward = Offset(slot, {5, 0.5}, 1.0, gap);
    ASSERT_NE(inward, nullptr) << where;
    ExpectVertices(*inward, {{0, 1, 0}, {10, 1, 1.0}, {10, 3, 0}, {0, 3, 1.0}}, where + " inward");
  }
}

// Two clockwise half circles over (0,0)-(10,0) and (10,0)-(20,0): offset
// upwards their grown arcs cross above the cusp, and each is cut there.
TEST(PolylineOffset, ArcsThatCrossAtAConcaveJointAreCutToTheirCrossing) {
  const FcPolyline humps = Make({{0, 0, -1.0}, {10, 0, -1.0}, {20, 0, 0}}, false);
  const std::unique_ptr<FcPolyline> result = Offset(humps, {5, 8}, 1.0);
  ASSERT_NE(result, nullptr);
  // Each kept part runs from the horizontal to the crossing: 180 degrees
  // less the crossing's angle of atan2(sqrt(11), 5).
  const double kept = -std::tan((std::acos(-1.0) - std::atan2(std::sqrt(11.0), 5.0)) / 4.0);
  ExpectVertices(*result, {{-1, 0, kept}, {10, std::sqrt(11.0), kept}, {21, 0, 0}});
}

// The fourth piece crosses the first: what lay between is a loop and goes.
TEST(PolylineOffset, APieceThatCrossesAnEarlierOneCutsOffTheLoop) {
  const FcPolyline hook = Make({{0, 0, 0}, {10, 0, 0}, {10, 4, 0}, {6, 4, 0}, {6, -4, 0}}, false);
  const std::unique_ptr<FcPolyline> result = Offset(hook, {5, 0.5}, 1.0);
  ASSERT_NE(result, nullptr);
  ExpectVertices(*result, {{0, 1, 0}, {7, 1, 0}, {7, -4, 0}});
}

// A counter-clockwise half circle below its chord, centre (5,0), radius 5.
TEST(PolylineOffset, AnArcGrowsOrShrinksByTheSideOfThePoint) {
  const FcPolyline bowl = Make({{0, 0, 1.0}, {10, 0, 0}}, false);
  struct Case {
    const char* what;
    FcPoint2d point;
    double distance;
    double radius;
  } cases[] = {
      {"outside the circle", {5, -8}, 1.0, 6.0},
      {"between the chord and the arc", {5, -1}, 1.0, 4.0},
      {"beyond the chord, outside the circle", {5, 8}, 1.0, 4.0},
      {"through a point beyond the chord", {5, 8}, -1.0, 2.0},
      {"through a point outside", {5, -7}, -1.0, 7.0},
  };
  for (const Case& c : cases) {
    const std::unique_ptr<FcPolyline> result = Offset(bowl, c.point, c.distance);
    ASSERT_NE(result, nullptr) << c.what;
    ExpectVertices(*result, {{5 - c.radius, 0, 1.0}, {5 + c.radius, 0, 0}}, c.what);
  }
}

// A side point on a straight segment's line counts as its right; a
// clockwise arc after it goes the same way, towards its centre, and the
// convex corner between them is rounded about the joint.
TEST(PolylineOffset, APointOnAStraightSegmentsLineSendsTheWholePolylineOneWay) {
  const FcPolyline hump = Make({{0, 0, 0}, {10, 0, -1.0}, {20, 0, 0}}, false);
  const std::unique_ptr<FcPolyline> result = Offset(hump, {5, 0}, 1.0);
  ASSERT_NE(result, nullptr);
  ExpectVertices(*result, {{0, -1, 0}, {10, -1, kQuarter}, {11, 0, -1.0}, {19, 0, 0}});
}

// The small arc in the middle would need a negative radius: it is left
// out and its neighbours, whose offsets are collinear, both stay whole.
TEST(PolylineOffset, AnArcThatCollapsesIsLeftOutAndItsNeighboursJoinAcrossTheGap) {
  const FcPolyline dip = Make({{-10, 0, 0}, {0, 0, 1.0}, {2, 0, 0}, {12, 0, 0}}, false);
  const std::unique_ptr<FcPolyline> result = Offset(dip, {-5, 3}, 2.0);
  ASSERT_NE(result, nullptr);
  ExpectVertices(*result, {{-10, 2, 0}, {0, 2, 0}, {2, 2, 0}, {12, 2, 0}});
}

// Collinear segments offset to parallel pieces: both ends stay, so the
// joint has two equal vertices. Each vertex keeps its source's widths.
TEST(PolylineOffset, KeepsWidthsPerVertexAndCollinearJointsTwice) {
  FcPolyline source;
  source.AppendVertex({0, 0}, 1, 2, 0);
  source.AppendVertex({5, 0}, 3, 4, 0);
  source.AppendVertex({10, 0}, 5, 6, 0);
  source.AppendVertex({10, 5}, 7, 8, 0);
  source.SetColor(3);
  const std::unique_ptr<FcPolyline> result = Offset(source, {2, -1}, 1.0);
  ASSERT_NE(result, nullptr);
  ExpectVertices(*result, {{0, -1, 0}, {5, -1, 0}, {5, -1, 0}, {11, -1, 0}, {11, 5, 0}});
  const double widths[][2] = {{1, 2}, {3, 4}, {3, 4}, {5, 6}, {7, 8}};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(result->GetVertices()[i].startWidth, widths[i][0]) << i;
    EXPECT_EQ(result->GetVertices()[i].endWidth, widths[i][1]) << i;
  }
  EXPECT_EQ(result->GetColor(), 3);
  EXPECT_FALSE(result->IsClosed());
}

TEST(PolylineOffset, RefusesFittedPolylinesAndPointsThatGiveNoDistance) {
  FcPolyline fitted = Make({{0, 0, 0}, {10, 0, 0}, {10, 6, 0}}, false);
  ASSERT_TRUE(fitted.CurveFit());
  EXPECT_EQ(Offset(fitted, {5, -1}, 1.0), nullptr);

  const FcPolyline line = Make({{0, 0, 0}, {10, 0, 0}}, false);
  EXPECT_EQ(Offset(line, {5, 0}, -1.0), nullptr) << "through a point on the segment";
  EXPECT_EQ(Offset(Make({{0, 0, 0}}, false), {5, 1}, 1.0), nullptr) << "one vertex";
}

}  // namespace
