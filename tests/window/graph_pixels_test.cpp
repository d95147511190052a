#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "database/graph.h"
#include "display/display_surface.h"
#include "display/primitive_builders.h"
#include "window/screen_device.h"
#include "display/view_transform.h"
#include "entities/line.h"

namespace {

// "DASHED" is 0.5 inch on, 0.25 inch off; at this scale a dash is 20 units
// and a gap 10. A path of 170 units then holds whole patterns centred on
// it: dashes at 0-20, 30-50, ..., 150-170 from its start.
constexpr double kDashScale = 20.0 / 12.7;
constexpr double kPathLength = 170.0;
constexpr double kArcRadius = kPathLength / std::numbers::pi;
constexpr FcPoint2d kArcCentre{300, 60};

FcPoint2d OnArc(double arcLength) {
  const double angle = arcLength / kArcRadius;
  return {kArcCentre.x + kArcRadius * std::cos(angle), kArcCentre.y + kArcRadius * std::sin(angle)};
}

struct Probe {
  FcPoint2d point;
  bool inked;
  const char* what;
};

// A drawing on a 400 x 200 pixel screen device holding a dashed line from
// (10, 50) to (180, 50), and, drawn through the builders, a dashed arc of
// the same length about (300, 60) and a dashed polyline 8 units wide from
// (10, 100) to (180, 100).
class GraphPixelsTest : public testing::Test {
 protected:
  static FcGraph* MakeDrawing() {
    SetScreenDeviceFactory(MakeScreenDevice);
    return new FcGraph;
  }

  GraphPixelsTest() : graph(MakeDrawing()) {
    SetScreenDeviceFactory(nullptr);
    surface().Resize(400, 200);
    surface().ZoomWindow({0, 0}, {400, 200});

    FcLinetypeList file;
    file.LoadFromFile(std::string(KOVRA_SOURCE_DIR) + "/Support/kovra.lin");
    const FcLineType* loaded = file.FindByName("DASHED");
    EXPECT_NE(loaded, nullptr);
    FcLineType* dashed = graph->GetOrCreateLinetype("DASHED");
    const FcHandle handle = dashed->GetHandle();
    if (loaded != nullptr) dashed->CopyFrom(*loaded);
    dashed->SetHandle(handle);

    // The UCS icon would sit on the probes near the origin.
    graph->GetSysVars().ucsicon = 0;
    graph->GetSysVars().ltscale = kDashScale;
    graph->SetCurrentLinetype("DASHED");
    auto* line = new FcLine;
    line->SetStartPoint({10, 50});
    line->SetEndPoint({10 + kPathLength, 50});
    graph->AddEntity(line, false);

    surface().BeginDraw(0, nullptr);
    surface().currentLinetype = dashed;
    surface().entityLinetypeScale = kDashScale;
    AddArcToSurface(&surface(), kArcCentre, kArcRadius, 0.0, std::numbers::pi, 9001, 0);
    const PolylineVertex wide[2] = {{10, 100, 0, 8, 8}, {10 + kPathLength, 100, 0, 8, 8}};
    AddWidePolylineToSurface(&surface(), wide, 2, false, 9002);
    surface().EndDraw();
  }

  FcDisplaySurface& surface() { return *graph->GetDisplaySurface(); }

  // The pixels within one of the world point's pixel; -1 when the point is
  // not on the screen, else 1 when any of them is not background.
  int Inked(const FcPoint2d& point) {
    const auto& device = static_cast<const FcMFCDisplayDevice&>(*surface().GetDevice());
    const QImage& image = device.BackBuffer();
    std::int32_t x = 0;
    std::int32_t y = 0;
    surface().GetView()->WorldToDevice(point.x, point.y, &x, &y);
    const int row = image.height() - y;
    if (x < 1 || row < 1 || x + 1 >= image.width() || row + 1 >= image.height()) return -1;
    const QRgb background = image.pixel(0, 0);
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        if (image.pixel(x + dx, row + dy) != background) return 1;
      }
    }
    return 0;
  }

  std::unique_ptr<FcGraph> graph;
};

TEST_F(GraphPixelsTest, DashesGapsAndBackgroundAtTwoZoomLevels) {
  const Probe probes[] = {
      {{20, 50}, true, "line, first dash"},         {{35, 50}, false, "line, first gap"},
      {{80, 50}, true, "line, third dash"},         {{95, 50}, false, "line, third gap"},
      {{20, 60}, false, "beside the line"},         {{20, 102}, true, "wide polyline, first dash"},
      {{35, 102}, false, "wide polyline, gap"},     {{20, 110}, false, "beside the wide polyline"},
      {OnArc(10), true, "arc, first dash"},         {OnArc(25), false, "arc, first gap"},
      {OnArc(160), true, "arc, last dash"},         {kArcCentre, false, "arc centre"},
  };
  struct Zoom {
    FcPoint2d corner1, corner2;
    int probesOnScreen;
  };
  // One world unit per pixel, then two pixels per unit about the line and
  // the wide polyline.
  const Zoom zooms[] = {{{0, 0}, {400, 200}, 12}, {{0, 25}, {200, 125}, 8}};
  for (const Zoom& zoom : zooms) {
    surface().ZoomWindow(zoom.corner1, zoom.corner2);
    graph->Redraw();
    int onScreen = 0;
    for (const Probe& probe : probes) {
      const int inked = Inked(probe.point);
      if (inked < 0) continue;
      ++onScreen;
      EXPECT_EQ(inked == 1, probe.inked) << probe.what << " at zoom " << zoom.corner2.x;
    }
    EXPECT_EQ(onScreen, zoom.probesOnScreen);
  }
}

}  // namespace
