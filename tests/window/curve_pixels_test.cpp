#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <cmath>
#include <numbers>
#include <string>

#include "database/graph.h"
#include "display/display_surface.h"
#include "display/view_transform.h"
#include "entities/arc.h"
#include "entities/ellipse.h"
#include "entities/spline.h"
#include "window/screen_device.h"

namespace {

constexpr double kPi = std::numbers::pi;

struct Probe {
  FcPoint2d point;
  bool inked;
  const char* what;
};

// A drawing on a 400 x 200 pixel screen device: a half arc of radius 40
// about (60, 100), an arc of radius 30 about (120, 100) from 300 to 60
// degrees, crossing zero, a quarter ellipse arc about (200, 100) with semi-axes 60
// and 30, and a spline through (280, 40), (320, 160) and (380, 60).
class CurvePixelsTest : public testing::Test {
 protected:
  static FcGraph* MakeDrawing() {
    SetScreenDeviceFactory(MakeScreenDevice);
    return new FcGraph;
  }

  CurvePixelsTest() : graph(MakeDrawing()) {
    SetScreenDeviceFactory(nullptr);
    surface().Resize(400, 200);
    graph->GetSysVars().ucsicon = 0;

    auto* arc = new FcArc;
    arc->SetCenter({60, 100});
    arc->SetRadius(40);
    arc->SetStartAngle(0);
    arc->SetEndAngle(kPi);
    graph->AddEntity(arc, false);

    auto* crossingZero = new FcArc;
    crossingZero->SetCenter({120, 100});
    crossingZero->SetRadius(30);
    crossingZero->SetStartAngle(5 * kPi / 3);
    crossingZero->SetEndAngle(7 * kPi / 3);
    graph->AddEntity(crossingZero, false);

    auto* ellipse = new FcEllipse;
    ellipse->SetCenter({200, 100});
    ellipse->SetMajorAxis({60, 0});
    ellipse->SetRadiusRatio(0.5);
    ellipse->SetStartAngle(0);
    ellipse->SetEndAngle(kPi / 2);
    graph->AddEntity(ellipse, false);

    auto* spline = new FcSPline;
    for (const FcPoint2d& point : {FcPoint2d{280, 40}, FcPoint2d{320, 160}, FcPoint2d{380, 60}})
      spline->AppendFitPoint(point);
    graph->AddEntity(spline, false);
    graph->Regen();
  }

  FcDisplaySurface& surface() { return *graph->GetDisplaySurface(); }

  // -1 when the point is off the screen, else 1 when a pixel within one of
  // its pixel is not background.
  int Inked(const FcPoint2d& point) {
    const QImage& image = Image();
    std::int32_t x = 0;
    std::int32_t y = 0;
    surface().GetView()->WorldToDevice(point.x, point.y, &x, &y);
    const int row = image.height() - y;
    if (x < 1 || row < 1 || x + 1 >= image.width() || row + 1 >= image.height()) return -1;
    const QRgb background = image.pixel(0, 0);
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (image.pixel(x + dx, row + dy) != background) return 1;
    return 0;
  }

  const QImage& Image() { return static_cast<const FcMFCDisplayDevice&>(*surface().GetDevice()).BackBuffer(); }

  std::unique_ptr<FcGraph> graph;
};

// The curves pass where their geometry says and leave out what they do not
// cover; the second zoom doubles the scale about the arc and the ellipse.
TEST_F(CurvePixelsTest, ArcsEllipseArcAndSplineAtTwoZoomLevels) {
  const Probe probes[] = {
      {{60 + 40 * std::cos(kPi / 4), 100 + 40 * std::sin(kPi / 4)}, true, "arc at 45 degrees"},
      {{60, 140}, true, "arc top"},
      {{60, 60}, false, "below the arc: not swept"},
      {{60, 100}, false, "arc centre"},
      {{150, 100}, true, "arc crossing zero, at zero"},
      {{120, 130}, false, "arc crossing zero: not swept at 90 degrees"},
      {{260, 100}, true, "ellipse arc start"},
      {{200, 130}, true, "ellipse arc end"},
      {{200 + 60 * std::cos(kPi / 4), 100 + 30 * std::sin(kPi / 4)}, true, "ellipse arc middle"},
      {{140, 100}, false, "ellipse: not swept"},
      {{280, 40}, true, "spline first fit point"},
      {{320, 160}, true, "spline middle fit point"},
      {{380, 60}, true, "spline last fit point"},
      {{300, 40}, false, "beside the spline"},
  };
  struct Zoom {
    FcPoint2d corner1, corner2;
    const char* name;
    int probesOnScreen;
  };
  const Zoom zooms[] = {{{0, 0}, {400, 200}, "whole", 14}, {{0, 50}, {200, 150}, "double", 7}};
  const QByteArray out = qgetenv("KOVRA_TEST_OUT");
  for (const Zoom& zoom : zooms) {
    surface().ZoomWindow(zoom.corner1, zoom.corner2);
    graph->Redraw();
    int onScreen = 0;
    for (const Probe& probe : probes) {
      const int inked = Inked(probe.point);
      if (inked < 0) continue;
      ++onScreen;
      EXPECT_EQ(inked == 1, probe.inked) << probe.what << " at zoom " << zoom.name;
    }
    EXPECT_EQ(onScreen, zoom.probesOnScreen) << zoom.name;
    if (!out.isEmpty()) {
      QDir().mkpath(QString::fromUtf8(out));
      EXPECT_TRUE(Image().save(QString::fromUtf8(out) + "/curves_" + zoom.name + ".png"));
    }
  }
}

}  // namespace
