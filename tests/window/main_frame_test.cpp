#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QDockWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QSpinBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <atomic>
#include <QThread>

#include "core/resbuf.h"
#include "database/graph.h"
#include "database/undo_list.h"
#include "display/display_surface.h"
#include "display/view_transform.h"
#include "entities/line.h"
#include "entities/polyline.h"
#include "files/drawing_file.h"
#include "platform/program_settings.h"
#include "platform/qt/program_settings_store.h"
#include "commands/dialogs/about_dlg.h"
#include "commands/dialogs/draft_set_dlg.h"
#include "shell/modal_dialog.h"
#include "shell/testing/scripted_dialogs.h"
#include "tests/support/gui_application.h"
#include "tests/support/modal_closer.h"
#include "tests/support/scripted_questions.h"
#include "tests/support/program_settings_guard.h"
#include "tests/support/temp_dir.h"
#include "dialogs/color_combo_box.h"
#include "window/main_frame.h"
#include "window/program_start.h"
#include "window/text_window.h"

namespace {

// A corpus drawing of three lines.
const std::string kLinesDrawing = std::string(KOVRA_CORPUS_DIR) + "/dxf/ezdxf__bin_dxf_r14.dxf";

int LineCount(DrawingView& view) {
  int lines = 0;
  for (const FcEntity* entity : *view.Drawing().GetCurrentEntitySet())
    if (dynamic_cast<const FcLine*>(entity) != nullptr) ++lines;
  return lines;
}

// The program started with the arguments in a temporary home with its own
// settings file; every wait runs the event loop until the command thread
// has reported what the test waits for, without a clock.
class MainFrameTest : public testing::Test {
 protected:
  MainFrameTest() {
    GuiApplication();
    qputenv("HOME", QByteArray::fromStdString(home_.path()));
    store_ = OpenSettingsStore(home_.path() + "kovra.ini");
  }
  ~MainFrameTest() override { frame_.reset(); }

  MainFrame& Start(const QStringList& arguments) {
    frame_ = StartProgram(arguments, *store_, home_.path() + "kovra");
    frame_->SetQuestions(&questions_);
    frame_->show();
    ProcessPending();
    return *frame_;
  }

  // A copy of the corpus drawing under the name in the temporary home.
  std::string CopyDrawing(const std::string& name) {
    const std::string path = home_.path() + name;
    std::filesystem::copy_file(kLinesDrawing, path);
    return path;
  }

  static void ProcessPending() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  template <typename Done>
  static void ProcessUntil(Done done) {
    while (!done()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }

  static void WaitForPromptOrIdle(DrawingView& view) {
    ProcessUntil([&] { return view.Core().IsWaitingForInput() || !view.Core().CommandRuns(); });
  }

  static void Press(QWidget& widget, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&widget, &press);
  }

  // Types the line into the view and presses Enter, then waits until the
  // command asks again or has finished.
  static void TypeLine(DrawingView& view, const std::string& line) {
    for (char ch : line) Press(view, 0, QString(QChar(ch)));
    Press(view, Qt::Key_Return);
    WaitForPromptOrIdle(view);
  }

