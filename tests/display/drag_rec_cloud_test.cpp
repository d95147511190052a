#include "display/drag_rec_cloud.h"

#include <gtest/gtest.h>

#include "core/arcs.h"
#include "entities/polyline.h"

namespace {

constexpr double kBulge = 0.5206;

// A cloud started at the origin, with arcs of 15 to 18.
struct Cloud {
  Cloud() {
    polyline.AppendVertex({0, 0}, 0, 1.5, -kBulge);
    band.Start(&polyline);
  }
  bool Move(const FcPoint2d& cursor, int final = 0) { return band.DrawTest(nullptr, nullptr, cursor, final); }

  FcPolyline polyline;
  FcDragRecCloud band;
};

TEST(DragRecCloudTest, ArcsFollowTheCursorWithinTheirLengths) {
  Cloud cloud;
  EXPECT_FALSE(cloud.Move({10, 0}));
  EXPECT_EQ(cloud.polyline.GetVertexCount(), 1) << "an arc up to the minimum waits";
  EXPECT_FALSE(cloud.Move({100, 0}));
  const int count = cloud.polyline.GetVertexCount();
  ASSERT_GE(count, 6);
  for (int i = 0; i + 1 < count; ++i) {
    const PolylineVertex& v = *cloud.polyline.GetVertex(i);
    EXPECT_LE(BulgeSegmentLength(VertexPoint(v), VertexPoint(*cloud.polyline.GetVertex(i + 1)), v.bulge), 18) << i;
    EXPECT_EQ(v.endWidth, 1.5) << i;
  }
  EXPECT_EQ(VertexPoint(*cloud.polyline.GetVertex(count - 1)), (FcPoint2d{100, 0}));

  EXPECT_FALSE(cloud.Move({101, 0}, 1)) << "a click adds its point however near";
  EXPECT_EQ(cloud.polyline.GetVertexCount(), count + 1);
}

TEST(DragRecCloudTest, ClosesNearTheStartWithArcsBulgingOutward) {
  Cloud cloud;
  // Round a square of 60 in steps of 5, counter-clockwise, up to 15 short
  // of the start.
  for (int i = 1; i <= 12; ++i) ASSERT_FALSE(cloud.Move({5.0 * i, 0}));
  for (int i = 1; i <= 12; ++i) ASSERT_FALSE(cloud.Move({60, 5.0 * i}));
  for (int i = 1; i <= 12; ++i) ASSERT_FALSE(cloud.Move({60 - 5.0 * i, 60}));
  for (int i = 1; i <= 9; ++i) ASSERT_FALSE(cloud.Move({0, 60 - 5.0 * i}));
  EXPECT_FALSE(cloud.polyline.IsClosed());
  EXPECT_GT(cloud.polyline.GetVertex(0)->bulge, 0) << "counter-clockwise round the cloud";
  EXPECT_TRUE(cloud.Move({0, 10}));
  EXPECT_TRUE(cloud.polyline.IsClosed());
}

TEST(DragRecCloudTest, AJumpWithTinyArcsStopsAtTheVertexLimit) {
  Cloud cloud;
  cloud.band.minArcLength = 0.001;
  cloud.band.maxArcLength = 0.0012;
  EXPECT_FALSE(cloud.Move({1000, 0}));
  EXPECT_EQ(cloud.polyline.GetVertexCount(), FcDragRecCloud::kMaxVertices);
  EXPECT_FALSE(cloud.Move({1000, 500}, 1));
  EXPECT_EQ(cloud.polyline.GetVertexCount(), FcDragRecCloud::kMaxVertices);
}

}  // namespace
