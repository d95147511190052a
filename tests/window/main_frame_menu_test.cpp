#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "database/graph.h"
#include "entities/line.h"
#include "platform/qt/program_settings_store.h"
#include "shell/menu_file_loading.h"
#include "tests/support/scripted_questions.h"
#include "tests/support/gui_application.h"
#include "tests/support/program_settings_guard.h"
#include "tests/support/temp_dir.h"
#include "window/main_frame.h"
#include "window/program_start.h"

namespace {

const std::string kProgramMenuFile = KOVRA_SOURCE_DIR "/Support/kovra.mnu";
// A corpus drawing of three lines.
const std::string kLinesDrawing = std::string(KOVRA_CORPUS_DIR) + "/dxf/ezdxf__bin_dxf_r14.dxf";

int LineCount(DrawingView& view) {
  int lines = 0;
  for (const FcEntity* entity : *view.Drawing().GetCurrentEntitySet())
    if (dynamic_cast<const FcLine*>(entity) != nullptr) ++lines;
  return lines;
}

// The program started in a temporary home whose "Support" folder holds the
// menu file the test gives it; every wait runs the event loop until what
// the test waits for has happened.
class MainFrameMenuTest : public testing::Test {
 protected:
  MainFrameMenuTest() {
    GuiApplication();
    qputenv("HOME", QByteArray::fromStdString(home_.path()));
    store_ = OpenSettingsStore(home_.path() + "kovra.ini");
    std::filesystem::create_directories(menuFile_.parent_path());
  }
  ~MainFrameMenuTest() override { frame_.reset(); }

  void UseProgramMenuFile() { std::filesystem::copy_file(kProgramMenuFile, menuFile_); }

  MainFrame& Start(const QStringList& arguments = {}) {
    frame_ = StartProgram(arguments, *store_, home_.path() + "kovra");
    frame_->SetQuestions(&questions_);
    frame_->show();
    frame_->activateWindow();
    QApplication::setActiveWindow(frame_.get());
    QCoreApplication::processEvents();
    return *frame_;
  }

  // Runs the event loop until done; false when it never is, so that a
  // command that hangs fails the test instead of stopping it.
  template <typename Done>
  [[nodiscard]] static bool ProcessUntil(Done done) {
    return QTest::qWaitFor(done, 30000);
  }

  // The item of the top-level menu (its "**" name) whose label starts so.
  static QAction* Item(MainFrame& frame, const char* menu, const char* label) {
    for (QAction* top : frame.menuBar()->actions()) {
      if (top->menu() == nullptr || top->menu()->objectName() != QLatin1String(menu)) continue;
      for (QAction* item : top->menu()->actions())
        if (item->text().startsWith(QLatin1String(label))) return item;
    }
    ADD_FAILURE() << "no item " << label << " in " << menu;
    return nullptr;
  }

  static void Trigger(MainFrame& frame, const char* menu, const char* label) {
    if (QAction* item = Item(frame, menu, label)) item->trigger();
  }

  [[nodiscard]] static bool WaitIdle(DrawingView& view) {
    return ProcessUntil([&] { return view.Core().IsWaitingForInput() || !view.Core().CommandRuns(); });
  }

  static void TypeLine(DrawingView& view, const std::string& line) {
    for (char ch : line) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(ch)));
      QApplication::sendEvent(&view, &press);
    }
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(&view, &enter);
    EXPECT_TRUE(WaitIdle(view)) << line;
  }

  static QMessageBox* MenuMessage(MainFrame& frame) {
    return frame.findChild<QMessageBox*>(QStringLiteral("menuFileMessage"));
  }

  ProgramSettingsGuard settingsGuard_;
  TempDir home_;
  std::filesystem::path menuFile_ = home_.path() + "Support/kovra.mnu";
  std::unique_ptr<QSettings> store_;
  ScriptedQuestions questions_;
  std::unique_ptr<MainFrame> frame_;
};