  ProgramSettingsGuard settingsGuard_;
  TempDir home_;
  std::unique_ptr<QSettings> store_;
  ScriptedQuestions questions_;
  std::unique_ptr<MainFrame> frame_;
};

TEST_F(MainFrameTest, ADrawingArgumentInCapitalsOpensInOneWindowTitledByItsFile) {
  const std::string path = CopyDrawing("LINES.DXF");
  MainFrame& frame = Start({QString::fromStdString(path)});
  ASSERT_EQ(frame.Views().size(), 1u);
  DrawingView& view = *frame.Views().front();
  EXPECT_EQ(frame.Area().subWindowList().front()->windowTitle(), QStringLiteral("LINES.DXF"));
  EXPECT_EQ(LineCount(view), 3);
  EXPECT_EQ(view.Drawing().GetSysVars().Modified, 0);
}

TEST_F(MainFrameTest, WithoutADrawingArgumentANewDrawingOpens) {
  const std::string notes = home_.Write("notes.txt");
  const std::string folder = home_.path() + "folder.dwg";
  std::filesystem::create_directory(folder);
  const QStringList cases[] = {
      {},
      {QString::fromStdString(notes)},
      {QString::fromStdString(home_.path() + "missing.dwg")},
      {QString::fromStdString(folder)},
      {QString(), QString::fromStdString(CopyDrawing("after-empty.dxf"))},
  };
  for (const QStringList& arguments : cases) {
    MainFrame& frame = Start(arguments);
    ASSERT_EQ(frame.Views().size(), 1u) << arguments.join(' ').toStdString();
    EXPECT_EQ(frame.Area().subWindowList().front()->windowTitle(), QStringLiteral("Untitled"));
    frame_.reset();
  }
}

TEST_F(MainFrameTest, TypedLineCommandDrawsAndTheHistoryShowsItsPrompts) {
  MainFrame& frame = Start({});
  DrawingView& view = *frame.ActiveView();
  TypeLine(view, "line");
  ASSERT_TRUE(view.Core().IsWaitingForInput());
  EXPECT_TRUE(frame.PromptLine().text().startsWith(QStringLiteral("First point of line")));
  for (const char* point : {"0,0", "100,0", "100,50"}) TypeLine(view, point);
  TypeLine(view, "");
  ProcessUntil([&] { return !view.Core().CommandRuns(); });
  EXPECT_EQ(LineCount(view), 2);
  const QString history = frame.HistoryBox().toPlainText();
  EXPECT_TRUE(history.contains(QStringLiteral("Command:line"))) << history.toStdString();
  EXPECT_TRUE(history.contains(QStringLiteral("First point of line:0,0"))) << history.toStdString();
  EXPECT_EQ(frame.PromptLine().text(), QStringLiteral("Command:"));
}

// The floating history window shows what the command bar shows, takes
// typed keys for the drawing, and goes with the last drawing.
TEST_F(MainFrameTest, TheTextWindowMirrorsTheCommandBarAndTypesIntoTheDrawing) {
  MainFrame& frame = Start({});
  DrawingView& view = *frame.ActiveView();
  TextWindow& text = frame.TextHistoryWindow();
  EXPECT_FALSE(text.isVisible());
  frame.ToggleTextWindow();
  EXPECT_TRUE(text.isVisible());
  EXPECT_EQ(text.windowTitle(), QStringLiteral("KOVRA Text Window"));

  for (char ch : std::string("line")) Press(text, 0, QString(QChar(ch)));
  Press(text, Qt::Key_Return);
  WaitForPromptOrIdle(view);
  ASSERT_TRUE(view.Core().IsWaitingForInput());
  EXPECT_EQ(text.Panel().Prompt().text(), frame.PromptLine().text());
  TypeLine(view, "0,0");
  TypeLine(view, "10,0");
  TypeLine(view, "");
  ProcessUntil([&] { return !view.Core().CommandRuns(); });
  EXPECT_EQ(LineCount(view), 1);
  EXPECT_EQ(text.Panel().History().toPlainText(), frame.HistoryBox().toPlainText());
  EXPECT_TRUE(text.Panel().History().toPlainText().contains(QStringLiteral("Command:line")));

  questions_.saveAnswer = UserQuestions::SaveAnswer::kNo;
  frame.CloseActiveDrawing();
  ProcessUntil([&] { return frame.Views().empty(); });
  EXPECT_FALSE(text.isVisible());
  frame.ToggleTextWindow();
  EXPECT_FALSE(text.isVisible()) << "no drawing, no history window";
}

// Moving the mouse shows where the cursor is, and at a prompt with a base
// point and COORDS 2 how far and in which direction it lies from there.
TEST_F(MainFrameTest, TheCoordinatesPaneFollowsTheCursor) {
  MainFrame& frame = Start({});
  DrawingView& view = *frame.ActiveView();
  const auto moveTo = [&view](const FcPoint2d& world) {
    std::int32_t x = 0;
    std::int32_t y = 0;
    view.Surface().GetView()->WorldToDevice(world.x, world.y, &x, &y);
    const QPointF pixel(x, view.height() - y);
    QMouseEvent move(QEvent::MouseMove, pixel, view.mapToGlobal(pixel), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &move);
  };
  const FcViewTransform& shown = *view.Surface().GetView();
  const FcPoint2d middle{(shown.x0 + shown.x1) / 2, (shown.y0 + shown.y1) / 2};
  moveTo(middle);
  EXPECT_TRUE(frame.CoordinatesPane().text().contains(QStringLiteral(", "))) << frame.CoordinatesPane().text().toStdString();

  view.Drawing().GetSysVars().coords = 2;
  TypeLine(view, "line");
  TypeLine(view, std::to_string(middle.x) + "," + std::to_string(middle.y));
  moveTo(middle);
  EXPECT_TRUE(frame.CoordinatesPane().text().contains(QStringLiteral("<"))) << frame.CoordinatesPane().text().toStdString();
  Press(view, Qt::Key_Escape);
  WaitForPromptOrIdle(view);
}

TEST_F(MainFrameTest, WheelZoomsAboutTheCursorAndTheMiddleButtonPans) {
  MainFrame& frame = Start({QString::fromStdString(CopyDrawing("lines.dxf"))});
  DrawingView& view = *frame.ActiveView();
  // The surface replaces its view when the window is sized, so it is read
  // afresh each time.
  const auto transform = [&view]() -> const FcViewTransform& { return *view.Surface().GetView(); };
  const double width = transform().x1 - transform().x0;
  const QPointF centre(view.width() / 2.0, view.height() / 2.0);
  QWheelEvent wheel(centre, view.mapToGlobal(centre), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(&view, &wheel);
  EXPECT_LT(transform().x1 - transform().x0, width);

  const double left = transform().x0;
  const double bottom = transform().y0;
  QMouseEvent press(QEvent::MouseButtonPress, centre, view.mapToGlobal(centre), Qt::MiddleButton,
                    Qt::MiddleButton, Qt::NoModifier);
  QApplication::sendEvent(&view, &press);
  const QPointF moved = centre + QPointF(40, 30);
  QMouseEvent move(QEvent::MouseMove, moved, view.mapToGlobal(moved), Qt::NoButton, Qt::MiddleButton,
                   Qt::NoModifier);
  QApplication::sendEvent(&view, &move);
  QMouseEvent release(QEvent::MouseButtonRelease, moved, view.mapToGlobal(moved), Qt::MiddleButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&view, &release);
  // Dragged right and down: the drawing follows, so the window moves left and up.
  EXPECT_LT(transform().x0, left);
  EXPECT_GT(transform().y0, bottom);
}

// A middle-button double click shows the drawing's extents again, but
// never types into a command that waits.
TEST_F(MainFrameTest, MiddleDoubleClickZoomsToTheExtentsBetweenCommands) {
  MainFrame& frame = Start({QString::fromStdString(CopyDrawing("lines.dxf"))});
  DrawingView& view = *frame.ActiveView();
  const auto width = [&view] { return view.Surface().GetView()->x1 - view.Surface().GetView()->x0; };
  const QPointF centre(view.width() / 2.0, view.height() / 2.0);
  const auto doubleClick = [&] {
    QMouseEvent event(QEvent::MouseButtonDblClick, centre, view.mapToGlobal(centre), Qt::MiddleButton,
                      Qt::MiddleButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &event);
    WaitForPromptOrIdle(view);
  };

  doubleClick();
  EXPECT_TRUE(frame.HistoryBox().toPlainText().split(QLatin1Char('\n')).contains(QStringLiteral("Zoom")))
      << frame.HistoryBox().toPlainText().toStdString();
  const double extents = width();
  TypeLine(view, "zoom");
  TypeLine(view, "4x");
  ASSERT_NEAR(width(), extents / 4, extents * 1e-6);
  TypeLine(view, "line");
  doubleClick();
  EXPECT_NEAR(width(), extents / 4, extents * 1e-6);
  Press(view, Qt::Key_Escape);
  WaitForPromptOrIdle(view);

  doubleClick();
  EXPECT_NEAR(width(), extents, extents * 1e-6);
  EXPECT_EQ(view.Drawing().GetCurrentEntitySet()->GetCount(), 3);
}

TEST_F(MainFrameTest, FunctionKeysToggleTheDraftingModesAsUndoableChanges) {
  struct Case {
    int key;
    DrawingView::Mode mode;
    const char* variable;
  };
  const Case cases[] = {
      {Qt::Key_F3, DrawingView::Mode::kObjectSnap, "osmode"},
      {Qt::Key_F7, DrawingView::Mode::kGrid, "gridmode"},
      {Qt::Key_F8, DrawingView::Mode::kOrtho, "orthomode"},
      {Qt::Key_F9, DrawingView::Mode::kSnap, "snapmode"},
  };
  MainFrame& frame = Start({});
  DrawingView& view = *frame.ActiveView();
  FcGraph& drawing = view.Drawing();
  for (const Case& entry : cases) {
    FcResBuf before;
    drawing.GetSysVar(entry.variable, before);
    const bool checked = frame.ModeButton(entry.mode).isChecked();
    Press(view, entry.key);
    FcResBuf after;
    drawing.GetSysVar(entry.variable, after);
    EXPECT_NE(after.intValue, before.intValue) << entry.variable;
    EXPECT_NE(frame.ModeButton(entry.mode).isChecked(), checked) << entry.variable;
    ASSERT_NE(drawing.GetUndoList().GetCurrent(), nullptr);
    EXPECT_EQ(drawing.GetUndoList().GetCurrent()->GetName(), "Change system variable");
    EXPECT_EQ(drawing.GetSysVars().Modified, 1);
    // Undo puts the variable back.
    ASSERT_TRUE(drawing.GetUndoList().UndoStep());
    FcResBuf undone;
    drawing.GetSysVar(entry.variable, undone);
    EXPECT_EQ(undone.intValue, before.intValue) << entry.variable;
  }

  // With Ctrl or Shift held a function key is only an accelerator, and
  // the program's menu file has none for these.
  const short gridBefore = drawing.GetSysVars().gridmode;
  for (const Qt::KeyboardModifier held : {Qt::ControlModifier, Qt::ShiftModifier}) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F7, held);
    QApplication::sendEvent(&view, &press);
    EXPECT_EQ(drawing.GetSysVars().gridmode, gridBefore);
  }

