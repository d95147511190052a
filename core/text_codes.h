#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// The text decoders turn drawing text (bytes in the drawing's code page)
// into the 16-bit character codes that the fonts draw. Both decode the
// control sequences, letters in either case:
//   %%c %%d %%p   diameter, degree, plus-minus (codes differ, see below)
//   %%%           37 ("%")
//   %%o %%u       4, 5: overline and underline toggles
//   %%v           6, only when decodeV is set
//   %%t %%b       7, 8
//   %%<other>     that character
//   ^J            10, a line break (capital J only)
//   \U+XXXX       the four hexadecimal digits' value ("\u+" too); with a
//                 digit that is not hexadecimal only the backslash is taken
// A "%%" sequence needs three characters from its first "%", a "\U+" one
// seven from its backslash. A double-byte character of an East-Asian code
// page, lead byte first, becomes (lead << 8) | trail.
//
// Each decoder replaces codes by the decoded codes followed by a 0 and
// returns their number without the 0.

// The codes the decoders give for the toggles and line ends above.
constexpr int kOverlineToggleCode = 4;
constexpr int kUnderlineToggleCode = 5;
constexpr int kVerticalBarCode = 6;
constexpr int kSuperscriptCode = 7;
constexpr int kSubscriptCode = 8;
constexpr int kLineBreakCode = 10;

// For SHX styles: text between double-byte characters is converted to
// UTF-16 and decoded by DecodeTextControlCodes, which gives 216, 176 and 177
// for diameter, degree and plus-minus.
int DecodeTextForShx(std::string_view text, int codePage, bool decodeV,
                     std::vector<std::uint16_t>& codes);

// The whole text converted to UTF-16 with the code page, then decoded.
int DecodeTextControlCodes(std::string_view text, int codePage, bool decodeV,
                           std::vector<std::uint16_t>& codes);

// For TrueType styles: the bytes are decoded without conversion, each
// byte its own code; diameter, degree and plus-minus give 3, 1 and 2, which
// the outliner turns into its symbol glyphs.
int DecodeTextForTrueType(std::string_view text, int codePage, bool decodeV,
                          std::vector<std::uint16_t>& codes);
