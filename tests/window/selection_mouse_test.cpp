#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSettings>
#include <algorithm>
#include <map>
#include <memory>
#include <string>

#include "database/graph.h"
#include "display/display_surface.h"
#include "display/view_transform.h"
#include "entities/line.h"
#include "platform/qt/program_settings_store.h"
#include "shell/input_request.h"
#include "shell/select_objects.h"
#include "tests/support/gui_application.h"
#include "tests/support/program_settings_guard.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_command.h"
#include "window/main_frame.h"
#include "window/program_start.h"

namespace {

// A new drawing in the program window with three lines placed by fractions
// of the view: A and B short and level on the left, C long and level across
// the middle. "TestBody" runs one selection, answered with the mouse.
class SelectionMouseTest : public ::testing::Test {
 protected:
  SelectionMouseTest() {
    GuiApplication();
    qputenv("HOME", QByteArray::fromStdString(home_.path()));
    store_ = OpenSettingsStore(home_.path() + "kovra.ini");
    frame_ = StartProgram({}, *store_, home_.path() + "kovra");
    frame_->show();
    view_ = frame_->ActiveView();
    // The view takes the widget's size when it is first painted.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    view_->repaint();
    AddLine('A', {0.2, 0.3}, {0.4, 0.3});
    AddLine('B', {0.2, 0.6}, {0.4, 0.6});
    AddLine('C', {0.3, 0.45}, {0.8, 0.45});
    view_->RedrawDrawing();
    view_->repaint();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    UseTestCommand([this] {
      FcEntitySets objects(8);
      SelectObjects({}, objects);
      for (const FcEntity* entity : objects) selected_ += names_[entity];
      std::ranges::sort(selected_);
      return kStatusDone;
    });
  }
  ~SelectionMouseTest() override { frame_.reset(); }

  // The world point at the fractions of the view's width and height.
  FcPoint2d At(FcPoint2d fraction) const {
    const FcViewTransform& view = *view_->Surface().GetView();
    return {view.x0 + fraction.x * (view.x1 - view.x0), view.y0 + fraction.y * (view.y1 - view.y0)};
  }
  QPointF Pixel(FcPoint2d fraction) const {
    const FcPoint2d world = At(fraction);
    std::int32_t x = 0;
    std::int32_t y = 0;
    view_->Surface().GetView()->WorldToDevice(world.x, world.y, &x, &y);
    return {static_cast<double>(x), static_cast<double>(view_->height() - y)};
  }

  void AddLine(char name, FcPoint2d start, FcPoint2d end) {
    auto* line = new FcLine;
    line->SetStartPoint(At(start));
    line->SetEndPoint(At(end));
    view_->Drawing().AddEntity(line, false);
    names_[line] = name;
  }

  void Mouse(QEvent::Type type, FcPoint2d fraction, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QPointF pixel = Pixel(fraction);
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, pixel, view_->mapToGlobal(pixel), button, buttons, modifiers);
    QApplication::sendEvent(view_, &event);
  }
  void Click(FcPoint2d fraction, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    WaitForPrompt();
    Mouse(QEvent::MouseButtonPress, fraction, modifiers);
    Mouse(QEvent::MouseButtonRelease, fraction, modifiers);
  }
  void Drag(FcPoint2d from, FcPoint2d to) {
    WaitForPrompt();
    Mouse(QEvent::MouseButtonPress, from);
    Mouse(QEvent::MouseMove, to);
    Mouse(QEvent::MouseButtonRelease, to);
  }
  void Key(int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(view_, &press);
  }
  void Start() {
    for (const char ch : std::string("TestBody")) Key(0, QString(QChar(ch)));
    Key(Qt::Key_Return);
  }
  // Enter ends the selection; the letters it held.
  std::string Finish() {
    WaitForPrompt();
    Key(Qt::Key_Return);
    while (view_->Core().CommandRuns()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return selected_;
  }
  void WaitForPrompt() {
    while (view_->Core().CommandRuns() && !view_->Core().IsWaitingForInput())
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }

  ProgramSettingsGuard settingsGuard_;
  TempDir home_;
  std::unique_ptr<QSettings> store_;
  std::unique_ptr<MainFrame> frame_;
  DrawingView* view_ = nullptr;
  std::map<const FcEntity*, char> names_;
  std::string selected_;
};

TEST_F(SelectionMouseTest, AShiftClickTakesAPickedEntityOutAgain) {
  Start();
  Click({0.3, 0.3});
  Click({0.3, 0.6});
  Click({0.3, 0.3}, Qt::ShiftModifier);
  EXPECT_EQ(Finish(), "B");
}

TEST_F(SelectionMouseTest, DraggingTheBoxSelectsByItsDirection) {
  Start();
  Drag({0.1, 0.1}, {0.5, 0.9});
  EXPECT_EQ(Finish(), "AB");
  selected_.clear();
  Start();
  Drag({0.5, 0.9}, {0.1, 0.1});
  EXPECT_EQ(Finish(), "ABC");
}

}  // namespace
