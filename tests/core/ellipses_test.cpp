#include "core/ellipses.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/matrix2d.h"
#include "tests/support/point_expect.h"

namespace {

constexpr double kEps = 1e-9;

TEST(EllipseAngleConversion, KeepsTheQuadrantAndRoundTrips) {
  const double atan2of2 = std::atan(2.0);
  struct Case {
    double polar, parameter;
  } cases[] = {
      {kPi / 4, atan2of2},
      {3 * kPi / 4, kPi - atan2of2},
      {5 * kPi / 4, kPi + atan2of2},
      {7 * kPi / 4, kTwoPi - atan2of2},
      {kHalfPi, kHalfPi},
      {kPi, kPi},
      {kTwoPi, kTwoPi},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.polar);
    EXPECT_NEAR(EllipseAngleToParameter(2, 1, c.polar), c.parameter, kEps);
    EXPECT_NEAR(EllipseParameterToAngle(2, 1, c.parameter), c.polar, kEps);
  }
  EXPECT_EQ(EllipseAngleToParameter(2, 1, kHalfPi), kHalfPi);
  // A rounding step off a quadrant boundary, as a number read back from a
  // file may be, stays beside the boundary on either side.
  for (const double boundary : {kHalfPi, kPi, kHalfPi + kPi}) {
    for (const double near : {std::nextafter(boundary, 0.0), std::nextafter(boundary, 10.0)}) {
      SCOPED_TRACE(near);
      EXPECT_NEAR(EllipseParameterToAngle(2, 2, near), boundary, kEps);
      EXPECT_NEAR(EllipseAngleToParameter(2, 1, near), boundary, kEps);
      EXPECT_NEAR(EllipseParameterToAngle(2, 1, near), boundary, kEps);
    }
  }
}

TEST(EllipsePointAtAngle, FollowsTheRotatedMajorAxis) {
  FcPoint2d out;
  ASSERT_TRUE(EllipsePointAtAngle(out, {2, 0}, {1, 1}, 0.5, kHalfPi));
  ExpectPointNear(out, {1, 2}, kEps);
  ASSERT_TRUE(EllipsePointAtAngle(out, {0, 2}, {1, 1}, 0.5, 0.0));
  ExpectPointNear(out, {1, 3}, kEps);
  ASSERT_TRUE(EllipsePointAtAngle(out, {2, 0}, {0, 0}, 0.5, kPi / 4));
  double r = 2.0 / std::sqrt(2.5);  // a*b / sqrt((b^2 + a^2) / 2)
  ExpectPointNear(out, {r * std::sqrt(0.5), r * std::sqrt(0.5)}, kEps);
  out = {7, 7};
  EXPECT_FALSE(EllipsePointAtAngle(out, {2, 0}, {0, 0}, 0.0, 1.0));
  EXPECT_FALSE(EllipsePointAtAngle(out, {0, 0}, {0, 0}, 0.5, 1.0));
  ExpectPointNear(out, {7, 7}, kEps);
}

TEST(EllipseTangentPoints, TouchesTheEllipseFromOutside) {
  FcPoint2d first, second;
  ASSERT_TRUE(EllipseTangentPoints({3, 1}, {0, 0}, 2, 1, &first, &second));
  ExpectPointNear(first, {24.0 / 13.0, -5.0 / 13.0}, kEps);
  ExpectPointNear(second, {0, 1}, kEps);
  ASSERT_TRUE(EllipseTangentPoints({5, 1}, {1, 1}, 2, 1, &first, &second));
  ExpectPointNear(first, {2, 1 - std::sqrt(0.75)}, kEps);
  ExpectPointNear(second, {2, 1 + std::sqrt(0.75)}, kEps);
  EXPECT_FALSE(EllipseTangentPoints({0.5, 0}, {0, 0}, 2, 1, &first, &second));
  EXPECT_TRUE(EllipseTangentPoints({3, 1}, {0, 0}, 2, 1, nullptr, nullptr));
}

TEST(RotatedEllipseTangentPoints, MatchesTheAxisAlignedCaseTurned) {
  struct Case {
    double rotation;
    FcPoint2d p;
  } cases[] = {{0.0, {3, 1}}, {kHalfPi, {3, 1}}, {0.7, {4, 0}}, {2.0, {-1, 3}}};
  const FcPoint2d centre{1, -2};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rotation);
    FcPoint2d plainFirst, plainSecond;
    FcPoint2d local{centre.x + c.p.x, centre.y + c.p.y};
    ASSERT_TRUE(EllipseTangentPoints(local, centre, 2, 1, &plainFirst, &plainSecond));
    FcPoint2d turned = local;
    RotatePointAbout(c.rotation, centre, turned);
    FcPoint2d major{2 * std::cos(c.rotation), 2 * std::sin(c.rotation)};
    FcPoint2d first, second;
    ASSERT_EQ(RotatedEllipseTangentPoints(turned, centre, major, 0.5, &first, &second), 1);
    RotatePointAbout(-c.rotation, centre, first);
    RotatePointAbout(-c.rotation, centre, second);
    // The two routines may name the points in either order.
    bool same = std::hypot(first.x - plainFirst.x, first.y - plainFirst.y) < 1e-7;
    const FcPoint2d& a = same ? plainFirst : plainSecond;
    const FcPoint2d& b = same ? plainSecond : plainFirst;
    ExpectPointNear(first, {a.x, a.y}, 1e-7);
    ExpectPointNear(second, {b.x, b.y}, 1e-7);
  }
  FcPoint2d first;
  EXPECT_EQ(RotatedEllipseTangentPoints({1, -2}, {1, -2}, {0, 2}, 0.5, &first, nullptr), 0);
}

}  // namespace
