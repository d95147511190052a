#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSettings>
#include <QToolButton>
#include <QWheelEvent>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "core/resbuf.h"
#include "database/graph.h"
#include "database/undo_list.h"
#include "display/display_surface.h"
#include "display/view_transform.h"
#include "entities/line.h"
#include "platform/qt/program_settings_store.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_application.h"
#include "window/main_frame.h"
#include "window/program_start.h"

namespace {

// A corpus drawing of three lines.
const std::string kLinesDrawing = std::string(KOVRA_CORPUS_DIR) + "/dxf/ezdxf__bin_dxf_r14.dxf";

// Answers the drawing windows' questions from the test's script.
struct ScriptedQuestions : UserQuestions {
  SaveAnswer AskSaveChanges(const std::string& question) override {
    questions.push_back(question);
    return saveAnswer;
  }
  SaveChoice ChooseSavePath(FcFileKind) override { return saveChoice; }
  std::string ChooseOpenPath() override { return {}; }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }

  SaveAnswer saveAnswer = SaveAnswer::kCancel;
  SaveChoice saveChoice;
  std::vector<std::string> questions;
  std::vector<std::string> messages;
};

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
    TestApplication();
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

}  // namespace
