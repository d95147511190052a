#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <memory>

#include "database/graph.h"
#include "display/display_surface.h"
#include "display/view_transform.h"
#include "entities/hatch.h"
#include "window/screen_device.h"

namespace {

std::unique_ptr<FcPLineEdge> Square(FcPoint2d low, FcPoint2d high) {
  auto loop = std::make_unique<FcPLineEdge>();
  loop->AddVertex(low, 0);
  loop->AddVertex({high.x, low.y}, 0);
  loop->AddVertex(high, 0);
  loop->AddVertex({low.x, high.y}, 0);
  loop->SetClosed(true);
  return loop;
}

// A drawing on a 400 x 200 pixel screen device: on the left, horizontal
// pattern lines 10 apart over the square (20,20)-(180,180) with a round
// island of radius 30 about (100,100); on the right, a solid fill of the
// square (220,20)-(380,180) with a square hole (270,70)-(330,130).
class HatchPixelsTest : public testing::Test {
 protected:
  static FcGraph* MakeDrawing() {
    SetScreenDeviceFactory(MakeScreenDevice);
    return new FcGraph;
  }

  HatchPixelsTest() : graph(MakeDrawing()) {
    SetScreenDeviceFactory(nullptr);
    surface().Resize(400, 200);
    graph->GetSysVars().ucsicon = 0;

    auto* patterned = new FcHatch;
    patterned->GetPattern().SetType(kPatternUserDefined);
    patterned->GetPattern().SetScale(10);
    patterned->GetPattern().AddUserLine();
    patterned->GetLoops().Append(Square({20, 20}, {180, 180}));
    auto island = std::make_unique<FcOtherEdge>();
    island->AppendFlattened(std::make_unique<FcArcEdge>(FcPoint2d{100, 100}, 30.0, 0.0, kTwoPi, true));
    patterned->GetLoops().Append(std::move(island));
    graph->AddEntity(patterned, false);

    auto* solid = new FcHatch;
    solid->SetSolid(true);
    solid->GetLoops().Append(Square({220, 20}, {380, 180}));
    solid->GetLoops().Append(Square({270, 70}, {330, 130}));
    graph->AddEntity(solid, false);
    graph->Regen();
  }

  FcDisplaySurface& surface() { return *graph->GetDisplaySurface(); }
  const QImage& Image() { return static_cast<const FcMFCDisplayDevice&>(*surface().GetDevice()).BackBuffer(); }

  // Whether a pixel within one pixel of the point is not background.
  bool Inked(const FcPoint2d& point) {
    const QImage& image = Image();
    std::int32_t x = 0;
    std::int32_t y = 0;
    surface().GetView()->WorldToDevice(point.x, point.y, &x, &y);
    const int row = image.height() - y;
    const QRgb background = image.pixel(0, 0);
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (image.pixel(x + dx, row + dy) != background) return true;
    return false;
  }

  std::unique_ptr<FcGraph> graph;
};

TEST_F(HatchPixelsTest, PatternLinesSkipTheIslandAndTheFillLeavesTheHole) {
  surface().ZoomWindow({0, 0}, {400, 200});
  graph->Redraw();
  const struct {
    FcPoint2d point;
    bool inked;
    const char* what;
  } probes[] = {
      {{50, 50}, true, "pattern line y = 50"},
      {{50, 55}, false, "between two pattern lines"},
      {{100, 100}, false, "inside the island"},
      {{100, 60}, true, "pattern line below the island"},
      {{10, 50}, false, "outside the patterned square"},
      {{240, 40}, true, "solid fill"},
      {{300, 100}, false, "the hole in the fill"},
      {{350, 150}, true, "solid fill beside the hole"},
  };
  for (const auto& probe : probes) EXPECT_EQ(Inked(probe.point), probe.inked) << probe.what;
  const QByteArray out = qgetenv("KOVRA_TEST_OUT");
  if (!out.isEmpty()) {
    QDir().mkpath(QString::fromUtf8(out));
    EXPECT_TRUE(Image().save(QString::fromUtf8(out) + "/hatches.png"));
  }
}

}  // namespace
