#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSettings>
#include <cstdio>
#include <memory>
#include <string>

#include "database/graph.h"
#include "display/color_table.h"
#include "display/display_surface.h"
#include "display/view_transform.h"
#include "display/grip_point.h"
#include "entities/line.h"
#include "entities/ray.h"
#include "entities/text.h"
#include "platform/program_settings.h"
#include "platform/qt/program_settings_store.h"
#include "tests/support/program_settings_guard.h"
#include "tests/support/temp_dir.h"
#include "tests/support/gui_application.h"
#include "tests/support/modal_closer.h"
#include "window/main_frame.h"
#include "window/program_start.h"
#include "window/screen_device.h"

namespace {

std::string PointText(const FcPoint2d& point) {
  char text[64];
  std::snprintf(text, sizeof text, "%.6f,%.6f", point.x, point.y);
  return text;
}

// The program with a new drawing holding one horizontal line across the
// middle of the view, driven by mouse and key events as a user drives it.
class DrawingViewGripsTest : public testing::Test {
 protected:
  DrawingViewGripsTest() {
    GuiApplication();
    qputenv("HOME", QByteArray::fromStdString(home_.path()));
    store_ = OpenSettingsStore(home_.path() + "kovra.ini");
    frame_ = StartProgram({}, *store_, home_.path() + "kovra");
    frame_->show();
    ProcessPending();
    view_ = frame_->ActiveView();
    const FcViewTransform& shown = *view_->Surface().GetView();
    const double width = shown.x1 - shown.x0;
    const double middle = (shown.y0 + shown.y1) / 2;
    start_ = {shown.x0 + 0.25 * width, middle};
    end_ = {shown.x0 + 0.75 * width, middle};
    for (const std::string& line : {std::string("line"), PointText(start_), PointText(end_), std::string()})
      TypeLine(line);
    ProcessUntil([this] { return !view_->Core().CommandRuns(); });
    // The typed text rounds; the ends are the line's own from here on.
    start_ = TheLine().GetStartPoint();
    end_ = TheLine().GetEndPoint();
    Repaint();
  }
  ~DrawingViewGripsTest() override { frame_.reset(); }

  static void ProcessPending() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

  template <typename Done>
  static void ProcessUntil(Done done) {
    while (!done()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }

  void Repaint() {
    view_->repaint();
    ProcessPending();
  }

  void Press(int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(view_, &press);
  }

  void TypeLine(const std::string& line) {
    for (char ch : line) Press(0, QString(QChar(ch)));
    Press(Qt::Key_Return);
    ProcessUntil([this] { return view_->Core().IsWaitingForInput() || !view_->Core().CommandRuns(); });
  }

  // The widget pixel that shows the world point.
  QPointF PixelOf(const FcPoint2d& world) {
    std::int32_t x = 0;
    std::int32_t y = 0;
    view_->Surface().GetView()->WorldToDevice(world.x, world.y, &x, &y);
    return QPointF(x, view_->height() - y);
  }

  void MoveTo(const QPointF& pixel) {
    QMouseEvent move(QEvent::MouseMove, pixel, view_->mapToGlobal(pixel), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(view_, &move);
  }

  void ClickAt(const QPointF& pixel) {
    MoveTo(pixel);
    QMouseEvent press(QEvent::MouseButtonPress, pixel, view_->mapToGlobal(pixel), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(view_, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, pixel, view_->mapToGlobal(pixel), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view_, &release);
    Repaint();
  }

  const FcLine& TheLine() {
    for (const FcEntity* entity : *view_->Drawing().GetCurrentEntitySet())
      if (const auto* line = dynamic_cast<const FcLine*>(entity)) return *line;
    throw std::runtime_error("no line");
  }

  int GripMarkers() { return view_->Surface().GetGripGroup().GetCount(); }

  // The back buffer's colour at the world point, as a colour reference.
  FcColorRef ShownAt(const FcPoint2d& world) {
    const auto* device = dynamic_cast<FcMFCDisplayDevice*>(view_->Surface().GetDevice());
    std::int32_t x = 0;
    std::int32_t y = 0;
    view_->Surface().GetView()->WorldToDevice(world.x, world.y, &x, &y);
    const QColor colour = device->BackBuffer().pixelColor(x, device->height - y);
    return MakeColorRef(colour.red(), colour.green(), colour.blue());
  }

  ProgramSettingsGuard settingsGuard_;
  TempDir home_;
  std::unique_ptr<QSettings> store_;
  std::unique_ptr<MainFrame> frame_;
  DrawingView* view_ = nullptr;
  FcPoint2d start_;
  FcPoint2d end_;
};

TEST_F(DrawingViewGripsTest, APickShowsTheGripsADraggedGripMovesTheEndAndEscClearsThem) {
  const FcColorRef gripColour = ColorIndexRgb(GetProgramSettings().grip_color);
  ASSERT_NE(ShownAt(end_), gripColour);

  ClickAt(PixelOf({start_.x + 0.4 * (end_.x - start_.x), start_.y}));
  EXPECT_EQ(view_->Core().GetPickFirstSelection().GetCount(), 1);
  EXPECT_EQ(GripMarkers(), 1);
  EXPECT_EQ(ShownAt(end_), gripColour);

  ClickAt(PixelOf(end_));
  EXPECT_EQ(view_->Core().GetInputRequest().requestKind, kRequestGripStretch);
  const QPointF target = PixelOf(end_) + QPointF(-20, -40);
  MoveTo(PixelOf(end_) + QPointF(-10, -20));
  ClickAt(target);

  const double pixel = view_->Surface().GetView()->PixelsToWorld(1);
  const FcPoint2d moved = TheLine().GetEndPoint();
  EXPECT_NEAR(moved.x, end_.x - 20 * pixel, 1.5 * pixel);
  EXPECT_NEAR(moved.y, end_.y + 40 * pixel, 1.5 * pixel);
  EXPECT_EQ(TheLine().GetStartPoint(), start_);
  EXPECT_EQ(view_->Core().GetInputRequest().requestKind, kRequestNone);
  EXPECT_EQ(GripMarkers(), 1);
  EXPECT_EQ(view_->Surface().GetPreviewGroup().GetCount(), 0);

  Press(Qt::Key_Escape);
  Repaint();
  EXPECT_EQ(GripMarkers(), 0);
  EXPECT_EQ(view_->Core().GetPickFirstSelection().GetCount(), 0);
  EXPECT_NE(ShownAt(moved), gripColour);
}

// A double click on a text opens the text editor, run as a command of
// its own: OK changes the text as one undo step.
TEST_F(DrawingViewGripsTest, ADoubleClickOnATextOpensItsEditor) {
  const FcViewTransform& shown = *view_->Surface().GetView();
  const double height = (shown.y1 - shown.y0) / 10;
  const FcPoint2d at{start_.x, start_.y + 2 * height};
  for (const std::string& line : {std::string("dtext"), PointText(at), std::to_string(height), std::string("0"),
                                  std::string("HELLO"), std::string()})
    TypeLine(line);
  ProcessUntil([this] { return !view_->Core().CommandRuns(); });
  Repaint();

  ModalCloser closer([](QDialog& dialog) {
    dialog.findChild<QLineEdit*>(QStringLiteral("text"))->setText(QStringLiteral("BYE"));
    // OK takes the boxes into the dialog's data.
    dialog.accept();
    return QDialog::Accepted;
  });
  // On the left stroke of the H.
  const QPointF pixel = PixelOf({at.x + 0.15 * height, at.y + height / 2});
  MoveTo(pixel);
  for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                                  QEvent::MouseButtonRelease}) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, pixel, view_->mapToGlobal(pixel), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(view_, &event);
  }
  ProcessUntil([&] { return closer.Closed() == 1 && !view_->Core().CommandRuns(); });

