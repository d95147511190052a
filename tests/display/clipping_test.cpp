#include <gtest/gtest.h>

#include <vector>

#include "display/clipping.h"

namespace {

constexpr double kNear = 1e-9;
const FcClipWindow kWindow{0.0, 0.0, 10.0, 10.0};

void ExpectPoints(const std::vector<FcPoint2d>& got, const std::vector<FcPoint2d>& want, const char* what) {
  ASSERT_EQ(got.size(), want.size()) << what;
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_NEAR(got[i].x, want[i].x, kNear) << what << " point " << i;
    EXPECT_NEAR(got[i].y, want[i].y, kNear) << what << " point " << i;
  }
}

struct SegmentCase {
  const char* what;
  FcPoint2d p1, p2;
  bool visible;
  FcPoint2d q1, q2;
  int code1, code2;
};

TEST(ClipSegmentByEdges, RegionPairs) {
  const SegmentCase cases[] = {
      {"inside", {2, 3}, {8, 7}, true, {2, 3}, {8, 7}, kClipUnmoved, kClipUnmoved},
      {"on the left line from outside", {-5, 5}, {0, 5}, false, {}, {}, 0, 0},
      {"same segment reversed", {0, 5}, {-5, 5}, true, {0, 5}, {0, 5}, kClipUnmoved, kClipLeft},
      {"touches the top-left corner", {-5, 5}, {5, 15}, false, {}, {}, 0, 0},
      {"top-left to bottom-right through a corner", {-1, 11}, {11, -121}, true, {0, 0}, {0, 0}, kClipLeft,
       kClipBottom},
      {"opposite corners", {-5, 15}, {15, -5}, true, {0, 10}, {10, 0}, kClipLeft, kClipRight},
      {"opposite corners passing outside", {-1, 30}, {30, -1}, false, {}, {}, 0, 0},
      {"left to right", {-5, 5}, {15, 5}, true, {0, 5}, {10, 5}, kClipLeft, kClipRight},
      {"inside to the top-right region", {5, 5}, {15, 20}, true, {5, 5}, {25.0 / 3.0, 10}, kClipUnmoved, kClipTop},
      {"adjacent edge regions", {12, 5}, {5, -3}, true, {10, 19.0 / 7.0}, {7.625, 0}, kClipRight, kClipBottom},
      {"edge region to the far corner, at the corner", {-5, 5}, {15, -15}, false, {}, {}, 0, 0},
      {"edge region to the far corner", {-5, 5}, {15, -5}, true, {0, 2.5}, {5, 0}, kClipLeft, kClipBottom},
      {"wholly below", {-5, -1}, {15, -2}, false, {}, {}, 0, 0},
  };
  for (const auto& c : cases) {
    double x1 = c.p1.x, y1 = c.p1.y, x2 = c.p2.x, y2 = c.p2.y;
    int code1 = -1, code2 = -1;
    ASSERT_EQ(ClipSegmentByEdges(x1, y1, x2, y2, code1, code2, 0, 0, 10, 10), c.visible) << c.what;
    if (!c.visible) continue;
    ExpectPoints({{x1, y1}, {x2, y2}}, {c.q1, c.q2}, c.what);
    EXPECT_EQ(code1, c.code1) << c.what;
    EXPECT_EQ(code2, c.code2) << c.what;
  }
}

struct RingCase {
  const char* what;
  std::vector<FcPoint2d> ring;
  bool convex;
  bool visible;
  std::vector<FcPoint2d> want;
};

TEST(ClipPolygonToWindow, RingsAndTurningCorners) {
  const std::vector<FcPoint2d> around{{-5, -5}, {15, -5}, {15, 15}, {-5, 15}};
  const RingCase cases[] = {
      {"surrounding ring", around, false, true, {{10, 0}, {10, 10}, {0, 10}, {0, 0}}},
      {"surrounding convex ring", around, true, true, {{0, 0}, {10, 0}, {10, 10}, {0, 10}}},
      {"outside, not surrounding", {{20, 20}, {30, 20}, {30, 30}}, false, false, {}},
      {"inside", {{1, 1}, {9, 1}, {5, 9}}, false, true, {{9, 1}, {5, 9}, {1, 1}}},
      {"bottom-right corner, counterclockwise",
       {{4, -2}, {14, -2}, {14, 8}},
       false,
       true,
       {{10, 4}, {6, 0}, {10, 0}}},
      {"bottom-right corner, clockwise", {{4, -2}, {14, 8}, {14, -2}}, false, true, {{6, 0}, {10, 4}, {10, 0}}},
      {"bottom-right corner, convex", {{4, -2}, {14, -2}, {14, 8}}, true, true, {{10, 4}, {6, 0}, {10, 0}}},
      {"tiny edge ignored",
       {{4, -2}, {14, -2}, {14, -2 + 5e-8}, {14, 8}},
       false,
       true,
       {{10, 4}, {6, 0}, {10, 0}}},
      {"band across the window",
       {{-5, 2}, {15, 2}, {15, 4}, {-5, 4}},
       false,
       true,
       {{0, 2}, {10, 2}, {10, 4}, {0, 4}}},
  };
  for (const auto& c : cases) {
    std::vector<FcPoint2d> out;
    const bool visible = c.convex ? ClipConvexPolygonToWindow(kWindow, c.ring, out)
                                  : ClipPolygonToWindow(kWindow, c.ring, out);
    ASSERT_EQ(visible, c.visible) << c.what;
    if (visible) ExpectPoints(out, c.want, c.what);
  }
}

