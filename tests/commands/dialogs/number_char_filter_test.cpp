#include <gtest/gtest.h>

#include <string>

#include "commands/dialogs/number_char_filter.h"
#include "tests/support/separators_guard.h"

namespace {

// What a box holds after each character of the keystrokes is typed at its
// end through the filter.
std::u32string Typed(std::u32string_view keys, char32_t (*filter)(std::u32string_view, char32_t)) {
  std::u32string text;
  for (const char32_t key : keys) {
    const char32_t passed = filter(text, key);
    if (passed == U'\b') {
      if (!text.empty()) text.pop_back();
    } else if (passed != 0) {
      text.push_back(passed);
    }
  }
  return text;
}

TEST(NumberCharFilterTest, OnlyDigitsOneSeparatorAndForSignedBoxesOneMinusPass) {
  const struct {
    const char32_t* keys;
    const char32_t* signedBox;
    const char32_t* unsignedBox;
  } cases[] = {
      {U"1-2", U"1-2", U"12"},
      {U"-1-2", U"-12", U"12"},
      {U"1.5.2", U"1.52", U"1.52"},
      {U"1a2 e3", U"123", U"123"},
      {U"-.\b-", U"-", U""},
      {U"1,5", U"15", U"15"},
      {U"7\u00e9", U"7", U"7"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Typed(c.keys, FilterSignedNumberChar), c.signedBox);
    EXPECT_EQ(Typed(c.keys, FilterUnsignedNumberChar), c.unsignedBox);
  }
}

TEST(NumberCharFilterTest, TheUsersDecimalSeparatorIsTheOneThatPasses) {
  SeparatorsGuard guard({',', ';'});
  EXPECT_EQ(Typed(U"1,5,2", FilterUnsignedNumberChar), U"1,52");
  EXPECT_EQ(Typed(U"-1.5", FilterSignedNumberChar), U"-15");
}

}  // namespace