  drawing.GetSysVars().coords = 0;
  const FcUndoItem* undoBefore = drawing.GetUndoList().GetCurrent();
  for (short expected : {1, 2, 0}) {
    Press(view, Qt::Key_F6);
    EXPECT_EQ(drawing.GetSysVars().coords, expected);
  }
  EXPECT_EQ(drawing.GetUndoList().GetCurrent(), undoBefore);
}

TEST_F(MainFrameTest, StatusPanesShowTheCurrentLayerColourAndLinetype) {
  MainFrame& frame = Start({});
  DrawingView& view = *frame.ActiveView();
  EXPECT_EQ(frame.LayerPane().text(), QStringLiteral("0"));
  EXPECT_EQ(frame.ColorPane().text(), QStringLiteral("ByLayer"));
  EXPECT_EQ(frame.LinetypePane().text(), QStringLiteral("ByLayer"));
  view.Drawing().GetSysVars().cecolor = 3;
  view.RefreshStatusPanes();
  EXPECT_EQ(frame.ColorPane().text(), QStringLiteral("3"));
}

// The docked bar shows as many history lines as the store asks for (1 to
// 100, else 3) and keeps the number; both history views take the stored
// colours.
TEST_F(MainFrameTest, TheCommandBarShowsTheStoredHistoryLinesInTheStoredColours) {
  struct LookScope {
    ~LookScope() { GetProgramSettings().command_line = {}; }
  } scope;
  const struct {
    const char* stored;
    int lines;
  } cases[] = {{nullptr, 3}, {"1", 1}, {"7", 7}, {"0", 3}, {"101", 3}, {"-1", 3}};
  for (const auto& entry : cases) {
    SCOPED_TRACE(entry.stored != nullptr ? entry.stored : "none");
    store_->clear();
    if (entry.stored != nullptr) store_->setValue(QStringLiteral("Parameters/HistoryLineNumber"), entry.stored);
    // Red background, blue text: red sits in the low byte.
    store_->setValue(QStringLiteral("Parameters/Command Line Window/CmdBackColor"), "255");
    store_->setValue(QStringLiteral("Parameters/Command Line Window/CmdTextColor"), "16711680");
    MainFrame& frame = Start({});
    EXPECT_EQ(frame.CommandBar().windowTitle(), QStringLiteral("Command Bar"));
    EXPECT_EQ(frame.dockWidgetArea(&frame.CommandBar()), Qt::BottomDockWidgetArea);
    CommandLinePanel& bar = frame.CommandBarPanel();
    const int shown = bar.History().viewport()->height();
    EXPECT_GE(shown, entry.lines * bar.LineHeight() - 2);
    EXPECT_LT(shown, (entry.lines + 1) * bar.LineHeight());
    for (CommandLinePanel* panel : {&bar, &frame.TextHistoryWindow().Panel()}) {
      EXPECT_EQ(panel->History().palette().color(QPalette::Base), QColor(255, 0, 0));
      EXPECT_EQ(panel->Prompt().palette().color(QPalette::WindowText), QColor(0, 0, 255));
    }
    ASSERT_TRUE(frame.close());
    EXPECT_EQ(store_->value(QStringLiteral("Parameters/HistoryLineNumber")).toInt(), entry.lines);
    frame_.reset();
  }
}

