#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <vector>

#include "commands/dialogs/units_dlg.h"
#include "database/graph.h"
#include "shell/testing/scripted_dialogs.h"
#include "tests/support/command_script.h"
#include "tests/support/separators_guard.h"

namespace {

constexpr double kPi = std::numbers::pi;

TEST(UnitsDialogTest, PrecisionListsFollowTheTypeAndTheDecimalSeparator) {
  SeparatorsGuard comma({',', ';'});
  struct Case {
    std::vector<std::string> samples;
    std::size_t index;
    const char* expected;
  };
  const Case cases[] = {
      {CUnitsDlg::LengthPrecisions(0), 0, "0E+01"},
      {CUnitsDlg::LengthPrecisions(0), 2, "0,00E+01"},
      {CUnitsDlg::LengthPrecisions(1), 4, "0,0000"},
      {CUnitsDlg::LengthPrecisions(2), 1, "0'-0,0\""},
      {CUnitsDlg::LengthPrecisions(3), 8, "0'-0 1/256\""},
      {CUnitsDlg::LengthPrecisions(4), 0, "0"},
      {CUnitsDlg::LengthPrecisions(9), 1, "0,0"},
      {CUnitsDlg::AnglePrecisions(1), 8, "0d00'00.000000\""},
      {CUnitsDlg::AnglePrecisions(2), 3, "0,000g"},
      {CUnitsDlg::AnglePrecisions(3), 0, "0r"},
      {CUnitsDlg::AnglePrecisions(4), 2, "N 0d00'00\" E"},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(c.samples.size(), 9u) << c.expected;
    EXPECT_EQ(c.samples[c.index], c.expected);
  }
  EXPECT_TRUE(CUnitsDlg::AnglePrecisions(5).empty());
}

TEST(UnitsDialogTest, SamplesShowTheChosenForms) {
  CUnitsDlg dialog;
  dialog.m_nLengthType = 1;
  dialog.m_nLengthPrec = 4;
  dialog.m_nAngleType = 0;
  dialog.m_nAnglePrec = 0;
  EXPECT_EQ(dialog.LengthSample(), "1.5000,2.0264");
  EXPECT_EQ(dialog.AngleSample(), "2.5000<94");
  dialog.m_nLengthType = 3;
  dialog.m_nLengthPrec = 1;
  EXPECT_EQ(dialog.LengthSample(), "0'-1 1/2\",0'-2\"");
}

TEST(UnitsDialogTest, TheDirectionComesFromTheExactAngle) {
  EXPECT_EQ(CUnitsDlg::DirectionOf(0.0), CUnitsDlg::kEast);
  EXPECT_EQ(CUnitsDlg::DirectionOf(kPi), CUnitsDlg::kWest);
  EXPECT_EQ(CUnitsDlg::DirectionOf(kPi + kPi / 2), CUnitsDlg::kSouth);
  EXPECT_EQ(CUnitsDlg::DirectionOf(3.1416), CUnitsDlg::kOthers);
  CUnitsDlg dialog;
  dialog.SetBaseAngleDegrees(450.0);
  EXPECT_NEAR(dialog.m_dBaseAngle, kPi / 2, 1e-12);
  EXPECT_TRUE(dialog.m_bBaseAngleSet);
}

TEST(UnitsDialogTest, ValuesOutOfRangeShowNoSelectionAndStayAsTheyAre) {
  FcGraph graph;
  graph.GetSysVars().lunits = 0;
  graph.GetSysVars().aunits = 7;
  graph.GetSysVars().angbase = 1.0;
  CUnitsDlg dialog;
  dialog.m_pGraph = &graph;
  dialog.Load();
  EXPECT_EQ(dialog.m_nLengthType, -1);
  EXPECT_EQ(dialog.m_nAngleType, -1);
  dialog.m_nLengthPrec = 2;
  dialog.m_bClockwise = true;
  dialog.Apply();
  EXPECT_EQ(graph.GetSysVars().lunits, 0);
  EXPECT_EQ(graph.GetSysVars().aunits, 7);
  EXPECT_EQ(graph.GetSysVars().luprec, 2);
  EXPECT_EQ(graph.GetSysVars().angdir, 1);
  // The base angle changes only through the direction sub-dialog.
  EXPECT_EQ(graph.GetSysVars().angbase, 1.0);
}

class UnitsCommandTest : public CommandScriptTest {
 protected:
  ScriptedDialogs dialogs_;

  FcSystemVar Vars() { return script_.OnWindowThread([this] { return script_.Drawing().GetSysVars(); }); }
};

TEST_F(UnitsCommandTest, CancelRecordsNothingAndOkIsOneUndoStep) {
  dialogs_.Answer<CUnitsDlg>([](CUnitsDlg& dialog) {
    dialog.m_nLengthType = 3;
    dialog.SetBaseAngleDegrees(90.0);
    return CModalDialog::kCancel;
  });
  ASSERT_TRUE(script_.Run({"Units"}));
  EXPECT_EQ(Vars().lunits, 2);
  EXPECT_EQ(Vars().angbase, 0.0);
  EXPECT_TRUE(UndoNames().empty());

  dialogs_.Answer<CUnitsDlg>([](CUnitsDlg& dialog) {
    dialog.m_nLengthType = 3;
    dialog.m_nAnglePrec = 2;
    return CModalDialog::kOk;
  });
  ASSERT_TRUE(script_.Run({"Units"}));
  EXPECT_EQ(Vars().lunits, 4);
  EXPECT_EQ(Vars().auprec, 2);
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(LastPrinted(), "Undo : Units");
  EXPECT_EQ(Vars().lunits, 2);
  EXPECT_EQ(Vars().auprec, 4);
}

TEST_F(UnitsCommandTest, PickAsksForTheAngleAndReopensTheDirection) {
  std::vector<double> shown;
  std::vector<bool> reopened;
  const auto pick = [&](CUnitsDlg& dialog) {
    shown.push_back(dialog.m_dBaseAngle);
    reopened.push_back(dialog.m_bReopenDirection);
    return CUnitsDlg::kPickDirection;
  };
  dialogs_.Answer<CUnitsDlg>(pick);
  dialogs_.Answer<CUnitsDlg>(pick);
  dialogs_.Answer<CUnitsDlg>([&](CUnitsDlg& dialog) {
    shown.push_back(dialog.m_dBaseAngle);
    dialog.SetBaseAngleDegrees(dialog.m_dBaseAngle * 180.0 / kPi);
    return CModalDialog::kOk;
  });
  // The second pick is cancelled: the angle shown before it stays.
  ASSERT_TRUE(script_.Run({"Units", "90", kEsc}));
  EXPECT_EQ(script_.Frame().Prompts(), (std::vector<std::string>{"Pick angle base", "Pick angle base"}));
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0], 0.0);
  EXPECT_NEAR(shown[1], kPi / 2, 1e-12);
  EXPECT_NEAR(shown[2], kPi / 2, 1e-12);
  EXPECT_EQ(reopened, (std::vector<bool>{false, true}));
  EXPECT_NEAR(Vars().angbase, kPi / 2, 1e-12);
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"Units"});
}

}  // namespace
