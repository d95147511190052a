#include <gtest/gtest.h>

#include <cstdint>

#include "core/matrix2d.h"
#include "core/point2d.h"
#include "database/graph.h"
#include "tests/support/point_expect.h"

namespace {

constexpr double kNear = 1e-9;

FcPoint2d Through(const FcMatrix2d& m, FcPoint2d p) {
  TransformPoint(m, p);
  return p;
}

TEST(GraphUcsTest, SnapsToTheRotatedGrid) {
  struct Case {
    FcPoint2d base;
    double angle;
    FcPoint2d unit;
    FcPoint2d in;
    FcPoint2d out;
  };
  const Case cases[] = {
      {{0, 0}, 0.0, {10, 10}, {15, 14.9}, {20, 10}},
      {{0, 0}, 0.0, {10, 10}, {-15, -5}, {-10, 0}},
      {{1, 1}, 0.0, {10, 10}, {16, 15.9}, {21, 11}},
      // A quarter turn swaps the roles of the spacings.
      {{0, 0}, kHalfPi, {10, 20}, {14.9, 15}, {20, 20}},
      // A spacing that is not positive leaves its coordinate alone.
      {{0, 0}, 0.0, {0, 10}, {3.3, 14}, {3.3, 10}},
  };
  for (const Case& c : cases) {
    FcGraph graph;
    FcSystemVar& vars = graph.GetSysVars();
    vars.snapbase = c.base;
    vars.snapang = c.angle;
    vars.snapunit = c.unit;
    FcPoint2d point = c.in;
    graph.SnapToGrid(point);
    ExpectPointNear(point, c.out, kNear);
  }
}

TEST(GraphUcsTest, SnapFrameIsMovedThenTurned) {
  FcGraph graph;
  graph.GetSysVars().snapbase = {5, 5};
  graph.GetSysVars().snapang = kHalfPi;
  FcPoint2d point{5, 15};
  graph.ToSnapFrame(point);
  ExpectPointNear(point, {10, 0}, kNear);
}

TEST(GraphUcsTest, OrthoKeepsTheLongerMove) {
  struct Case {
    double angle;
    FcPoint2d base;
    FcPoint2d in;
    FcPoint2d out;
  };
  const Case cases[] = {
      {0.0, {0, 0}, {3, 3}, {0, 3}},
      {0.0, {0, 0}, {4, 3}, {4, 0}},
      {0.0, {1, 1}, {-5, 2}, {-5, 1}},
      {kPi / 4, {0, 0}, {3, 1}, {2, 2}},
  };
  for (const Case& c : cases) {
    FcGraph graph;
    graph.GetSysVars().snapang = c.angle;
    // The turn is about the origin, never about the snap base.
    graph.GetSysVars().snapbase = {100, 100};
    FcPoint2d point = c.in;
    graph.OrthoConstrain(c.base, point);
    ExpectPointNear(point, c.out, kNear);
  }
}

TEST(GraphUcsTest, UserAnglesFollowBaseAndDirection) {
  struct Case {
    double angle;
    double base;
    std::uint8_t clockwise;
    double expected;
  };
  const Case cases[] = {
      {0.0, 0.0, 1, kTwoPi},
      {kHalfPi, kPi / 4, 0, kPi / 4},
      {0.0, kHalfPi, 0, 3 * kHalfPi},
      {-kHalfPi, 0.0, 1, kHalfPi},
  };
  for (const Case& c : cases) {
    FcGraph graph;
    graph.GetSysVars().angbase = c.base;
    graph.GetSysVars().angdir = c.clockwise;
    double angle = c.angle;
    graph.ToUserAngle(angle);
    EXPECT_NEAR(angle, c.expected, kNear) << c.angle << " " << c.base;
  }
}

TEST(GraphUcsTest, UcsAnglesBecomeWorldAngles) {
  struct Case {
    FcPoint2d xPoint;
    FcPoint2d yPoint;
    double in;
    double out;
  };
  const Case cases[] = {
      {{0, 1}, {-1, 0}, 0.0, kHalfPi},
      {{0, 1}, {-1, 0}, kPi, 3 * kHalfPi},
      // Left-handed: angles run the other way.
      {{1, 0}, {0, -1}, kHalfPi, 3 * kHalfPi},
  };
  for (const Case& c : cases) {
    FcGraph graph;
    ASSERT_TRUE(graph.GetSysVars().SetUcs({7, 7}, {7 + c.xPoint.x, 7 + c.xPoint.y}, {7 + c.yPoint.x, 7 + c.yPoint.y}));
    double angle = c.in;
    graph.AngleToUcs(angle);
    EXPECT_NEAR(angle, c.out, kNear);
  }
}

TEST(GraphUcsTest, NamedUcsIsSavedAndRestored) {
  FcGraph graph;
  FcSystemVar& vars = graph.GetSysVars();
  ASSERT_TRUE(vars.SetUcs({10, 5}, {10, 6}, {9, 5}));
  EXPECT_EQ(graph.SaveNamedUcs(""), nullptr);
  FcUCS* first = graph.SaveNamedUcs("Side");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->GetHandle(), 0u);
  ExpectPointNear(first->GetOrigin(), {10, 5}, kNear);
  ExpectPointNear(first->GetXAxis(), {0, 1}, kNear);
  ASSERT_TRUE(vars.SetUcs({0, 0}, {1, 0}, {0, 1}));
  graph.SaveNamedUcs("SIDE");
  EXPECT_EQ(graph.GetUcsList().GetCount(), 2);

  graph.RestoreNamedUcs("");
  graph.RestoreNamedUcs("Top");
  EXPECT_EQ(graph.GetPreviousUcsList().GetCount(), 0);

  graph.RestoreNamedUcs("side");
  ASSERT_EQ(graph.GetPreviousUcsList().GetCount(), 1);
  ExpectPointNear(graph.GetPreviousUcsList().GetAt(0)->GetXAxis(), {1, 0}, kNear);
  ExpectPointNear(vars.ucsorg, {10, 5}, kNear);
  ExpectPointNear(Through(vars.WorldToUcs, {10, 7}), {2, 0}, kNear);
  ExpectPointNear(Through(vars.UcsToWorld, {1, 0}), {10, 6}, kNear);
  EXPECT_EQ(vars.UcsIsWorld, 0);
}

TEST(GraphUcsTest, PreviousUcsStaysOnTheStack) {
  FcGraph graph;
  FcSystemVar& vars = graph.GetSysVars();
  graph.RestorePreviousUcs();
  EXPECT_EQ(vars.UcsIsWorld, 1);

  graph.PushPreviousUcs();
  graph.MoveUcsOrigin(3, 4);
  ExpectPointNear(Through(vars.WorldToUcs, {3, 4}), {0, 0}, kNear);
  graph.PushPreviousUcs();
  graph.RotateUcs(kHalfPi);
  ExpectPointNear(vars.ucsorg, {3, 4}, kNear);
  ExpectPointNear(vars.ucsxdir, {0, 1}, kNear);
  ExpectPointNear(Through(vars.UcsToWorld, {1, 0}), {3, 5}, kNear);

  for (int i = 0; i < 2; ++i) {
    graph.RestorePreviousUcs();
    ExpectPointNear(vars.ucsorg, {3, 4}, kNear);
    ExpectPointNear(vars.ucsxdir, {1, 0}, kNear);
    EXPECT_EQ(graph.GetPreviousUcsList().GetCount(), 2);
  }
}

}  // namespace
