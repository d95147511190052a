#include "window/recent_file_list.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/program_settings_store.h"
#include "tests/support/gui_application.h"
#include "tests/support/temp_dir.h"

namespace {

using Paths = std::vector<std::string>;

TEST(RecentFileList, NewestFirstWithoutRepeatsAndAtMostFive) {
  TempDir dir;
  const auto file = [&dir](const char* name) { return dir.Write(name); };
  RecentFileList list;
  for (const char* name : {"a.dwg", "b.dwg", "c.dxf"}) list.Add(file(name));
  EXPECT_EQ(list.Paths(), (Paths{file("c.dxf"), file("b.dwg"), file("a.dwg")}));

  // The same file by another spelling moves up.
  list.Add(dir.path() + "sub/../a.dwg");
  EXPECT_EQ(list.Paths(), (Paths{file("a.dwg"), file("c.dxf"), file("b.dwg")}));

  for (const char* name : {"d.dwg", "e.dwg", "f.dwg"}) list.Add(file(name));
  EXPECT_EQ(list.Paths(), (Paths{file("f.dwg"), file("e.dwg"), file("d.dwg"), file("a.dwg"), file("c.dxf")}));

  list.Add("");
  EXPECT_EQ(list.Paths().size(), 5u);
}

TEST(RecentFileList, SurvivesTheStoreAndSkipsEmptyEntries) {
  TempDir dir;
  const std::string ini = dir.path() + "kovra.ini";
  RecentFileList list;
  for (const char* name : {"one, two.dwg", "three.dxf"}) list.Add(dir.Write(name));
  {
    std::unique_ptr<QSettings> store = OpenSettingsStore(ini);
    store->setValue(QStringLiteral("Recent File List/File4"), QStringLiteral("/stale.dwg"));
    list.Save(*store);
  }
  std::unique_ptr<QSettings> store = OpenSettingsStore(ini);
  EXPECT_EQ(store->value(QStringLiteral("Recent File List/File1")).toString().toStdString(),
            dir.path() + "three.dxf");
  // A shorter list takes the older entries away.
  EXPECT_FALSE(store->contains(QStringLiteral("Recent File List/File4")));
  store->setValue(QStringLiteral("Recent File List/File2"), QString());
  store->setValue(QStringLiteral("Recent File List/File3"), QString::fromStdString(dir.path() + "one, two.dwg"));
  RecentFileList read;
  read.Load(*store);
  EXPECT_EQ(read.Paths(), (Paths{dir.path() + "three.dxf", dir.path() + "one, two.dwg"}));
}

TEST(RecentFileList, FillsEverySlotAndReplacesWhatItPutThereBefore) {
  GuiApplication();
  QMainWindow window;
  QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
  file->addAction(QStringLiteral("&Open..."));
  QAction* slot = file->addAction(QStringLiteral("Recent Files"));
  slot->setObjectName(QStringLiteral("recentFiles"));
  QAction* exit = file->addAction(QStringLiteral("E&xit"));

  std::vector<std::string> opened;
  const auto open = [&opened](const std::string& path) { opened.push_back(path); };
  RecentFileList list;
  FillRecentFileSlots(window, list, open);
  EXPECT_TRUE(slot->isVisible());
  EXPECT_FALSE(slot->isEnabled());

  TempDir dir;
  list.Add(dir.Write("a & b.dwg"));
  list.Add(dir.Write("c.dxf"));
  FillRecentFileSlots(window, list, open);
  FillRecentFileSlots(window, list, open);
  const QList<QAction*> actions = file->actions();
  ASSERT_EQ(actions.size(), 5);
  EXPECT_EQ(actions[1]->text(), RecentFileMenuText(0, dir.path() + "c.dxf"));
  EXPECT_TRUE(actions[2]->text().startsWith(QStringLiteral("&2 "))) << actions[2]->text().toStdString();
  EXPECT_TRUE(actions[2]->text().endsWith(QStringLiteral("a && b.dwg"))) << actions[2]->text().toStdString();
  EXPECT_EQ(actions[3], slot);
  EXPECT_FALSE(slot->isVisible());
  EXPECT_EQ(actions[4], exit);
  actions[2]->trigger();
  EXPECT_EQ(opened, (std::vector<std::string>{dir.path() + "a & b.dwg"}));
}

}  // namespace
