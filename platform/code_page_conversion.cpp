#include "platform/code_page_conversion.h"

#include <optional>
#include <string>

#include "core/encoding_conversion.h"

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

// How many bytes one undecodable UTF-8 character spans: its lead byte and
// the continuation bytes that follow, as far as the lead byte promises.
std::size_t Utf8SkipLength(std::string_view text) {
  auto lead = static_cast<unsigned char>(text[0]);
  std::size_t promised = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  std::size_t length = 1;
  while (length < promised && length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
    ++length;
  return length;
}

}  // namespace

std::string CodePageToUtf8(std::string_view bytes, int code_page) {
  const CodePage& page = FindCodePage(code_page);
  const std::size_t unit = page.number == kUtf16CodePage ? 2 : 1;
  std::optional<std::string> utf8 =
      ConvertEncoding(bytes, page.iconv_name, "UTF-8", [unit](std::string_view, std::string& output) {
        output += kReplacementCharacter;
        return unit;
      });
  return utf8 ? std::move(*utf8) : std::string(bytes);
}

std::string Utf8ToCodePage(std::string_view utf8, int code_page) {
  const CodePage& page = FindCodePage(code_page);
  using namespace std::string_view_literals;
  const std::string_view question_mark = page.number == kUtf16CodePage ? "?\0"sv : "?"sv;
  std::optional<std::string> bytes =
      ConvertEncoding(utf8, "UTF-8", page.iconv_name, [question_mark](std::string_view rest, std::string& output) {
        output += question_mark;
        return Utf8SkipLength(rest);
      });
  return bytes ? std::move(*bytes) : std::string(utf8);
}
