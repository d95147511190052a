#pragma once

#include <string>
#include <string_view>

// Text of a drawing is kept as bytes in a Windows code page (1250 to 1258,
// 874, 932, 936, 949, 950, or 1200 for UTF-16LE) and turned into UTF-8
// only where it leaves the drawing side. An unknown code page is taken as
// 1252. Bytes that do not decode become U+FFFD; characters the code page
// cannot hold become "?". Neither stops the conversion.
std::string CodePageToUtf8(std::string_view bytes, int code_page);
std::string Utf8ToCodePage(std::string_view utf8, int code_page);