TEST_F(MainFrameTest, ClosingAModifiedDrawingAsksAndAFailedSaveKeepsTheWindow) {
  MainFrame& frame = Start({});
  DrawingView& view = *frame.ActiveView();
  TypeLine(view, "line");
  for (const char* point : {"0,0", "10,10", ""}) TypeLine(view, point);
  ASSERT_EQ(view.Drawing().GetSysVars().Modified, 1);

  questions_.saveAnswer = UserQuestions::SaveAnswer::kCancel;
  frame.CloseActiveDrawing();
  ASSERT_EQ(frame.Views().size(), 1u);
  EXPECT_EQ(questions_.questions.back(), "Save changes to untitled?");

  questions_.saveAnswer = UserQuestions::SaveAnswer::kYes;
  questions_.saveChoice = {home_.path() + "no-such-folder/drawing.dxf", FcFileKind::kAsciiDxf};
  frame.CloseActiveDrawing();
  ASSERT_EQ(frame.Views().size(), 1u);
  EXPECT_EQ(view.Drawing().GetSysVars().Modified, 1);
  EXPECT_EQ(view.Drawing().GetSysVars().dwgtitled, 0);
  EXPECT_EQ(view.CommandLine().History().back(), "Save Error! Perhaps the file is used by other application!");

  const std::string saved = home_.path() + "drawing.dxf";
  questions_.saveChoice = {saved, FcFileKind::kAsciiDxf};
  frame.CloseActiveDrawing();
  ProcessPending();
  EXPECT_TRUE(frame.Views().empty());
  EXPECT_TRUE(std::filesystem::exists(saved));
}

TEST_F(MainFrameTest, ClosingWhileACommandWaitsIsRefused) {
  MainFrame& frame = Start({});
  DrawingView& view = *frame.ActiveView();
  TypeLine(view, "line");
  ASSERT_TRUE(view.Core().IsWaitingForInput());
  frame.CloseActiveDrawing();
  EXPECT_EQ(frame.Views().size(), 1u);
  EXPECT_EQ(questions_.messages.back(), "There still is a running command!\nPlease stop it first!");
}

TEST_F(MainFrameTest, AutoSaveWritesAnAsciiCopyWithoutTouchingTheDrawing) {
  const std::string path = home_.path() + "house.dxf";
  std::filesystem::copy_file(kLinesDrawing, path);
  MainFrame& frame = Start({QString::fromStdString(path)});
  DrawingView& view = *frame.ActiveView();
  TypeLine(view, "line");
  for (const char* point : {"0,0", "10,10", ""}) TypeLine(view, point);
  FcGraph& drawing = view.Drawing();
  const FcFileKind kind = drawing.GetFileKind();
  const FcUndoItem* undo = drawing.GetUndoList().GetCurrent();
  const QString title = frame.Area().subWindowList().front()->windowTitle();
  ASSERT_EQ(drawing.GetSysVars().Modified, 1);

  view.AutoSave();
  const std::string copy = home_.path() + "house.sv$";
  ASSERT_TRUE(std::filesystem::exists(copy));
  std::ifstream in(copy);
  std::string first;
  std::string second;
  in >> first >> second;
  EXPECT_EQ(first, "0");
  EXPECT_EQ(second, "SECTION");
  EXPECT_EQ(drawing.GetFileKind(), kind);
  EXPECT_EQ(drawing.GetSysVars().dwgname.str(), "house.dxf");
  EXPECT_EQ(drawing.GetSysVars().Modified, 1);
  EXPECT_EQ(drawing.GetUndoList().GetCurrent(), undo);
  EXPECT_EQ(frame.Area().subWindowList().front()->windowTitle(), title);
}

TEST_F(MainFrameTest, AnOpenDrawingIsPaintedInItsWindow) {
  MainFrame& frame = Start({QString::fromStdString(CopyDrawing("lines.dxf"))});
  DrawingView& view = *frame.ActiveView();
  const QImage shown = view.grab().toImage();
  ASSERT_FALSE(shown.isNull());
  const QRgb background = shown.pixel(0, 0);
  int inked = 0;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x)
      if (shown.pixel(x, y) != background) ++inked;
  // Three lines across the fitted view cover well over a hundred pixels.
  EXPECT_GT(inked, 100);
  const QByteArray out = qgetenv("KOVRA_TEST_OUT");
  if (!out.isEmpty()) {
    QDir().mkpath(QString::fromUtf8(out));
    EXPECT_TRUE(frame.grab().save(QString::fromUtf8(out) + QStringLiteral("/main_frame_lines.png")));
  }
}

