#include "platform/code_page_conversion.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

TEST(CodePageConversion, RoundTripsEachCodePage) {
  struct Case {
    int code_page;
    std::string bytes;
    std::string utf8;
  } cases[] = {
      {1252, "caf\xE9 \x80", "café €"},
      {1250, "\x8A", "Š"},
      {1251, "\xC0\xE1", "Аб"},
      {1253, "\xE1", "α"},
      {1254, "\xF0", "ğ"},
      {1255, "\xE0", "א"},
      {1256, "\xC7", "ا"},
      {1257, "\xE0", "ą"},
      {874, "\xA1", "ก"},
      {932, "\x82\xA0", "あ"},
      {936, "\xD6\xD0", "中"},
      {949, "\xB0\xA1", "가"},
      {950, "\xA4\x40", "一"},
      {1200, "A\0\xAC\x20"s, "A€"},
      {437, "\xE9", "é"},  // unknown pages read as 1252
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CodePageToUtf8(c.bytes, c.code_page), c.utf8) << c.code_page;
    EXPECT_EQ(Utf8ToCodePage(c.utf8, c.code_page), c.bytes) << c.code_page;
  }
}

TEST(CodePageConversion, BadInputIsReplacedNotFatal) {
  struct Case {
    int code_page;
    bool to_utf8;
    std::string input;
    std::string output;
  } cases[] = {
      {1252, true, "a\x81z", "a\uFFFDz"},       // a byte the page leaves undefined
      {932, true, "a\x82", "a\uFFFD"},          // a lead byte without its trail byte
      {1200, true, "A\0\x00\xD8"s, "A\uFFFD"},  // an unpaired surrogate
      {1252, false, "a\xFF\xFEz", "a??z"},      // bytes that are not UTF-8
      {1252, false, "a\xE3\x81z", "a?z"},       // a cut UTF-8 character
      {1252, false, "aあz", "a?z"},             // a character the page lacks
      {1200, false, "あ\xFF", "\x42\x30?\0"s},
      {1252, true, "", ""},
  };
  for (const Case& c : cases) {
    std::string output = c.to_utf8 ? CodePageToUtf8(c.input, c.code_page) : Utf8ToCodePage(c.input, c.code_page);
    EXPECT_EQ(output, c.output) << c.code_page << " " << c.to_utf8;
  }
}

TEST(CodePageConversion, LongTextConvertsWhole) {
  std::string bytes(20000, '\xE9');
  std::string utf8 = CodePageToUtf8(bytes, 1252);
  EXPECT_EQ(utf8.size(), 40000u);
  EXPECT_EQ(Utf8ToCodePage(utf8, 1252), bytes);
}

}  // namespace
