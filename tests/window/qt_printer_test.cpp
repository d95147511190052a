#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "database/graph.h"
#include "display/display_surface.h"
#include "entities/line.h"
#include "tests/support/gui_application.h"
#include "tests/support/temp_dir.h"
#include "window/qt_printer.h"
#include "window/screen_device.h"

namespace {

// A line printed through the program's printer onto a PDF page: the job
// gives a page of the printer's size and a device context to draw on.
TEST(QtPrinterTest, PrintsADrawingOntoAPdfPage) {
  GuiApplication();
  TempDir dir;
  const std::string path = dir.path() + "page.pdf";
  QtPrinter printer(QString::fromStdString(path));
  const std::optional<FcPrinterPage> page = printer.Page();
  ASSERT_TRUE(page.has_value());
  EXPECT_GT(page->printWidth, 0);
  EXPECT_GE(page->physWidth, page->printWidth);
  EXPECT_GT(page->pixelsPerInchX, 0);
  printer.SetCopies(2);
  EXPECT_EQ(printer.Copies(), 2);

  SetScreenDeviceFactory(MakeScreenDevice);
  std::unique_ptr<FcGraph> graph(new FcGraph);
  auto* line = new FcLine;
  line->SetStartPoint({0, 0});
  line->SetEndPoint({100, 50});
  graph->AddEntity(line, false);
  EXPECT_EQ(printer.DeviceContext(), nullptr);
  ASSERT_TRUE(printer.StartJob("KOVRA- test.dwg"));
  ASSERT_TRUE(printer.StartPage());
  ASSERT_NE(printer.DeviceContext(), nullptr);
  EXPECT_TRUE(graph->PrintWindow(printer.DeviceContext(), page->printWidth, page->printHeight, 0, 0, 0, 0, {0, 0},
                                 {100, 50}, 6.0, page->pixelsPerInchX));
  EXPECT_TRUE(printer.EndPage());
  printer.EndJob();
  SetScreenDeviceFactory(nullptr);

  std::ifstream in(path, std::ios::binary);
  const std::string pdf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(pdf.substr(0, 4), "%PDF");
  EXPECT_NE(pdf.find("/Type /Page"), std::string::npos);
}

// The window gives printing its device: a drawing printed onto a page
// shows its lines even though no new surface gets a screen device.
TEST(QtPrinterTest, PrintingDrawsWithTheWindowsDevice) {
  GuiApplication();
  SetScreenDeviceFactory(nullptr);
  FcGraph graph;
  auto* line = new FcLine;
  line->SetStartPoint({0, 0});
  line->SetEndPoint({100, 50});
  graph.AddEntity(line, false);
  QImage page(640, 360, QImage::Format_RGB32);
  page.fill(Qt::white);
  QPainter painter(&page);
  FcDeviceContext context(painter);
  EXPECT_TRUE(graph.PrintWindow(&context, 640, 360, 10, 10, 0, 0, {0, 0}, {100, 50}, 6.0, 600));
  painter.end();
  int ink = 0;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x)
      if (page.pixel(x, y) != QColor(Qt::white).rgb()) ++ink;
  EXPECT_GT(ink, 500);
}

}  // namespace
