#include "commands/dialogs/dim_alt_units_page.h"
#include "commands/dialogs/dim_tol_page.h"
#include "commands/dialogs/dim_units_page.h"
#include "database/dim_style.h"
#include "gtest/gtest.h"

namespace {

TEST(DimAltUnitsPageTest, PrefixSuffixAndPosition) {
  FcDimVars vars;
  vars.dimapost = "[]";
  vars.dimpost = "<>";
  CDimAltUnitsPage page;
  page.OnInitDialog(vars);
  EXPECT_EQ(page.m_strPrefix, "");
  EXPECT_EQ(page.m_strSuffix, "");
  EXPECT_FALSE(page.m_bBelow);
  page.m_strPrefix = "~";
  page.m_bBelow = true;
  page.ApplyToStyle(vars);
  EXPECT_EQ(vars.dimapost.str(), "~[]");
  EXPECT_EQ(vars.dimpost.str(), "<>\\X");
  // The main units page keeps the mark when it rebuilds DIMPOST.
  CDimUnitsPage units;
  units.OnInitDialog(vars);
  units.m_strSuffix = "mm";
  units.ApplyToStyle(vars);
  EXPECT_EQ(vars.dimpost.str(), "<>mm\\X");
  page.m_bBelow = false;
  page.ApplyToStyle(vars);
  EXPECT_EQ(vars.dimpost.str(), "<>mm");
}

TEST(DimAltUnitsPageTest, SwitchAndValues) {
  FcDimVars vars;
  CDimAltUnitsPage page;
  page.OnInitDialog(vars);
  EXPECT_FALSE(page.ControlsEnabled() || page.LeadingTrailingEnabled() || page.FeetInchesEnabled());
  page.m_bEnabled = true;
  page.m_nUnitFormat = kDimArchitectural;
  EXPECT_TRUE(page.FeetInchesEnabled());
  EXPECT_FALSE(page.LeadingTrailingEnabled());
  page.m_dScale = 0.0;
  page.ApplyToStyle(vars);
  EXPECT_EQ(vars.dimalt, 1);
  EXPECT_EQ(vars.dimaltu, 4);
  EXPECT_EQ(vars.dimaltf, 25.4);
  page.m_dScale = -25.4 * 2;
  page.ApplyToStyle(vars);
  EXPECT_EQ(vars.dimaltf, 50.8);
}

struct TolFixture : ::testing::Test {
  FcDimVars vars;
  CDimUnitsPage units;
  CDimAltUnitsPage alt;
  CDimTolPage page;
  void Open() {
    units.OnInitDialog(vars);
    alt.OnInitDialog(vars);
    page.m_pUnits = &units;
    page.m_pAltUnits = &alt;
    page.OnInitDialog(vars);
  }
};

using DimTolPageTest = TolFixture;

TEST_F(DimTolPageTest, ShowsTheMethodOfTheVariables) {
  struct Case {
    int tol, lim;
    double tp, tm, gap;
    int method;
  };
  const Case cases[] = {
      {1, 0, 0.1, 0.1, 0.5, CDimTolPage::kSymmetrical}, {1, 0, 0.1, 0.05, 0.5, CDimTolPage::kDeviation},
      {0, 1, 0.1, 0.05, 0.5, CDimTolPage::kLimits},     {0, 0, 0.1, 0.05, -0.5, CDimTolPage::kBasic},
      {0, 0, 0.1, 0.05, 0.5, CDimTolPage::kNone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.method);
    vars.dimtol = static_cast<std::uint8_t>(c.tol);
    vars.dimlim = static_cast<std::uint8_t>(c.lim);
    vars.dimtp = c.tp;
    vars.dimtm = c.tm;
    vars.dimgap = c.gap;
    Open();
    EXPECT_EQ(page.m_nMethod, c.method);
  }
}

TEST_F(DimTolPageTest, MethodsStoreTheirVariables) {
  vars.dimgap = 0.625;
  Open();
  page.m_nMethod = CDimTolPage::kSymmetrical;
  page.m_dUpper = 0.2;
  page.m_dLower = 0.1;
  page.m_nJustification = 0;
  page.ApplyToStyle(vars);
  EXPECT_EQ(vars.dimtp, 0.2);
  EXPECT_EQ(vars.dimtm, 0.2);
  EXPECT_EQ(vars.dimtol, 1);
  EXPECT_EQ(vars.dimtolj, 2);
  EXPECT_FALSE(page.LowerEnabled());

  page.m_nMethod = CDimTolPage::kBasic;
  page.ApplyToStyle(vars);
  EXPECT_EQ(vars.dimgap, -0.625);
  EXPECT_EQ(vars.dimtol + vars.dimlim, 0);
  // No tolerance after a basic dimension takes the frame away, so the page
  // does not come back showing "Basic".
  page.m_nMethod = CDimTolPage::kNone;
  page.ApplyToStyle(vars);
  EXPECT_EQ(vars.dimgap, 0.625);
  Open();
  EXPECT_EQ(page.m_nMethod, CDimTolPage::kNone);

  page.m_nMethod = CDimTolPage::kLimits;
  page.m_dHeightScale = 0.0;
  page.ApplyToStyle(vars);
  EXPECT_EQ(vars.dimlim, 1);
  EXPECT_EQ(vars.dimtol, 0);
  EXPECT_EQ(vars.dimtfac, FcDimVars().dimtfac);
}

// The switches follow the unit pages as they are now, not as they opened.
TEST_F(DimTolPageTest, EnablingFollowsTheUnitPages) {
  Open();
  EXPECT_FALSE(page.ValuesEnabled() || page.LeadingTrailingEnabled() || page.FeetInchesEnabled());
  page.m_nMethod = CDimTolPage::kDeviation;
  EXPECT_TRUE(page.ValuesEnabled() && page.LowerEnabled() && page.LeadingTrailingEnabled());
  EXPECT_FALSE(page.FeetInchesEnabled());
  units.m_nUnitFormat = kDimArchitectural;
  EXPECT_TRUE(page.FeetInchesEnabled());
  EXPECT_FALSE(page.LeadingTrailingEnabled());
  EXPECT_FALSE(page.AltPrecisionEnabled() || page.AltLeadingTrailingEnabled() || page.AltFeetInchesEnabled());
  alt.m_bEnabled = true;
  alt.m_nUnitFormat = kDimEngineering;
  EXPECT_TRUE(page.AltPrecisionEnabled() && page.AltLeadingTrailingEnabled() && page.AltFeetInchesEnabled());
  page.m_nMethod = CDimTolPage::kBasic;
  EXPECT_TRUE(page.AltPrecisionEnabled());
  EXPECT_FALSE(page.AltLeadingTrailingEnabled() || page.AltFeetInchesEnabled());
}

}  // namespace
