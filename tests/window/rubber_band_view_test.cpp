#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSettings>
#include <cstdio>
#include <memory>
#include <string>

#include "display/display_surface.h"
#include "display/drag_circle.h"
#include "display/view_transform.h"
#include "platform/qt/program_settings_store.h"
#include "tests/support/gui_application.h"
#include "tests/support/program_settings_guard.h"
#include "tests/support/temp_dir.h"
#include "window/main_frame.h"
#include "window/program_start.h"
#include "window/screen_device.h"

namespace {

// Whether the pixel or one of its neighbours differs from the background:
// a one-pixel line may land a pixel off its exact place.
bool InkedNear(const QImage& image, QPoint at, QRgb background) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (image.pixel(at + QPoint(dx, dy)) != background) return true;
  return false;
}

// A new drawing in the program's window, driven by keys and mouse moves.
class RubberBandViewTest : public testing::Test {
 protected:
  RubberBandViewTest() {
    GuiApplication();
    qputenv("HOME", QByteArray::fromStdString(home_.path()));
    store_ = OpenSettingsStore(home_.path() + "kovra.ini");
    frame_ = StartProgram({}, *store_, home_.path() + "kovra");
    frame_->resize(800, 600);
    frame_->show();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
  ~RubberBandViewTest() override { frame_.reset(); }

  DrawingView& View() { return *frame_->ActiveView(); }

  void Press(int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&View(), &press);
  }
  void WaitForPromptOrIdle() {
    DrawingView& view = View();
    while (!view.Core().IsWaitingForInput() && view.Core().CommandRuns())
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  void TypeLine(const std::string& line) {
    for (char ch : line) Press(0, QString(QChar(ch)));
    Press(Qt::Key_Return);
    WaitForPromptOrIdle();
  }
  void MoveMouse(QPoint pixel) {
    const QPointF at(pixel);
    QMouseEvent move(QEvent::MouseMove, at, View().mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&View(), &move);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
  // The world point under the widget pixel, as the command line takes it.
  std::string PointAt(QPoint pixel) {
    double x = 0.0;
    double y = 0.0;
    View().Surface().GetView()->DeviceToWorld(&x, &y, pixel.x(), View().height() - pixel.y());
    char text[64];
    std::snprintf(text, sizeof text, "%.12g,%.12g", x, y);
    return text;
  }

  ProgramSettingsGuard settingsGuard_;
  TempDir home_;
  std::unique_ptr<QSettings> store_;
  std::unique_ptr<MainFrame> frame_;
};

TEST_F(RubberBandViewTest, TheLineCommandsRubberLineFollowsTheMouseOverThePicture) {
  DrawingView& view = View();
  ASSERT_GT(view.width(), 220);
  ASSERT_GT(view.height(), 170);
  const QPoint first(40, 40);
  TypeLine("line");
  TypeLine(PointAt(first));
  ASSERT_TRUE(view.Core().IsWaitingForInput());

  const QPoint cursor(140, 90);
  MoveMouse(cursor);
  QImage shown = view.grab().toImage();
  const QRgb background = shown.pixel(view.width() - 5, 5);
  const QPoint middle = (first + cursor) / 2;
  EXPECT_TRUE(InkedNear(shown, middle, background)) << "the band from the first point to the mouse";
  const auto* device = dynamic_cast<const FcMFCDisplayDevice*>(view.Surface().GetDevice());
  ASSERT_NE(device, nullptr);
  EXPECT_EQ(device->BackBuffer().pixel(middle), device->BackBuffer().pixel(view.width() - 5, 5))
      << "the band is painted over the copy, never into the picture";

  const QPoint moved(180, 150);
  MoveMouse(moved);
  shown = view.grab().toImage();
  EXPECT_FALSE(InkedNear(shown, middle, background)) << "the old band is gone";
  EXPECT_TRUE(InkedNear(shown, (first + moved) / 2, background)) << "the new one follows";

  Press(Qt::Key_Escape);
  while (view.Core().CommandRuns()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  shown = view.grab().toImage();
  EXPECT_FALSE(InkedNear(shown, (first + moved) / 2, background)) << "no band once the prompt has gone";
}

// The screen device paints a cursor-overlay band and an entity preview over
// the copy of its picture and leaves the picture as it was.
TEST(RubberBandOverlayTest, PresentPaintsTheBandsOverTheCopyOnly) {
  FcDisplaySurface surface(nullptr);
  surface.SetDevice(std::make_unique<FcMFCDisplayDevice>());
  surface.SetDeviceSize(100, 80);
  FcViewTransform& view = *surface.GetView();
  view.x0 = 0.0;
  view.y0 = 0.0;
  view.x1 = 100.0;
  view.y1 = 80.0;
  view.Update();
  auto& device = static_cast<FcMFCDisplayDevice&>(*surface.GetDevice());
  device.backgroundIndex = -1;
  device.backgroundRgb = 0;
  device.BeginPaint({}, 1);
  device.EndPaint();
  const QImage picture = device.BackBuffer().copy();

  FcDragCircle circle = FcDragCircle::CentreRadius({50, 40});
  device.dragPreview = &circle;
  device.cursorPoint = {70, 40};
  device.cursorKind = 2;
  surface.previewCollecting = true;
  surface.AddLine({10, 10}, {30, 10}, 0, 0);
  surface.previewCollecting = false;

  QImage window(100, 80, QImage::Format_RGB32);
  window.fill(Qt::black);
  QPainter painter(&window);
  FcDeviceContext target(painter);
  device.Present(&target, 0, 0, nullptr, &surface, 1);
  painter.end();
  EXPECT_EQ(device.BackBuffer(), picture);
  const QRgb black = QColor(Qt::black).rgb();
  EXPECT_TRUE(InkedNear(window, QPoint(50, 80 - 60), black)) << "the top of the circle of radius 20";
  EXPECT_TRUE(InkedNear(window, QPoint(30, 80 - 40), black)) << "its left side";
  EXPECT_TRUE(InkedNear(window, QPoint(20, 80 - 10), black)) << "the preview group's line";
  EXPECT_FALSE(InkedNear(window, QPoint(50, 80 - 40), black)) << "nothing inside the circle";
}

// The preview takes the point a click there would give: with ortho on, the
// cursor a little above the first point's level stays on that level.
TEST_F(RubberBandViewTest, WithOrthoThePreviewFollowsTheSquaredCursor) {
  DrawingView& view = View();
  TypeLine("line");
  TypeLine(PointAt({40, 40}));
  ASSERT_TRUE(view.Core().IsWaitingForInput());
  view.Drawing().GetSysVars().orthomode = 1;
  MoveMouse({140, 30});
  const FcPoint2d base = view.Core().GetInputRequest().basePoint;
  const FcPoint2d shown = view.Surface().GetDevice()->cursorPoint;
  EXPECT_DOUBLE_EQ(shown.y, base.y);
  EXPECT_GT(shown.x, base.x);
  Press(Qt::Key_Escape);
  while (view.Core().CommandRuns()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

}  // namespace
