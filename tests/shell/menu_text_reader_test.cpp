#include "shell/menu_text_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/menu_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace std::string_literals;

std::vector<std::string> Labels(const FcMenuItem& item) {
  std::vector<std::string> labels;
  for (const auto& child : item.children) labels.push_back(child->label);
  return labels;
}

TEST(MenuTextReader, ReadsEverySectionIntoTheModel) {
  FcInterface menus;
  MenuReadResult result = ReadMenuText(menus, kSampleMenuText, "sample.mnu");
  EXPECT_TRUE(result.opened);
  EXPECT_EQ(result.message, "");
  EXPECT_EQ(menus.group_name, "SAMPLE");

  ASSERT_EQ(menus.root.children.size(), 2u);
  const FcMenuItem& file = *menus.root.children[0];
  EXPECT_EQ(file.popup_name, "FILE");
  EXPECT_EQ(file.kind, MenuItemKind::kPopup);
  EXPECT_EQ(file.label, "&File");
  EXPECT_EQ(Labels(file), (std::vector<std::string>{"&New\tCtrl+N", "", "", "&More", "E&xit"}));
  EXPECT_EQ(file.children[0]->macro, "^C^C_new");
  EXPECT_EQ(file.children[0]->id_name, "ID_New");
  EXPECT_EQ(file.children[1]->kind, MenuItemKind::kSeparator);
  EXPECT_EQ(file.children[2]->kind, MenuItemKind::kRecentFiles);
  const FcMenuItem& more = *file.children[3];
  EXPECT_EQ(more.kind, MenuItemKind::kPopup);
  EXPECT_EQ(Labels(more), (std::vector<std::string>{"&Open", "&Save"}));
  EXPECT_EQ(menus.root.children[1]->children.size(), 2u);

  ASSERT_EQ(menus.toolbars.size(), 2u);
  const FcToolItem& main = menus.toolbars[0];
  EXPECT_EQ(main.section_name, "TB_MAIN");
  EXPECT_EQ(main.title, "Main");
  EXPECT_EQ(main.dock, static_cast<int>(ToolBarDock::kLeft));
  EXPECT_EQ(main.x, 10);
  EXPECT_EQ(main.y, 20);
  EXPECT_TRUE(main.shown);
  ASSERT_EQ(main.buttons.size(), 3u);
  EXPECT_EQ(main.buttons[0].large_bitmap, "ICON_NEW_24");
  EXPECT_EQ(main.buttons[1].kind, ToolButtonKind::kSeparator);
  EXPECT_EQ(main.buttons[2].large_bitmap, "ICON_LINE") << "a button with one bitmap uses it at both sizes";
  EXPECT_FALSE(menus.toolbars[1].shown);
  EXPECT_EQ(menus.toolbars[1].dock, static_cast<int>(ToolBarDock::kFloating));

  ASSERT_EQ(menus.help_strings.size(), 2u);
  EXPECT_EQ(menus.help_strings[0].id_name, "ID_Copy") << "the last help line comes first";

  ASSERT_EQ(menus.accelerators.size(), 3u);
  const FcAccelerator& f5 = menus.accelerators[0];
  EXPECT_EQ(f5.key, kKeyF1 + 4);
  EXPECT_EQ(f5.macro, "^C^C_line") << "an accelerator without macro takes its button's";
  const FcAccelerator& save_as = menus.accelerators[1];
  EXPECT_TRUE(save_as.control && save_as.shift);
  const FcAccelerator& copy = menus.accelerators[2];
  EXPECT_TRUE(copy.control);
  EXPECT_FALSE(copy.shift);
  EXPECT_EQ(copy.key, 'C');
  EXPECT_EQ(copy.macro, "^C^C_copyclip") << "an accelerator without macro takes its menu item's";
}

TEST(MenuTextReader, NestingClosesLevelsAndStopsAtTheRoot) {
  FcInterface menus;
  ReadMenuText(menus,
               "***POP1\n**A\nID_A [&A]\n"
               "ID_Sub [->Sub]\n ID_In1 [In 1]x\n  ID_Deep [->Deep]\n   ID_D1 [<-<-D1]x\n"
               "ID_Back [Back]x\nID_Out [<-<-<-Out]x\nID_Top [Top]x\n",
               "nest.mnu");
  ASSERT_EQ(menus.root.children.size(), 2u) << "levels closed past the menu land on the root";
  const FcMenuItem& a = *menus.root.children[0];
  EXPECT_EQ(Labels(a), (std::vector<std::string>{"Sub", "Back", "Out"}));
  EXPECT_EQ(Labels(*a.children[0]), (std::vector<std::string>{"In 1", "Deep"}));
  EXPECT_EQ(Labels(*a.children[0]->children[1]), (std::vector<std::string>{"D1"}));
  EXPECT_EQ(menus.root.children[1]->label, "Top");
}

