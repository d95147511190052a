#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/text_codes.h"

namespace {

using Codes = std::vector<std::uint16_t>;
using Decoder = int (*)(std::string_view, int, bool, Codes&);

// Runs a decoder and checks the count against the terminating 0.
Codes Decode(Decoder decoder, std::string_view text, int page = 1252, bool decodeV = false) {
  Codes codes{99, 99};
  const int count = decoder(text, page, decodeV, codes);
  EXPECT_EQ(static_cast<int>(codes.size()), count + 1) << text;
  EXPECT_EQ(codes.back(), 0) << text;
  codes.pop_back();
  return codes;
}

struct Case {
  const char* text;
  Codes shx;       // for SHX styles: UTF-16 with 216, 176, 177
  Codes trueType;  // for TrueType styles: bytes with 3, 1, 2
};

}  // namespace

TEST(TextCodesTest, ControlSequencesOfBothDecoders) {
  const Case cases[] = {
      {"30%%d", {51, 48, 176}, {51, 48, 1}},
      {"%%C%%P%%D", {216, 177, 176}, {3, 2, 1}},
      {"%%%%%o%%U%%t%%B", {37, 4, 5, 7, 8}, {37, 4, 5, 7, 8}},
      {"%%x", {120}, {120}},
      {"%%v", {118}, {118}},  // without the flag %%v is an ordinary "v"
      {"a%%", {97, 37, 37}, {97, 37, 37}},  // too short for a sequence
      {"A^JB", {65, 10, 66}, {65, 10, 66}},
      {"^j^", {94, 106, 94}, {94, 106, 94}},
      {"\\U+00B0", {176}, {176}},
      {"\\u+20ac!", {0x20AC, 33}, {0x20AC, 33}},
      {"\\U+00G0", {92, 85, 43, 48, 48, 71, 48}, {92, 85, 43, 48, 48, 71, 48}},
      {"\\U+00B", {92, 85, 43, 48, 48, 66}, {92, 85, 43, 48, 48, 66}},
      {"", {}, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Decode(DecodeTextForShx, c.text), c.shx) << c.text;
    EXPECT_EQ(Decode(DecodeTextControlCodes, c.text), c.shx) << c.text;
    EXPECT_EQ(Decode(DecodeTextForTrueType, c.text), c.trueType) << c.text;
  }
  EXPECT_EQ(Decode(DecodeTextForShx, "%%v", 1252, true), Codes{6});
  EXPECT_EQ(Decode(DecodeTextForTrueType, "%%V", 1252, true), Codes{6});
}

TEST(TextCodesTest, CodePagesAndDoubleByteCharacters) {
  // Single bytes: converted for SHX styles, kept for TrueType styles.
  EXPECT_EQ(Decode(DecodeTextForShx, "\x80\xE9", 1252), (Codes{0x20AC, 0xE9}));
  EXPECT_EQ(Decode(DecodeTextForTrueType, "\x80\xE9", 1252), (Codes{0x80, 0xE9}));
  EXPECT_EQ(Decode(DecodeTextForShx, "\xC4", 1251), Codes{0x0414});

  // Shift-JIS: a pair whose trail byte is a backslash stays one character,
  // and the single-byte katakana between pairs is converted.
  const std::string text = "\x95\x5C\xB1%%d\x82";
  EXPECT_EQ(Decode(DecodeTextForShx, text, 932), (Codes{0x955C, 0xFF71, 176, 0x82}));
  EXPECT_EQ(Decode(DecodeTextForTrueType, text, 932), (Codes{0x955C, 0xB1, 1, 0x82}));
  // In a single-byte page the same two bytes are two characters.
  EXPECT_EQ(Decode(DecodeTextForTrueType, "\x95\x5C", 1252), (Codes{0x95, 0x5C}));
}
