#include <string>
#include <vector>

#include "commands/dialogs/dim_lines_page.h"
#include "database/dim_style.h"
#include "gtest/gtest.h"

namespace {

TEST(DimLinesPageTest, ArrowNamesAndTexts) {
  struct Case {
    const char* block;
    const char* text;
    const char* back;
    bool builtIn;
  };
  const Case cases[] = {
      {"", "Closed Filled", "", true},          {".", "Closed Filled", "", true},
      {"_closedfilled", "Closed Filled", "", true}, {"_DOT", "Dot", "_Dot", true},
      {"_Open90", "Right Angle", "_Open90", true},  {"_None", "None", "_None", true},
      {"Pointer", "Pointer", "Pointer", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.block);
    EXPECT_EQ(ArrowDisplayName(c.block), c.text);
    EXPECT_EQ(ArrowBlockName(c.text), c.back);
    EXPECT_EQ(IsBuiltInArrow(c.block), c.builtIn);
  }
}

// Both arrows alike are one DIMBLK with DIMSAH 0; a first arrow chosen
// while the second followed it takes the second along; different arrows
// set DIMSAH and leave DIMBLK alone.
TEST(DimLinesPageTest, ArrowChoicesSetTheArrowVariables) {
  FcDimVars vars;
  vars.dimblk = "_Oblique";
  vars.dimblk1 = "";
  vars.dimblk2 = "_ClosedFilled";
  CDimLinesPage page;
  page.OnInitDialog(vars);
  page.OnArrowChosen(CDimLinesPage::kFirst, "_Dot");
  EXPECT_EQ(page.m_strSecond, "_Dot");
  page.ApplyToStyle(vars);
  EXPECT_EQ(vars.dimblk.str() + vars.dimblk1.str() + vars.dimblk2.str(), "_Dot_Dot_Dot");
  EXPECT_EQ(vars.dimsah, 0);

  page.OnArrowChosen(CDimLinesPage::kSecond, "_Open");
  page.OnArrowChosen(CDimLinesPage::kFirst, "_Closed");
  EXPECT_EQ(page.m_strSecond, "_Open");
  page.OnArrowChosen(CDimLinesPage::kLeader, "_Integral");
  page.ApplyToStyle(vars);
  EXPECT_EQ(vars.dimblk.str(), "_Dot");
  EXPECT_EQ(vars.dimblk1.str() + vars.dimblk2.str(), "_Closed_Open");
  EXPECT_EQ(vars.dimldrblk.str(), "_Integral");
  EXPECT_EQ(vars.dimsah, 1);
}

TEST(DimLinesPageTest, NumbersAndCentreMark) {
  FcDimVars vars;
  vars.dimcen = -2.5;
  CDimLinesPage page;
  page.OnInitDialog(vars);
  EXPECT_EQ(page.m_nCenterType, CDimLinesPage::kLine);
  EXPECT_EQ(page.m_dCenterSize, 2.5);
  page.m_dArrowSize = 0.0;
  page.m_dBaselineIncrement = -1.0;
  page.m_dExtLineOffset = -0.7;
  page.m_nDimLineColor = 257;
  page.m_nExtLineColor = 256;
  page.ApplyToStyle(vars);
  EXPECT_EQ(vars.dimcen, -2.5);
  EXPECT_EQ(vars.dimasz, FcDimVars().dimasz);
  EXPECT_EQ(vars.dimdli, FcDimVars().dimdli);
  EXPECT_EQ(vars.dimexo, 0.7);
  EXPECT_EQ(vars.dimclrd, FcDimVars().dimclrd);
  EXPECT_EQ(vars.dimclre, 256);
  page.m_dArrowSize = -3.0;
  page.m_nCenterType = CDimLinesPage::kNone;
  EXPECT_FALSE(page.CenterSizeEnabled());
  page.ApplyToStyle(vars);
  EXPECT_EQ(vars.dimasz, 3.0);
  EXPECT_EQ(vars.dimcen, 0.0);
}

// User blocks in use lead the list once each, whatever their case; the
// built-in arrows follow in their own order; "User Arrow..." comes last
// when the drawing has a block to offer.
TEST(DimLinesPageTest, ArrowListsLeadWithUserBlocksInUse) {
  FcDimVars vars;
  vars.dimblk1 = "Pointer";
  vars.dimblk2 = "POINTER";
  vars.dimldrblk = "_Dot";
  CDimLinesPage page;
  page.OnInitDialog(vars);
  std::vector<CDimLinesPage::ArrowEntry> entries = page.ArrowEntries();
  ASSERT_EQ(entries.size(), 21u);
  EXPECT_EQ(entries[0].text, "Pointer");
  EXPECT_EQ(entries[0].data, CDimLinesPage::kUserBlock);
  EXPECT_EQ(entries[1].text, "Closed Filled");
  EXPECT_EQ(entries[1].data, 0);
  EXPECT_EQ(entries[20].text, "None");
  EXPECT_EQ(entries[20].data, 19);
  EXPECT_EQ(page.ArrowText(CDimLinesPage::kSecond), "POINTER");
  EXPECT_EQ(page.ArrowText(CDimLinesPage::kLeader), "Dot");

  page.m_strLeader = "Mark";
  page.m_bOfferUserArrows = true;
  entries = page.ArrowEntries();
  ASSERT_EQ(entries.size(), 23u);
  EXPECT_EQ(entries[1].text, "Mark");
  EXPECT_EQ(entries[1].data, CDimLinesPage::kUserBlock);
  EXPECT_EQ(entries.back().text, "User Arrow...");
  EXPECT_EQ(entries.back().data, CDimLinesPage::kUserArrow);
}

}  // namespace
