#include "core/code_pages.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

#include "core/encoding_conversion.h"

namespace {

struct CodePageNumbers {
  int codePage;
  int dwgCodePage;
  int charset;
};

constexpr CodePageNumbers kCodePageNumbers[] = {
    {874, 37, 222},  {932, 38, 128},  {936, 39, 134},  {949, 40, 130},  {950, 41, 136},
    {1200, 43, 0},   {1250, 28, 238}, {1251, 29, 204}, {1253, 32, 161}, {1254, 33, 162},
    {1255, 34, 177}, {1256, 35, 178}, {1257, 36, 186},
};

constexpr int kDefaultDwgCodePage = 30;
constexpr int kDefaultCharset = 0;

const CodePageNumbers* FindNumbers(int codePage) {
  for (const CodePageNumbers& numbers : kCodePageNumbers) {
    if (numbers.codePage == codePage) {
      return &numbers;
    }
  }
  return nullptr;
}

bool IsSupported(int codePage) {
  return std::find(kSupportedCodePages.begin(), kSupportedCodePages.end(), codePage) !=
         kSupportedCodePages.end();
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char p, char q) {
           return std::tolower(static_cast<unsigned char>(p)) ==
                  std::tolower(static_cast<unsigned char>(q));
         });
}

std::string NameOf(int codePage) { return "ANSI_" + std::to_string(codePage); }

// Converted to UTF-16LE bytes; nullopt when iconv lacks the page. A byte
// the page does not define stands for itself.
std::optional<std::string> ToUtf16Bytes(std::string_view text, int codePage) {
  return ConvertEncoding(text, ("CP" + std::to_string(codePage)).c_str(), "UTF-16LE",
                         [](std::string_view rest, std::string& units) {
                           units.push_back(rest.front());
                           units.push_back('\0');
                           return std::size_t{1};
                         });
}

}  // namespace

std::string CodePageName(int codePage) {
  return NameOf(IsSupported(codePage) ? codePage : kDefaultCodePage);
}

int CodePageFromName(std::string_view name) {
  for (int codePage : kSupportedCodePages) {
    if (EqualsIgnoringCase(NameOf(codePage), name)) {
      return codePage;
    }
  }
  return kDefaultCodePage;
}

int CodePageToDwgCodePage(int codePage) {
  const CodePageNumbers* numbers = FindNumbers(codePage);
  return numbers != nullptr ? numbers->dwgCodePage : kDefaultDwgCodePage;
}

int DwgCodePageToCodePage(int dwgCodePage) {
  switch (dwgCodePage) {
    case 24:
      return 950;
    case 25:
      return 949;
    case 26:
      return 932;
    case 31:
      return 936;
    default:
      break;
  }
  for (const CodePageNumbers& numbers : kCodePageNumbers) {
    if (numbers.dwgCodePage == dwgCodePage) {
      return numbers.codePage;
    }
  }
  return kDefaultCodePage;
}

int CodePageToCharset(int codePage) {
  const CodePageNumbers* numbers = FindNumbers(codePage);
  return numbers != nullptr ? numbers->charset : kDefaultCharset;
}

int CharsetToCodePage(int charset) {
  for (const CodePageNumbers& numbers : kCodePageNumbers) {
    if (numbers.charset == charset && numbers.charset != kDefaultCharset) return numbers.codePage;
  }
  return kDefaultCodePage;
}

bool IsCodePageLeadByte(int codePage, unsigned char byte) {
  switch (codePage) {
    case 932:
      return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    case 936:
    case 949:
    case 950:
      return byte >= 0x81 && byte <= 0xFE;
    default:
      return false;
  }
}

std::u16string CodePageToUtf16(std::string_view text, int codePage) {
  std::optional<std::string> units = ToUtf16Bytes(text, codePage);
  if (!units) units = ToUtf16Bytes(text, kDefaultCodePage);
  std::u16string result;
  if (!units) {
    for (char byte : text) result.push_back(static_cast<unsigned char>(byte));
    return result;
  }
  result.reserve(units->size() / 2);
  for (std::size_t i = 0; i + 1 < units->size(); i += 2) {
    result.push_back(static_cast<char16_t>(static_cast<unsigned char>((*units)[i]) |
                                           static_cast<unsigned char>((*units)[i + 1]) << 8));
  }
  return result;
}
