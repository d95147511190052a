#include "core/value_parse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/angle_parse.h"
#include "core/next_token.h"
#include "core/point2d.h"
#include "core/point_parse.h"
#include "tests/support/separators_guard.h"

namespace {

using namespace std::string_view_literals;

constexpr double kUntouched = -12345.0;

TEST(ValueParseTest, RealsAndIntegers) {
  struct Case {
    std::string_view text;
    bool ok;
    double value;
  };
  const Case reals[] = {
      {"3.5", true, 3.5},   {"  -2e3", true, -2000.0}, {"+4", true, 4.0},
      {".5", true, 0.5},    {"3.5 ", false, 0},        {"", false, 0},
      {"abc", false, 0},    {"3,5", false, 0},         {"1e400", false, 0},
      {"1e-400", false, 0}, {"inf", false, 0},         {"nan", false, 0},
      {"0x10", false, 0},   {"+-3", false, 0},         {"1e", false, 0},
  };
  for (const Case& c : reals) {
    double value = kUntouched;
    EXPECT_EQ(ParseReal(c.text, value), c.ok) << c.text;
    EXPECT_EQ(value, c.ok ? c.value : kUntouched) << c.text;
  }

  const Case integers[] = {
      {"42", true, 42},  {" -7", true, -7}, {"+7", true, 7},   {"2147483648", false, 0},
      {"4.5", false, 0}, {"", false, 0},    {"12a", false, 0}, {"-2147483648", true, -2147483648.0},
  };
  for (const Case& c : integers) {
    int value = -1;
    EXPECT_EQ(ParseInteger(c.text, value), c.ok) << c.text;
    EXPECT_EQ(value, c.ok ? static_cast<int>(c.value) : -1) << c.text;
  }
}

TEST(ValueParseTest, HexHandles) {
  struct Case {
    std::string_view text;
    bool ok;
    FcHandle handle;
  };
  const Case cases[] = {
      {"1A", true, 0x1A},
      {"ff", true, 0xFF},
      {"FFFFFFFFFFFFFFFF", true, UINT64_MAX},
      {"10000000000000001", true, 1},  // wraps at 64 bits
      {"", false, 0},
      {"G1", false, 1},  // read from the right up to the bad character
      {"-1", false, 1},
  };
  for (const Case& c : cases) {
    FcHandle handle = 99;
    EXPECT_EQ(ParseHexHandle(handle, c.text), c.ok) << c.text;
    EXPECT_EQ(handle, c.handle) << c.text;
  }
}

TEST(ValueParseTest, FractionsAndDistances) {
  struct Case {
    std::string_view text;
    bool ok;
    double value;
    int unit_type;
  };
  const Case fractions[] = {
      {"2", true, 2.0, 0},     {"1/2", true, 0.5, 0},   {"2-1/2", true, 2.5, 0},
      {"2-0.5", true, 2.5, 0}, {"-1/2", true, -0.5, 0}, {"-2-1/2", true, -2.5, 0},
      {"1/0", false, 0, 0},    {"1.5/2", false, 0, 0},  {"2-", false, 0, 0},
      {"a-1/2", false, 0, 0},  {"", false, 0, 0},       {"1/2/3", false, 0, 0},
  };
  for (const Case& c : fractions) {
    double value = kUntouched;
    EXPECT_EQ(ParseFraction(c.text, value), c.ok) << c.text;
    EXPECT_EQ(value, c.ok ? c.value : kUntouched) << c.text;
  }

  const Case distances[] = {
      {"2'6-1/2\"", true, 30.5, 4},
      {"2'", true, 24.0, 3},
      {"1.5e2", true, 150.0, 1},
      {"1.5E2", true, 150.0, 1},
      {"  2.5  ", true, 2.5, 2},
      {"1/2", true, 0.5, 5},
      {"2-1/2", true, 2.5, 5},
      {"6\"", true, 6.0, 3},
      {"2' 6\"", true, 30.0, 3},
      {"2'-6.00\"", true, 30.0, 3},  // the engineering text reads back
      {"2'-1/2\"", true, 24.5, 4},
      {"-2'-6\"", true, -30.0, 3},
      {"-2'6\"", true, -30.0, 3},
      {"-0'-6\"", true, -6.0, 3},
      {"2'6", true, 30.0, 3},  // the inch mark may be left out
      {"2'-6", true, 30.0, 3},
      {"-2'6", true, -30.0, 3},
      {"2'6-1/2", true, 30.5, 4},
      {"2'6x", false, 0, 0},
      {"2'6'", false, 0, 0},
      {"2'6\"x", false, 0, 0},
      {"6\"2'", false, 0, 0},
      {"'6\"", false, 0, 0},
      {"\"", false, 0, 0},
      {"2 1/2", false, 0, 0},
      {"1e308'", false, 0, 0},
      {"", false, 0, 0},
  };
  for (const Case& c : distances) {
    double value = kUntouched;
    int type = -1;
    EXPECT_EQ(ParseDistance(c.text, value, &type), c.ok) << c.text;
    EXPECT_EQ(value, c.ok ? c.value : kUntouched) << c.text;
    EXPECT_EQ(type, c.ok ? c.unit_type : -1) << c.text;
  }
}

TEST(ValueParseTest, Angles) {
  struct Case {
    std::string_view text;
    bool ok;
    double value;
    int code;
  };
  const Case cases[] = {
      {"N45DE", true, kPi / 4, 3},
      {"n45d0'0\"w", true, 3 * kPi / 4, 3},
      {"S45DE", true, 7 * kPi / 4, 3},
      {"S45DW", true, 5 * kPi / 4, 3},
      {"N0DE", true, kHalfPi, 3},
      {"N90DW", true, kPi, 3},
      {"N", true, kHalfPi, 3},
      {"S", true, kHalfPi + kPi, 3},
      {"45d30'", true, 45.5, 1},
      {"45d30'36\"", true, 45.51, 1},
      {"45d36\"", true, 45.01, 1},
      {"-45d", true, -45.0, 1},
      {"1.2r", true, 1.2, 3},
      {"100g", true, 100.0, 2},
      {"30", true, 30.0, -1},
      {"N100DE", false, 0, 0},
      {"N-1DE", false, 0, 0},
      {"N45D", false, 0, 0},
      {"N45E", false, 0, 0},
      {"45d30", true, 45.5, 1},  // the mark of the last part may be left out
      {"45d30'36", true, 45.51, 1},
      {"-45d30'", true, -45.5, 1},  // the sign covers the minutes
      {"-45d30", true, -45.5, 1},
      {"N45d30E", true, kPi / 2 - 45.5 * kPi / 180, 3},
      {"45d30\"1", false, 0, 0},
      {"45d30x", false, 0, 0},
      {"45d30'x", false, 0, 0},
      {"d30'", false, 0, 0},
      {"", false, 0, 0},
      {"r", false, 0, 0},
      {"1.79e308d1e308'", false, 0, 0},
  };
  for (const Case& c : cases) {
    double value = kUntouched;
    int code = -9;
    EXPECT_EQ(ParseAngle(c.text, value, code), c.ok) << c.text;
    if (c.ok) {
      EXPECT_NEAR(value, c.value, 1e-12) << c.text;
    } else {
      EXPECT_EQ(value, kUntouched) << c.text;
    }
    EXPECT_EQ(code, c.ok ? c.code : -9) << c.text;
  }
}

TEST(ValueParseTest, AngleToRadiansByCode) {
  struct Case {
    double value;
    int code;
    double radians;
  };
  const Case cases[] = {
      {180.0, 0, kPi}, {180.0, 1, kPi},       {200.0, 2, kPi},      {1.5, 3, 1.5},
      {2.0, 4, 2.0},   {5.0, -1, kUntouched}, {5.0, 5, kUntouched},
  };
  for (const Case& c : cases) {
    double radians = kUntouched;
    EXPECT_EQ(AngleToRadians(c.value, c.code, radians), c.code);
    EXPECT_NEAR(radians, c.radians, 1e-12) << "code " << c.code;
  }
}

TEST(ValueParseTest, PointTexts) {
  struct Case {
    std::string_view text;
    UnitSettings units;
    int kind;
    double x;
    double y;
  };
  const Case cases[] = {
      {"@10<90", {}, 2, 0.0, 10.0},
      {"3,4", {}, 1, 3.0, 4.0},
      {"3;4", {}, 0, 0, 0},
      {"@-1.5,2'", {}, 2, -1.5, 24.0},
      {"2'6-1/2\",1", {}, 1, 30.5, 1.0},
      {"10<45", {0, kHalfPi, 0}, 1, -7.0710678118654755, 7.0710678118654755},
      {"10<90", {0, 0.0, 1}, 1, 0.0, -10.0},
      {"10<1.5707963267948966", {3, 0.0, 0}, 1, 0.0, 10.0},
      {"10<100", {2, 0.0, 0}, 1, 0.0, 10.0},
      {"10<90d", {3, 0.0, 0}, 1, 0.0, 10.0},
      {"10<N", {}, 1, 0.0, 10.0},
      {"10<1.5", {9, 0.0, 0}, 1, 10 * std::cos(1.5), 10 * std::sin(1.5)},
      {"5<", {}, 0, 0, 0},
      {"<90", {}, 0, 0, 0},
      {"@", {}, 0, 0, 0},
      {"3,x", {}, 0, 0, 0},
      {"3,4,5", {}, 0, 0, 0},
      {"10<45<3", {}, 0, 0, 0},
      {" @3,4", {}, 0, 0, 0},
  };
  for (const Case& c : cases) {
    double x = kUntouched;
    double y = kUntouched;
    EXPECT_EQ(ParsePointText(c.text, x, y, c.units), c.kind) << c.text;
    if (c.kind == 0) {
      EXPECT_EQ(x, kUntouched) << c.text;
      continue;
    }
    EXPECT_NEAR(x, c.x, 1e-12) << c.text;
    EXPECT_NEAR(y, c.y, 1e-12) << c.text;
  }
}

TEST(ValueParseTest, ReadsTheProgramSeparators) {
  const SeparatorsGuard guard({',', ';'});
  double value = kUntouched;
  EXPECT_TRUE(ParseReal("3,5", value));
  EXPECT_EQ(value, 3.5);
  EXPECT_FALSE(ParseReal("3.5", value));

  double x = kUntouched;
  double y = kUntouched;
  EXPECT_EQ(ParsePointText("3,5;-4", x, y, {}), 1);
  EXPECT_EQ(x, 3.5);
  EXPECT_EQ(y, -4.0);
  EXPECT_EQ(ParsePointText("3,4", x, y, {}), 0);
  EXPECT_EQ(ParsePointText("@2,5<90", x, y, {}), 2);
  EXPECT_NEAR(x, 0.0, 1e-12);
  EXPECT_NEAR(y, 2.5, 1e-12);
}

TEST(ValueParseTest, NextTokenSplitsWithoutSkipping) {
  struct Case {
    std::string_view text;
    std::string_view separators;
    std::vector<std::string_view> tokens;  // until the first empty one
    std::size_t end;
  };
  const Case cases[] = {
      {"a,b;c", ",;", {"a", "b", "c"}, 5},
      {"a,,b", ",", {"a"}, 3},
      {"", ",", {}, 0},
      {"ab|c\0d"sv, "|", {"ab", "c"}, 4},  // a zero byte ends the text
  };
  for (const Case& c : cases) {
    std::size_t pos = 0;
    std::vector<std::string_view> tokens;
    for (std::string_view token = NextToken(c.separators, pos, c.text); !token.empty();
         token = NextToken(c.separators, pos, c.text)) {
      tokens.push_back(token);
    }
    EXPECT_EQ(tokens, c.tokens) << c.text;
    EXPECT_EQ(pos, c.end) << c.text;
  }

  std::size_t pos = 3;
  EXPECT_EQ(NextToken(",", pos, "a,"), "");
  EXPECT_EQ(pos, 2u);
}

}  // namespace