// The drawing's lines are painted, so the display list knows them as drawn;
// at a point prompt the cursor near a line's end shows the end-point marker
// there, and a click takes that very point.
TEST_F(MainFrameTest, AtAPointPromptTheCursorShowsTheSnapMarkerAndTheClickTakesIt) {
  MainFrame& frame = Start({QString::fromStdString(CopyDrawing("lines.dxf"))});
  DrawingView& view = *frame.ActiveView();
  view.Drawing().GetSysVars().osmode = 1;
  view.repaint();
  const FcLine* existing = nullptr;
  for (const FcEntity* entity : *view.Drawing().GetCurrentEntitySet())
    if (existing == nullptr) existing = dynamic_cast<const FcLine*>(entity);
  ASSERT_NE(existing, nullptr);
  const FcPoint2d end = existing->GetStartPoint();
  std::int32_t x = 0;
  std::int32_t y = 0;
  view.Surface().GetView()->WorldToDevice(end.x, end.y, &x, &y);
  // Two pixels beside the end, in the widget's y-down pixels.
  const QPointF cursor(x + 2, view.height() - y + 1);

  TypeLine(view, "line");
  ASSERT_TRUE(view.Core().IsWaitingForInput());
  QMouseEvent move(QEvent::MouseMove, cursor, view.mapToGlobal(cursor), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&view, &move);
  const FcDisplayDevice& device = *view.Surface().GetDevice();
  EXPECT_EQ(device.snapMarkerKind, 1);
  EXPECT_EQ(device.snapMarkerX, x);
  EXPECT_EQ(device.snapMarkerY, y);

  QMouseEvent press(QEvent::MouseButtonPress, cursor, view.mapToGlobal(cursor), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(&view, &press);
  WaitForPromptOrIdle(view);
  EXPECT_EQ(device.snapMarkerKind, 0);
  TypeLine(view, "@10,0");
  TypeLine(view, "");
  ProcessUntil([&] { return !view.Core().CommandRuns(); });
  const FcLine* drawn = nullptr;
  for (const FcEntity* entity : *view.Drawing().GetCurrentEntitySet())
    if (const auto* line = dynamic_cast<const FcLine*>(entity)) drawn = line;
  ASSERT_NE(drawn, existing);
  EXPECT_EQ(drawn->GetStartPoint(), end);
}

// The frame's own state kept between sessions, and what the status bar
// offers beside the panes' texts.

TEST_F(MainFrameTest, PlacementSavedOnCloseComesBackOnTheNextStart) {
  // Never stored: the first start fills the screen.
  EXPECT_TRUE(Start({}).isMaximized());

  frame_->showNormal();
  frame_->setGeometry(60, 40, 500, 400);
  ProcessPending();
  ASSERT_TRUE(frame_->close());
  frame_.reset();
  MainFrame& restored = Start({});
  EXPECT_FALSE(restored.isMaximized());
  EXPECT_EQ(restored.geometry(), QRect(60, 40, 500, 400));

  restored.showMaximized();
  ProcessPending();
  ASSERT_TRUE(restored.close());
  frame_.reset();
  EXPECT_TRUE(Start({}).isMaximized());
}

// What the session changed in the program's settings is there again at the
// next start, and a file that cannot be opened leaves the windows alone.
TEST_F(MainFrameTest, SettingsChangedInASessionComeBackAtTheNextStart) {
  struct SettingsScope {
    ~SettingsScope() { GetProgramSettings() = ProgramSettings{}; }
  } scope;
  Start({});
  GetProgramSettings().zoom_factor = 42;
  GetProgramSettings().command_line.font_name = "Mono Serif";
  ASSERT_TRUE(frame_->close());
  frame_.reset();
  ASSERT_TRUE(EndProgram(*store_));

  GetProgramSettings() = ProgramSettings{};
  store_ = OpenSettingsStore(home_.path() + "kovra.ini");
  Start({});
  EXPECT_EQ(GetProgramSettings().zoom_factor, 42);
  EXPECT_EQ(GetProgramSettings().command_line.font_name, "Mono Serif");
}

TEST_F(MainFrameTest, AFileThatCannotBeOpenedIsNamedAndTheOtherWindowsStay) {
  std::string truncated;
  {
    std::ifstream in(kLinesDrawing, std::ios::binary);
    truncated.assign(std::istreambuf_iterator<char>(in), {});
  }
  truncated.resize(truncated.size() / 2);
  const struct {
    std::string path;
    const char* message;
  } cases[] = {
      {home_.Write("cut.dxf", truncated), "Open file Error! The file will be discarded!"},
      {home_.path() + "missing.dwg", kCannotOpenDrawingMessage},
  };
  MainFrame& frame = Start({QString::fromStdString(CopyDrawing("lines.dxf"))});
  DrawingView& first = *frame.ActiveView();
  for (const auto& entry : cases) {
    SCOPED_TRACE(entry.path);
    const std::size_t shown = questions_.messages.size();
    EXPECT_EQ(frame.OpenDrawingWindow(entry.path), nullptr);
    EXPECT_EQ(frame.Views().size(), 1u);
    EXPECT_EQ(frame.ActiveView(), &first);
    EXPECT_EQ(LineCount(first), 3);
    ASSERT_EQ(questions_.messages.size(), shown + 1);
    EXPECT_EQ(questions_.messages.back(), entry.message);
  }
}

TEST_F(MainFrameTest, ACloseRefusedByADrawingStoresNoPlacement) {
  MainFrame& frame = Start({});
  TypeLine(*frame.ActiveView(), "line");
  EXPECT_FALSE(frame.close());
  store_->sync();
  EXPECT_FALSE(store_->contains(QStringLiteral("Settings/MainWindowPos")));
}

TEST_F(MainFrameTest, RecentFilesFollowOpensAndNamingSavesAndSurviveARestart) {
  const std::string first = CopyDrawing("first.dxf");
  const std::string second = CopyDrawing("second.dxf");
  const std::string named = home_.path() + "named.dxf";
  MainFrame& frame = Start({QString::fromStdString(first)});
  frame.OpenDrawingWindow(second);
  questions_.saveChoice = {named, FcFileKind::kAsciiDxf};
  DrawingView* untitled = frame.NewDrawingWindow();
  ASSERT_TRUE(untitled->SaveNow());
  // A save under the name the drawing has already does not reorder.
  ASSERT_TRUE(frame.Views().front()->SaveNow());
  using Paths = std::vector<std::string>;
  EXPECT_EQ(frame.RecentFiles().Paths(), (Paths{named, second, first}));

  frame_.reset();
  MainFrame& again = Start({});
  EXPECT_EQ(again.RecentFiles().Paths(), (Paths{named, second, first}));

  const std::size_t windows = again.Views().size();
  std::filesystem::remove(second);
  again.OpenRecentFile(second);
  EXPECT_EQ(again.Views().size(), windows);
  again.OpenRecentFile(first);
  EXPECT_EQ(again.Views().size(), windows + 1);
  EXPECT_EQ(again.RecentFiles().Paths(), (Paths{first, named, second}));
}

TEST_F(MainFrameTest, ModePaneMenusSwitchTheirModeOrOpenTheSettings) {
  MainFrame& frame = Start({});
  FcSystemVar& vars = frame.ActiveView()->Drawing().GetSysVars();
  EXPECT_EQ(frame.MakePaneMenu(DrawingView::Mode::kOrtho), nullptr);
  const DrawingView::Mode modes[] = {DrawingView::Mode::kSnap, DrawingView::Mode::kGrid,
                                     DrawingView::Mode::kObjectSnap};
  for (DrawingView::Mode mode : modes) {
    std::unique_ptr<QMenu> menu = frame.MakePaneMenu(mode);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 2);
    QAction* on = menu->actions()[0];
    const bool was = frame.ModeButton(mode).isChecked();
    EXPECT_EQ(on->isChecked(), was);
    on->trigger();
    EXPECT_NE(frame.ModeButton(mode).isChecked(), was);
  }
  EXPECT_EQ(vars.snapmode, 1);
  EXPECT_EQ(vars.osmode, 37 | 0x4000);

  // Set... opens the drafting settings sheet on its object-snap page.
  ScriptedDialogs dialogs;
  dialogs.Answer<CDraftSetDlg>([](CDraftSetDlg& sheet) {
    EXPECT_EQ(sheet.m_nStartPage, CDraftSetDlg::kObjectSnapPage);
    EXPECT_FALSE(sheet.m_bOsnapOn);
    sheet.m_bObjectSnapPageShown = true;
    sheet.m_bOsnapOn = true;
    sheet.SetAllModes(false);
    sheet.m_modes[0] = sheet.m_modes[2] = true;
    return CModalDialog::kOk;
  });
  frame.MakePaneMenu(DrawingView::Mode::kObjectSnap)->actions()[1]->trigger();
  // Bounded: a command that never reaches the sheet fails the test.
  ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs.Shown() == 1 && !frame.ActiveView()->Core().CommandRuns(); }));
  EXPECT_EQ(vars.osmode, 5);
  EXPECT_TRUE(frame.ModeButton(DrawingView::Mode::kObjectSnap).isChecked());
}

