#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "database/system_var.h"
#include "display/grid_and_ucs_icon.h"

namespace {

// A view showing the world window on a device rectangle of 40 x 30 pixels.
FcViewTransform MakeView(double x0, double y0, double width) {
  FcViewTransform view;
  view.x0 = x0;
  view.y0 = y0;
  view.x1 = x0 + width;
  view.y1 = y0 + width * 30.0 / 40.0;
  view.deviceX1 = 40;
  view.deviceY1 = 30;
  view.Update();
  return view;
}

TEST(GridDots, SpacingAndLimits) {
  struct Case {
    const char* what;
    double gridUnit;
    double x0, y0, width;
    std::size_t dots;
  };
  const Case cases[] = {
      {"5 pixels", 5.0, 0, 0, 40, 9 * 7},
      {"3 pixels", 3.0, 0, 0, 40, 14 * 11},
      {"2 pixels draw nothing", 2.0, 0, 0, 40, 0},
      {"window touching the limits' right edge", 5.0, 420, 0, 40, 0},
      {"window beyond the limits", 5.0, 500, 500, 40, 0},
      {"window partly over the limits' corner", 5.0, 400, 280, 40, 5 * 4},
  };
  for (const Case& c : cases) {
    FcSystemVar vars;
    vars.gridunit = {c.gridUnit, c.gridUnit};
    EXPECT_EQ(GridDots(vars, MakeView(c.x0, c.y0, c.width)).size(), c.dots) << c.what;
  }
}

TEST(GridDots, DotsFollowTheSnapFrame) {
  FcSystemVar vars;
  vars.snapbase = {1.0, 2.0};
  const std::vector<FcDevicePoint> dots = GridDots(vars, MakeView(0, 0, 40));
  ASSERT_FALSE(dots.empty());
  EXPECT_EQ(dots.front(), (FcDevicePoint{1, 2}));
  for (const FcDevicePoint& d : dots) {
    EXPECT_EQ((d.x - 1) % 5, 0);
    EXPECT_EQ((d.y - 2) % 5, 0);
  }
}

TEST(GridLimitsOverlap, StrictOnEveryEdge) {
  const FcPoint2d lo{0, 0}, hi{10, 10};
  EXPECT_TRUE(GridLimitsOverlap(lo, hi, {5, 5}, {15, 15}));
  EXPECT_FALSE(GridLimitsOverlap(lo, hi, {10, 0}, {20, 10}));
  EXPECT_FALSE(GridLimitsOverlap(lo, hi, {-10, -10}, {0, 0}));
}

std::vector<std::string> LabelTexts(const FcUcsIconShape& icon) {
  std::vector<std::string> texts;
  for (const auto& label : icon.labels) texts.push_back(label.text);
  return texts;
}

TEST(UcsIconShape, PlacementAndLabels) {
  FcViewTransform view;
  view.x1 = 800;
  view.y1 = 600;
  view.deviceX1 = 800;
  view.deviceY1 = 600;
  view.Update();

  FcSystemVar vars;
  vars.ucsicon = 3;
  vars.SetUcs({200, 300}, {201, 300}, {200, 301});
  FcUcsIconShape icon = UcsIconShape(vars, view, 800, 600, 14, 20);
  EXPECT_EQ(icon.origin, (FcDevicePoint{200, 300}));
  EXPECT_TRUE(icon.originCircle);
  EXPECT_EQ(LabelTexts(icon), (std::vector<std::string>{"X", "Y"})) << "no W outside the world UCS";
  EXPECT_EQ(icon.labels[0].topLeft, (FcDevicePoint{247, 320}));
  ASSERT_GE(icon.polylines.size(), 3u);
  EXPECT_EQ(icon.polylines[0], (std::vector<FcDevicePoint>{{245, 300}, {190, 300}}));
  EXPECT_EQ(icon.polylines[2], (std::vector<FcDevicePoint>{{237, 304}, {245, 300}, {236, 295}}))
      << "a 10-pixel and an 11-pixel barb";

  vars.SetUcs({5, 300}, {6, 300}, {5, 301});
  icon = UcsIconShape(vars, view, 800, 600, 14, 20);
  EXPECT_EQ(icon.origin, (FcDevicePoint{50, 50})) << "too near the left edge";
  EXPECT_FALSE(icon.originCircle);

  vars.SetUcs({0, 0}, {1, 0}, {0, 1});
  vars.ucsicon = 1;
  icon = UcsIconShape(vars, view, 800, 600, 14, 20);
  EXPECT_EQ(icon.origin, (FcDevicePoint{50, 50}));
  EXPECT_EQ(LabelTexts(icon), (std::vector<std::string>{"X", "Y", "W"}));
  EXPECT_EQ(icon.labels[2].topLeft, (FcDevicePoint{52, 67})) << "beside the corner box's last point";
}

}  // namespace
