#include "core/point_in_polygon.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(PointInPolygon, TellsSideAndWinding) {
  const std::vector<FcPoint2d> ccw{{0, 0}, {2, 0}, {2, 2}, {0, 2}};
  const std::vector<FcPoint2d> cw{{0, 0}, {0, 2}, {2, 2}, {2, 0}};
  // A concave ring whose edges jump two quadrants around the test points.
  const std::vector<FcPoint2d> notch{{0, 0}, {4, 0}, {4, 4}, {2, 1}, {0, 4}};
  struct Case {
    const std::vector<FcPoint2d>* ring;
    FcPoint2d q;
    int expected;
  } cases[] = {
      {&ccw, {1, 1}, 1},     {&cw, {1, 1}, 2},      {&ccw, {3, 1}, -1},    {&ccw, {2, 2}, 0},
      {&ccw, {1, 0}, 0},     {&ccw, {2, 1.5}, 0},   {&notch, {2, 2}, -1},  {&notch, {2, 0.5}, 1},
      {&notch, {0.3, 3}, 1}, {&notch, {-1, 1}, -1}, {&notch, {3, 2.5}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.q.x << "," << c.q.y);
    EXPECT_EQ(PointInPolygon(c.q, *c.ring), c.expected);
  }
  std::vector<PolylineVertex> vertices(cw.size());
  for (std::size_t i = 0; i < cw.size(); ++i) {
    vertices[i].x = cw[i].x;
    vertices[i].y = cw[i].y;
  }
  EXPECT_EQ(PointInVertexPolygon({1, 1}, vertices), 2);
  EXPECT_EQ(PointInPolygon({1, 1}, std::span<const FcPoint2d>()), -1);
}

}  // namespace
