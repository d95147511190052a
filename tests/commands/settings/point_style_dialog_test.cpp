#include <gtest/gtest.h>

#include "commands/dialogs/ptype_dlg.h"
#include "database/graph.h"
#include "shell/testing/scripted_dialogs.h"
#include "tests/support/command_script.h"

namespace {

TEST(PointStyleDialogTest, SamplesAndPointModesMatchOneToOne) {
  for (int sample = 0; sample < CPTypeDlg::kSamples; ++sample)
    EXPECT_EQ(CPTypeDlg::SampleOfMode(CPTypeDlg::ModeOfSample(sample)), sample);
  EXPECT_EQ(CPTypeDlg::SampleOfMode(34), 7);
  EXPECT_EQ(CPTypeDlg::ModeOfSample(17), 98);
  // Modes that no sample shows select none.
  for (int mode : {-1, 5, 31, 37, 128}) EXPECT_EQ(CPTypeDlg::SampleOfMode(mode), -1) << mode;
}

TEST(PointStyleDialogTest, TheSizeBoxMustHoldANumber) {
  CPTypeDlg dialog;
  dialog.m_dSize = 2.0;
  EXPECT_EQ(dialog.SizeText(), "2.0000");
  EXPECT_EQ(dialog.SetSizeText(""), "Parameter error!");
  EXPECT_EQ(dialog.SetSizeText("1.2.3"), "Parameter error!");
  EXPECT_EQ(dialog.m_dSize, 2.0);
  EXPECT_EQ(dialog.SetSizeText("0.5"), "");
  EXPECT_EQ(dialog.m_dSize, 0.5);
}

class PointStyleCommandTest : public CommandScriptTest {
 protected:
  void SetPointStyle(short mode, double size) {
    script_.OnWindowThread([&] {
      script_.Drawing().GetSysVars().pdmode = mode;
      return script_.Drawing().GetSysVars().pdsize = size;
    });
  }
  short Mode() { return script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().pdmode; }); }
  double Size() { return script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().pdsize; }); }

  ScriptedDialogs dialogs_;
};

TEST_F(PointStyleCommandTest, OkStoresTheChoiceAsOneUndoStepAndCancelNothing) {
  SetPointStyle(34, -5.0);
  CPTypeDlg shown;
  dialogs_.Answer<CPTypeDlg>([&shown](CPTypeDlg& dialog) {
    shown = dialog;
    dialog.m_nSample = 17;
    dialog.m_nSizeMode = CPTypeDlg::kAbsoluteSize;
    return CModalDialog::kCancel;
  });
  ASSERT_TRUE(script_.Run({"ddPType"}));
  EXPECT_EQ(shown.m_nSample, 7);
  EXPECT_EQ(shown.m_nSizeMode, CPTypeDlg::kRelativeSize);
  EXPECT_EQ(shown.m_dSize, 5.0);
  EXPECT_EQ(Mode(), 34);
  EXPECT_TRUE(UndoNames().empty());

  dialogs_.Answer<CPTypeDlg>([](CPTypeDlg& dialog) {
    dialog.m_nSample = 17;
    dialog.m_nSizeMode = CPTypeDlg::kAbsoluteSize;
    return CModalDialog::kOk;
  });
  ASSERT_TRUE(script_.Run({"ddPType"}));
  EXPECT_EQ(Mode(), 98);
  EXPECT_EQ(Size(), 5.0);
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(LastPrinted(), "Undo : ddPType");
  EXPECT_EQ(Mode(), 34);
  EXPECT_EQ(Size(), -5.0);
}

TEST_F(PointStyleCommandTest, AModeNoSampleShowsSurvivesOk) {
  SetPointStyle(10, 2.0);
  dialogs_.Answer<CPTypeDlg>([](CPTypeDlg& dialog) {
    dialog.m_nSizeMode = CPTypeDlg::kRelativeSize;
    return CModalDialog::kOk;
  });
  ASSERT_TRUE(script_.Run({"ddPType"}));
  EXPECT_EQ(Mode(), 10);
  EXPECT_EQ(Size(), -2.0);
}

}  // namespace
