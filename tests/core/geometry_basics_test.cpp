#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/geometry_basics.h"

namespace {

TEST(IsEqual, ComparesTheComputedDifferenceInclusively) {
  struct Case {
    double a, b;
    bool equal;
  };
  const Case cases[] = {
      {1.0, 1.00000005, true},
      {1.0, 1.0000002, false},
      {0.0, 1e-7, true},
      {1e-7, 0.0, true},
      {0.0, 1.0000001e-7, false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsEqual(c.a, c.b), c.equal) << c.a << " " << c.b;
}

TEST(IsSamePoint, NeedsBothCoordinatesWithinTolerance) {
  EXPECT_TRUE(IsSamePoint({1.0, 2.0}, {1.0 + 5e-8, 2.0 - 5e-8}));
  EXPECT_FALSE(IsSamePoint({1.0, 2.0}, {1.0, 2.0 + 2e-7}));
  EXPECT_TRUE(IsDifferentPoint({1.0, 2.0}, {1.0 + 2e-7, 2.0}));
  EXPECT_FALSE(IsDifferentPoint({1.0, 2.0}, {1.0, 2.0}));
}

TEST(NormalizeAngle, FoldsIntoOneTurnAndSnapsNearZero) {
  struct Case {
    double in, out;
  };
  const Case cases[] = {
      {kTwoPi, 0.0},
      {kTwoPi - 5e-8, 0.0},
      {-1e-8, 0.0},
      {7.0 * kPi, 7.0 * kPi - kTwoPi - kTwoPi - kTwoPi},
      {-kHalfPi, -kHalfPi + kTwoPi},
      {1e-7, 1e-7},
      {5e-8, 0.0},
      {kTwoPi - 2e-7, kTwoPi - 2e-7},
      {1.0, 1.0},
  };
  for (const Case& c : cases) {
    double angle = c.in;
    NormalizeAngle(angle);
    EXPECT_EQ(angle, c.out) << "in " << c.in;
  }
  double sevenPi = 7.0 * kPi;
  NormalizeAngle(sevenPi);
  EXPECT_NEAR(sevenPi, kPi, 1e-12);
}

TEST(NormalizeAngle, EndsForHugeAndNonFiniteAngles) {
  const double inf = std::numeric_limits<double>::infinity();
  for (double in : {1e300, -1e300, 1e12, inf, -inf, std::nan("")}) {
    double angle = in;
    NormalizeAngle(angle);
    EXPECT_GE(angle, 0.0) << in;
    EXPECT_LT(angle, kTwoPi) << in;
  }
}

TEST(Orientation3, PositiveMeansClockwise) {
  struct Case {
    FcPoint2d a, b, c;
    int turn;
  };
  const Case cases[] = {
      {{0, 0}, {1, 0}, {1, 1}, -1},
      {{0, 0}, {1, 0}, {1, -1}, 1},
      {{0, 0}, {1, 0}, {2, 0}, 0},
      {{0, 0}, {1, 0}, {2, 5e-8}, 0},
      {{0, 0}, {1, 0}, {2, 2e-7}, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(Orientation3(c.a, c.b, c.c), c.turn) << c.c.y;
}

TEST(PointLineDistance, MeasuresToTheLineOrToAForAShortLine) {
  EXPECT_DOUBLE_EQ(PointLineDistance({5, 3}, {0, 0}, {1, 0}), 3.0);
  EXPECT_DOUBLE_EQ(PointLineDistance({3, 4}, {0, 0}, {0, 10}), 3.0);
  // Squared length 1e-8 is below the tolerance: the distance is to a.
  EXPECT_DOUBLE_EQ(PointLineDistance({3, 4}, {0, 0}, {1e-4, 0}), 5.0);
}

TEST(FootOfPerpendicular, FindsTheFootOrRefusesEqualPoints) {
  FcPoint2d out{-9, -9};
  EXPECT_FALSE(FootOfPerpendicular({1, 1}, {1, 1}, {5, 5}, out));
  EXPECT_EQ(out.x, -9.0);
  EXPECT_EQ(out.y, -9.0);

  ASSERT_TRUE(FootOfPerpendicular({0, 0}, {4, 4}, {0, 4}, out));
  EXPECT_NEAR(out.x, 2.0, 1e-12);
  EXPECT_NEAR(out.y, 2.0, 1e-12);

  // Far too short for the crossing test, but a foot is still computed.
  out = {-9, -9};
  ASSERT_TRUE(FootOfPerpendicular({0, 0}, {1e-12, 0}, {3, 7}, out));
  EXPECT_NEAR(out.x, 3.0, 1e-9);
  EXPECT_NEAR(out.y, 0.0, 1e-9);
}

TEST(IsAngleOnArc, RunsCounterClockwiseWithInclusiveEnds) {
  struct Case {
    double start, end, angle;
    bool on;
  };
  const Case cases[] = {
      {3 * kHalfPi, kHalfPi, 0.0, true},
      {3 * kHalfPi, kHalfPi, kPi, false},
      {1.0, 1.0, 4.0, true},
      {0.0, 0.0, 2.5, true},
      {1.0, 2.0, 1.0 - 5e-8, true},
      {1.0, 2.0, 1.0 - 2e-7, false},
      {1.0, 2.0, 2.0 + 5e-8, true},
      {1.0, 2.0, 2.0 + 2e-7, false},
      {1.0, 2.0, 1.5 + kTwoPi, true},
      {0.0, kHalfPi, -kHalfPi, false},
      {kPi, kTwoPi, -0.5, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsAngleOnArc(c.start, c.end, c.angle), c.on)
        << c.start << " " << c.end << " " << c.angle;
  }
}

TEST(IsOnRaySide, UsesOneCoordinateAlongTheRay) {
  EXPECT_TRUE(IsOnRaySide({0, 0}, {2, 0}, {5, 0}));
  EXPECT_TRUE(IsOnRaySide({0, 0}, {2, 0}, {-1e-7, 0}));
  EXPECT_FALSE(IsOnRaySide({0, 0}, {2, 0}, {-1, 0}));
  EXPECT_TRUE(IsOnRaySide({1, 0}, {1, -3}, {1, -9}));
  EXPECT_FALSE(IsOnRaySide({1, 0}, {1, -3}, {1, 1}));
  EXPECT_FALSE(IsOnRaySide({1, 1}, {1, 1}, {1, 1}));
}

TEST(IsBetween, AcceptsTheWidenedBox) {
  EXPECT_TRUE(IsBetween({2, 0}, {0, 2}, {1, 1}));
  EXPECT_TRUE(IsBetween({2, 0}, {0, 2}, {2 + 1e-7, -1e-7}));
  EXPECT_FALSE(IsBetween({2, 0}, {0, 2}, {2 + 2e-7, 1}));
  EXPECT_FALSE(IsBetween({2, 0}, {0, 2}, {1, -2e-7}));
}

TEST(SolveQuadratic, CountsRealRootsAndOrdersThemBySignOfSqrt) {
  struct Case {
    double qa, qb, qc;
    short count;
    double out1, out2;
  };
  const double untouched = 99.0;
  const Case cases[] = {
      {0, 0, 5, 0, untouched, untouched},
      {0, 2, -4, 1, 2, 2},
      {1, -2, 1, 1, 1, 1},
      {1, 0, -4, 2, 2, -2},
      {-1, 0, 4, 2, -2, 2},
      {1, 0, 4, 0, untouched, untouched},
      {1, -3, 2, 2, 2, 1},
  };
  for (const Case& c : cases) {
    double out1 = untouched;
    double out2 = untouched;
    EXPECT_EQ(SolveQuadratic(c.qa, c.qb, c.qc, out1, out2), c.count) << c.qa << c.qb << c.qc;
    EXPECT_DOUBLE_EQ(out1, c.out1);
    EXPECT_DOUBLE_EQ(out2, c.out2);
  }
}

TEST(SegmentMeetsRect, TouchesTheClosedRectangle) {
  struct Case {
    const char* what;
    FcPoint2d p1, p2;
    bool meets;
  };
  const Case cases[] = {
      {"inside", {1, 1}, {9, 9}, true},
      {"wholly left", {-5, 0}, {-1, 10}, false},
      {"wholly above", {0, 11}, {10, 12}, false},
      {"vertical through", {5, -5}, {5, 15}, true},
      {"vertical end inside", {5, 5}, {5, 15}, true},
      {"vertical beside", {11, -5}, {11, 15}, false},
      {"vertical along edge", {0, -5}, {0, 15}, true},
      {"horizontal along edge", {-3, 10}, {3, 10}, true},
      {"horizontal through", {-5, 5}, {15, 5}, true},
      {"diagonal through", {-5, -4}, {15, 16}, true},
      {"diagonal past corner", {-2, 9}, {1, 12}, false},
      {"diagonal through corner", {-1, 11}, {1, 9}, true},
      {"diagonal across bottom", {2, -1}, {12, 1}, true},
      {"diagonal near bottom right", {9, -2}, {12, 1}, false},
  };
  const FcPoint2d rmin{0, 0};
  const FcPoint2d rmax{10, 10};
  for (const Case& c : cases) {
    EXPECT_EQ(SegmentMeetsRect(c.p1, c.p2, rmin, rmax), c.meets) << c.what;
    EXPECT_EQ(SegmentMeetsRect(c.p2, c.p1, rmin, rmax), c.meets) << c.what << " reversed";
  }
}

}  // namespace
