#pragma once

#include <array>
#include <string>
#include <string_view>

// The Windows code pages that drawing files name in $DWGCODEPAGE, in the
// order in which names are matched.
inline constexpr std::array<int, 14> kSupportedCodePages = {
    1200, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 874, 932, 936, 949, 950};

inline constexpr int kDefaultCodePage = 1252;

// "ANSI_<page>" for a supported page, else "ANSI_1252".
std::string CodePageName(int codePage);
// The supported page whose name matches without regard to case, else 1252.
int CodePageFromName(std::string_view name);

// The code-page numbers of the drawing-file header.
int CodePageToDwgCodePage(int codePage);
int DwgCodePageToCodePage(int dwgCodePage);

// The font character set that goes with a code page (0 for Western).
int CodePageToCharset(int codePage);
// The code page of a font character set; the Western page for the Western,
// default and symbol sets and for any set not known.
int CharsetToCodePage(int charset);

// True when the byte starts a double-byte character of the code page.
bool IsCodePageLeadByte(int codePage, unsigned char byte);

// Converts text in the code page to UTF-16. A byte that the code page does
// not define stands for itself, and a page that cannot be converted is read
// as 1252, so that no text is lost on the way to a font.
std::u16string CodePageToUtf16(std::string_view text, int codePage);
