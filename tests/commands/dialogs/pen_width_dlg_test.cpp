#include <gtest/gtest.h>

#include "commands/dialogs/pen_width_dlg.h"
#include "tests/support/dialog_settings_scope.h"
#include "tests/support/program_settings_guard.h"

namespace {

class PenWidthDlgTest : public ::testing::Test {
 protected:
  PenWidthDlgTest() {
    GetProgramSettings().print_pen_width.fill(0.01);
    dialog_.OnInitDialog();
  }

  ProgramSettingsGuard guard_;
  DialogSettingsScope settings_;
  CPenWidthDlg dialog_;
};

// Several colours take one typed width; a width typed in millimetres is
// kept in inches, and OK hands the table to the program.
TEST_F(PenWidthDlgTest, ATypedWidthGoesToEverySelectedColour) {
  dialog_.Select({1, 5});
  EXPECT_EQ(dialog_.ColorText(), "Color varies");
  ASSERT_EQ(dialog_.ApplyWidth("0.5"), "");
  EXPECT_EQ(dialog_.m_widths[1], 0.5);
  EXPECT_EQ(dialog_.m_widths[5], 0.5);
  EXPECT_EQ(dialog_.m_widths[2], 0.01);

  dialog_.Select({1});
  EXPECT_EQ(dialog_.ColorText(), "Red");
  dialog_.SelectUnit(CPenWidthDlg::kUnitMm);
  EXPECT_EQ(dialog_.WidthText(1), "12.7000");
  ASSERT_EQ(dialog_.ApplyWidth("25.4"), "");
  EXPECT_DOUBLE_EQ(dialog_.m_widths[1], 1.0);

  EXPECT_EQ(GetProgramSettings().print_pen_width[1], 0.01);
  dialog_.Accept();
  EXPECT_DOUBLE_EQ(GetProgramSettings().print_pen_width[1], 1.0);
  CPenWidthDlg again;
  again.OnInitDialog();
  EXPECT_EQ(again.m_nUnit, CPenWidthDlg::kUnitMm);
}

// A width that is not a usable number changes nothing.
TEST_F(PenWidthDlgTest, BadWidthsAreRefused) {
  dialog_.Select({3});
  for (const char* text : {"", "abc", "-1", "1e999"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(dialog_.ApplyWidth(text), "Invalid number!");
    EXPECT_EQ(dialog_.m_widths[3], 0.01);
  }
}

}  // namespace
