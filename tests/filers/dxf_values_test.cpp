#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <random>
#include <string>

#include "filers/dxf_values.h"

namespace {

// The general parse of the standard library, which the quick one for plain
// decimals must match to the bit.
bool ReferenceReal(std::string text, double& value) {
  while (!text.empty() && text.front() == ' ') text.erase(0, 1);
  if (text.size() >= 2 && text[0] == '+' && text[1] != '-') text.erase(0, 1);
  const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && error == std::errc() && stop == text.data() + text.size();
}

void ExpectSameAsReference(const std::string& text) {
  SCOPED_TRACE(text);
  double expected = 0.0;
  const bool valid = ReferenceReal(text, expected);
  double parsed = 12345.0;
  ASSERT_EQ(ParseDxfReal(text, parsed), valid);
  if (valid) EXPECT_EQ(std::bit_cast<std::uint64_t>(parsed), std::bit_cast<std::uint64_t>(expected));
}

// Reals read from files round exactly as the general parse rounds them, at
// every length of whole part and decimals, near the limits of an exact
// whole number and power of ten, and for the forms a quick path must leave
// to it.
TEST(DxfValuesTest, RealsRoundAsTheGeneralParse) {
  const char* cases[] = {"0",     "-0",     "0.0",       "-0.0",  "1.",   ".5",    "-.5",   "+2.5",  "+-2.5", "  3.25",
                         "1e5",   "1.5E-3", "-",         "",      "1..2", "1.2.3", "12a",   "0x10",  "007.50",
                         "9007199254740991", "9007199254740992", "9007199254740993", "18446744073709551616",
                         "0.1234567890123456789012", "0.12345678901234567890123", "123456789012345.6",
                         "4503599627370496.5", "179769313486231570000000000000000000000000000000000000000000000000"};
  for (const char* text : cases) ExpectSameAsReference(text);

  std::mt19937_64 random(22);
  for (int i = 0; i < 200000; ++i) {
    std::string text = (random() & 1) != 0 ? "-" : "";
    const int whole = static_cast<int>(random() % 18) + 1;
    const int places = static_cast<int>(random() % 24);
    for (int k = 0; k < whole; ++k) text += static_cast<char>('0' + random() % 10);
    if (places > 0) text += '.';
    for (int k = 0; k < places; ++k) text += static_cast<char>('0' + random() % 10);
    ExpectSameAsReference(text);
  }
}

}  // namespace
