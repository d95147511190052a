#include "window/menu_builder.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <string>
#include <vector>

#include "shell/menu_text_reader.h"
#include "tests/support/menu_fixture.h"

namespace {

bool EnsureApplication() {
  if (QApplication::instance()) return true;
  static int argc = 1;
  static char name[] = "kovra_window_tests";
  static char* argv[] = {name, nullptr};
  static QApplication application(argc, argv);
  return true;
}

class MenuBuilderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(ReadMenuText(menus_, kSampleMenuText, "sample.mnu").message, "");
    built_ = BuildMenus(window_, menus_, false, [this](const std::string& macro) { ran_.push_back(macro); });
  }

  QMenu* TopMenu(int i) const { return window_.menuBar()->actions().at(i)->menu(); }

  FcInterface menus_;
  bool application_ = EnsureApplication();  // before the first widget
  QMainWindow window_;
  BuiltMenus built_;
  std::vector<std::string> ran_;
};

TEST_F(MenuBuilderTest, MenusFollowTheModel) {
  ASSERT_EQ(window_.menuBar()->actions().size(), 2);
  QMenu* file = TopMenu(0);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->title(), "&File");
  QList<QAction*> items = file->actions();
  ASSERT_EQ(items.size(), 5);
  EXPECT_EQ(items[0]->text(), "&New\tCtrl+N");
  EXPECT_EQ(items[0]->data().toInt(), 34500);
  EXPECT_TRUE(items[1]->isSeparator());
  EXPECT_EQ(items[2]->objectName(), "recentFiles");
  ASSERT_NE(items[3]->menu(), nullptr);
  EXPECT_EQ(items[3]->menu()->actions().size(), 2);
  EXPECT_EQ(items[0]->statusTip(), "Creates a drawing");
}

TEST_F(MenuBuilderTest, TriggeringRunsTheMacro) {
  TopMenu(0)->actions()[3]->menu()->actions()[1]->trigger();
  TopMenu(1)->actions()[1]->trigger();  // the about box: the window's own, no macro
  ASSERT_EQ(built_.toolbars.size(), 1) << "a toolbar without buttons is not made";
  QToolBar* bar = built_.toolbars[0];
  EXPECT_EQ(bar->windowTitle(), "Main");
  EXPECT_EQ(window_.toolBarArea(bar), Qt::LeftToolBarArea);
  EXPECT_EQ(bar->iconSize(), QSize(16, 15));
  QList<QAction*> buttons = bar->actions();
  ASSERT_EQ(buttons.size(), 3);
  EXPECT_TRUE(buttons[1]->isSeparator());
  EXPECT_EQ(buttons[2]->toolTip(), "Line");
  EXPECT_FALSE(buttons[2]->icon().isNull());
  buttons[2]->trigger();
  EXPECT_EQ(ran_, (std::vector<std::string>{"^C^C_qsave", "^C^C_line"}));
}

TEST_F(MenuBuilderTest, AcceleratorsBecomeWindowShortcuts) {
  std::vector<QString> keys;
  for (QAction* action : built_.shortcuts) keys.push_back(action->shortcut().toString(QKeySequence::PortableText));
  EXPECT_EQ(keys, (std::vector<QString>{"F5", "Ctrl+Shift+S", "Ctrl+C"}));
  built_.shortcuts[2]->trigger();
  EXPECT_EQ(ran_, (std::vector<std::string>{"^C^C_copyclip"}));

  FcAccelerator numpad{"", false, false, kKeyNumpad0 + 3, "m"};
  EXPECT_EQ(AcceleratorKeys(numpad), QKeySequence(Qt::KeypadModifier | Qt::Key_3));
}

TEST_F(MenuBuilderTest, RemovingTakesEverythingAway) {
  RemoveMenus(window_, built_);
  EXPECT_TRUE(window_.menuBar()->actions().isEmpty());
  EXPECT_TRUE(window_.findChildren<QToolBar*>().isEmpty());
  EXPECT_TRUE(window_.actions().isEmpty());
  built_ = BuildMenus(window_, menus_, true, [](const std::string&) {});
  EXPECT_EQ(window_.menuBar()->actions().size(), 2);
  EXPECT_EQ(built_.toolbars[0]->iconSize(), QSize(24, 22));
}

}  // namespace