TEST_F(MainFrameMenuTest, MenusToolbarsAndHelpComeFromTheMenuFile) {
  UseProgramMenuFile();
  MainFrame& frame = Start();
  QStringList titles;
  for (QAction* top : frame.menuBar()->actions()) titles.append(top->text());
  EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "&View", "&Draw", "Di&mension", "&Modify", "F&ormat", "&Tools",
                                 "&Window", "&Help"}));
  QStringList toolbars;
  for (QToolBar* toolbar : frame.findChildren<QToolBar*>())
    if (toolbar->objectName() != QStringLiteral("NoDrawingToolbar")) toolbars.append(toolbar->windowTitle());
  EXPECT_EQ(toolbars, (QStringList{"Standard", "Properties", "Draw", "Modify", "Dimension"}));
  EXPECT_EQ(MenuMessage(frame), nullptr);
  EXPECT_TRUE(frame.MenuMessage().empty());
  EXPECT_TRUE(std::filesystem::exists(home_.path() + "Support/kovra.mnp")) << "the compiled copy is written";

  // The help string of a highlighted item shows in the status bar; an item
  // without one clears it.
  QAction* open = Item(frame, "FILE", "&Open");
  ASSERT_NE(open, nullptr);
  open->showStatusText(frame.menuBar());
  EXPECT_EQ(frame.statusBar()->currentMessage(), QStringLiteral("Opens an existing drawing"));
  frame.statusBar()->showMessage(QStringLiteral("stale"));
  QAction* slot = frame.findChild<QAction*>(QStringLiteral("recentFiles"));
  ASSERT_NE(slot, nullptr);
  slot->showStatusText(frame.menuBar());
  EXPECT_EQ(frame.statusBar()->currentMessage(), QString());
}

// The items run their commands through the command table: New opens a
// window, Open a drawing, Save writes the drawing back to its file.
TEST_F(MainFrameMenuTest, FileItemsOpenWindowsAndSave) {
  UseProgramMenuFile();
  const std::string path = home_.path() + "lines.dxf";
  std::filesystem::copy_file(kLinesDrawing, path);
  MainFrame& frame = Start();
  ASSERT_EQ(frame.Views().size(), 1u);
  DrawingView* first = frame.ActiveView();

  Trigger(frame, "FILE", "&New");
  ASSERT_TRUE(ProcessUntil([&] { return frame.Views().size() == 2; }));
  EXPECT_NE(frame.ActiveView(), first) << "the new window is the active one";

  questions_.openPath = path;
  Trigger(frame, "FILE", "&Open");
  ASSERT_TRUE(ProcessUntil([&] { return frame.Views().size() == 3; }));
  DrawingView& opened = *frame.ActiveView();
  EXPECT_EQ(opened.Drawing().GetSysVars().dwgname.str(), "lines.dxf");

  std::filesystem::remove(path);
  opened.Drawing().GetSysVars().Modified = 1;
  Trigger(frame, "FILE", "&Save");
  ASSERT_TRUE(ProcessUntil([&] { return !opened.Core().CommandRuns(); }));
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(opened.Drawing().GetSysVars().Modified, 0);
  EXPECT_TRUE(questions_.messages.empty());
}

// Arrange Icons brings the minimised windows back into a row along the
// bottom of the area, wherever they were moved; open windows stay put.
TEST_F(MainFrameMenuTest, ArrangeIconsLinesTheMinimisedWindowsUpAlongTheBottom) {
  UseProgramMenuFile();
  MainFrame& frame = Start();
  for (int more = 0; more < 2; ++more) Trigger(frame, "FILE", "&New");
  ASSERT_TRUE(ProcessUntil([&] { return frame.Views().size() == 3; }));
  const QList<QMdiSubWindow*> windows = frame.Area().subWindowList();
  for (QMdiSubWindow* window : windows) window->showNormal();
  windows[0]->showMinimized();
  windows[1]->showMinimized();
  windows[0]->move(120, 40);
  windows[1]->move(10, 70);
  const QRect open = windows[2]->geometry();

  Trigger(frame, "WINDOW", "&Arrange Icons");
  const int bottom = frame.Area().viewport()->height();
  EXPECT_EQ(windows[0]->geometry().topLeft(), QPoint(0, bottom - windows[0]->height()));
  EXPECT_EQ(windows[1]->geometry().topLeft(), QPoint(windows[0]->width(), bottom - windows[1]->height()));
  EXPECT_EQ(windows[2]->geometry(), open);
}

