#include "platform/code_page_conversion.h"

#include <iconv.h>

#include <cerrno>
#include <map>
#include <string>
#include <utility>

namespace {

constexpr int kUtf16CodePage = 1200;
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

struct CodePage {
  int number;
  const char* iconv_name;
};

constexpr CodePage kCodePages[] = {
    {874, "CP874"},     {932, "CP932"},   {936, "CP936"},   {949, "CP949"},   {950, "CP950"},
    {1200, "UTF-16LE"}, {1250, "CP1250"}, {1251, "CP1251"}, {1252, "CP1252"}, {1253, "CP1253"},
    {1254, "CP1254"},   {1255, "CP1255"}, {1256, "CP1256"}, {1257, "CP1257"}, {1258, "CP1258"},
};

const CodePage& FindCodePage(int code_page) {
  for (const CodePage& page : kCodePages)
    if (page.number == code_page) return page;
  return FindCodePage(1252);
}

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  ~Converter() {
    if (valid()) iconv_close(cd_);
  }
  bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

// A conversion descriptor holds shift state, so each thread keeps its own.
iconv_t ConverterFor(int code_page, bool to_utf8) {
  thread_local std::map<std::pair<int, bool>, Converter> converters;
  const CodePage& page = FindCodePage(code_page);
  const char* name = page.iconv_name;
  auto [it, added] =
      converters.try_emplace({page.number, to_utf8}, to_utf8 ? "UTF-8" : name, to_utf8 ? name : "UTF-8");
  return it->second.valid() ? it->second.get() : nullptr;
}

// How many bytes one undecodable UTF-8 character spans: its lead byte and
// the continuation bytes that follow, as far as the lead byte promises.
std::size_t Utf8SkipLength(const char* text, std::size_t left) {
  auto lead = static_cast<unsigned char>(text[0]);
  std::size_t promised = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  std::size_t length = 1;
  while (length < promised && length < left && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) ++length;
  return length;
}

std::string Convert(iconv_t cd, std::string_view input, std::string_view replacement,
                    std::size_t (*skip_length)(const char*, std::size_t)) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::string output;
  output.reserve(input.size() * 2);
  char* in = const_cast<char*>(input.data());
  std::size_t in_left = input.size();
  char buffer[4096];
  while (true) {
    char* out = buffer;
    std::size_t out_left = sizeof buffer;
    bool at_end = in_left == 0;
    std::size_t result =
        at_end ? iconv(cd, nullptr, nullptr, &out, &out_left) : iconv(cd, &in, &in_left, &out, &out_left);
    output.append(buffer, static_cast<std::size_t>(out - buffer));
    if (result != static_cast<std::size_t>(-1)) {
      if (at_end) return output;
      continue;
    }
    if (errno == E2BIG) continue;
    if (at_end) return output;
    std::size_t skip = skip_length(in, in_left);
    output += replacement;
    in += skip;
    in_left -= skip;
  }
}

std::size_t SkipOneByte(const char*, std::size_t) { return 1; }

std::size_t SkipUtf16Unit(const char*, std::size_t left) { return left < 2 ? left : 2; }

}  // namespace

std::string CodePageToUtf8(std::string_view bytes, int code_page) {
  iconv_t cd = ConverterFor(code_page, true);
  if (cd == nullptr) return std::string(bytes);
  return Convert(cd, bytes, kReplacementCharacter, code_page == kUtf16CodePage ? SkipUtf16Unit : SkipOneByte);
}

std::string Utf8ToCodePage(std::string_view utf8, int code_page) {
  iconv_t cd = ConverterFor(code_page, false);
  if (cd == nullptr) return std::string(utf8);
  using namespace std::string_view_literals;
  std::string_view question_mark = code_page == kUtf16CodePage ? "?\0"sv : "?"sv;
  return Convert(cd, utf8, question_mark, Utf8SkipLength);
}
