#include "core/splines.h"
#include "tests/support/point_expect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr double kEps = 1e-9;

// Point of a clamped cubic with unit weights, straight from the basis.
FcPoint2d CubicAt(const std::vector<double>& knots, const FcPoint2dArray& control, double t) {
  double x = 0, y = 0, sum = 0;
  for (int j = 0; j < control.count; ++j) {
    double n = BSplineBasis(j, 4, knots, t);
    x += n * control[j].x;
    y += n * control[j].y;
    sum += n;
  }
  return {x / sum, y / sum};
}

const std::vector<double> kUniformKnots{0, 0, 0, 0, 1, 2, 3, 4, 5, 5, 5, 5};

TEST(BSplineBasis, DoublesAtAKnotAndSumsToOneBetween) {
  const double atKnot[] = {0, 0, 1.0 / 3, 4.0 / 3, 1.0 / 3, 0, 0, 0};
  double between = 0.0;
  for (int i = 0; i < 8; ++i) {
    EXPECT_NEAR(BSplineBasis(i, 4, kUniformKnots, 2.0), atKnot[i], kEps) << i;
    between += BSplineBasis(i, 4, kUniformKnots, 2.5);
  }
  EXPECT_NEAR(between, 1.0, kEps);
  EXPECT_EQ(BSplineBasis(8, 4, kUniformKnots, 2.0), 0.0);
  EXPECT_EQ(BSplineBasis(-1, 4, kUniformKnots, 2.0), 0.0);
}

TEST(TessellateNurbsFixed, WalksEverySpanAndEndsOnTheCurveEnd) {
  const std::vector<FcPoint2d> control{{0, 0}, {1, 2}, {3, 2}, {4, 0}};
  std::vector<double> weights{0.0, 1, 1, -2.0};
  const std::vector<double> bezier{0, 0, 0, 0, 1, 1, 1, 1};
  FcPoint2dArray out;
  TessellateNurbsFixed(weights, control, 4, bezier, 4, out);
  EXPECT_EQ(weights[0], 1.0);
  EXPECT_EQ(weights[3], 1.0);
  ASSERT_EQ(out.count, 5);
  ExpectPointNear(out[0], {0, 0}, kEps);
  ExpectPointNear(out[2], {2, 1.5}, kEps);  // (P0 + 3 P1 + 3 P2 + P3) / 8
  ExpectPointNear(out[4], {4, 0}, kEps);

  // At an interior knot the doubled basis values cancel in the division.
  const std::vector<FcPoint2d> line{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 0}};
  std::vector<double> ones(8, 1.0);
  TessellateNurbsFixed(ones, line, 4, kUniformKnots, 2, out);
  ASSERT_EQ(out.count, 11);
  ExpectPointNear(out[4], {3, 0}, kEps);

  std::vector<double> few{1, 1};
  TessellateNurbsFixed(few, control, 4, bezier, 4, out);
  EXPECT_EQ(out.count, 0);
}

TEST(TessellateNurbs, FollowsTheChordTolerance) {
  // A rational quarter circle of radius 1.
  const std::vector<FcPoint2d> control{{1, 0}, {1, 1}, {0, 1}};
  const std::vector<double> knots{0, 0, 0, 1, 1, 1};
  std::vector<double> weights{1, std::sqrt(0.5), 1};
  FcPoint2dArray out;
  TessellateNurbs(out, control, 3, knots, weights, 10.0);
  EXPECT_EQ(out.count, 7);  // 6 steps and the end point

  const double tolerance = 1e-3;
  TessellateNurbs(out, control, 3, knots, weights, tolerance);
  ASSERT_GT(out.count, 7);
  ExpectPointNear(out[0], {1, 0}, kEps);
  ExpectPointNear(out[out.count - 1], {0, 1}, kEps);
  for (int i = 0; i < out.count; ++i) EXPECT_NEAR(std::hypot(out[i].x, out[i].y), 1.0, 1e-12);
  for (int i = 1; i < out.count; ++i) {
    double mx = (out[i - 1].x + out[i].x) / 2, my = (out[i - 1].y + out[i].y) / 2;
    EXPECT_LE(1.0 - std::hypot(mx, my), tolerance);
  }
}

TEST(PolylineSplineCurve, UsesAtLeastFourStepsPerSpan) {
  const std::vector<FcPoint2d> control{{0, 0}, {1, 1}, {2, -1}, {3, 1}, {4, 0}};
  FcPoint2dArray out;
  PolylineSplineCurve(control, 2, out);
  ASSERT_EQ(out.count, 9);
  ExpectPointNear(out[0], {0, 0}, kEps);
  ExpectPointNear(out[8], {4, 0}, kEps);
  PolylineSplineCurve(std::span<const FcPoint2d>(control).first(3), 8, out);
  EXPECT_EQ(out.count, 0);
}

TEST(BSplineFit, EvaluatesTheUniformWindow) {
  FcPoint2dArray out;
  const FcPoint2d p0{0, 0}, p1{1, 3}, p2{4, 3}, p3{6, 0};
  CubicBSplineFit(p0, p1, p2, p3, 2, out);
  ASSERT_EQ(out.count, 2);
  ExpectPointNear(out[0], {(0 + 4 + 4) / 6.0, (0 + 12 + 3) / 6.0}, kEps);
  // Half way: (P0 + 23 P1 + 23 P2 + P3) / 48.
  ExpectPointNear(out[1], {(0 + 23 + 92 + 6) / 48.0, (69 + 69) / 48.0}, kEps);
  QuadraticBSplineFit(p0, p1, p2, 2, out);
  ASSERT_EQ(out.count, 4);
  ExpectPointNear(out[2], {0.5, 1.5}, kEps);
  ExpectPointNear(out[3], {(0 + 6 + 4) / 8.0, (18 + 3) / 8.0}, kEps);  // (P0 + 6 P1 + P2) / 8
}

