#include "commands/dialogs/dim_fit_page.h"
#include "database/dim_style.h"
#include "gtest/gtest.h"

namespace {

TEST(DimAdjustPageTest, FitOptionsRoundTrip) {
  struct Case {
    int tix, atfit, fit, storedAtfit;
  };
  const Case cases[] = {
      {0, 3, CDimAdjustPage::kEitherFits, 3},  {0, 7, CDimAdjustPage::kEitherFits, 3},
      {0, 1, CDimAdjustPage::kArrowsFirst, 1}, {0, 2, CDimAdjustPage::kTextFirst, 2},
      {0, 0, CDimAdjustPage::kBothOutside, 0}, {1, 2, CDimAdjustPage::kForceTextInside, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fit);
    FcDimVars vars;
    vars.dimtix = static_cast<std::uint8_t>(c.tix);
    vars.dimatfit = static_cast<std::int16_t>(c.atfit);
    CDimAdjustPage page;
    page.OnInitDialog(vars);
    EXPECT_EQ(page.m_nFit, c.fit);
    page.ApplyToStyle(vars);
    EXPECT_EQ(vars.dimtix, c.tix);
    EXPECT_EQ(vars.dimatfit, c.storedAtfit);
  }
}

// Only a real change of scale asks for the sample to be rebuilt; no
// movement button keeps DIMTMOVE.
TEST(DimAdjustPageTest, ScaleAndMovement) {
  FcDimVars vars;
  vars.dimtmove = 2;
  CDimAdjustPage page;
  page.OnInitDialog(vars);
  EXPECT_FALSE(page.ApplyToStyle(vars));
  page.m_dScale = 0.0;
  page.m_nTextMovement = -1;
  EXPECT_FALSE(page.ApplyToStyle(vars));
  EXPECT_EQ(vars.dimscale, 1.0);
  EXPECT_EQ(vars.dimtmove, 2);
  page.m_dScale = -2.0;
  page.m_nFit = -1;
  EXPECT_TRUE(page.ApplyToStyle(vars));
  EXPECT_EQ(vars.dimscale, 2.0);
  EXPECT_EQ(vars.dimtix, 1);
}

}  // namespace
