#include <gtest/gtest.h>

#include <numbers>

#include "commands/dialogs/draft_set_dlg.h"
#include "database/graph.h"
#include "shell/testing/scripted_dialogs.h"
#include "tests/support/command_script.h"

namespace {

constexpr double kPi = std::numbers::pi;

class DraftSettingsTest : public testing::Test {
 protected:
  DraftSettingsTest() {
    dialog.m_pGraph = &graph;
    dialog.m_bSnapPageShown = true;
    dialog.m_bObjectSnapPageShown = true;
  }

  FcGraph graph;
  CDraftSetDlg dialog;
};

TEST_F(DraftSettingsTest, ObjectSnapKeepsItsModesWhenSwitchedOff) {
  graph.GetSysVars().osmode = 0;
  dialog.Load();
  EXPECT_FALSE(dialog.m_bOsnapOn);
  // Switched on without a mode it stores 0, which reads as off again.
  dialog.m_bOsnapOn = true;
  dialog.Apply();
  EXPECT_EQ(graph.GetSysVars().osmode, 0);
  dialog.Load();
  EXPECT_FALSE(dialog.m_bOsnapOn);

  dialog.m_modes[0] = true;
  dialog.m_modes[2] = true;
  dialog.Apply();
  EXPECT_EQ(graph.GetSysVars().osmode, 0x4000 + 1 + 4);
  dialog.Load();
  EXPECT_FALSE(dialog.m_bOsnapOn);
  EXPECT_TRUE(dialog.m_modes[0] && dialog.m_modes[2]);
  dialog.SetAllModes(true);
  dialog.m_bOsnapOn = true;
  dialog.Apply();
  EXPECT_EQ(graph.GetSysVars().osmode, 0x3FF);
}

TEST_F(DraftSettingsTest, SnapAnglesTurnIntoOneTurnAndBadSpacingsAreKeptOut) {
  dialog.Load();
  struct Case {
    double degrees;
    double radians;
  };
  for (const Case& c : {Case{370.0, 10.0 * kPi / 180.0}, Case{-90.0, 1.5 * kPi}}) {
    dialog.m_dSnapAngle = c.degrees;
    dialog.Apply();
    EXPECT_NEAR(graph.GetSysVars().snapang, c.radians, 1e-12) << c.degrees;
  }
  dialog.m_dGridX = -5.0;
  EXPECT_EQ(dialog.CheckSpacings(), "");
  dialog.Apply();
  EXPECT_EQ(graph.GetSysVars().gridunit.x, 5.0);
  EXPECT_EQ(graph.GetSysVars().gridunit.y, 5.0);
  dialog.m_dSnapY = 0.0;
  EXPECT_EQ(dialog.CheckSpacings(), "Error!\nThe snap space or grid space can't be zero!");
}

TEST_F(DraftSettingsTest, APageNeverShownLeavesItsVariables) {
  graph.GetSysVars().osmode = 37;
  dialog.Load();
  dialog.m_bObjectSnapPageShown = false;
  dialog.SetAllModes(false);
  dialog.m_bGridOn = true;
  dialog.Apply();
  EXPECT_EQ(graph.GetSysVars().osmode, 37);
  EXPECT_EQ(graph.GetSysVars().gridmode, 1);
}

class DraftSettingsCommandTest : public CommandScriptTest {
 protected:
  DraftSettingsCommandTest() {
    FcGraph* drawing = &script_.Drawing();
    SetActiveGraphQuery([drawing](FcGraph** result) {
      *result = drawing;
      return 0;
    });
  }
  ~DraftSettingsCommandTest() override { SetActiveGraphQuery(nullptr); }

  int ObjectSnap() { return script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().osmode; }); }

  ScriptedDialogs dialogs_;
};

TEST_F(DraftSettingsCommandTest, OSnapAfterTheCommandOpensTheObjectSnapPage) {
  int page = -1;
  dialogs_.Answer<CDraftSetDlg>([&page](CDraftSetDlg& dialog) {
    page = dialog.m_nStartPage;
    dialog.m_bObjectSnapPageShown = true;
    dialog.SetAllModes(false);
    return CModalDialog::kCancel;
  });
  script_.RunMacro("dsettings OSnap");
  ASSERT_TRUE(script_.WaitUntilIdle());
  EXPECT_EQ(page, CDraftSetDlg::kObjectSnapPage);
  // The argument is taken, not run as a command of its own.
  EXPECT_TRUE(Printed().empty());
  EXPECT_EQ(ObjectSnap(), 37);
  EXPECT_TRUE(UndoNames().empty());

  dialogs_.Answer<CDraftSetDlg>([&page](CDraftSetDlg& dialog) {
    page = dialog.m_nStartPage;
    dialog.m_bObjectSnapPageShown = true;
    dialog.SetAllModes(false);
    return CModalDialog::kOk;
  });
  ASSERT_TRUE(script_.Run({"dsettings"}));
  EXPECT_EQ(page, CDraftSetDlg::kSnapPage);
  EXPECT_EQ(ObjectSnap(), 0);
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(ObjectSnap(), 37);
}

}  // namespace