TEST(InterpolatingSpline, SolvesTheEndConditionsAndFitRows) {
  struct Case {
    std::vector<FcPoint2d> fit;
    bool closed;
    FcPoint2d t0, t1;
  } cases[] = {
      {{{0, 0}, {1, 0}, {2, 0}}, false, {1, 0}, {1, 0}},
      {{{0, 0}, {1, 2}, {3, 1}, {4, 4}, {2, 5}}, false, {0, 1}, {-1, 0.5}},
      {{{0, 0}, {2, 0}, {2, 2}, {0, 2}}, true, {1, -1}, {1, -1}},
      {{{0, 0}, {5, 1}}, false, {0, 0}, {0, 0}},
  };
  for (const Case& c : cases) {
    FcPoint2dArray d;
    ASSERT_TRUE(InterpolatingSpline(c.fit, c.closed, c.t0, c.t1, d));
    int m = static_cast<int>(c.fit.size());
    int M = m + 1 + (c.closed ? 1 : 0);
    ASSERT_EQ(d.count, M + 1);
    ExpectPointNear({d[2].x - d[0].x, d[2].y - d[0].y}, {2 * c.t0.x, 2 * c.t0.y}, kEps);
    ExpectPointNear({d[M].x - d[M - 2].x, d[M].y - d[M - 2].y}, {2 * c.t1.x, 2 * c.t1.y}, kEps);
    for (int j = 1; j < M; ++j) {
      const FcPoint2d& q = c.closed && j == M - 1 ? c.fit[0] : c.fit[j - 1];
      ExpectPointNear({(d[j - 1].x + 4 * d[j].x + d[j + 1].x) / 6, (d[j - 1].y + 4 * d[j].y + d[j + 1].y) / 6}, q, kEps);
    }
  }
  FcPoint2dArray d;
  const std::vector<FcPoint2d> one{{1, 1}};
  EXPECT_FALSE(InterpolatingSpline(one, false, {}, {}, d));
  // The straight line through evenly spaced points is its own control polygon.
  ASSERT_TRUE(InterpolatingSpline(cases[0].fit, false, {1, 0}, {1, 0}, d));
  for (int j = 0; j < d.count; ++j) ExpectPointNear(d[j], {j - 1.0, 0}, kEps);
}

TEST(SplineFromFitPoints, PassesThroughEveryFitPoint) {
  const std::vector<FcPoint2d> fit{{0, 0}, {1, 2}, {3, 3}, {4, 1}, {6, 2}};
  const std::vector<double> knots{0, 0, 0, 0, 1, 2, 3, 4, 4, 4, 4};
  struct Case {
    FcPoint2d t0, t1;
  } cases[] = {{{1e-8, 0}, {0, -1e-8}}, {{0, 3}, {4, 0}}};
  for (const Case& c : cases) {
    FcPoint2d t0 = c.t0, t1 = c.t1;
    FcPoint2dArray d;
    ASSERT_EQ(SplineFromFitPoints(knots, fit, t0, t1, d), 1);
    ASSERT_EQ(d.count, 7);
    for (std::size_t r = 0; r < fit.size(); ++r) {
      ExpectPointNear(CubicAt(knots, d, knots[r + 3]), fit[r], 1e-9);
    }
    if (c.t0.y == 0) {
      EXPECT_EQ(t0.x, 0.0);
      EXPECT_EQ(t0.y, 0.0);
      EXPECT_EQ(t1.y, 0.0);
    } else {
      ExpectPointNear(t0, {0, 1}, kEps);
      ExpectPointNear(t1, {1, 0}, kEps);
      ExpectPointNear(d[1], {0, 1.0 / 3}, kEps);
      ExpectPointNear(d[5], {6 - 1.0 / 3, 2}, kEps);
    }
  }
}

TEST(SplineFromFitPoints, HandlesTwoPointsAndRefusesBadInput) {
  const std::vector<FcPoint2d> two{{0, 0}, {4, 8}};
  FcPoint2d t0{}, t1{};
  FcPoint2dArray d;
  ASSERT_EQ(SplineFromFitPoints({}, two, t0, t1, d), 1);
  ASSERT_EQ(d.count, 4);
  ExpectPointNear(d[1], {1, 2}, kEps);
  ExpectPointNear(d[2], {3, 6}, kEps);
  const std::vector<FcPoint2d> three{{0, 0}, {1, 1}, {2, 0}};
  EXPECT_EQ(SplineFromFitPoints({}, std::span<const FcPoint2d>(two).first(1), t0, t1, d), 0);
  const std::vector<double> shortKnots{0, 0, 0, 0, 1, 2, 2, 2};
  EXPECT_EQ(SplineFromFitPoints(shortKnots, three, t0, t1, d), 0);
  const std::vector<double> unordered{0, 0, 0, 0, 2, 1, 1, 1, 1};
  EXPECT_EQ(SplineFromFitPoints(unordered, three, t0, t1, d), 0);
  const std::vector<double> flat(9, 0.0);
  EXPECT_EQ(SplineFromFitPoints(flat, three, t0, t1, d), 0);
}

}  // namespace
