#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "database/graph.h"
#include "platform/program_settings.h"
#include "tests/support/surface_fixture.h"

namespace {

FcViewTransform& View(SurfaceFixture& f) { return *f.surface.GetView(); }

void SetWindow(SurfaceFixture& f, double x0, double y0, double x1, double y1) {
  FcViewTransform& view = View(f);
  view.x0 = x0;
  view.y0 = y0;
  view.x1 = x1;
  view.y1 = y1;
  view.Update();
}

TEST(RedrawZoomPanTest, FitWindowToDeviceWidensOneAxis) {
  SurfaceFixture f;
  SetWindow(f, 0, 0, 100, 100);
  f.surface.FitWindowToDevice();
  EXPECT_NEAR(View(f).x0, -16.6667, 1e-4);
  EXPECT_NEAR(View(f).x1, 116.6667, 1e-4);
  EXPECT_DOUBLE_EQ(View(f).y0, 0);
  EXPECT_DOUBLE_EQ(View(f).y1, 100);
}

TEST(RedrawZoomPanTest, FitWindowToDeviceIgnoresAnEmptyDevice) {
  SurfaceFixture f;
  f.surface.SetDeviceSize(0, 300);
  const double x1 = View(f).x1;
  f.surface.FitWindowToDevice();
  f.surface.ZoomScale(2.0);
  EXPECT_DOUBLE_EQ(View(f).x1, x1);
}

TEST(RedrawZoomPanTest, WheelZoomKeepsThePointUnderTheCursor) {
  SurfaceFixture f;
  GetProgramSettings().zoom_factor = 20;
  const FcPoint2d cursor{100, 50};
  std::int32_t before[2];
  View(f).WorldToDevice(cursor.x, cursor.y, &before[0], &before[1]);
  f.surface.WheelZoomIn(cursor.x, cursor.y);
  EXPECT_NEAR(View(f).x1 - View(f).x0, 320, 1e-9);
  std::int32_t after[2];
  View(f).WorldToDevice(cursor.x, cursor.y, &after[0], &after[1]);
  EXPECT_EQ(after[0], before[0]);
  EXPECT_EQ(after[1], before[1]);
  f.surface.WheelZoomOut(cursor.x, cursor.y);
  EXPECT_NEAR(View(f).x1 - View(f).x0, 384, 1e-9);  // 0.8 x 1.2, not back to 400
  EXPECT_TRUE(f.surface.PopView());
  EXPECT_TRUE(f.surface.PopView());
  EXPECT_FALSE(f.surface.PopView());
  EXPECT_DOUBLE_EQ(View(f).x1, 400);
}

TEST(RedrawZoomPanTest, ZoomWindowAndExtents) {
  SurfaceFixture f;
  f.surface.ZoomWindow({10, 20}, {50, 20});
  EXPECT_FALSE(f.surface.PopView()) << "a flat window pushes no view";
  f.surface.AddPrimitive(std::make_unique<FcDsPoint>(1, 0, FcPoint2d{5, 7}));
  f.surface.ZoomExtents();
  EXPECT_DOUBLE_EQ(View(f).x0, 5 - 12);
  EXPECT_DOUBLE_EQ(View(f).x1, 5 + 12);
  EXPECT_DOUBLE_EQ(View(f).y0, 7 - 9);
  EXPECT_DOUBLE_EQ(View(f).y1, 7 + 9);
  EXPECT_FALSE(f.surface.viewUnchanged);
  EXPECT_TRUE(f.surface.gripsChanged);
}

TEST(RedrawZoomPanTest, PanMovesTheAnchorUnderThePoint) {
  SurfaceFixture f;
  f.surface.Pan({100, 100}, {130, 90}, true);
  EXPECT_DOUBLE_EQ(View(f).x0, 30);
  EXPECT_DOUBLE_EQ(View(f).y1, 290);
  EXPECT_TRUE(f.surface.PopView());
}

TEST(RedrawZoomPanTest, NeedsRegenAfterZoomingTwoHundredTimes) {
  struct Case {
    double factor;
    bool needsRegen;
  };
  for (const Case& c : {Case{1.0 / 150, false}, Case{1.0 / 250, true}, Case{150, false}, Case{250, true}}) {
    SCOPED_TRACE(c.factor);
    SurfaceFixture f;
    f.surface.ZoomScale(c.factor);
    EXPECT_EQ(f.surface.NeedsRegen(), c.needsRegen);
  }
}

TEST(RedrawZoomPanTest, FullRedrawOrder) {
  FcGraph graph;
  graph.GetSysVars().gridmode = 1;
  graph.GetSysVars().ucsicon = 3;
  SurfaceFixture f(&graph);
  f.surface.Redraw();
  EXPECT_EQ(f.device->calls, (std::vector<std::string>{"BeginPaint  1", "DrawGrid", "DrawUcsIcon", "EndPaint"}));
  EXPECT_TRUE(f.surface.viewUnchanged);

  f.device->calls.clear();
  graph.GetSysVars().gridmode = 0;
  graph.GetSysVars().ucsicon = 0;
  f.surface.AddPrimitive(std::make_unique<FcDsPoint>(1, 0, FcPoint2d{1, 1}));
  f.surface.AddPrimitive(std::make_unique<FcDsPoint>(2, 0, FcPoint2d{2, 2}));
  f.surface.AddPrimitive(std::make_unique<FcDsPoint>(3, 0, FcPoint2d{3, 3}));
  f.surface.HighlightGroup(true, 1);
  f.surface.Redraw();
  const std::vector<std::string> expected = {"BeginPaint  1",   "SetPixel 2 2", "SetPixel 3 3", "BeginHighlight",
                                             "SetPixel 1 1",    "EndHighlight", "EndPaint"};
  EXPECT_EQ(f.device->calls, expected);
}

// A device on which drawing takes long enough for the redraw to look for
// input, and during which new input arrives.
class SlowDevice : public RecordingDevice {
 public:
  void SetPixel(int x, int y) override {
    RecordingDevice::SetPixel(x, y);
    std::this_thread::sleep_for(std::chrono::milliseconds(80));
    if (surface != nullptr) surface->RequestRedrawStop(FcPendingInput::kMouseMove);
  }
  FcDisplaySurface* surface = nullptr;
};

TEST(RedrawZoomPanTest, InteractiveRedrawGivesWayToNewInput) {
  FcDisplaySurface surface(nullptr);
  auto slow = std::make_unique<SlowDevice>();
  SlowDevice* device = slow.get();
  device->surface = &surface;
  surface.SetDevice(std::move(slow));
  surface.Resize(400, 300);
  surface.AddPrimitive(std::make_unique<FcDsPoint>(1, 0, FcPoint2d{1, 1}));
  surface.AddPrimitive(std::make_unique<FcDsPoint>(2, 0, FcPoint2d{2, 2}));

  surface.interactiveMode = 2;  // wheel zoom ignores mouse moves
  surface.Redraw();
  EXPECT_EQ(device->CallsOf("SetPixel").size(), 2u);

  device->calls.clear();
  surface.interactiveMode = 1;
  surface.Redraw();
  EXPECT_EQ(device->CallsOf("SetPixel").size(), 1u);
  EXPECT_FALSE(surface.GetGroup(1)->GetPrimitive(0)->deviceCacheValid);
  EXPECT_TRUE(surface.viewUnchanged);

  device->surface = nullptr;
  device->calls.clear();
  surface.interactiveMode = 0;
  surface.Redraw();
  EXPECT_EQ(device->CallsOf("SetPixel").size(), 2u);
}

}  // namespace
