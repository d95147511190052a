#include <gtest/gtest.h>

#include <string>

#include "commands/dialogs/preview_dlg.h"
#include "commands/dialogs/print_dlg.h"
#include "tests/support/dialog_settings_scope.h"
#include "tests/support/recording_printer.h"

namespace {

// A portrait sheet, 8 by 10.5 inches printable at 600 pixels per inch.
class PrintDlgTest : public ::testing::Test {
 protected:
  PrintDlgTest() {
    printer_.printer->copies = 3;
    Open(dialog_);
  }
  void Open(CPrintDlg& dialog) {
    dialog.m_ptDisplay[0] = {0, 0};
    dialog.m_ptDisplay[1] = {400, 300};
    dialog.m_ptLimits[0] = {0, 0};
    dialog.m_ptLimits[1] = {420, 297};
    dialog.m_ptExtents[0] = {10, 10};
    dialog.m_ptExtents[1] = {110, 60};
    dialog.m_bFirstShow = true;
    dialog.OnInitDialog();
  }
  void ManualScale(const char* paper, const char* drawing) {
    dialog_.SetScaleFit(false);
    dialog_.SetCenter(false);
    dialog_.m_strScalePaper = paper;
    dialog_.m_strScaleDrawing = drawing;
  }

  DialogSettingsScope settings_;
  PrinterScope printer_;
  CPrintDlg dialog_;
};

double Number(const std::string& text) { return std::stod(text); }

// First use: the display, in colour, with the printer's copies, fitted by
// the width (400 units on 8 inches) and centred on the sheet's height.
TEST_F(PrintDlgTest, FirstUsePrintsTheDisplayFittedAndCentred) {
  EXPECT_EQ(dialog_.m_pWindow, dialog_.m_ptDisplay);
  EXPECT_EQ(dialog_.m_ptWindow[1].x, 400.0);
  EXPECT_EQ(dialog_.ColorMode(), 0);
  EXPECT_EQ(dialog_.m_nCopies, 3);
  EXPECT_EQ(dialog_.PaperSizeText(), "Paper Size 8.00 by 10.50");
  EXPECT_EQ(dialog_.ScaleLabel(), "Print Inches");
  EXPECT_EQ(dialog_.m_strScalePaper, "8.000000");
  EXPECT_EQ(dialog_.m_strScaleDrawing, "400.000000");
  ASSERT_EQ(dialog_.Accept(), "");
  EXPECT_DOUBLE_EQ(dialog_.m_dScale, 12.0);
  // 300 units at 12 pixels: 3600 of 6300, so (6300 - 3600) / 2 down.
  EXPECT_EQ(dialog_.m_nOffsetX, 0);
  EXPECT_EQ(dialog_.m_nOffsetY, 1350);
}

// Fitting and centring by rotation: a window twice as wide as high turned a
// quarter on the portrait sheet fits by the sheet's height; the offsets take
// the rotation's signs.
TEST_F(PrintDlgTest, FittingAndCentringFollowTheRotation) {
  dialog_.m_ptWindow[0] = {0, 0};
  dialog_.m_ptWindow[1] = {200, 100};
  dialog_.SelectArea(CPrintDlg::kAreaWindow);
  const struct {
    int rotation;
    const char* paper;
    const char* drawing;
    double scale;
    double offsetX;
    double offsetY;
  } cases[] = {
      {0, "8.000000", "200.000000", 24.0, 0.0, 3.25},
      {1, "10.500000", "200.000000", 31.5, -1.375, 0.0},
      {2, "8.000000", "200.000000", 24.0, -0.0, -3.25},
      {3, "10.500000", "200.000000", 31.5, 1.375, -0.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rotation);
    dialog_.SelectRotation(c.rotation);
    EXPECT_EQ(dialog_.m_strScalePaper, c.paper);
    EXPECT_EQ(dialog_.m_strScaleDrawing, c.drawing);
    ASSERT_TRUE(dialog_.ComputeScale());
    EXPECT_DOUBLE_EQ(dialog_.m_dScale, c.scale);
    EXPECT_DOUBLE_EQ(Number(dialog_.m_strOffsetX), c.offsetX);
    EXPECT_DOUBLE_EQ(Number(dialog_.m_strOffsetY), c.offsetY);
  }
}

// A typed scale: 1 inch for 100 units at 600 pixels per inch is 6 pixels
// per unit; switching to millimetres keeps the numbers, which now mean 1 mm.
TEST_F(PrintDlgTest, ATypedScaleKeepsItsNumbersAcrossUnits) {
  ManualScale("1", "100");
  ASSERT_TRUE(dialog_.ComputeScale());
  EXPECT_DOUBLE_EQ(dialog_.m_dScale, 6.0);
  dialog_.SelectUnit(CPrintDlg::kUnitMm);
  EXPECT_EQ(dialog_.m_strScalePaper, "1");
  EXPECT_EQ(dialog_.m_strScaleDrawing, "100");
  EXPECT_EQ(dialog_.ScaleLabel(), "Print mm");
  EXPECT_EQ(dialog_.PaperSizeText(), "Paper Size 203.20 by 266.70");
  ASSERT_TRUE(dialog_.ComputeScale());
  EXPECT_NEAR(dialog_.m_dScale, 600.0 / 25.4 / 100.0, 1e-12);
}

// What OK refuses, with the box the focus goes to; nothing is stored.
TEST_F(PrintDlgTest, BadNumbersAreRefusedWithTheFocusOnTheirBox) {
  const struct {
    const char* name;
    const char* paper;
    const char* drawing;
    const char* offsetX;
    const char* offsetY;
    int copies;
    CPrintDlg::Box focus;
  } cases[] = {
      {"paper zero", "0", "100", "0", "0", 1, CPrintDlg::kBoxScalePaper},
      {"paper text", "abc", "100", "0", "0", 1, CPrintDlg::kBoxScalePaper},
      {"drawing negative", "1", "-1", "0", "0", 1, CPrintDlg::kBoxScaleDrawing},
      {"offset text", "1", "100", "x", "0", 1, CPrintDlg::kBoxOffsetX},
      {"offset beyond the pixels", "1", "100", "0", "1e300", 1, CPrintDlg::kBoxOffsetY},
      {"no copies", "1", "100", "0", "0", 0, CPrintDlg::kBoxCopies},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ManualScale(c.paper, c.drawing);
    dialog_.m_strOffsetX = c.offsetX;
    dialog_.m_strOffsetY = c.offsetY;
    dialog_.m_nCopies = c.copies;
    dialog_.m_nFocus = CPrintDlg::kNoBox;
    EXPECT_EQ(dialog_.Accept(), "Parameter error!");
    EXPECT_EQ(dialog_.m_nFocus, c.focus);
    CPreviewDlg preview;
    if (c.copies > 0) {
      EXPECT_EQ(dialog_.FillPreview(preview), "Parameter error!");
    }
  }
  EXPECT_FALSE(LoadPrintDlgSettings().has_value());
}

// A window without width or height has no fitted scale: the boxes keep
// their numbers and OK is refused, instead of dividing by zero.
TEST_F(PrintDlgTest, AWindowWithoutExtentCannotBeFitted) {
  dialog_.m_ptWindow[0] = {5, 5};
  dialog_.m_ptWindow[1] = {50, 5};
  dialog_.SelectArea(CPrintDlg::kAreaWindow);
  EXPECT_EQ(dialog_.m_strScaleDrawing, "400.000000");
  EXPECT_EQ(dialog_.Accept(), "Parameter error!");
}

// OK stores the settings and the next showing starts from them; after a
// window pick the dialog opens on the picked window with the same settings.
TEST_F(PrintDlgTest, TheSettingsComeBackOnTheNextShowing) {
  dialog_.SelectArea(CPrintDlg::kAreaLimits);
  dialog_.m_nColors = CPrintDlg::kBlackWhite;
  dialog_.SelectUnit(CPrintDlg::kUnitMm);
  ManualScale("2", "50");
  dialog_.m_strOffsetX = "3";
  dialog_.m_strOffsetY = "-4";
  ASSERT_EQ(dialog_.Accept(), "");
  EXPECT_EQ(printer_.printer->copies, 3);

  CPrintDlg again;
  Open(again);
  EXPECT_EQ(again.m_nArea, CPrintDlg::kAreaLimits);
  EXPECT_EQ(again.m_pWindow, again.m_ptLimits);
  EXPECT_EQ(again.ColorMode(), 2);
  EXPECT_EQ(again.m_nUnit, CPrintDlg::kUnitMm);
  EXPECT_FALSE(again.m_bScaleFit);
  EXPECT_FALSE(again.m_bCenter);
  EXPECT_EQ(again.m_strScalePaper, "2.000000");
  EXPECT_EQ(again.m_strOffsetY, "-4.000000");

  again.PickWindow();
  again.m_ptWindow[0] = {1, 2};
  again.m_ptWindow[1] = {3, 4};
  again.m_bFirstShow = false;
  again.OnInitDialog();
  EXPECT_EQ(again.m_pWindow, again.m_ptWindow);
  EXPECT_EQ(again.m_ptWindow[1].y, 4.0);
  EXPECT_EQ(again.m_strScaleDrawing, "50.000000");
}

// The preview gets the print exactly as printing would take it.
TEST_F(PrintDlgTest, ThePreviewIsFilledWithThePrint) {
  dialog_.m_nColors = CPrintDlg::kGray;
  dialog_.SelectRotation(3);
  CPreviewDlg preview;
  ASSERT_EQ(dialog_.FillPreview(preview), "");
  EXPECT_EQ(preview.m_ptWindow[1].x, 400.0);
  EXPECT_EQ(preview.m_nColorMode, 1);
  EXPECT_EQ(preview.m_nRotation, 3);
  EXPECT_DOUBLE_EQ(preview.m_dScale, dialog_.m_dScale);
  EXPECT_EQ(preview.m_nOffsetX, dialog_.m_nOffsetX);
  EXPECT_EQ(preview.m_nPhysWidth, 5100);
  EXPECT_EQ(preview.m_nPrintHeight, 6300);
  EXPECT_EQ(preview.m_nPhysOffsetY, 150);
  EXPECT_EQ(preview.m_nPixelsPerInchX, 600);
}

}  // namespace
