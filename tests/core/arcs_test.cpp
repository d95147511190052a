#include "core/arcs.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/geometry_basics.h"
#include "core/matrix2d.h"
#include "core/polyline_vertex.h"
#include "core/trace_joints.h"
#include "tests/support/point_expect.h"

namespace {

constexpr double kEps = 1e-9;
const double kRoot2 = std::sqrt(2.0);

TEST(ArcFromChordBulge, GivesCentreRadiusAndMidPoint) {
  struct Case {
    double bulge;
    double cx, cy, radius, mx, my;
  } cases[] = {
      {1.0, 1.0, 0.0, 1.0, 1.0, -1.0},
      {-1.0, 1.0, 0.0, 1.0, 1.0, 1.0},
      // Three quarters of a circle: the centre moves to the other side.
      {std::tan(3.0 * kPi / 8.0), 1.0, -1.0, kRoot2, 1.0, -1.0 - kRoot2},
      {-std::tan(kPi / 8.0), 1.0, -1.0, kRoot2, 1.0, kRoot2 - 1.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bulge);
    FcPoint2d centre;
    FcPoint2d mid;
    double radius = 0.0;
    ASSERT_EQ(ArcFromChordBulge({0, 0}, c.bulge, {2, 0}, centre, &mid, &radius), 1);
    ExpectPointNear(centre, {c.cx, c.cy}, kEps);
    EXPECT_NEAR(radius, c.radius, kEps);
    ExpectPointNear(mid, {c.mx, c.my}, kEps);
  }
}

TEST(ArcFromChordBulge, StraightOrDegenerateSegmentsHaveNoArc) {
  FcPoint2d centre{7, 7};
  EXPECT_EQ(ArcFromChordBulge({0, 0}, 0.0, {2, 0}, centre, nullptr, nullptr), 0);
  EXPECT_EQ(ArcFromChordBulge({1, 1}, 0.5, {1, 1}, centre, nullptr, nullptr), 0);
  ExpectPointNear(centre, {7, 7}, kEps);
  EXPECT_DOUBLE_EQ(BulgeSegmentLength({0, 0}, {3, 4}, 0.0), 5.0);
  EXPECT_DOUBLE_EQ(BulgeSegmentLength({1, 1}, {1, 1}, 0.5), 0.0);
}

TEST(BulgeSegmentLength, MeasuresTheArcInEitherDirection) {
  double threeQuarter = std::tan(3.0 * kPi / 8.0);
  EXPECT_NEAR(BulgeSegmentLength({0, 0}, {2, 0}, 1.0), kPi, kEps);
  EXPECT_NEAR(BulgeSegmentLength({0, 0}, {2, 0}, -1.0), kPi, kEps);
  EXPECT_NEAR(BulgeSegmentLength({0, 0}, {2, 0}, threeQuarter), kRoot2 * 1.5 * kPi, kEps);
  EXPECT_NEAR(BulgeSegmentLength({0, 0}, {2, 0}, -threeQuarter), kRoot2 * 1.5 * kPi, kEps);
}

TEST(BulgeFromCenter, RoundTripsThroughArcFromChordBulge) {
  const double bulges[] = {0.3, -0.3, 1.0, -1.0, 2.5, -2.5, 0.01};
  FcPoint2d start{1, 2};
  FcPoint2d end{4, -1};
  for (double bulge : bulges) {
    SCOPED_TRACE(bulge);
    FcPoint2d centre;
    ASSERT_EQ(ArcFromChordBulge(start, bulge, end, centre, nullptr, nullptr), 1);
    double back = 0.0;
    ASSERT_TRUE(BulgeFromCenter(start, end, centre, bulge > 0 ? 1 : -1, back));
    EXPECT_NEAR(back, bulge, 1e-9);
  }
}

TEST(BulgeFromCenter, RefusesArcsWithoutRadiusOrChord) {
  double bulge = 9.0;
  EXPECT_FALSE(BulgeFromCenter({0, 0}, {1, 0}, {0, 0}, 1, bulge));
  EXPECT_FALSE(BulgeFromCenter({1, 0}, {1, 0}, {0, 0}, 1, bulge));
  EXPECT_EQ(bulge, 9.0);
}

TEST(CircleThrough3Points, FindsCentreRadiusAndBulge) {
  FcPoint2d centre;
  double radius = 0.0;
  double bulge = 0.0;
  ASSERT_TRUE(CircleThrough3Points({1, 0}, {0, 1}, {-1, 0}, centre, &radius, &bulge));
  ExpectPointNear(centre, {0, 0}, kEps);
  EXPECT_NEAR(radius, 1.0, kEps);
  EXPECT_NEAR(bulge, 1.0, kEps);
  ASSERT_TRUE(CircleThrough3Points({-1, 0}, {0, 1}, {1, 0}, centre, nullptr, &bulge));
  EXPECT_NEAR(bulge, -1.0, kEps);
  // A quarter circle running clockwise.
  ASSERT_TRUE(CircleThrough3Points({0, 1}, {std::sqrt(0.5), std::sqrt(0.5)}, {1, 0}, centre,
                                   nullptr, &bulge));
  EXPECT_NEAR(bulge, -std::tan(kPi / 8.0), kEps);
}

TEST(CircleThrough3Points, RefusesCollinearOrCoincidentPoints) {
  FcPoint2d centre;
  EXPECT_FALSE(CircleThrough3Points({0, 0}, {1, 1}, {2, 2}, centre, nullptr, nullptr));
  EXPECT_FALSE(CircleThrough3Points({0, 0}, {0, 0}, {2, 1}, centre, nullptr, nullptr));
  FcPoint2d c;
  double r = 0, s = 0, e = 0;
  EXPECT_FALSE(ArcThrough3Points({0, 0}, {1, 1}, {2, 2}, c, r, s, e));
}

TEST(ArcThrough3Points, OrdersTheAnglesCounterClockwiseThroughTheMiddle) {
  struct Case {
    FcPoint2d first, middle, last;
    double start, end;
  } cases[] = {
      {{1, 0}, {0, 1}, {-1, 0}, 0.0, kPi},
      {{-1, 0}, {0, 1}, {1, 0}, 0.0, kPi},
      {{0, -1}, {1, 0}, {0, 1}, 1.5 * kPi, 0.5 * kPi},
  };
  for (const Case& c : cases) {
    FcPoint2d centre;
    double radius = 0, start = 0, end = 0;
    ASSERT_TRUE(ArcThrough3Points(c.first, c.middle, c.last, centre, radius, start, end));
    NormalizeAngle(start);
    NormalizeAngle(end);
    ExpectPointNear(centre, {0, 0}, kEps);
    EXPECT_NEAR(radius, 1.0, kEps);
    EXPECT_NEAR(start, c.start, kEps);
    EXPECT_NEAR(end, c.end, kEps);
  }
}

TEST(ArcFromStartDirectionEnd, LeavesTheStartAlongTheTangent) {
  struct Case {
    double tangent;
    double cx, cy, radius, bulge;
  } cases[] = {
      {kHalfPi, 1, 0, 1, -1},
      {-kHalfPi, 1, 0, 1, 1},
      {kPi / 4, 1, -1, kRoot2, -std::tan(kPi / 8)},
      // Leaving away from the end gives the larger arc.
      {3 * kPi / 4, 1, 1, kRoot2, -std::tan(3 * kPi / 8)},
      {-3 * kPi / 4, 1, -1, kRoot2, std::tan(3 * kPi / 8)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tangent);
    FcPoint2d centre;
    double radius = 0.0;
    double bulge = 0.0;
    ASSERT_EQ(ArcFromStartDirectionEnd({0, 0}, c.tangent, {2, 0}, &centre, &radius, &bulge), 1);
    ExpectPointNear(centre, {c.cx, c.cy}, kEps);
    EXPECT_NEAR(radius, c.radius, kEps);
    EXPECT_NEAR(bulge, c.bulge, kEps);
  }
  EXPECT_EQ(ArcFromStartDirectionEnd({0, 0}, 0.0, {2, 0}, nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(ArcFromStartDirectionEnd({0, 0}, 1.0, {0, 0}, nullptr, nullptr, nullptr), 0);
}

TEST(ArcFromChordRadius, BuildsTheMinorCounterClockwiseArc) {
  FcPoint2d centre;
  double bulge = 0.0;
  ASSERT_EQ(ArcFromChordRadius({0, 0}, {2, 0}, kRoot2, &centre, &bulge), 1);
  ExpectPointNear(centre, {1, 1}, kEps);
  EXPECT_NEAR(bulge, kRoot2 - 1.0, kEps);
  ASSERT_EQ(ArcFromChordRadius({0, 0}, {2, 0}, 1.0, &centre, &bulge), 1);
  ExpectPointNear(centre, {1, 0}, kEps);
  EXPECT_EQ(bulge, 1.0);
  EXPECT_EQ(ArcFromChordRadius({0, 0}, {2, 0}, 0.99, &centre, &bulge), 0);
  EXPECT_EQ(ArcFromChordRadius({1, 1}, {1, 1}, 1.0, &centre, &bulge), 0);
}

TEST(ArcFromStartRadiusAngle, PlacesEndCentreAndBulge) {
  struct Case {
    double angle;
    double ex, ey, cx, cy, bulge;
  } cases[] = {
      {kHalfPi, kRoot2, 0, std::sqrt(0.5), std::sqrt(0.5), std::tan(kPi / 8)},
      {1.5 * kPi, kRoot2, 0, std::sqrt(0.5), -std::sqrt(0.5), std::tan(3 * kPi / 8)},
      {kPi, 2, 0, 1, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.angle);
    FcPoint2d end, centre;
    double bulge = 0.0;
    ASSERT_EQ(ArcFromStartRadiusAngle({0, 0}, 1.0, c.angle, 0.0, &end, &centre, &bulge), 1);
    ExpectPointNear(end, {c.ex, c.ey}, kEps);
    ExpectPointNear(centre, {c.cx, c.cy}, kEps);
    EXPECT_NEAR(bulge, c.bulge, kEps);
  }
  // No chord, no bulge.
  EXPECT_EQ(ArcFromStartRadiusAngle({0, 0}, 1.0, 0.0, 0.0, nullptr, nullptr, nullptr), 0);
}

TEST(ArcFromChordAngle, PlacesCentreRadiusAndBulge) {
  struct Case {
    double angle;
    double cx, cy, radius, bulge;
  } cases[] = {
      {kPi, 1, 0, 1, 1},
      {kHalfPi, 1, 1, kRoot2, kRoot2 - 1},
      {1.5 * kPi, 1, -1, kRoot2, kRoot2 + 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.angle);
    FcPoint2d centre;
    double radius = 0.0, bulge = 0.0;
    ASSERT_EQ(ArcFromChordAngle({0, 0}, {2, 0}, c.angle, &centre, &radius, &bulge), 1);
    ExpectPointNear(centre, {c.cx, c.cy}, kEps);
    EXPECT_NEAR(radius, c.radius, kEps);
    EXPECT_NEAR(bulge, c.bulge, kEps);
  }
  EXPECT_EQ(ArcFromChordAngle({0, 0}, {2, 0}, 0.0, nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(ArcFromChordAngle({1, 0}, {1, 0}, 1.0, nullptr, nullptr, nullptr), 0);
}

TEST(ArcFromStartCenterEnd, MovesTheEndOntoTheCircle) {
  FcPoint2d end{0, 5};
  double bulge = 0.0, radius = 0.0;
  ASSERT_EQ(ArcFromStartCenterEnd({1, 0}, {0, 0}, end, &bulge, &radius), 1);
  ExpectPointNear(end, {0, 1}, kEps);
  EXPECT_NEAR(radius, 1.0, kEps);
  EXPECT_NEAR(bulge, std::tan(kPi / 8), kEps);
  // Counter-clockwise to a point behind the start: the long way round.
  end = {0, -5};
  ASSERT_EQ(ArcFromStartCenterEnd({1, 0}, {0, 0}, end, &bulge, nullptr), 1);
  EXPECT_NEAR(bulge, std::tan(3 * kPi / 8), kEps);
  FcPoint2d onCentre{0, 0};
  EXPECT_EQ(ArcFromStartCenterEnd({1, 0}, {0, 0}, onCentre, &bulge, nullptr), 0);
  FcPoint2d sameDirection{3, 0};
  EXPECT_EQ(ArcFromStartCenterEnd({1, 0}, {0, 0}, sameDirection, &bulge, nullptr), 0);
  ExpectPointNear(sameDirection, {3, 0}, kEps);
}

TEST(ArcBoundingBox, TakesTheAxisPointsTheArcPasses) {
  struct Case {
    double start, end;
    double minX, minY, maxX, maxY;
  } cases[] = {
      {kPi / 4, 3 * kPi / 4, -std::sqrt(0.5), std::sqrt(0.5), std::sqrt(0.5), 1},
      {1.5 * kPi, 2.5 * kPi, 0, -1, 1, 1},
      {0.1, kTwoPi - 0.1, -1, -1, std::cos(0.1), 1},
  };
  for (const Case& c : cases) {
    FcPoint2d lo, hi;
    ArcBoundingBox({0, 0}, 1.0, c.start, c.end, lo, hi);
    ExpectPointNear(lo, {c.minX, c.minY}, kEps);
    ExpectPointNear(hi, {c.maxX, c.maxY}, kEps);
  }
}

TEST(NearestArcPointOnRadialLine, PicksTheNearerArcPointOnTheLine) {
  struct Case {
    double start, end;
    FcPoint2d p;
    bool found;
    FcPoint2d expected;
  } cases[] = {
      {0, kTwoPi, {10, 0}, true, {1, 0}},
      {0, kTwoPi, {-0.5, 0}, true, {-1, 0}},
      {0, kHalfPi, {-5, -5}, true, {std::sqrt(0.5), std::sqrt(0.5)}},
      {0, kHalfPi, {-5, 5}, false, {}},
  };
  for (const Case& c : cases) {
    FcPoint2d out;
    ASSERT_EQ(NearestArcPointOnRadialLine({0, 0}, 1.0, c.start, c.end, c.p, out), c.found);
    if (c.found) ExpectPointNear(out, {c.expected.x, c.expected.y}, kEps);
  }
}

TEST(TraceJointPoints, MitresCutsOrKeepsStraightJoints) {
  struct Case {
    FcPoint2d prev, joint, next;
    double w;
    FcPoint2d left, right;
    int sharp;
  } cases[] = {
      {{0, 0}, {1, 0}, {2, 0}, 1.0, {1, 1}, {1, -1}, 0},
      {{0, 0}, {1, 0}, {1, 1}, 0.5, {0.5, 0.5}, {1.5, -0.5}, 0},
      {{0, 0}, {1, 0}, {0, 0}, 0.5, {1, 0.5}, {1, -0.5}, 1},
      // Short segments too near straight for their offset lines to meet:
      // the straight-on corners.
      {{0, 0}, {0.1, 0}, {0.2, 1e-7}, 1.0, {0.1, 1}, {0.1, -1}, 0},
  };
  for (const Case& c : cases) {
    FcPoint2d left{99, 99}, right{99, 99};
    int sharp = -1;
    TraceJointPoints(c.prev, c.joint, c.next, c.w, c.w, c.w, left, right, sharp);
    ExpectPointNear(left, {c.left.x, c.left.y}, kEps);
    ExpectPointNear(right, {c.right.x, c.right.y}, kEps);
    EXPECT_EQ(sharp, c.sharp);
  }
}

TEST(TransformPolylineVertex, ScalesWidthsAndKeepsTheRest) {
  PolylineVertex v;
  v.x = 1;
  v.y = 0;
  v.handle = 0x2A;
  v.startWidth = 0.5;
  v.endWidth = 1.5;
  v.bulge = 0.25;
  v.index = 3;
  PolylineVertex scaled = v;
  FcMatrix2d m;
  ScaleMatrix(2, 2, m);
  TransformPolylineVertex(m, scaled);
  EXPECT_DOUBLE_EQ(scaled.x, 2.0);
  EXPECT_DOUBLE_EQ(scaled.startWidth, 1.0);
  EXPECT_DOUBLE_EQ(scaled.endWidth, 3.0);
  EXPECT_EQ(scaled.bulge, 0.25);
  EXPECT_EQ(scaled.handle, 0x2Au);
  EXPECT_EQ(scaled.index, 3);
  PolylineVertex turned = v;
  RotationMatrix(0, 0, kHalfPi, m);
  TransformPolylineVertex(m, turned);
  ExpectPointNear({turned.x, turned.y}, {0, 1}, kEps);
  EXPECT_NEAR(turned.startWidth, 0.5, kEps);
  EXPECT_NEAR(turned.endWidth, 1.5, kEps);
}

}  // namespace
