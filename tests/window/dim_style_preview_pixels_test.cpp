#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <string>

#include "database/block.h"
#include "database/dim_style.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "dialogs/dim_style_sample.h"
#include "display/dim_style_preview.h"
#include "display/display_surface.h"
#include "entities/dimension.h"
#include "entities/line.h"
#include "files/object_registrations.h"
#include "tests/support/gui_application.h"
#include "window/screen_device.h"

namespace {

// The columns and rows that hold ink, as fractions of the picture.
struct InkSpan {
  double left = 1.0;
  double right = 0.0;
  double bottom = 1.0;
  double top = 0.0;
  int pixels = 0;
};

InkSpan SpanOfInk(const QImage& image) {
  InkSpan span;
  const QRgb background = image.pixel(0, 0);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) == background) continue;
      ++span.pixels;
      span.left = std::min(span.left, static_cast<double>(x) / image.width());
      span.right = std::max(span.right, static_cast<double>(x) / image.width());
      span.top = std::max(span.top, 1.0 - static_cast<double>(y) / image.height());
      span.bottom = std::min(span.bottom, 1.0 - static_cast<double>(y) / image.height());
    }
  }
  return span;
}

// The sample part with its linear, aligned, angular and radial dimensions,
// rendered through the screen device onto a picture at DIMSCALE 1 and 2:
// the view is fitted to what was drawn, and the grid and UCS icon settings
// survive. KOVRA_TEST_OUT keeps the pictures.
TEST(DimStylePreviewPixelsTest, SamplePartRendersAtEitherScale) {
  RegisterObjectFactories();
  FcGraph graph;
  BuildDimStylePreview(1.0, graph);
  graph.GetSysVars().gridmode = 1;
  graph.GetSysVars().ucsicon = 3;
  FcDimStyle* style = graph.GetCurrentDimStyle();
  SetScreenDeviceFactory(MakeScreenDevice);
  QImage pictures[2];
  for (const int scale : {1, 2}) {
    SCOPED_TRACE(scale);
    style->dimscale = scale;
    QImage& image = pictures[scale - 1];
    image = QImage(400, 300, QImage::Format_ARGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    FcDeviceContext context(painter);
    EXPECT_EQ(RenderDimStylePreview(graph, &context, style, 400, 300), 1);
    painter.end();
    EXPECT_EQ(graph.GetSysVars().gridmode, 1);
    EXPECT_EQ(graph.GetSysVars().ucsicon, 3);
    const InkSpan span = SpanOfInk(image);
    EXPECT_GT(span.pixels, 1000);
    // Fitted: the drawing reaches to within a few per cent of two opposite
    // edges.
    const bool acrossWidth = span.left < 0.05 && span.right > 0.95;
    const bool acrossHeight = span.bottom < 0.05 && span.top > 0.95;
    EXPECT_TRUE(acrossWidth || acrossHeight) << span.left << " " << span.right << " " << span.bottom << " " << span.top;
    const QByteArray out = qgetenv("KOVRA_TEST_OUT");
    if (!out.isEmpty()) {
      QDir().mkpath(QString::fromUtf8(out));
      EXPECT_TRUE(image.save(QString::fromUtf8(out) + "/dimstyle_preview_scale" + QString::number(scale) + ".png"));
    }
  }
  SetScreenDeviceFactory(nullptr);
  EXPECT_NE(pictures[0], pictures[1]);
  ClearDimStylePreview(graph);
}

// The sheet's sample draws the variables the pages wrote, not the stored
// style, with the arrows they name and the part at their overall scale; it
// follows them when they change and leaves the sample dimensions bound to
// no style once drawn, since the style it drew with is gone.
TEST(DimStylePreviewPixelsTest, SheetSampleFollowsTheVariables) {
  GuiApplication();
  RegisterObjectFactories();
  FcGraph graph;
  BuildDimStylePreview(1.0, graph);
  FcDimVars vars(*graph.GetCurrentDimStyle());
  DimStyleSample sample(&graph, vars, nullptr);
  sample.resize(400, 300);
  const QImage before = sample.grab().toImage();
  vars.dimtxt *= 4.0;
  vars.dimclrd = 1;
  vars.dimscale = 2.0;
  vars.dimblk = "_Dot";
  vars.dimblk1 = "_Dot";
  vars.dimblk2 = "_Dot";
  sample.Follow();
  const QImage after = sample.grab().toImage();
  EXPECT_GT(SpanOfInk(before).pixels, 1000);
  EXPECT_NE(before, after);
  // The chosen arrow's block was made for the sample to show it.
  EXPECT_NE(graph.GetBlockList().FindByName("_Dot"), nullptr);
  // The part was built anew at the overall scale.
  const auto* first = dynamic_cast<const FcLine*>(graph.GetDimStylePreview()->GetAt(0));
  ASSERT_NE(first, nullptr);
  EXPECT_NEAR(first->GetEndPoint().y, 2.0 * 27.77, 1e-9);
  const QByteArray out = qgetenv("KOVRA_TEST_OUT");
  if (!out.isEmpty()) {
    QDir().mkpath(QString::fromUtf8(out));
    EXPECT_TRUE(after.save(QString::fromUtf8(out) + "/dimstyle_sheet_sample.png"));
  }
  int dimensions = 0;
  for (FcEntity* entity : *graph.GetDimStylePreview()) {
    if (auto* dimension = dynamic_cast<FcDimension*>(entity)) {
      ++dimensions;
      EXPECT_EQ(dimension->GetDimStyle(), nullptr);
    }
  }
  EXPECT_GT(dimensions, 0);
  ClearDimStylePreview(graph);
}

}  // namespace
