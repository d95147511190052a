#include "core/value_format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "core/angle_format.h"
#include "core/point2d.h"
#include "core/value_parse.h"
#include "tests/support/separators_guard.h"

namespace {

struct FormatCase {
  const char* what;
  std::function<std::string()> format;
  const char* expected;
};

void ExpectTexts(const std::vector<FormatCase>& cases) {
  for (const FormatCase& c : cases) EXPECT_EQ(c.format(), c.expected) << c.what;
}

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(ValueFormatTest, NumbersAndDistances) {
  ExpectTexts({
      {"decimal", [] { return FormatDecimal(2, 3.14159); }, "3.14"},
      {"decimal keeps zeros", [] { return FormatDecimal(3, -2.0); }, "-2.000"},
      {"decimal large", [] { return FormatDecimal(1, 1e20); }, "100000000000000000000.0"},
      {"scientific", [] { return FormatScientific(4, 1500.0); }, "1.5000E+003"},
      {"scientific small", [] { return FormatScientific(2, -1.5e-7); }, "-1.50E-007"},
      {"scientific no decimals", [] { return FormatScientific(0, 1500.0); }, "2E+003"},
      {"scientific 3-digit exponent", [] { return FormatScientific(1, 1e300); }, "1.0E+300"},
      {"engineering", [] { return FormatEngineering(2, 30.0); }, "2'-6.00\""},
      {"engineering negative", [] { return FormatEngineering(1, -13.5); }, "-1'-1.5\""},
      {"fractional", [] { return FormatFractional(3, 2.375); }, "2 3/8"},
      {"fractional reduced", [] { return FormatFractional(3, 2.4375); }, "2 1/2"},
      {"fractional carried", [] { return FormatFractional(3, 2.99); }, "3"},
      {"fractional dropped", [] { return FormatFractional(0, 2.7); }, "2"},
      {"fractional below one", [] { return FormatFractional(1, 0.5); }, "0 1/2"},
      {"fractional negative", [] { return FormatFractional(4, -1.0625); }, "-1 1/16"},
      {"architectural", [] { return FormatArchitectural(2, -30.25); }, "-2'-6 1/4\""},
      {"architectural whole feet", [] { return FormatArchitectural(2, 24.0); }, "2'-0\""},
      {"architectural beyond int feet", [] { return FormatArchitectural(0, 1e12); },
       "83333333333'-4\""},
  });
}

TEST(ValueFormatTest, DistanceAndAreaByUnitType) {
  ExpectTexts({
      {"scientific", [] { return FormatDistance(1500.0, 1, 4); }, "1.5000E+003"},
      {"decimal", [] { return FormatDistance(2.5, 2, 2); }, "2.50"},
      {"engineering", [] { return FormatDistance(30.0, 3, 2); }, "2'-6.00\""},
      {"architectural", [] { return FormatDistance(30.25, 4, 2); }, "2'-6 1/4\""},
      {"fractional", [] { return FormatDistance(2.5, 5, 1); }, "2 1/2"},
      {"unknown type", [] { return FormatDistance(2.5, 9, 1); }, "2.5"},
      {"area architectural", [] { return FormatArea(288.0, 4, 2); },
       "288.00  Square in. (2.00  Square ft.)"},
      {"area engineering", [] { return FormatArea(288.0, 3, 0); },
       "288  Square in. (2  Square ft.)"},
      {"area scientific", [] { return FormatArea(2.5, 1, 1); }, "2.5E+000"},
      {"area fractional", [] { return FormatArea(2.5, 5, 1); }, "2 1/2"},
      {"area decimal", [] { return FormatArea(2.5, 2, 3); }, "2.500"},
  });
}

TEST(ValueFormatTest, Angles) {
  // 30.51 degrees: away from a minute boundary, so rounding cannot move it.
  const double bearing = 30.51 * kPi / 180.0;
  ExpectTexts({
      {"decimal degrees", [] { return FormatAngle(2, kPi, 0); }, "180.00"},
      {"normalised first", [] { return FormatAngle(1, -kHalfPi, 0); }, "270.0"},
      {"full turn", [] { return FormatAngle(0, kTwoPi, 0); }, "0"},
      {"dms with seconds", [] { return FormatAngle(4, kPi / 4, 1); }, "45d0'0.00\""},
      {"dms minutes", [] { return FormatAngle(1, kPi / 4, 1); }, "45d0'"},
      {"dms degrees", [] { return FormatAngle(0, kPi / 4, 1); }, "45d"},
      {"grads", [] { return FormatAngle(2, kPi, 2); }, "200.00"},
      {"radians", [] { return FormatAngle(3, kPi, 3); }, "3.142"},
      {"unknown type is degrees", [] { return FormatAngle(1, kPi, -1); }, "180.0"},
      {"north", [] { return FormatAngle(0, kHalfPi, 4); }, "N"},
      {"south", [] { return FormatAngle(0, kHalfPi + kPi, 4); }, "S"},
      {"north east", [] { return FormatAngle(0, kPi / 4, 4); }, "N45dE"},
      {"north west", [=] { return FormatAngle(1, kHalfPi + bearing, 4); }, "N30d30'W"},
      {"south west", [=] { return FormatAngle(1, kHalfPi + kPi - bearing, 4); }, "S30d30'W"},
      {"south east", [=] { return FormatAngle(1, kHalfPi + kPi + bearing, 4); }, "S30d30'E"},
      {"bearing from unit type 7", [] { return FormatAngle(0, kPi / 4, 7); }, "N45dE"},
  });
}

TEST(ValueFormatTest, ColorsAndIntegers) {
  ExpectTexts({
      {"0", [] { return ColorIndexToText(0); }, "ByBlock"},
      {"1", [] { return ColorIndexToText(1); }, "Red"},
      {"6", [] { return ColorIndexToText(6); }, "Magenta"},
      {"7", [] { return ColorIndexToText(7); }, "White"},
      {"256", [] { return ColorIndexToText(256); }, "ByLayer"},
      {"1000", [] { return ColorIndexToText(1000); }, "Others..."},
      {"300", [] { return ColorIndexToText(300); }, "300"},
      {"-1", [] { return ColorIndexToText(-1); }, "-1"},
      {"int", [] { return IntToString(-2147483647 - 1); }, "-2147483648"},
  });
}

TEST(ValueFormatTest, BadValuesAndPrecisions) {
  ExpectTexts({
      {"infinite decimal", [] { return FormatDecimal(2, kInf); }, "inf"},
      {"infinite fractional", [] { return FormatFractional(3, -kInf); }, "-inf"},
      {"NaN architectural", [] { return FormatArchitectural(2, kNaN); }, "nan"},
      {"NaN engineering", [] { return FormatEngineering(2, kNaN); }, "nan"},
      {"infinite angle", [] { return FormatAngle(2, kInf, 0); }, "0.00"},
      {"negative precision", [] { return FormatDecimal(-3, 2.25); }, "2"},
      {"huge precision", [] { return FormatDecimal(99, 0.5); }, "0.50000000000000000000"},
      {"huge fractional precision", [] { return FormatFractional(99, 0.5); }, "0 1/2"},
  });
}

TEST(ValueFormatTest, WritesTheProgramDecimalSeparator) {
  const SeparatorsGuard guard({',', ';'});
  ExpectTexts({
      {"decimal", [] { return FormatDecimal(2, 3.14159); }, "3,14"},
      {"scientific", [] { return FormatScientific(4, 1500.0); }, "1,5000E+003"},
      {"engineering", [] { return FormatEngineering(2, 30.0); }, "2'-6,00\""},
      {"area", [] { return FormatArea(288.0, 4, 1); }, "288,0  Square in. (2,0  Square ft.)"},
      {"seconds", [] { return FormatAngle(4, kPi / 4, 1); }, "45d0'0,00\""},
  });
}

TEST(ValueFormatTest, IgnoresTheCLocale) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no German locale";
  const std::string text = FormatDecimal(2, 3.14159);
  double value = 0.0;
  const bool parsed = ParseReal("3.5", value);
  std::setlocale(LC_ALL, saved.c_str());
  EXPECT_EQ(text, "3.14");
  EXPECT_TRUE(parsed);
  EXPECT_EQ(value, 3.5);
}

}  // namespace
