#include "commands/draw/revcloud_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/arcs.h"
#include "core/point_ops.h"
#include "entities/polyline.h"
#include "tests/support/point_expect.h"

namespace {

constexpr double kNear = 1e-9;

std::vector<double> AnglesAbout(const FcPoint2d& centre, const std::vector<FcPoint2d>& points) {
  std::vector<double> angles;
  for (const FcPoint2d& p : points) angles.push_back(std::atan2(p.y - centre.y, p.x - centre.x));
  return angles;
}

void ExpectAngles(const std::vector<double>& actual, const std::vector<double>& expected, const std::string& where) {
  ASSERT_EQ(actual.size(), expected.size()) << where;
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_NEAR(actual[i], expected[i], kNear) << where << " " << i;
}

TEST(RevCloudGeometryTest, ArcPointsStepAlongTheArcAndEndOnItsEnd) {
  struct Case {
    double end;
    std::vector<double> angles;
  };
  // Radius 10 and step 2.5: a quarter of a radian a step; the last
  // interval lies between a third of a step and four thirds of one.
  const Case cases[] = {
      {1.0, {0, 0.25, 0.5, 0.75, 1.0}},
      {1.05, {0, 0.25, 0.5, 0.75, 1.05}},
      {1.2, {0, 0.25, 0.5, 0.75, 1.0, 1.2}},
      {0.05, {0.05}},
  };
  const FcPoint2d centre{3, 4};
  for (const Case& c : cases) {
    std::vector<FcPoint2d> points{{-1, -1}};
    ASSERT_TRUE(ArcPointsByStep(10, 0, c.end, 2.5, points, centre));
    ExpectPointEq(points.front(), {-1, -1}, "points already there stay");
    points.erase(points.begin());
    ExpectAngles(AnglesAbout(centre, points), c.angles, "end " + std::to_string(c.end));
    for (const FcPoint2d& p : points) EXPECT_NEAR(DistanceBetween(p, centre), 10, kNear);
  }
}

TEST(RevCloudGeometryTest, StepsThatWouldGiveTooManyPointsAreRefused) {
  std::vector<FcPoint2d> points;
  EXPECT_FALSE(ArcPointsByStep(100, 0, kTwoPi, 1e-6, points, {0, 0}));
  EXPECT_FALSE(EllipsePointsByStep(0, 100, 50, 0, kTwoPi, 1e-6, {0, 0}, points));
  FcPolyline polyline;
  polyline.AppendVertex({0, 0}, 0, 0, -1);
  polyline.AppendVertex({100, 0}, 0, 0, 0);
  EXPECT_FALSE(PlineToRevCloud(polyline, points, 1e-6));
  EXPECT_LE(points.size(), 1u) << "nothing but the first vertex";
  EXPECT_FALSE(RevCloudFitsLimit(std::vector<FcPoint2d>{{0, 0}, {1e9, 0}}, 18));
  EXPECT_TRUE(RevCloudFitsLimit(std::vector<FcPoint2d>{{0, 0}, {100, 0}}, 18));
}

TEST(RevCloudGeometryTest, EllipsePointsLieOnTheEllipseFromStartToEnd) {
  const double rotation = 0.5;
  const FcPoint2d centre{10, 20};
  std::vector<FcPoint2d> points;
  ASSERT_TRUE(EllipsePointsByStep(rotation, 8, 2, kHalfPi, kPi, 0.5, centre, points));
  ASSERT_GT(points.size(), 4u);
  for (const FcPoint2d& p : points) {
    const double dx = p.x - centre.x;
    const double dy = p.y - centre.y;
    const double u = dx * std::cos(rotation) + dy * std::sin(rotation);
    const double v = -dx * std::sin(rotation) + dy * std::cos(rotation);
    EXPECT_NEAR(u * u / 64 + v * v / 4, 1.0, 1e-9);
  }
  const FcPoint2d top{centre.x - 2 * std::sin(rotation), centre.y + 2 * std::cos(rotation)};
  const FcPoint2d left{centre.x - 8 * std::cos(rotation), centre.y - 8 * std::sin(rotation)};
  ExpectPointNear(points.front(), top, kNear, "start");
  ExpectPointNear(points.back(), left, kNear, "end");
}

TEST(RevCloudGeometryTest, PolylinePathFollowsStraightAndArcSegmentsBothWays) {
  FcPolyline polyline;
  polyline.AppendVertex({0, 0}, 0, 0, 0);
  polyline.AppendVertex({10, 0}, 0, 0, 1);   // half circle about (15, 0), counter-clockwise below
  polyline.AppendVertex({20, 0}, 0, 0, -1);  // half circle about (25, 0), clockwise above
  polyline.AppendVertex({30, 0}, 0, 0, 0);
  std::vector<FcPoint2d> points;
  ASSERT_TRUE(PlineToRevCloud(polyline, points, 1.0));
  ExpectPointEq(points[0], {0, 0});
  ExpectPointEq(points[1], {10, 0});
  ExpectPointNear(points.back(), {30, 0}, kNear);
  int wrongSide = 0;
  int steps = 0;
  for (std::size_t i = 2; i + 1 < points.size(); ++i) {
    const FcPoint2d& p = points[i];
    const bool first = p.x <= 20;
    EXPECT_NEAR(DistanceBetween(p, first ? FcPoint2d{15, 0} : FcPoint2d{25, 0}), 5, kNear) << i;
    if (first ? p.y > 1e-9 : p.y < -1e-9) ++wrongSide;
    ++steps;
  }
  EXPECT_EQ(wrongSide, 0);
  // Each half circle, 5 pi long, gives its start, fifteen steps and its
  // end; the last point is the polyline's end.
  EXPECT_EQ(steps, 33);

  polyline.SetClosed(true);
  points.clear();
  ASSERT_TRUE(PlineToRevCloud(polyline, points, 1.0));
  ExpectPointEq(points.back(), {0, 0}, "the closing segment");
}

// Every arc no longer than the maximum, every bulge the same.
void ExpectCloudArcs(const FcPolyline& cloud, double maximum, double bulge, double width) {
  const int count = cloud.GetVertexCount();
  const int segments = cloud.IsClosed() ? count : count - 1;
  for (int i = 0; i < count; ++i) {
    const PolylineVertex& v = *cloud.GetVertex(i);
    EXPECT_EQ(v.bulge, bulge) << i;
    EXPECT_EQ(v.startWidth, 0.0) << i;
    EXPECT_EQ(v.endWidth, width) << i;
    if (i >= segments) continue;
    const FcPoint2d next = VertexPoint(*cloud.GetVertex((i + 1) % count));
    EXPECT_LE(BulgeSegmentLength(VertexPoint(v), next, v.bulge), maximum + 1e-9) << i;
  }
}

TEST(RevCloudGeometryTest, LongEdgesAreSplitIntoArcsNoLongerThanTheMaximum) {
  const std::vector<FcPoint2d> line{{0, 0}, {100, 0}};
  const std::unique_ptr<FcPolyline> cloud = PointsToRevCloud(line, false, 15, 18, 1.8);
  ASSERT_NE(cloud, nullptr);
  EXPECT_FALSE(cloud->IsClosed());
  ExpectPointEq(VertexPoint(*cloud->GetVertex(0)), {0, 0});
  ExpectPointEq(VertexPoint(*cloud->GetVertex(cloud->GetVertexCount() - 1)), {100, 0});
  EXPECT_GE(cloud->GetVertexCount(), 7);
  ExpectCloudArcs(*cloud, 18, kRevCloudBulge, 1.8);
}

TEST(RevCloudGeometryTest, ClosedPathsBulgeOutwardAndShortStepsAreSkipped) {
  const std::vector<FcPoint2d> counterClockwise{{0, 0}, {15, 0}, {30, 0}, {30, 1}, {30, 16}, {0, 16}, {0, 0}};
  std::unique_ptr<FcPolyline> cloud = PointsToRevCloud(counterClockwise, true, 10, 20, 0);
  ASSERT_NE(cloud, nullptr);
  EXPECT_TRUE(cloud->IsClosed());
  ExpectPointEq(VertexPoint(*cloud->GetVertex(cloud->GetVertexCount() - 1)), {0, 16}, "the repeated start is gone");
  for (int i = 0; i < cloud->GetVertexCount(); ++i)
    EXPECT_NE(VertexPoint(*cloud->GetVertex(i)), (FcPoint2d{30, 1})) << "an arc of one unit is too short";
  ExpectCloudArcs(*cloud, 20, kRevCloudBulge, 0);

  const std::vector<FcPoint2d> clockwise(counterClockwise.rbegin(), counterClockwise.rend());
  cloud = PointsToRevCloud(clockwise, true, 10, 20, 0);
  ASSERT_NE(cloud, nullptr);
  ExpectCloudArcs(*cloud, 20, -kRevCloudBulge, 0);

  EXPECT_EQ(PointsToRevCloud(std::vector<FcPoint2d>{{0, 0}}, false, 10, 20, 0), nullptr);
  EXPECT_EQ(PointsToRevCloud(std::vector<FcPoint2d>{{0, 0}, {0, 0}}, false, 10, 20, 0), nullptr)
      << "a path of one point makes no cloud";
}

}  // namespace