// The drafting settings run on the window thread, on the active drawing:
// from the status bar they open on the snap page and OK keeps what was
// typed; an "OSnap" behind the command in a macro opens the object snap page.
TEST_F(MainFrameTest, DraftingSettingsRunOnTheActiveDrawingFromThePaneAndFromAMacro) {
  MainFrame& frame = Start({});
  DrawingView& view = *frame.ActiveView();
  int page = -1;
  const auto look = [&page](QDialog& dialog) -> int {
    auto* pages = dialog.findChild<QTabWidget*>();
    page = pages != nullptr ? pages->currentIndex() : -1;
    auto* grid = dialog.findChild<QLineEdit*>(QStringLiteral("Grid X Space"));
    if (grid == nullptr) return QDialog::Rejected;
    grid->setText(QStringLiteral("25"));
    // OK reads the pages back, which ending the dialog alone would not.
    dialog.accept();
    return dialog.result();
  };

  ModalCloser fromPane(look);
  frame.MakePaneMenu(DrawingView::Mode::kGrid)->actions()[1]->trigger();
  WaitForPromptOrIdle(view);
  EXPECT_EQ(fromPane.Closed(), 1);
  EXPECT_EQ(page, 0);
  EXPECT_EQ(view.Drawing().GetSysVars().gridunit.x, 25.0);

  page = -1;
  ModalCloser fromMacro([&page](QDialog& dialog) {
    auto* pages = dialog.findChild<QTabWidget*>();
    page = pages != nullptr ? pages->currentIndex() : -1;
    return QDialog::Rejected;
  });
  frame.RunMenuMacro("^C^C_dsettings OSnap");
  WaitForPromptOrIdle(view);
  EXPECT_EQ(fromMacro.Closed(), 1);
  EXPECT_EQ(page, 1);
  // The argument went to the command, not to the command line.
  EXPECT_FALSE(view.Core().CommandRuns());
  EXPECT_EQ(view.Core().GetCommandQueue().size(), 0u);
}

// With no object snap modes to switch, F3 opens the drafting settings sheet
// on its object-snap page, even while a command waits, which goes on
// waiting; its OK is one undoable change.
TEST_F(MainFrameTest, F3WithNoSnapModesOpensTheDraftSettingsOnTheObjectSnapPage) {
  MainFrame& frame = Start({});
  DrawingView& view = *frame.ActiveView();
  FcGraph& drawing = view.Drawing();
  ScriptedDialogs dialogs;
  TypeLine(view, "line");
  for (std::int32_t none : {0, 0x4000}) {
    SCOPED_TRACE(none);
    drawing.GetSysVars().osmode = none;
    const FcUndoItem* before = drawing.GetUndoList().GetCurrent();

    dialogs.Answer<CDraftSetDlg>([](CDraftSetDlg& sheet) {
      EXPECT_EQ(sheet.m_nStartPage, CDraftSetDlg::kObjectSnapPage);
      return CModalDialog::kCancel;
    });
    Press(view, Qt::Key_F3);
    EXPECT_EQ(drawing.GetSysVars().osmode, none);
    EXPECT_EQ(drawing.GetUndoList().GetCurrent(), before);

    dialogs.Answer<CDraftSetDlg>([](CDraftSetDlg& sheet) {
      sheet.m_bObjectSnapPageShown = true;
      sheet.m_bOsnapOn = true;
      sheet.m_modes[5] = true;
      return CModalDialog::kOk;
    });
    Press(view, Qt::Key_F3);
    EXPECT_EQ(drawing.GetSysVars().osmode, 0x20);
    EXPECT_TRUE(frame.ModeButton(DrawingView::Mode::kObjectSnap).isChecked());
    EXPECT_TRUE(view.Core().IsWaitingForInput()) << "the line still asks for its point";
    ASSERT_TRUE(drawing.GetUndoList().UndoStep());
    EXPECT_EQ(drawing.GetSysVars().osmode, none);
  }
  EXPECT_EQ(dialogs.Unexpected(), 0);
  Press(view, Qt::Key_Escape);
  WaitForPromptOrIdle(view);
}

TEST_F(MainFrameTest, ProgressLeavesNothingBehindWhicheverThreadReportsIt) {
  MainFrame& frame = Start({QString::fromStdString(CopyDrawing("lines.dxf"))});
  ProcessPending();
  EXPECT_TRUE(frame.statusBar()->currentMessage().isEmpty()) << frame.statusBar()->currentMessage().toStdString();
  EXPECT_FALSE(frame.ProgressBar().isVisible());

  frame.ProgressStart("Opening file...");
  frame.ProgressPosition(40, false);
  ProcessPending();
  EXPECT_EQ(frame.statusBar()->currentMessage(), QStringLiteral("Opening file..."));
  EXPECT_EQ(frame.ProgressBar().value(), 40);
  frame.ProgressEnd();
  // A posted step that comes after the end.
  frame.ProgressPosition(100, true);
  std::thread reporter([&frame] {
    frame.ProgressStart("Regenerating...");
    frame.ProgressPosition(100, true);
    frame.ProgressEnd();
    frame.ProgressPosition(100, true);
  });
  reporter.join();
  ProcessPending();
  EXPECT_TRUE(frame.statusBar()->currentMessage().isEmpty()) << frame.statusBar()->currentMessage().toStdString();
  EXPECT_FALSE(frame.ProgressBar().isVisible());
}

