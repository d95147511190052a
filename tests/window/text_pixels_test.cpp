#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <string>

#include "database/graph.h"
#include "database/text_style.h"
#include "display/display_surface.h"
#include "display/view_transform.h"
#include "entities/mtext.h"
#include "entities/text.h"
#include "window/screen_device.h"

namespace {

// A drawing on a 400 x 200 pixel screen device: a line in simplex.shx, a
// TrueType line underlined and one overlined, and a multiline paragraph
// wrapped at 150 units with a stacked fraction.
class TextPixelsTest : public testing::Test {
 protected:
  static FcGraph* MakeDrawing() {
    SetScreenDeviceFactory(MakeScreenDevice);
    return new FcGraph;
  }

  TextPixelsTest() : graph(MakeDrawing()) {
    SetScreenDeviceFactory(nullptr);
    surface().Resize(400, 200);
    graph->GetSysVars().ucsicon = 0;
    FcTextStyle* simplex = graph->FindOrCreateTextStyle("Simplex");
    graph->TakeHandle(*simplex);
    simplex->SetFontFile("simplex.shx");
    FcTextStyle* sans = graph->FindOrCreateTextStyle("Sans");
    graph->TakeHandle(*sans);
    sans->SetTrueTypeFace("DejaVu Sans");

    shx = AddText(simplex, "Simplex 45%%d", {10, 165});
    under = AddText(sans, "%%uTITLE%%u", {10, 115});
    over = AddText(sans, "%%oTOP%%o", {10, 60});

    paragraph = new FcMText;
    paragraph->SetStyle(simplex);
    paragraph->SetContents("A paragraph of words wraps at its width and ends with \\S1/2; inch");
    paragraph->SetInsertionPoint({200, 180});
    paragraph->SetHeight(10.0);
    paragraph->SetReferenceWidth(150.0);
    graph->AddEntity(paragraph, false);
    graph->Regen();
    surface().ZoomWindow({0, 0}, {400, 200});
    graph->Redraw();
  }

  FcText* AddText(FcTextStyle* style, const char* contents, const FcPoint2d& at) {
    auto* text = new FcText;
    text->SetStyle(style);
    text->SetText(contents);
    text->SetInsertionPoint(at);
    text->SetHeight(20.0);
    graph->AddEntity(text, false);
    return text;
  }

  FcDisplaySurface& surface() { return *graph->GetDisplaySurface(); }
  const QImage& Image() { return static_cast<const FcMFCDisplayDevice&>(*surface().GetDevice()).BackBuffer(); }

  // The share of the pixel columns from x0 to x1 that have ink somewhere
  // between the world heights y0 and y1.
  double InkedColumns(double x0, double x1, double y0, double y1) {
    const QImage& image = Image();
    const QRgb background = image.pixel(0, 0);
    std::int32_t left = 0, right = 0, top = 0, bottom = 0;
    surface().GetView()->WorldToDevice(x0, y1, &left, &top);
    surface().GetView()->WorldToDevice(x1, y0, &right, &bottom);
    int inked = 0;
    for (int x = left; x <= right; ++x) {
      bool any = false;
      for (int y = std::min(top, bottom); y <= std::max(top, bottom) && !any; ++y) {
        const int row = image.height() - y;
        any = row >= 0 && row < image.height() && x >= 0 && x < image.width() && image.pixel(x, row) != background;
      }
      inked += any ? 1 : 0;
    }
    return right > left ? static_cast<double>(inked) / (right - left + 1) : 0.0;
  }

  std::unique_ptr<FcGraph> graph;
  FcText* shx = nullptr;
  FcText* under = nullptr;
  FcText* over = nullptr;
  FcMText* paragraph = nullptr;
};

TEST_F(TextPixelsTest, ShapeAndTrueTypeLinesAndAWrappedParagraph) {
  // The simplex line stands 20 units tall on its baseline and has ink.
  const auto& box = shx->GetBox();
  EXPECT_NEAR(box[1].y - 165.0, 20.0, 1.0);
  EXPECT_GT(InkedColumns(box[0].x, box[3].x, 165, 185), 0.5);
  EXPECT_EQ(InkedColumns(box[0].x, box[3].x, 140, 150), 0.0);

  // The underline runs unbroken just below the baseline, the overline just
  // above the capitals; nothing else is drawn there.
  const auto& underBox = under->GetBox();
  EXPECT_GT(InkedColumns(underBox[0].x + 2, underBox[3].x - 2, 107, 114.5), 0.95);
  const auto& overBox = over->GetBox();
  EXPECT_GT(InkedColumns(overBox[0].x + 2, overBox[3].x - 2, 80.5, 88), 0.95);
  EXPECT_LT(InkedColumns(overBox[0].x + 2, overBox[3].x - 2, 50, 57), 0.05);

  // The paragraph wraps into several lines within its width.
  EXPECT_GT(paragraph->GetLaidOutHeight(), 3 * 10.0);
  EXPECT_LE(paragraph->GetLaidOutWidth(), 150.0);
  EXPECT_GT(InkedColumns(200, 350, 180 - paragraph->GetLaidOutHeight(), 180), 0.5);

  const QByteArray out = qgetenv("KOVRA_TEST_OUT");
  if (out.isEmpty()) return;
  QDir().mkpath(QString::fromUtf8(out));
  EXPECT_TRUE(Image().save(QString::fromUtf8(out) + "/texts.png"));
}

}  // namespace