  const FcText* text = nullptr;
  for (const FcEntity* entity : *view_->Drawing().GetCurrentEntitySet())
    if (const auto* found = dynamic_cast<const FcText*>(entity)) text = found;
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->GetText(), "BYE");
  EXPECT_EQ(view_->Core().GetPickFirstSelection().GetCount(), 0);
  TypeLine("undo");
  ProcessUntil([this] { return !view_->Core().CommandRuns(); });
  EXPECT_EQ(text->GetText(), "HELLO");
}

// A ray picked with no command running shows its direction grip a
// fifteenth of the view's width from its base, not on top of it.
TEST_F(DrawingViewGripsTest, APickedRayShowsItsDirectionGripAwayFromItsBase) {
  const FcViewTransform& shown = *view_->Surface().GetView();
  const double width = shown.x1 - shown.x0;
  const FcPoint2d base{shown.x0 + 0.25 * width, shown.y0 + 0.25 * (shown.y1 - shown.y0)};
  for (const std::string& line : {std::string("ray"), PointText(base), PointText({base.x + width, base.y})})
    TypeLine(line);
  ProcessUntil([this] { return !view_->Core().CommandRuns(); });
  Repaint();

  ClickAt(PixelOf({base.x + 0.3 * width, base.y}));
  const FcGripPoint* rayGrips = nullptr;
  FcDsGroupEnts& grips = view_->Surface().GetGripGroup();
  for (int i = 0; i < grips.GetCount(); ++i) {
    const auto* marker = dynamic_cast<const FcGripPoint*>(grips.GetPrimitive(i));
    if (marker != nullptr && dynamic_cast<const FcRay*>(marker->GetOwner()) != nullptr) rayGrips = marker;
  }
  ASSERT_NE(rayGrips, nullptr);
  const std::vector<FcPoint2d>& points = rayGrips->GetPoints();
  ASSERT_EQ(points.size(), 2u);
  const double expected = shown.PixelsToWorld((shown.deviceX1 - shown.deviceX0) / 15);
  ASSERT_GT(expected, 0.0);
  EXPECT_NEAR(points[1].x - points[0].x, expected, 1e-6 * width);
  EXPECT_NEAR(points[1].y, points[0].y, 1e-6 * width);
}

}  // namespace
