#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "database/dim_style.h"

namespace {

using Setup = std::function<void(FcDimStyle&)>;
using Format = std::function<std::string(const FcDimStyle&)>;

struct FormatCase {
  const char* name;
  Setup setup;
  Format format;
  std::string expected;
};

Format Distance(double value) {
  return [value](const FcDimStyle& s) { return s.FormatDistance(value); };
}
Format AltDistance(double value) {
  return [value](const FcDimStyle& s) { return s.FormatAltDistance(value); };
}
Format Tolerance() {
  return [](const FcDimStyle& s) { return s.FormatTolerance(); };
}
Format AltTolerance() {
  return [](const FcDimStyle& s) { return s.FormatAltTolerance(); };
}
Format Post(const char* value) {
  return [value](const FcDimStyle& s) { return s.ApplyPrefixSuffix(false, value); };
}
Format AltPost(const char* value) {
  return [value](const FcDimStyle& s) { return s.ApplyPrefixSuffix(true, value); };
}
Format Angle(const char* text) {
  return [text](const FcDimStyle& s) { return s.FixAngularText(text); };
}

// Every unit kind, zero suppression, rounding, separators, stacks,
// tolerances, limits, alternate units and the prefix and suffix, each
// from a new style with the named variables changed.
TEST(DimStyleFormatTest, MeasuredValueText) {
  const FormatCase cases[] = {
      {"decimal default", [](FcDimStyle&) {}, Distance(12.5), "12.5000"},
      {"leading zero dropped", [](FcDimStyle& s) { s.dimzin = 12; }, Distance(0.5), ".5"},
      {"zero stays zero", [](FcDimStyle& s) { s.dimzin = 12; }, Distance(0.0), "0"},
      {"whole number loses its point", [](FcDimStyle& s) { s.dimzin = 12; }, Distance(100.0), "100"},
      {"minus keeps its zero", [](FcDimStyle& s) { s.dimzin = 12; }, Distance(-0.25), "-0.25"},
      {"comma separator", [](FcDimStyle& s) { s.dimdec = 2, s.dimdsep = ',', s.dimzin = 8; }, Distance(2.5), "2,5"},
      {"rounding increment", [](FcDimStyle& s) { s.dimrnd = 0.25, s.dimdec = 2; }, Distance(1.13), "1.25"},
      {"length factor", [](FcDimStyle& s) { s.dimlfac = 2.0, s.dimdec = 1; }, Distance(1.5), "3.0"},
      {"precision from a file clamped", [](FcDimStyle& s) { s.dimdec = 300; }, Distance(0.5), "0.50000000"},
      {"negative precision clamped", [](FcDimStyle& s) { s.dimdec = -4; }, Distance(2.4), "2"},
      {"engineering feet and inches", [](FcDimStyle& s) { s.dimlunit = 3, s.dimdec = 2; }, Distance(30.0), "2'-6.00\""},
      {"engineering whole feet", [](FcDimStyle& s) { s.dimlunit = 3, s.dimdec = 2; }, Distance(24.0), "2'"},
      {"engineering inches only", [](FcDimStyle& s) { s.dimlunit = 3, s.dimdec = 2; }, Distance(6.0), "6.00\""},
      {"engineering zero feet shown", [](FcDimStyle& s) { s.dimlunit = 3, s.dimdec = 2, s.dimzin = 1; }, Distance(6.0), "0'-6.00\""},
      {"engineering negative", [](FcDimStyle& s) { s.dimlunit = 3, s.dimdec = 1; }, Distance(-30.0), "-2'-6.0\""},
      {"architectural carry into a foot", [](FcDimStyle& s) { s.dimlunit = 4, s.dimfrac = 2; }, Distance(11.99), "1'"},
      {"architectural carry keeps zero inches", [](FcDimStyle& s) { s.dimlunit = 4, s.dimfrac = 2, s.dimzin = 1; }, Distance(11.99), "1'-0\""},
      {"architectural half inch", [](FcDimStyle& s) { s.dimlunit = 4, s.dimfrac = 2; }, Distance(0.5), " 1/2\""},
      {"architectural stacked", [](FcDimStyle& s) { s.dimlunit = 4; }, Distance(30.25), "2'-6{\\H1.000000x;\\S1/4;}\""},
      {"architectural diagonal", [](FcDimStyle& s) { s.dimlunit = 4, s.dimfrac = 1; }, Distance(30.25), "2'-6{\\H1.000000x;\\S1#4;}\""},
      {"fractional stacked", [](FcDimStyle& s) { s.dimlunit = 5, s.dimdec = 3; }, Distance(2.375), "2{\\H1.000000x;\\S3/8;}"},
      {"fractional unstacked", [](FcDimStyle& s) { s.dimlunit = 5, s.dimdec = 3, s.dimfrac = 2; }, Distance(2.375), "2 3/8"},
      {"fractional without whole", [](FcDimStyle& s) { s.dimlunit = 5, s.dimdec = 3, s.dimfrac = 2; }, Distance(0.375), "3/8"},
      {"fractional negative", [](FcDimStyle& s) { s.dimlunit = 5, s.dimdec = 3, s.dimfrac = 2; }, Distance(-2.375), "-2 3/8"},
      {"fractional precision 0 drops", [](FcDimStyle& s) { s.dimlunit = 5, s.dimdec = 0; }, Distance(2.9), "2"},
      {"fractional full numerator carries", [](FcDimStyle& s) { s.dimlunit = 5, s.dimdec = 2; }, Distance(2.99), "3"},
      {"scientific", [](FcDimStyle& s) { s.dimlunit = 1, s.dimdec = 2; }, Distance(1234.5), "1.23E+03"},
      {"scientific comma", [](FcDimStyle& s) { s.dimlunit = 1, s.dimdec = 1, s.dimdsep = ','; }, Distance(0.05), "5,0E-02"},
      {"tolerance equal", [](FcDimStyle& s) { s.dimtp = 0.1, s.dimtm = 0.1; }, Tolerance(), "%%p0.1000"},
      {"tolerance stack", [](FcDimStyle& s) { s.dimtp = 0.2, s.dimtm = 0.1; }, Tolerance(), "{\\H1.000000x;\\S+0.2000^ -0.1000;}"},
      {"tolerance negative minus", [](FcDimStyle& s) { s.dimtp = 0.2, s.dimtm = -0.1; }, Tolerance(), "{\\H1.000000x;\\S+0.2000^ +0.1000;}"},
      {"tolerance zero minus", [](FcDimStyle& s) { s.dimtp = 0.2, s.dimtm = 0.0, s.dimtfac = 0.5; }, Tolerance(), "{\\H0.500000x;\\S+0.2000^ 0.0000;}"},
      {"alternate tolerance", [](FcDimStyle& s) { s.dimtp = 0.2, s.dimtm = 0.0; }, AltTolerance(), "{\\H1.000000x;\\S+5.08^ 0.00;}"},
      {"limits", [](FcDimStyle& s) { s.dimlim = 1, s.dimtp = 0.1, s.dimtm = 0.2; }, Distance(10.0), "{\\H1.000000x;\\S10.1000^9.8000;}"},
      {"fractional limits escaped", [](FcDimStyle& s) { s.dimlim = 1, s.dimlunit = 5, s.dimdec = 2, s.dimtp = 0.25; }, Distance(1.0), "{\\H1.000000x;\\S1 1\\/4^1;}"},
      {"alternate millimetres", [](FcDimStyle&) {}, AltDistance(1.0), "25.40"},
      {"alternate rounding", [](FcDimStyle& s) { s.dimaltrnd = 0.5, s.dimaltd = 1; }, AltDistance(1.0), "25.5"},
      {"alternate zero suppression", [](FcDimStyle& s) { s.dimaltz = 8; }, AltDistance(1.0), "25.4"},
      {"alternate architectural", [](FcDimStyle& s) { s.dimaltu = 4, s.dimaltf = 1.0, s.dimaltd = 4, s.dimfrac = 2; }, AltDistance(30.5), "2'-6 1/2\""},
      {"suffix after marker", [](FcDimStyle& s) { s.dimpost = "<> mm"; }, Post("12.5"), "12.5 mm"},
      {"post without markers is a prefix", [](FcDimStyle& s) { s.dimpost = "mm"; }, Post("12.5"), "mm12.5"},
      {"prefix and suffix", [](FcDimStyle& s) { s.dimpost = "ca. <>!"; }, Post("3"), "ca. 3!"},
      {"new-line request dropped", [](FcDimStyle& s) { s.dimpost = "<>\\X"; }, Post("3"), "3"},
      {"alternate suffix", [](FcDimStyle& s) { s.dimapost = "[] mm"; }, AltPost("76.2"), "76.2 mm"},
      {"angle degrees", [](FcDimStyle&) {}, Angle("45.50"), "45.50%%d"},
      {"angle zero suppression", [](FcDimStyle& s) { s.dimazin = 3, s.dimdsep = ','; }, Angle("0.50"), ",5%%d"},
      {"angle grads", [](FcDimStyle& s) { s.dimaunit = 2; }, Angle("50"), "50g"},
  };
  for (const FormatCase& c : cases) {
    FcDimStyle style;
    c.setup(style);
    EXPECT_EQ(c.format(style), c.expected) << c.name;
  }
}

TEST(DimStyleFormatTest, ExactFormsKeepWhatRoundingDrops) {
  FcDimStyle style;
  style.dimlfac = 10.0;
  style.dimrnd = 5.0;
  EXPECT_EQ(style.FormatDecimalExact(1.25, 2, 0), "1.25");
  EXPECT_EQ(style.FormatFractionalExact(0.5, 3, 0), "1/2");
  EXPECT_EQ(style.FormatFractionalExact(0.0, 3, 0), "0");
  EXPECT_EQ(style.FormatArchitecturalExact(30.25, 2, 0), "2'-6 1/4\"");
}

TEST(DimStyleFormatTest, StackTextIsEscaped) {
  EXPECT_EQ(EscapeStackChars("1/2#3^4"), "1\\/2\\#3\\^4");
  EXPECT_EQ(EscapeStackChars("a\\/b"), "a\\/b");
  EXPECT_EQ(StripTrailingZeros("2.500", '.'), "2.5");
  EXPECT_EQ(StripTrailingZeros("3.000", '.'), "3");
}

}  // namespace
