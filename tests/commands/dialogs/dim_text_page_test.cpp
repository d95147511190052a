#include <cmath>
#include <string>

#include "commands/dialogs/dim_text_page.h"
#include "commands/dialogs/dim_tol_page.h"
#include "database/dim_style.h"
#include "gtest/gtest.h"

namespace {

// The frame is the sign of DIMGAP: a framed text switches tolerances and
// limits off (the tolerance page then reads "Basic"), but a frame around
// no gap cannot be stored and leaves them alone.
TEST(DimTextPageTest, FrameAndOffsetShareTheGap) {
  struct Case {
    double gapBefore;
    bool frame;
    double offset;
    double gapAfter;
    bool tolerancesOff;
  };
  const Case cases[] = {
      {-0.625, false, 0.625, 0.625, false},
      {0.625, true, 0.0, 0.0, false},
      {0.625, true, 1.0, -1.0, true},
      {0.625, true, -2.0, -2.0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.gapAfter);
    FcDimVars vars;
    vars.dimgap = c.gapBefore;
    vars.dimtol = 1;
    vars.dimlim = 1;
    CDimTextPage page;
    page.OnInitDialog(vars);
    EXPECT_EQ(page.m_bFrame, c.gapBefore < 0.0);
    EXPECT_EQ(page.m_dOffset, 0.625);
    page.m_bFrame = c.frame;
    page.m_dOffset = c.offset;
    page.ApplyToStyle(vars);
    EXPECT_EQ(vars.dimgap, c.gapAfter);
    EXPECT_FALSE(std::signbit(vars.dimgap) && vars.dimgap == 0.0);
    EXPECT_EQ(vars.dimtol == 0 && vars.dimlim == 0, c.tolerancesOff);
    CDimTolPage tolerances;
    tolerances.OnInitDialog(vars);
    EXPECT_EQ(tolerances.m_nMethod == CDimTolPage::kBasic, c.tolerancesOff);
  }
}

TEST(DimTextPageTest, OrientationIsTwoSwitches) {
  struct Case {
    std::uint8_t tih;
    std::uint8_t toh;
    int shown;
  };
  const Case cases[] = {
      {1, 1, CDimTextPage::kHorizontal},
      {1, 0, CDimTextPage::kHorizontal},
      {0, 1, CDimTextPage::kIso},
      {0, 0, CDimTextPage::kAligned},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shown);
    FcDimVars vars;
    vars.dimtih = c.tih;
    vars.dimtoh = c.toh;
    CDimTextPage page;
    page.OnInitDialog(vars);
    EXPECT_EQ(page.m_nOrientation, c.shown);
  }
  const struct {
    int chosen;
    std::uint8_t tih;
    std::uint8_t toh;
  } stored[] = {{CDimTextPage::kHorizontal, 1, 1}, {CDimTextPage::kAligned, 0, 0}, {CDimTextPage::kIso, 0, 1}};
  for (const auto& s : stored) {
    SCOPED_TRACE(s.chosen);
    FcDimVars vars;
    vars.dimtih = 0;
    vars.dimtoh = 1;
    CDimTextPage page;
    page.OnInitDialog(vars);
    page.m_nOrientation = s.chosen;
    page.ApplyToStyle(vars);
    EXPECT_EQ(vars.dimtih, s.tih);
    EXPECT_EQ(vars.dimtoh, s.toh);
  }
}

// Values outside their range keep the variable's; those within are taken.
TEST(DimTextPageTest, ValuesThatFailTheirCheckKeepTheVariable) {
  FcDimVars vars;
  vars.dimtxt = 2.5;
  vars.dimtfac = 0.7;
  vars.dimclrt = 3;
  vars.dimtad = 1;
  vars.dimjust = 2;
  CDimTextPage page;
  page.OnInitDialog(vars);
  page.m_dTextHeight = -2.0;
  page.m_dFractionScale = 0.0;
  page.m_nTextColor = 257;
  page.m_nVertical = 3;
  page.m_nHorizontal = -1;
  page.ApplyToStyle(vars);
  EXPECT_EQ(vars.dimtxt, 2.5);
  EXPECT_EQ(vars.dimtfac, 0.7);
  EXPECT_EQ(vars.dimclrt, 3);
  EXPECT_EQ(vars.dimtad, 1);
  EXPECT_EQ(vars.dimjust, 2);

  page.m_dTextHeight = 3.5;
  page.m_dFractionScale = 0.5;
  page.m_nTextColor = 256;
  page.m_nVertical = CDimTextPage::kOutside;
  page.m_nHorizontal = 4;
  page.ApplyToStyle(vars);
  EXPECT_EQ(vars.dimtxt, 3.5);
  EXPECT_EQ(vars.dimtfac, 0.5);
  EXPECT_EQ(vars.dimclrt, 256);
  EXPECT_EQ(vars.dimtad, 2);
  EXPECT_EQ(vars.dimjust, 4);
}

// A listed text style is stored under the list's spelling and unbound, so
// that accepting the sheet binds it by name rather than by the old handle;
// a name the list lacks, or the same one, keeps the binding.
TEST(DimTextPageTest, TextStyleComesFromTheList) {
  FcDimVars vars;
  vars.dimtxsty = "Standard";
  vars.dimtxstyHandle = 0x11;
  CDimTextPage page;
  page.m_textStyles = {"Notes", "Standard"};
  page.OnInitDialog(vars);
  EXPECT_EQ(page.SelectedTextStyle(), 1);

  for (const char* kept : {"Gone", "STANDARD"}) {
    page.m_strTextStyle = kept;
    page.ApplyToStyle(vars);
    EXPECT_EQ(vars.dimtxsty.str(), "Standard");
    EXPECT_EQ(vars.dimtxstyHandle, 0x11u);
  }
  page.m_strTextStyle = "notes";
  page.ApplyToStyle(vars);
  EXPECT_EQ(vars.dimtxsty.str(), "Notes");
  EXPECT_EQ(vars.dimtxstyHandle, 0u);

  page.m_strTextStyle = "No";
  EXPECT_EQ(page.SelectedTextStyle(), 0);
  page.m_strTextStyle = "Titles";
  EXPECT_EQ(page.SelectedTextStyle(), -1);
}

}  // namespace
