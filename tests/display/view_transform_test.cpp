#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "display/view_transform.h"

namespace {

FcViewTransform MakeView(double x0, double y0, double x1, double y1, int dx0, int dy0, int dx1, int dy1) {
  FcViewTransform view;
  view.x0 = x0;
  view.y0 = y0;
  view.x1 = x1;
  view.y1 = y1;
  view.deviceX0 = dx0;
  view.deviceY0 = dy0;
  view.deviceX1 = dx1;
  view.deviceY1 = dy1;
  view.Update();
  return view;
}

TEST(FcViewTransform, NewViewMapsItsWindowOntoItsRectangle) {
  FcViewTransform view;
  view.Update();
  std::int32_t x = -1, y = -1;
  view.WorldToDevice(0, 0, &x, &y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  view.WorldToDevice(12, 9, &x, &y);
  EXPECT_EQ(x, 400);
  EXPECT_EQ(y, 300);
  double wx = 0, wy = 0;
  view.DeviceToWorld(&wx, &wy, 200, 150);
  EXPECT_DOUBLE_EQ(wx, 6.0);
  EXPECT_DOUBLE_EQ(wy, 4.5);
  view.WorldToDevice(6, 4.5, nullptr, &y);
  EXPECT_EQ(y, 150) << "either output may be left out";
}

TEST(FcViewTransform, ZeroExtentKeepsTheMatrices) {
  FcViewTransform view = MakeView(0, 0, 10, 10, 0, 0, 100, 100);
  const FcMatrix2d before = view.forward;
  view.x1 = view.x0;
  view.Update();
  EXPECT_EQ(view.forward.a, before.a);
  EXPECT_EQ(view.forward.c, before.c);
  view.x1 = 10;
  view.deviceY1 = view.deviceY0;
  view.Update();
  EXPECT_EQ(view.forward.e, before.e);
}

TEST(FcViewTransform, RoundsHalvesToEven) {
  const FcViewTransform view = MakeView(0, 0, 400, 300, 0, 0, 400, 300);
  std::int32_t x = 0, y = 0;
  view.WorldToDevice(2.5, 3.5, &x, &y);
  EXPECT_EQ(x, 2);
  EXPECT_EQ(y, 4);
  view.WorldToDevice(-2.5, 1e300, &x, &y);
  EXPECT_EQ(x, -2);
  EXPECT_EQ(y, INT_MAX) << "far-away points are held at the end of the range";
  EXPECT_EQ(RoundToDevice(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(RoundToDevice(-1e300), INT_MIN);
}

TEST(FcViewTransform, LengthsAreMeasuredAlongX) {
  const FcViewTransform view = MakeView(0, 0, 100, 50, 0, 0, 200, 200);
  EXPECT_EQ(view.WorldLengthToPixels(10), 20) << "although 10 units span 40 pixels vertically";
  EXPECT_EQ(view.WorldLengthToPixels(-10), 20);
  EXPECT_DOUBLE_EQ(view.WorldLengthToDevice(1000), 2000.0);
  EXPECT_DOUBLE_EQ(view.PixelsToWorld(-20), 10.0);
  EXPECT_DOUBLE_EQ(view.DeviceLengthToWorld(0.5), 0.25);
}

}  // namespace