TEST_F(MainFrameTest, DialogsShowOnTheWindowThreadWhicheverThreadAsksForThem) {
  MainFrame& frame = Start({});
  DrawingView& view = *frame.Views().front();
  std::vector<QString> titles;
  const auto look = [&titles](QDialog& dialog) {
    EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
    titles.push_back(dialog.windowTitle());
    return QDialog::Accepted;
  };

  ModalCloser typed(look);
  TypeLine(view, "About");
  EXPECT_EQ(typed.Closed(), 1);

  ModalCloser asked(look);
  std::atomic<int> code{-1};
  std::thread asker([&code] {
    CAboutDlg about;
    code = RunModalDialog(about);
  });
  ProcessUntil([&code] { return code.load() != -1; });
  asker.join();
  EXPECT_EQ(code.load(), CModalDialog::kOk);
  EXPECT_EQ(titles, std::vector<QString>(2, QStringLiteral("About Kovra Draft")));
}

// Open asks in the open dialog with preview, for drawings; cancelling it
// chooses nothing.
TEST_F(MainFrameTest, OpenChoosesTheDrawingInTheDialogWithPreview) {
  MainFrame& frame = Start({});
  const std::string drawing = CopyDrawing("lines.dxf");
  QStringList filters;
  ModalCloser chosen([&](QDialog& dialog) {
    auto& chooser = static_cast<QFileDialog&>(dialog);
    filters = chooser.nameFilters();
    EXPECT_NE(dialog.findChild<QWidget*>(QStringLiteral("preview")), nullptr);
    chooser.selectFile(QString::fromStdString(drawing));
    dialog.accept();
    return dialog.result();
  });
  EXPECT_EQ(frame.ChooseOpenPath(), drawing);
  EXPECT_EQ(filters, QStringList({QStringLiteral("Drawing file R13-2000 (*.dwg)"),
                                  QStringLiteral("DXF file R13-2000 (*.dxf)")}));
  ModalCloser cancelled([](QDialog&) { return QDialog::Rejected; });
  EXPECT_EQ(frame.ChooseOpenPath(), "");
}

TEST_F(MainFrameTest, AnOpenedDrawingIsFittedToTheWindowItIsShownIn) {
  MainFrame& frame = Start({QString::fromStdString(CopyDrawing("lines.dxf"))});
  DrawingView& view = *frame.ActiveView();
  view.grab();
  FcPoint2d min;
  FcPoint2d max;
  ASSERT_TRUE(view.Surface().GetExtents(min, max));
  const auto expectFitted = [&](const char* when) {
    SCOPED_TRACE(when);
    const FcViewTransform& shown = *view.Surface().GetView();
    EXPECT_EQ(shown.deviceX1 - shown.deviceX0, view.width());
    EXPECT_EQ(shown.deviceY1 - shown.deviceY0, view.height());
    EXPECT_LE(shown.x0, min.x);
    EXPECT_GE(shown.x1, max.x);
    EXPECT_LE(shown.y0, min.y);
    EXPECT_GE(shown.y1, max.y);
    // Filling the window along one side, up to the fit's margin.
    const double fill = std::max((max.x - min.x) / (shown.x1 - shown.x0), (max.y - min.y) / (shown.y1 - shown.y0));
    EXPECT_GT(fill, 0.9);
  };
  expectFitted("first shown");
  frame.showNormal();
  frame.resize(420, 700);
  ProcessPending();
  view.grab();
  // Narrower than before: the drawing stays whole in view.
  const FcViewTransform& shown = *view.Surface().GetView();
  EXPECT_EQ(shown.deviceX1, view.width());
  EXPECT_LE(shown.x0, min.x);
  EXPECT_GE(shown.x1, max.x);
  EXPECT_LE(shown.y0, min.y);
  EXPECT_GE(shown.y1, max.y);
}

TEST_F(MainFrameTest, DroppedDrawingsOpenEachInItsWindowAndOtherFilesAreIgnored) {
  MainFrame& frame = Start({});
  const std::string folder = home_.path() + "folder.dxf";
  std::filesystem::create_directory(folder);
  frame.OpenDroppedFiles({QString::fromStdString(CopyDrawing("Upper.DWG.dxf")),
                          QString::fromStdString(home_.Write("notes.txt")), QString::fromStdString(folder),
                          QString::fromStdString(home_.path() + "missing.dwg"),
                          QString::fromStdString(CopyDrawing("PLAN.DXF"))});
  QStringList titles;
  for (QMdiSubWindow* window : frame.Area().subWindowList()) titles.push_back(window->windowTitle());
  EXPECT_EQ(titles, (QStringList{QStringLiteral("Untitled"), QStringLiteral("Upper.DWG.dxf"), QStringLiteral("PLAN.DXF")}));
}

TEST_F(MainFrameTest, ANewDrawingStartsFromTheTemplateWhenItExists) {
  struct TemplateScope {
    ~TemplateScope() { GetProgramSettings().template_file.clear(); }
  } scope;
  MainFrame& frame = Start({});
  GetProgramSettings().template_file = home_.path() + "missing.dxf";
  EXPECT_EQ(LineCount(*frame.NewDrawingWindow()), 0);

  GetProgramSettings().template_file = CopyDrawing("template.dxf");
  DrawingView& view = *frame.NewDrawingWindow();
  EXPECT_EQ(LineCount(view), 3);
  const FcSystemVar& vars = view.Drawing().GetSysVars();
  EXPECT_EQ(vars.dwgtitled, 0);
  EXPECT_EQ(vars.Modified, 0);
  EXPECT_EQ(frame.Area().activeSubWindow()->windowTitle(), QStringLiteral("Untitled"));
  // A template is no recent file of the user's.
  EXPECT_TRUE(frame.RecentFiles().Paths().empty());
}