// A double click on the empty background of the area opens a drawing; one
// on a drawing window or with another button does not.
TEST_F(MainFrameMenuTest, DoubleClickOnTheEmptyAreaOpensADrawing) {
  UseProgramMenuFile();
  const std::string path = home_.path() + "lines.dxf";
  std::filesystem::copy_file(kLinesDrawing, path);
  MainFrame& frame = Start();
  QMdiSubWindow* window = frame.Area().subWindowList().front();
  window->showNormal();
  window->setGeometry(0, 0, 120, 90);
  questions_.openPath = path;
  QWidget* background = frame.Area().viewport();
  const QPoint empty(background->width() - 5, background->height() - 5);
  const auto doubleClick = [](QWidget* target, QPoint at, Qt::MouseButton button) {
    QMouseEvent event(QEvent::MouseButtonDblClick, at, target->mapToGlobal(at), button, button, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
    QCoreApplication::processEvents();
  };

  doubleClick(background, empty, Qt::MiddleButton);
  doubleClick(background, QPoint(10, 40), Qt::LeftButton);
  EXPECT_EQ(frame.Views().size(), 1u);
  doubleClick(background, empty, Qt::LeftButton);
  ASSERT_TRUE(ProcessUntil([&] { return frame.Views().size() == 2; }));
  EXPECT_EQ(frame.ActiveView()->Drawing().GetSysVars().dwgname.str(), "lines.dxf");
}

// A key combination of the file's accelerators runs its macro while the
// drawing window has the focus.
TEST_F(MainFrameMenuTest, AcceleratorRunsItsCommand) {
  UseProgramMenuFile();
  MainFrame& frame = Start();
  DrawingView& view = *frame.ActiveView();
  view.setFocus();
  QTest::keyClick(&view, Qt::Key_N, Qt::ControlModifier);
  ASSERT_TRUE(ProcessUntil([&] { return frame.Views().size() == 2; }));
  EXPECT_EQ(view.CommandLine().History().back(), "Command:_new");
}

// A menu item cancels the command that waits for input (^C) before its
// own command starts.
TEST_F(MainFrameMenuTest, MenuItemCancelsTheRunningCommand) {
  UseProgramMenuFile();
  MainFrame& frame = Start();
  DrawingView& view = *frame.ActiveView();
  TypeLine(view, "line");
  TypeLine(view, "0,0");
  ASSERT_TRUE(view.Core().IsWaitingForInput());
  Trigger(frame, "DRAW", "&Line");
  ASSERT_TRUE(WaitIdle(view));
  ASSERT_TRUE(view.Core().IsWaitingForInput());
  EXPECT_TRUE(frame.PromptLine().text().startsWith(QStringLiteral("First point of line")));
  TypeLine(view, "0,0");
  TypeLine(view, "5,5");
  TypeLine(view, "");
  ASSERT_TRUE(ProcessUntil([&] { return !view.Core().CommandRuns(); }));
  EXPECT_EQ(LineCount(view), 1);
}

// New starts from the template drawing of the settings when it is there,
// at start-up and from the menu alike; a missing one gives an empty drawing.
TEST_F(MainFrameMenuTest, NewDrawingsStartFromTheTemplate) {
  UseProgramMenuFile();
  const std::string templateFile = home_.path() + "template.dxf";
  std::filesystem::copy_file(kLinesDrawing, templateFile);
  store_->setValue(QStringLiteral("Parameters/TemplateFile"), QString::fromStdString(templateFile));
  MainFrame& frame = Start();
  Trigger(frame, "FILE", "&New");
  ASSERT_TRUE(ProcessUntil([&] { return frame.Views().size() == 2; }));
  for (DrawingView* view : frame.Views()) {
    EXPECT_EQ(LineCount(*view), 3);
    EXPECT_EQ(view->Drawing().GetSysVars().dwgtitled, 0);
    EXPECT_EQ(view->Drawing().GetSysVars().Modified, 0);
    EXPECT_EQ(view->Title(), QStringLiteral("Untitled"));
  }

  std::filesystem::remove(templateFile);
  Trigger(frame, "FILE", "&New");
  ASSERT_TRUE(ProcessUntil([&] { return frame.Views().size() == 3; }));
  EXPECT_EQ(LineCount(*frame.ActiveView()), 0);
}

// With no drawing open the application commands still answer the menus;
// the drawing commands wait for a drawing.
TEST_F(MainFrameMenuTest, WithoutDrawingOnlyApplicationCommandsRun) {
  UseProgramMenuFile();
  MainFrame& frame = Start();
  frame.CloseActiveDrawing();
  ASSERT_TRUE(ProcessUntil([&] { return frame.Views().empty(); }));
  Trigger(frame, "DRAW", "&Line");
  QCoreApplication::processEvents();
  EXPECT_TRUE(frame.Views().empty());
  EXPECT_FALSE(frame.statusBar()->currentMessage().isEmpty());
  Trigger(frame, "FILE", "&New");
  ASSERT_TRUE(ProcessUntil([&] { return frame.Views().size() == 1; }));
}

// Exit closes the program through each drawing's save question.
TEST_F(MainFrameMenuTest, ExitAsksToSaveAndCancelKeepsTheProgram) {
  UseProgramMenuFile();
  MainFrame& frame = Start();
  frame.ActiveView()->Drawing().GetSysVars().Modified = 1;
  Trigger(frame, "FILE", "E&xit");
  ASSERT_TRUE(ProcessUntil([&] { return !questions_.questions.empty(); }));
  QCoreApplication::processEvents();
  EXPECT_EQ(questions_.questions, std::vector<std::string>{"Save changes to untitled?"});
  EXPECT_TRUE(frame.isVisible());

  questions_.saveAnswer = UserQuestions::SaveAnswer::kNo;
  Trigger(frame, "FILE", "E&xit");
  ASSERT_TRUE(ProcessUntil([&] { return !frame.isVisible(); }));
  EXPECT_EQ(questions_.questions.size(), 2u);
}

// A menu file with a fault, or a compiled copy cut short, still starts the
// program with what could be read, and one message names the place.
TEST_F(MainFrameMenuTest, FaultyMenuFileStartsWithTheMenusItCouldRead) {
  const std::string compiled = home_.path() + "Support/kovra.mnp";
  const struct {
    const char* name;
    std::function<void()> prepare;
    std::string place;
    int menus;
  } cases[] = {
      {"faulty text",
       [&] {
         home_.Write("Support/kovra.mnu",
                     "***POP1\n**FILE\nID_MnFile [&File]\nID_New [&New]^C^C_new\n***ACCELERATORS\nID_New [\"Q\n"
                     "***POP2\n**HELP\nID_MnHelp [&Help]\nID_About [&About]^C^C_about\n");
       },
       menuFile_.string() + ", line 6", 2},
      {"truncated copy",
       [&] {
         UseProgramMenuFile();
         std::filesystem::last_write_time(menuFile_,
                                          std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
         home_.Write("Support/kovra.mnp", "KOVRA Compiled Menu");
       },
       compiled + ", byte ", 10},
  };
  for (const auto& entry : cases) {
    std::filesystem::remove(menuFile_);
    std::filesystem::remove(compiled);
    entry.prepare();
    MainFrame& frame = Start();
    ASSERT_EQ(frame.Views().size(), 1u) << entry.name;
    QMessageBox* message = MenuMessage(frame);
    ASSERT_NE(message, nullptr) << entry.name;
    EXPECT_TRUE(message->text().toStdString().starts_with(entry.place)) << message->text().toStdString();
    EXPECT_EQ(frame.MenuMessage(), message->text().toStdString());
    EXPECT_EQ(frame.menuBar()->actions().size(), entry.menus) << entry.name;
    Trigger(frame, "FILE", "&New");
    ASSERT_TRUE(ProcessUntil([&] { return frame.Views().size() == 2; }));
    frame_.reset();
  }

  std::filesystem::remove(menuFile_);
  MainFrame& frame = Start();
  ASSERT_NE(MenuMessage(frame), nullptr);
  EXPECT_EQ(frame.MenuMessage(), kMenuFileMissingMessage);
  EXPECT_TRUE(frame.menuBar()->actions().isEmpty());
  EXPECT_EQ(frame.Views().size(), 1u);
}

// The toolbars come back as they were left; a start whose restore never
// finished makes the next one keep the default layout.
TEST_F(MainFrameMenuTest, ToolbarLayoutComesBackUnlessItsLastLoadNeverFinished) {
  UseProgramMenuFile();
  const auto drawBar = [](MainFrame& frame) {
    for (QToolBar* toolbar : frame.findChildren<QToolBar*>())
      if (toolbar->windowTitle() == QStringLiteral("Draw")) return toolbar;
    return static_cast<QToolBar*>(nullptr);
  };
  MainFrame& first = Start();
  ASSERT_NE(drawBar(first), nullptr);
  ASSERT_FALSE(first.Views().empty());
  drawBar(first)->hide();
  questions_.saveAnswer = UserQuestions::SaveAnswer::kNo;
  ASSERT_TRUE(first.close());
  frame_.reset();

  MainFrame& second = Start();
  EXPECT_TRUE(drawBar(second)->isHidden());
  EXPECT_EQ(store_->value(QStringLiteral("ReadToolBarState")).toInt(), 0);
  frame_.reset();

  // With no drawing open only the small start toolbar shows; the menu
  // file's come back as they were with the next drawing.
  MainFrame& bare = Start();
  QToolBar* start = bare.findChild<QToolBar*>(QStringLiteral("NoDrawingToolbar"));
  ASSERT_NE(start, nullptr);
  EXPECT_TRUE(start->isHidden());
  bare.CloseActiveDrawing();
  ASSERT_TRUE(ProcessUntil([&] { return bare.Views().empty() && !start->isHidden(); }));
  EXPECT_TRUE(drawBar(bare)->isHidden());
  for (QToolBar* toolbar : bare.findChildren<QToolBar*>())
    if (toolbar != start) EXPECT_TRUE(toolbar->isHidden()) << toolbar->windowTitle().toStdString();
  bare.NewDrawingWindow();
  EXPECT_TRUE(start->isHidden());
  EXPECT_TRUE(drawBar(bare)->isHidden()) << "hidden by the user, it stays so";
  for (QToolBar* toolbar : bare.findChildren<QToolBar*>())
    if (toolbar != start && toolbar != drawBar(bare)) EXPECT_FALSE(toolbar->isHidden()) << toolbar->windowTitle().toStdString();
  frame_.reset();

  store_->setValue(QStringLiteral("ReadToolBarState"), 1);
  MainFrame& third = Start();
  EXPECT_FALSE(drawBar(third)->isHidden()) << "a load that never finished is not tried again";
  ASSERT_TRUE(third.close());
  EXPECT_EQ(store_->value(QStringLiteral("ReadToolBarState")).toInt(), 0);
}

}  // namespace
