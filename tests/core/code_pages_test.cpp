#include <gtest/gtest.h>

#include <string>

#include "core/code_pages.h"

TEST(CodePagesTest, NamesAndNumbers) {
  EXPECT_EQ(CodePageName(1251), "ANSI_1251");
  EXPECT_EQ(CodePageName(932), "ANSI_932");
  EXPECT_EQ(CodePageName(437), "ANSI_1252");
  EXPECT_EQ(CodePageFromName("ansi_1251"), 1251);
  EXPECT_EQ(CodePageFromName("ANSI_1200"), 1200);
  EXPECT_EQ(CodePageFromName("ANSI_437"), 1252);
  EXPECT_EQ(CodePageFromName("ANSI_12511"), 1252);
  EXPECT_EQ(CodePageFromName(""), 1252);
  for (int page : kSupportedCodePages) {
    EXPECT_EQ(CodePageFromName(CodePageName(page)), page);
  }
}

TEST(CodePagesTest, DrawingFileNumbersAndCharsets) {
  struct Case {
    int page;
    int dwg;
    int charset;
  };
  const Case cases[] = {
      {874, 37, 222},  {932, 38, 128},  {936, 39, 134},  {949, 40, 130},  {950, 41, 136},
      {1200, 43, 0},   {1250, 28, 238}, {1251, 29, 204}, {1252, 30, 0},   {1253, 32, 161},
      {1254, 33, 162}, {1255, 34, 177}, {1256, 35, 178}, {1257, 36, 186}, {437, 30, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CodePageToDwgCodePage(c.page), c.dwg) << c.page;
    EXPECT_EQ(CodePageToCharset(c.page), c.charset) << c.page;
    EXPECT_EQ(DwgCodePageToCodePage(c.dwg), c.page == 437 ? 1252 : c.page) << c.dwg;
  }
  // Older numbers of the East-Asian pages, and numbers without a page.
  const int older[][2] = {{24, 950}, {25, 949}, {26, 932}, {31, 936}, {27, 1252}, {0, 1252}, {99, 1252}};
  for (const auto& [dwg, page] : older) {
    EXPECT_EQ(DwgCodePageToCodePage(dwg), page) << dwg;
  }
}

TEST(CodePagesTest, LeadBytes) {
  EXPECT_TRUE(IsCodePageLeadByte(932, 0x81));
  EXPECT_TRUE(IsCodePageLeadByte(932, 0xE0));
  EXPECT_FALSE(IsCodePageLeadByte(932, 0xA1));  // half-width katakana is one byte
  EXPECT_TRUE(IsCodePageLeadByte(936, 0xFE));
  EXPECT_FALSE(IsCodePageLeadByte(949, 0x80));
  EXPECT_FALSE(IsCodePageLeadByte(1252, 0xE9));
}

TEST(CodePagesTest, ConvertsToUtf16) {
  EXPECT_EQ(CodePageToUtf16("caf\xE9 \x80", 1252), u"caf\u00E9 \u20AC");
  EXPECT_EQ(CodePageToUtf16("\xC4\xE0", 1251), u"\u0414\u0430");
  EXPECT_EQ(CodePageToUtf16("\x82\xA0\xB1", 932), u"\u3042\uFF71");
  // A byte the page leaves undefined stands for itself.
  EXPECT_EQ(CodePageToUtf16("a\x81z", 1252), u"a\u0081z");
  // A lead byte without its trail byte at the end.
  EXPECT_EQ(CodePageToUtf16("a\x82", 932), u"a\u0082");
  // Pages without a converter are read as 1252.
  EXPECT_EQ(CodePageToUtf16("\xE9", 1200), u"\u00E9");
  EXPECT_EQ(CodePageToUtf16("", 1252), u"");
}