TEST(MenuTextReader, AcceleratorKeysAndModifiers) {
  struct Case {
    const char* line;
    bool usable;
    bool control;
    bool shift;
    std::uint16_t key;
  };
  const Case cases[] = {
      {R"(ID_X [CONTROL+"c"]m)", true, true, false, 'C'},
      {R"(ID_X [ shift + control + "f12" ]m)", true, true, true, kKeyF1 + 11},
      {R"(ID_X ["F5"]m)", true, false, false, kKeyF1 + 4},
      {R"(ID_X ["NUMPAD7"]m)", true, false, false, kKeyNumpad0 + 7},
      {R"(ID_X ["DELETE"]m)", true, false, false, kKeyDelete},
      {R"(ID_X [CONTROL+"+"]m)", true, true, false, '+'},
      {R"(ID_X ["A"]m)", false, false, false, 0},  // typing would trigger it
      {R"(ID_X ["F1"]m)", false, false, false, 0},
      {R"(ID_X [CONTROL+"-"]m)", false, false, false, 0},  // "-" has Insert's code
      {R"(ID_X [CONTROL+C]m)", false, false, false, 0},    // key name without quotes
      {R"(ID_X [CONTROL+"AB"]m)", false, false, false, 0},
      {R"(ID_X [CONTROL+SHIFT+"A"+"B"]m)", false, false, false, 0},
      {R"(ID_X [CONTROL]m)", false, false, false, 0},
      {R"([CONTROL+"A"])", false, false, false, 0},  // neither ID nor macro
      {R"(ID_X []m)", false, false, false, 0},
  };
  for (const Case& c : cases) {
    FcAccelerator accelerator;
    EXPECT_EQ(ParseAcceleratorLine(accelerator, c.line), c.usable) << c.line;
    if (!c.usable) continue;
    EXPECT_EQ(accelerator.control, c.control) << c.line;
    EXPECT_EQ(accelerator.shift, c.shift) << c.line;
    EXPECT_EQ(accelerator.key, c.key) << c.line;
  }
}

TEST(MenuTextReader, ToolbarAndButtonLines) {
  FcToolItem bad_dock;
  EXPECT_FALSE(ParseToolBarLine(bad_dock, R"(ID_T [_Toolbar("Tools", _Middle, _Hide, 3, 4, 1)])"));
  EXPECT_EQ(bad_dock.id_name, "ID_T");
  EXPECT_EQ(bad_dock.title, "Tools");
  EXPECT_EQ(bad_dock.dock, static_cast<int>(ToolBarDock::kTop));
  EXPECT_TRUE(bad_dock.shown);
  EXPECT_EQ(bad_dock.x, 0);

  FcToolItem no_rows;
  EXPECT_FALSE(ParseToolBarLine(no_rows, R"(ID_T [_Toolbar("T", _Bottom, _Show, 3, 4)])"));

  const char* refused_buttons[] = {
      R"(ID_B [_Flyout("F", ICON_A)]m)",
      R"(ID_B [_Button("", ICON_A)]m)",
      R"(ID_B [_Button("Label")]m)",
      R"(ID_B []m)",
  };
  for (const char* line : refused_buttons) {
    FcToolBtn button;
    EXPECT_FALSE(ParseToolButtonLine(button, line)) << line;
  }
}

TEST(MenuTextReader, FaultyLinesAreNamedAndTheRestIsKept) {
  struct Case {
    const char* name;
    std::string text;
    std::string message;
    std::size_t menus;
  };
  const Case cases[] = {
      {"bad accelerator", "***POP1\n**A\nID_A [&A]\nID_B [B]b\n***ACCELERATORS\nID_B [\"A\"]\n",
       "f.mnu, line 6: the accelerator line does not parse", 1},
      {"unresolved accelerator", "***ACCELERATORS\n\nID_None [CONTROL+\"Q\"]\n",
       "f.mnu, line 3: the accelerator names no menu item or button with a macro", 0},
      {"menu number out of range",
       "***POP500\n**X\nID_X [X]\nID_Y [Y]y\n***POP2\n**B\nID_B [&B]\n",
       "f.mnu, line 1: a menu number must lie between 1 and 499; the menu is left out", 1},
      {"ends after the menu header", "***POP1\n**A\nID_A [&A]\n***POP2\n",
       "f.mnu, line 4: the menu has no \"**\" name line", 1},
      {"ends before the title line", "***POP1\n**A\n", "f.mnu, line 1: the menu ends before its title line", 1},
      {"toolbar without its line", "***TOOLBARS\n**TB\n", "f.mnu, line 2: the toolbar has no toolbar line", 0},
      {"two faults", "***HELPSTRINGS\nID_A []\n[text]\nID_B [fine]\n",
       "f.mnu, line 2: the help line needs an ID and a text (and 1 more problems)", 0},
      {"NUL byte", "***POP1\n**A\nID_A [&A]\nID_B [B\0]b\n"s,
       "f.mnu, line 4: the line holds a NUL byte", 1},
  };
  for (const Case& c : cases) {
    FcInterface menus;
    MenuReadResult result = ReadMenuText(menus, c.text, "f.mnu");
    EXPECT_EQ(result.message, c.message) << c.name;
    EXPECT_EQ(menus.root.children.size(), c.menus) << c.name;
  }
}

TEST(MenuTextReader, TooDeepSubmenusAreRefusedNotFollowed) {
  std::string text = "***POP1\n**A\nID_A [&A]\n";
  for (int i = 0; i < kMaxMenuDepth + 4; ++i) text += "ID_S [->S]\n";
  text += "ID_L [Leaf]x\n";
  FcInterface menus;
  MenuReadResult result = ReadMenuText(menus, text, "deep.mnu");
  EXPECT_NE(result.message.find("deep.mnu, line "), std::string::npos);
  int depth = 0;
  for (const FcMenuItem* item = &menus.root; !item->children.empty(); item = item->children.front().get()) ++depth;
  EXPECT_LE(depth, kMaxMenuDepth);
}

TEST(MenuTextReader, MissingFileReadsNothing) {
  TempDir dir;
  FcInterface menus;
  EXPECT_FALSE(ReadMenuFile(menus, dir.path() + "none.mnu").opened);
  EXPECT_TRUE(menus.root.children.empty());

  std::string path = dir.Write("m.mnu", kSampleMenuText);
  MenuReadResult read = ReadMenuFile(menus, path);
  EXPECT_TRUE(read.opened);
  EXPECT_EQ(menus.path, path);
  EXPECT_EQ(menus.root.children.size(), 2u);
}

}  // namespace