TEST(ClipPolyPolygonToWindow, DropsVanishedRingsAndRefusesBadCounts) {
  const std::vector<FcPoint2d> points{{1, 1}, {9, 1}, {5, 9}, {20, 20}, {30, 20}, {30, 30}, {2, 2}, {3, 2}, {3, 3}};
  const std::int32_t counts[] = {3, 3, 3};
  std::vector<FcPoint2d> out;
  std::vector<std::int32_t> outCounts;
  ASSERT_TRUE(ClipPolyPolygonToWindow(kWindow, points, counts, out, outCounts));
  EXPECT_EQ(outCounts, (std::vector<std::int32_t>{3, 3}));
  EXPECT_EQ(out.size(), 6u);

  const std::int32_t tooMany[] = {3, 7};
  EXPECT_FALSE(ClipPolyPolygonToWindow(kWindow, points, tooMany, out, outCounts));
  const std::int32_t negative[] = {-1};
  EXPECT_FALSE(ClipPolyPolygonToWindow(kWindow, points, negative, out, outCounts));
  EXPECT_TRUE(outCounts.empty());
}

// The window (0, 0)-(10, 10) shown on a square of the given pixels.
FcViewTransform WindowView(int pixels) {
  FcViewTransform view;
  view.x1 = 10;
  view.y1 = 10;
  view.deviceX1 = pixels;
  view.deviceY1 = pixels;
  view.Update();
  return view;
}

TEST(ClipLines, InfiniteLinesAndRays) {
  const FcViewTransform view = WindowView(100);
  FcPoint2d e1, e2;
  ASSERT_TRUE(view.ClipInfiniteLine({-3, -3}, {20, 20}, e1, e2)) << "through two corners";
  ExpectPoints({e1, e2}, {{0, 0}, {10, 10}}, "diagonal");
  ASSERT_TRUE(view.ClipInfiniteLine({100, 5}, {101, 5}, e1, e2));
  ExpectPoints({e1, e2}, {{0, 5}, {10, 5}}, "horizontal");
  EXPECT_FALSE(view.ClipInfiniteLine({0, 20}, {1, 20}, e1, e2));
  ASSERT_TRUE(view.ClipRay({5, 5}, {20, 5}, e1, e2));
  ExpectPoints({e1, e2}, {{5, 5}, {10, 5}}, "ray from inside");
  ASSERT_TRUE(view.ClipRay({-5, 5}, {0, 5}, e1, e2));
  ExpectPoints({e1, e2}, {{0, 5}, {10, 5}}, "ray from outside");
  EXPECT_FALSE(view.ClipRay({20, 5}, {30, 5}, e1, e2)) << "pointing away";
}

TEST(ClipToDevice, ConvertsAndRounds) {
  const FcViewTransform view = WindowView(100);
  int codes[2];
  FcDevicePoint d1, d2;
  ASSERT_TRUE(view.ClipSegmentToDevice(codes, {-5, 0.25}, {5, 0.25}, d1, d2));
  EXPECT_EQ(d1, (FcDevicePoint{0, 2})) << "2.5 rounds to the even pixel";
  EXPECT_EQ(d2, (FcDevicePoint{50, 2}));
  EXPECT_EQ(codes[0], kClipLeft);
  EXPECT_EQ(codes[1], kClipUnmoved);
  EXPECT_FALSE(view.ClipSegmentToDevice(codes, {20, 20}, {30, 30}, d1, d2));

  const std::vector<FcPoint2d> around{{-5, -5}, {15, -5}, {15, 15}, {-5, 15}};
  std::vector<FcDevicePoint> ring;
  ASSERT_TRUE(view.ClipPolygonToDevice(around, ring));
  EXPECT_EQ(ring, (std::vector<FcDevicePoint>{{100, 0}, {100, 100}, {0, 100}, {0, 0}}));
}

}  // namespace
