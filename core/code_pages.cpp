#include "core/code_pages.h"

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <memory>
#include <string>

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

class Converter {
 public:
  explicit Converter(int codePage)
      : handle_(iconv_open("UTF-16LE", ("CP" + std::to_string(codePage)).c_str())) {}
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  ~Converter() {
    if (ok()) {
      iconv_close(handle_);
    }
  }

  bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

  // Converts the whole text; bytes that cannot be converted stand for
  // themselves.
  std::u16string Convert(std::string_view text) {
    std::u16string result;
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char buffer[1024];
    while (inLeft > 0) {
      char* out = buffer;
      std::size_t outLeft = sizeof buffer;
      const std::size_t done = iconv(handle_, &in, &inLeft, &out, &outLeft);
      Append(result, buffer, out);
      if (done != static_cast<std::size_t>(-1) || errno == E2BIG) {
        continue;
      }
      result.push_back(static_cast<unsigned char>(*in));
      ++in;
      --inLeft;
      iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    }
    return result;
  }

 private:
  static void Append(std::u16string& result, const char* begin, const char* end) {
    for (const char* p = begin; p + 1 < end; p += 2) {
      result.push_back(static_cast<char16_t>(static_cast<unsigned char>(p[0]) |
                                             static_cast<unsigned char>(p[1]) << 8));
    }
  }

  iconv_t handle_;
};

// Text is converted run by run while fonts are drawn, so each thread keeps
// the converter of the page it used last.
Converter& ConverterFor(int codePage) {
  thread_local int convertedPage = 0;
  thread_local std::unique_ptr<Converter> converter;
  if (converter == nullptr || convertedPage != codePage) {
    converter = std::make_unique<Converter>(codePage);
    if (!converter->ok()) {
      converter = std::make_unique<Converter>(kDefaultCodePage);
    }
    convertedPage = codePage;
  }
  return *converter;
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
  return ConverterFor(codePage).Convert(text);
}
