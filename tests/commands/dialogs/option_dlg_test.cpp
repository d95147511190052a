#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/dialogs/option_dlg.h"

namespace {

using Paths = std::vector<std::string>;

// Doubled or stray separators must not cut off the directories after them,
// and joining writes no separator before the first or after the last.
TEST(SupportPathTest, SplitsAndJoinsWithoutLosingDirectories) {
  const struct {
    std::string stored;
    Paths paths;
    std::string joined;
  } cases[] = {
      {"/a;/b;/c", {"/a", "/b", "/c"}, "/a;/b;/c"},
      {";/a;;/b;", {"/a", "/b"}, "/a;/b"},
      {"/a b;C:/x", {"/a b", "C:/x"}, "/a b;C:/x"},
      {std::string("/a;/b\0;/c", 9), {"/a", "/b"}, "/a;/b"},
      {"", {}, ""},
  };
  for (const auto& entry : cases) {
    EXPECT_EQ(SplitSupportPath(entry.stored), entry.paths) << entry.stored;
    EXPECT_EQ(JoinSupportPath(entry.paths), entry.joined) << entry.stored;
  }
}

// Only 1, 3 and 5 pixels have a choice; anything else shows and stores 1.
TEST(CursorThicknessTest, ChoicesMapBothWays) {
  const struct {
    int pixels;
    int choice;
    int stored;
  } cases[] = {{1, 0, 1}, {3, 1, 3}, {5, 2, 5}, {4, 0, 1}, {0, 0, 1}};
  for (const auto& entry : cases) {
    EXPECT_EQ(CursorThicknessChoice(entry.pixels), entry.choice) << entry.pixels;
    EXPECT_EQ(CursorThicknessPixels(entry.choice), entry.stored) << entry.pixels;
  }
}

// Each number field refuses what lies outside its range with the range
// message; the minutes count only while automatic saving is on. A support
// path the store would not read back is refused too.
TEST(OptionDlgTest, RefusesWhatCannotBeStored) {
  const ProgramSettings settings;
  const struct {
    bool autoSave;
    int minutes;
    int cursorSize;
    int lines;
    const char* refusal;
  } cases[] = {
      {true, 480, 100, 1, nullptr},
      {true, 0, 1, 100, nullptr},
      {false, 999, 50, 3, nullptr},
      {true, 481, 50, 3, "Please enter an integer between 0 and 480."},
      {true, -1, 50, 3, "Please enter an integer between 0 and 480."},
      {true, 10, 0, 3, "Please enter an integer between 1 and 100."},
      {true, 10, 50, 101, "Please enter an integer between 1 and 100."},
  };
  for (const auto& entry : cases) {
    COptionDlg dialog(settings);
    dialog.m_bAutoSave = entry.autoSave;
    dialog.m_nSaveMinutes = entry.minutes;
    dialog.m_nCursorSize = entry.cursorSize;
    dialog.m_nCmdLines = entry.lines;
    const std::optional<std::string> refusal = dialog.Refusal();
    if (entry.refusal == nullptr) {
      EXPECT_FALSE(refusal) << *refusal;
    } else {
      EXPECT_EQ(refusal.value_or(""), entry.refusal) << entry.minutes << " " << entry.cursorSize << " " << entry.lines;
    }
  }

  COptionDlg dialog(settings);
  dialog.m_supportPaths = {std::string(kMaxStoredPathLength - 2, 'a'), "b"};
  EXPECT_FALSE(dialog.Refusal());
  dialog.m_supportPaths.push_back("c");
  EXPECT_EQ(dialog.Refusal().value_or(""), SupportPathTooLongMessage());
}

// Clearing "Every" stores 0 whatever the minutes say; a sheet written back
// unchanged leaves every setting as it was.
TEST(OptionDlgTest, WriteBackRoundTripsAndAutoSaveOffStoresZero) {
  ProgramSettings settings;
  settings.search_path = "/a;/b";
  settings.save_time = 25;
  settings.cursor_thickness = 3;
  settings.background_color = 0;
  settings.command_line.back_color = 0x123456;

  ProgramSettings written = settings;
  COptionDlg(settings).WriteBack(written);
  EXPECT_EQ(written.search_path, settings.search_path);
  EXPECT_EQ(written.save_time, 25);
  EXPECT_EQ(written.cursor_thickness, 3);
  EXPECT_EQ(written.background_color, 0);
  EXPECT_EQ(written.command_line.back_color, 0x123456u);

  COptionDlg dialog(settings);
  EXPECT_TRUE(dialog.m_bAutoSave);
  dialog.m_bAutoSave = false;
  dialog.WriteBack(written);
  EXPECT_EQ(written.save_time, 0);
}

std::vector<std::string> Texts(const std::vector<ColorListEntry>& entries) {
  std::vector<std::string> texts;
  for (const ColorListEntry& entry : entries) texts.push_back(entry.text);
  return texts;
}

// No ByLayer or ByBlock: "Black" leads the display page's lists, a colour
// beyond the named seven gets its own entry before "Others...".
TEST(OptionColorsTest, ListsHoldTheNamedColoursAndTheCurrentOne) {
  EXPECT_EQ(Texts(OptionColorEntries(30, false)), (std::vector<std::string>{"Red", "Yellow", "Green", "Cyan", "Blue",
                                                                            "Magenta", "White", "Color 30",
                                                                            "Others..."}));
  const std::vector<ColorListEntry> display = OptionColorEntries(0, true);
  EXPECT_EQ(display.front().text, "Black");
  EXPECT_EQ(display.front().color, 0);
  EXPECT_EQ(display.size(), 9u);
  EXPECT_EQ(display.back().color, kColorListOthers);
  EXPECT_EQ(OptionColorText(0), "Black");
}

// One "Show|Hide|" row per toolbar in order; a value typed in any case
// still counts, and a toolbar without its row keeps its state.
TEST(OptionDlgTest, ToolbarRowsShowEachToolbarAndTakeItsChoiceBack) {
  COptionDlg dialog{ProgramSettings()};
  dialog.m_toolbars = {{"Draw", true}, {"Modify", false}, {"Zoom", true}};
  CPropertyRows rows;
  dialog.FillToolbarRows(rows);
  ASSERT_EQ(rows.Count(), 3);
  EXPECT_EQ(rows.Item(1).name, "Modify");
  EXPECT_EQ(rows.Item(1).value, "Hide");
  EXPECT_EQ(rows.Item(1).kind, kPropertyChoice);
  EXPECT_EQ(PropertyChoices(rows.Item(1).options), (std::vector<std::string>{"Show", "Hide"}));

  CPropertyRows fewer;
  fewer.AddItem("Draw", "Hide", kPropertyChoice);
  fewer.AddItem("Modify", "show", kPropertyChoice);
  dialog.TakeToolbarRows(fewer);
  EXPECT_FALSE(dialog.m_toolbars[0].shown);
  EXPECT_TRUE(dialog.m_toolbars[1].shown);
  EXPECT_TRUE(dialog.m_toolbars[2].shown);
}

}  // namespace
