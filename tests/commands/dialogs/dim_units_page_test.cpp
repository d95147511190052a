#include <string>
#include <vector>

#include "commands/dialogs/dim_alt_units_page.h"
#include "commands/dialogs/dim_precision_samples.h"
#include "commands/dialogs/dim_units_page.h"
#include "commands/dialogs/dim_zero_suppression.h"
#include "database/dim_style.h"
#include "gtest/gtest.h"

namespace {

TEST(DimUnitsPageTest, SplitsAndRebuildsDimPost) {
  struct Case {
    const char* dimpost;
    const char* prefix;
    const char* suffix;
    const char* typedPrefix;  // null: applied as shown
    const char* stored;
  };
  const Case cases[] = {
      {"<>mm", "", "mm", nullptr, "<>mm"},
      {"D=<> mm\\X", "D=", " mm", nullptr, "D=<> mm\\X"},
      {"", "", "", nullptr, "<>"},
      {"D=<> mm\\X", "D=", " mm", "R", "R<> mm\\X"},
      // Stray marker characters after the first are not kept.
      {"a<b>c", "a", "bc", nullptr, "a<>bc"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dimpost);
    FcDimVars vars;
    vars.dimpost = c.dimpost;
    CDimUnitsPage page;
    page.OnInitDialog(vars);
    EXPECT_EQ(page.m_strPrefix, c.prefix);
    EXPECT_EQ(page.m_strSuffix, c.suffix);
    if (c.typedPrefix != nullptr) page.m_strPrefix = c.typedPrefix;
    page.ApplyToStyle(vars);
    EXPECT_EQ(vars.dimpost.str(), c.stored);
  }
}

// A joined DIMPOST the field cannot hold keeps the old one whole instead of
// losing its end.
TEST(DimUnitsPageTest, TooLongPrefixKeepsDimPost) {
  FcDimVars vars;
  vars.dimpost = "<>mm\\X";
  CDimUnitsPage page;
  page.OnInitDialog(vars);
  page.m_strPrefix = std::string(508, 'p');
  page.ApplyToStyle(vars);
  EXPECT_EQ(vars.dimpost.str(), "<>mm\\X");
  page.m_strPrefix = std::string(505, 'p');
  page.ApplyToStyle(vars);
  EXPECT_EQ(vars.dimpost.str(), std::string(505, 'p') + "<>mm\\X");
}

// A prefix and suffix that fill their room are stored whole, and the other
// page can still put the alternate units below.
TEST(DimUnitsPageTest, PrefixAndSuffixFillingTheirRoomAreStored) {
  FcDimVars vars;
  CDimUnitsPage units;
  units.OnInitDialog(vars);
  units.m_strPrefix = std::string(kDimPostAffixRoom - 1, 'p');
  units.m_strSuffix = "s";
  units.ApplyToStyle(vars);
  EXPECT_EQ(vars.dimpost.str(), units.m_strPrefix + "<>s");
  CDimAltUnitsPage alt;
  alt.OnInitDialog(vars);
  alt.m_bBelow = true;
  alt.m_strSuffix = std::string(kDimAPostAffixRoom, 's');
  alt.ApplyToStyle(vars);
  EXPECT_EQ(vars.dimpost.str(), units.m_strPrefix + "<>s\\X");
  EXPECT_EQ(vars.dimapost.str(), "[]" + alt.m_strSuffix);
}

TEST(DimUnitsPageTest, ZeroSuppressionCodeRoundTrips) {
  for (int code = 0; code < 16; ++code) {
    SCOPED_TRACE(code);
    EXPECT_EQ(DimZeroSuppression::FromCode(code).Code(), code);
  }
  const DimZeroSuppression eight = DimZeroSuppression::FromCode(8);
  EXPECT_TRUE(eight.feet && eight.inches && eight.trailing && !eight.leading);
  const DimZeroSuppression two = DimZeroSuppression::FromCode(2);
  EXPECT_TRUE(!two.feet && two.inches);
}

// Values out of range keep the style's; negative lengths are taken as
// their size.
TEST(DimUnitsPageTest, AppliesValuesWithinTheirRanges) {
  FcDimVars vars;
  vars.dimlunit = 7;
  vars.dimlfac = 2.0;
  vars.dimdsep = ',';
  vars.dimazin = 3;
  CDimUnitsPage page;
  page.OnInitDialog(vars);
  EXPECT_EQ(page.m_nUnitFormat, -1);
  EXPECT_EQ(page.m_nSeparator, 1);
  EXPECT_TRUE(page.m_bAngleLeading && page.m_bAngleTrailing);
  page.m_dScale = 0.0;
  page.m_dRounding = -0.5;
  page.m_nPrecision = 9;
  page.m_nSeparator = 2;
  page.m_bAngleLeading = false;
  page.ApplyToStyle(vars);
  EXPECT_EQ(vars.dimlunit, 7);
  EXPECT_EQ(vars.dimlfac, 2.0);
  EXPECT_EQ(vars.dimrnd, 0.5);
  EXPECT_EQ(vars.dimdec, FcDimVars().dimdec);
  EXPECT_EQ(vars.dimdsep, ' ');
  EXPECT_EQ(vars.dimazin, 2);
  page.m_nUnitFormat = kDimArchitectural;
  page.m_dScale = -3.0;
  page.ApplyToStyle(vars);
  EXPECT_EQ(vars.dimlunit, 4);
  EXPECT_EQ(vars.dimlfac, 3.0);
}

TEST(DimUnitsPageTest, EnablingFollowsTheUnitFormat) {
  struct Case {
    int format;
    bool separator, fraction, leadingTrailing, feetInches;
  };
  const Case cases[] = {
      {kDimScientific, true, false, true, false},   {kDimDecimal, true, false, true, false},
      {kDimEngineering, true, false, true, true},   {kDimArchitectural, false, true, false, true},
      {kDimFractional, false, true, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    CDimUnitsPage page;
    page.m_nUnitFormat = c.format;
    EXPECT_EQ(page.SeparatorEnabled(), c.separator);
    EXPECT_EQ(page.FractionFormatEnabled(), c.fraction);
    EXPECT_EQ(page.LeadingTrailingEnabled(), c.leadingTrailing);
    EXPECT_EQ(page.FeetInchesEnabled(), c.feetInches);
  }
}

TEST(DimUnitsPageTest, PrecisionSamplesUseTheSeparator) {
  struct Case {
    std::vector<std::string> samples;
    const char* first;
    const char* third;
    const char* last;
  };
  const Case cases[] = {
      {PrecisionSamples(kDimScientific, ','), "0E+01", "0,00E+01", "0,00000000E+01"},
      {PrecisionSamples(kDimDecimal, '.'), "0", "0.00", "0.00000000"},
      {PrecisionSamples(-1, '.'), "0", "0.00", "0.00000000"},
      {PrecisionSamples(kDimEngineering, '.'), "0'-0\"", "0'-0.00\"", "0'-0.00000000\""},
      {PrecisionSamples(kDimArchitectural, '.'), "0'-0\"", "0'-0 1/4\"", "0'-0 1/256\""},
      {PrecisionSamples(kDimFractional, '.'), "0", "0 1/4", "0 1/256"},
      {AnglePrecisionSamples(0, ','), "0", "0,00", "0,00000000"},
      {AnglePrecisionSamples(1, ','), "0d", "0d00'00\"", "0d00'00.000000\""},
      {AnglePrecisionSamples(2, '.'), "0g", "0.00g", "0.00000000g"},
      {AnglePrecisionSamples(3, '.'), "0r", "0.00r", "0.00000000r"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.last);
    ASSERT_EQ(c.samples.size(), 9u);
    EXPECT_EQ(c.samples[0], c.first);
    EXPECT_EQ(c.samples[2], c.third);
    EXPECT_EQ(c.samples[8], c.last);
  }
}

}  // namespace