// The fit vertices a file gives a curve-fitted polyline are dropped when it
// is read and made anew, with new handles, while its drawing is opened and
// before its window is the active one: the handles are the opened
// drawing's, not the active one's.
TEST_F(MainFrameTest, AnOpenedFittedPolylineTakesHandlesFromItsOwnDrawing) {
  const std::string path = home_.path() + "fitted.dxf";
  std::ofstream file(path);
  file << "0\nSECTION\n2\nENTITIES\n0\nPOLYLINE\n5\n2A\n100\nAcDbEntity\n8\n0\n100\nAcDb2dPolyline\n66\n1\n70\n2\n";
  // x, y and the vertex flags: 1 marks a fit vertex.
  const int vertices[][3] = {{0, 0, 0}, {5, 4, 1}, {10, 5, 0}, {20, 0, 0}, {30, 8, 0}};
  int handle = 0x2B;
  for (const auto& vertex : vertices)
    file << "0\nVERTEX\n5\n" << std::hex << handle++ << std::dec
         << "\n100\nAcDbEntity\n8\n0\n100\nAcDbVertex\n100\nAcDb2dVertex\n10\n" << vertex[0] << "\n20\n"
         << vertex[1] << "\n70\n" << vertex[2] << "\n";
  file << "0\nSEQEND\n5\n30\n100\nAcDbEntity\n8\n0\n0\nENDSEC\n0\nEOF\n";
  file.close();
  MainFrame& frame = Start({});
  const FcGraph& other = frame.ActiveView()->Drawing();
  const FcHandle otherSeed = other.GetHandleSeed();

  DrawingView* view = frame.OpenDrawingWindow(path);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(other.GetHandleSeed(), otherSeed);
  const FcGraph& opened = view->Drawing();
  const FcPolyline* polyline = nullptr;
  for (const FcEntity* entity : *view->Drawing().GetCurrentEntitySet())
    if (polyline == nullptr) polyline = dynamic_cast<const FcPolyline*>(entity);
  ASSERT_NE(polyline, nullptr);
  ASSERT_FALSE(polyline->GetFitVertices().empty());
  std::set<FcHandle> handles = {polyline->GetHandle(), polyline->GetSeqendHandle()};
  for (const PolylineVertex& vertex : polyline->GetVertices()) handles.insert(vertex.handle);
  for (const PolylineVertex& vertex : polyline->GetFitVertices()) {
    EXPECT_NE(vertex.handle, 0u);
    EXPECT_LT(vertex.handle, opened.GetHandleSeed());
    EXPECT_TRUE(handles.insert(vertex.handle).second) << vertex.handle;
  }
}

TEST_F(MainFrameTest, DoubleClickingATextPaneRunsItsCommandInTheActiveDrawing) {
  MainFrame& frame = Start({});
  DrawingView& view = *frame.ActiveView();
  struct Case {
    QLabel* pane;
    const char* command;
  };
  const Case cases[] = {
      {&frame.LayerPane(), "Layer"}, {&frame.ColorPane(), "Color"}, {&frame.LinetypePane(), "Linetype"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    // A command that shows a dialog gets it cancelled.
    ModalCloser cancel([](QDialog&) { return QDialog::Rejected; });
    const std::size_t before = view.CommandLine().History().size();
    const QPointF centre(c.pane->width() / 2.0, c.pane->height() / 2.0);
    QMouseEvent click(QEvent::MouseButtonDblClick, centre, c.pane->mapToGlobal(centre), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(c.pane, &click);
    WaitForPromptOrIdle(view);
    std::string shown;
    for (std::size_t i = before; i < view.CommandLine().History().size(); ++i)
      shown += view.CommandLine().History()[i] + "\n";
    EXPECT_NE(shown.find(std::string("Command:_") + c.command), std::string::npos) << shown;
  }
}

// The command bar's context menu offers the clipboard's text while it
// holds some and types it into the active drawing's command line, idle
// only up to the first blank: nothing starts before Enter.
TEST_F(MainFrameTest, TheCommandBarPastesTheClipboardsTextIntoTheCommandLine) {
  MainFrame& frame = Start({});
  DrawingView& view = *frame.ActiveView();
  QGuiApplication::clipboard()->clear();
  const std::unique_ptr<QMenu> without(frame.CommandBarPanel().NewContextMenu());
  EXPECT_FALSE(without->findChild<QAction*>(QStringLiteral("pasteToCommandBar"))->isEnabled());

  QGuiApplication::clipboard()->setText(QStringLiteral("line 10,10"));
  const std::unique_ptr<QMenu> menu(frame.CommandBarPanel().NewContextMenu());
  QAction* paste = menu->findChild<QAction*>(QStringLiteral("pasteToCommandBar"));
  ASSERT_TRUE(paste->isEnabled());
  paste->trigger();
  EXPECT_TRUE(view.CommandLine().HasInput());
  EXPECT_FALSE(view.Core().CommandRuns());
  TypeLine(view, "");
  EXPECT_TRUE(view.Core().IsWaitingForInput());
  view.Core().OnChar(27);
  WaitForPromptOrIdle(view);
}

// OK in the options sheet gives the command bar its new number of lines
// and the open drawing window the new background at once.
TEST_F(MainFrameTest, OptionsOkResizesTheCommandBarAndRecoloursTheDrawing) {
  MainFrame& frame = Start({});
  DrawingView& view = *frame.Views().front();
  ModalCloser closer([](QDialog& dialog) {
    dialog.findChild<QSpinBox*>(QStringLiteral("commandLines"))->setValue(1);
    auto* background = dialog.findChild<ColorComboBox*>(QStringLiteral("backgroundColor"));
    background->Choose(background->findText(QStringLiteral("Red")));
    return QDialog::Accepted;
  });
  TypeLine(view, "Options");
  ProcessPending();
  EXPECT_EQ(closer.Closed(), 1);
  CommandLinePanel& bar = frame.CommandBarPanel();
  EXPECT_EQ(bar.HistoryLines(), 1);
  EXPECT_LT(bar.History().viewport()->height(), 2 * bar.LineHeight());
  EXPECT_EQ(GetProgramSettings().background_color, 1);
  EXPECT_EQ(view.Surface().GetDevice()->backgroundIndex, 1);
}

}  // namespace
