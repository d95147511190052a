#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/dialogs/option_dlg.h"
#include "shell/application_link.h"
#include "shell/testing/scripted_dialogs.h"
#include "tests/support/command_script.h"
#include "tests/support/program_settings_guard.h"

namespace {

using Toolbar = ApplicationLink::ToolbarState;

// The main frame as the options sheet sees it: three command-bar lines,
// two toolbars, one of them hidden; it records what the command asks.
class OptionsFrame : public ApplicationLink {
 public:
  OptionsFrame() { SetApplicationLink(this); }
  ~OptionsFrame() override { SetApplicationLink(nullptr); }

  void PostNewDrawing() override {}
  void PostOpenDrawing() override {}
  void PostQuit() override {}
  void PostMenuLoad() override {}
  SaveTarget ChooseSaveTarget(const std::string&, FcFileKind) override { return {}; }

  bool HasDrawingWindow() override { return drawingOpen; }
  int CommandBarLines() override { return 3; }
  std::vector<Toolbar> Toolbars() override { return {{"Draw", true}, {"Modify", false}}; }
  void ShowToolbars(const std::vector<Toolbar>& toolbars) override { shownToolbars = toolbars; }
  void ApplyCommandBarStyle(int lines) override { appliedLines.push_back(lines); }
  void PostToolbarIconSize() override { ++iconRebuilds; }

  bool drawingOpen = true;
  std::vector<Toolbar> shownToolbars;
  std::vector<int> appliedLines;
  int iconRebuilds = 0;
};

class OptionsCommandTest : public CommandScriptTest {
 protected:
  void SetUp() override {
    ProgramSettings& settings = GetProgramSettings();
    settings.search_path = "/opt/a;/opt/b;/opt/c";
    settings.save_time = 0;
    settings.cursor_thickness = 5;
    settings.big_icon_toolbar = 0;
  }

  ProgramSettingsGuard guard_;
  OptionsFrame frame_;
  ScriptedDialogs dialogs_;
};

// The sheet opens on the settings and the frame's state; OK stores every
// page and has the frame apply lines, toolbars and icon size.
TEST_F(OptionsCommandTest, OkStoresEveryPageAndAppliesThemToTheFrame) {
  COptionDlg seen(ProgramSettings{});
  dialogs_.Answer<COptionDlg>([&seen](COptionDlg& d) {
    seen = d;
    d.m_supportPaths.erase(d.m_supportPaths.begin() + 1);
    d.m_bAutoSave = true;
    d.m_nSaveMinutes = 10;
    d.m_nThicknessChoice = 1;
    d.m_nCmdLines = 7;
    d.m_cmdWindow.font_name = "Mono";
    d.m_nSnapMarkerSize = 20;
    d.m_nGripHotColor = 30;
    d.m_toolbars[1].shown = true;
    d.m_bBigIcons = true;
    return CModalDialog::kOk;
  });
  ASSERT_TRUE(script_.Run({"Options"}));

  EXPECT_EQ(seen.m_strCaption, "Options");
  EXPECT_EQ(seen.m_supportPaths, (std::vector<std::string>{"/opt/a", "/opt/b", "/opt/c"}));
  EXPECT_FALSE(seen.m_bAutoSave);
  EXPECT_EQ(seen.m_nSaveMinutes, 0);
  EXPECT_EQ(seen.m_nThicknessChoice, 2);
  EXPECT_EQ(seen.m_nCmdLines, 3);
  EXPECT_TRUE(seen.m_bToolBarPage);
  ASSERT_EQ(seen.m_toolbars.size(), 2u);

  const ProgramSettings& settings = GetProgramSettings();
  EXPECT_EQ(settings.search_path, "/opt/a;/opt/c");
  EXPECT_EQ(settings.save_time, 10);
  EXPECT_EQ(settings.cursor_thickness, 3);
  EXPECT_EQ(settings.command_line.font_name, "Mono");
  EXPECT_EQ(settings.snap_marker_size, 20);
  EXPECT_EQ(settings.grip_hot, 30);
  EXPECT_EQ(settings.big_icon_toolbar, 1);
  EXPECT_EQ(frame_.appliedLines, std::vector<int>{7});
  ASSERT_EQ(frame_.shownToolbars.size(), 2u);
  EXPECT_TRUE(frame_.shownToolbars[1].shown);
  EXPECT_EQ(frame_.iconRebuilds, 1);
}

// Cancel, and an OK that slipped past the range checks, leave the settings
// and the frame alone; the font chosen before Cancel is not kept either.
TEST_F(OptionsCommandTest, CancelOrNumbersOutOfRangeChangeNothing) {
  const ProgramSettings before = GetProgramSettings();
  dialogs_.Answer<COptionDlg>([](COptionDlg& d) {
    d.m_cmdWindow.font_name = "Mono";
    d.m_nCursorSize = 50;
    return CModalDialog::kCancel;
  });
  dialogs_.Answer<COptionDlg>([](COptionDlg& d) {
    d.m_nCursorSize = 50;
    d.m_bAutoSave = true;
    d.m_nSaveMinutes = 481;
    return CModalDialog::kOk;
  });
  ASSERT_TRUE(script_.Run({"Options"}));
  ASSERT_TRUE(script_.Run({"Options"}));

  const ProgramSettings& settings = GetProgramSettings();
  EXPECT_EQ(settings.command_line.font_name, before.command_line.font_name);
  EXPECT_EQ(settings.cursor_size, before.cursor_size);
  EXPECT_EQ(settings.save_time, before.save_time);
  EXPECT_TRUE(frame_.appliedLines.empty());
  EXPECT_TRUE(frame_.shownToolbars.empty());
}

// Without a drawing window there is no toolbar page: no rows, nothing
// shown or hidden, and the icon size stays.
TEST_F(OptionsCommandTest, NoToolbarPageWithoutADrawingWindow) {
  frame_.drawingOpen = false;
  bool hadPage = true;
  std::size_t rows = 1;
  dialogs_.Answer<COptionDlg>([&](COptionDlg& d) {
    hadPage = d.m_bToolBarPage;
    rows = d.m_toolbars.size();
    return CModalDialog::kOk;
  });
  ASSERT_TRUE(script_.Run({"Options"}));
  EXPECT_FALSE(hadPage);
  EXPECT_EQ(rows, 0u);
  EXPECT_TRUE(frame_.shownToolbars.empty());
  EXPECT_EQ(frame_.iconRebuilds, 0);
  EXPECT_EQ(frame_.appliedLines, std::vector<int>{3});
}

}  // namespace
