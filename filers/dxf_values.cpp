#include "filers/dxf_values.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

// White space as the C library knows it in the "C" locale: blank, tab,
// line feed, vertical tab, form feed and carriage return.
bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Enough for the 309 integer digits of the largest double, the sign, the
// point and the decimals.
constexpr int kMaxPrecision = 100;

std::string_view SkipLeadingBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  return text;
}

// The C library's conversions accept a leading plus sign; from_chars does
// not.
std::string_view SkipPlusSign(std::string_view text) {
  if (text.size() >= 2 && text[0] == '+' && text[1] != '-') {
    text.remove_prefix(1);
  }
  return text;
}

template <typename Number>
bool ParseWhole(std::string_view text, Number& value) {
  text = SkipPlusSign(SkipLeadingBlanks(text));
  const char* end = text.data() + text.size();
  Number parsed{};
  const auto [stop, error] = std::from_chars(text.data(), end, parsed);
  if (text.empty() || error != std::errc() || stop != end) {
    return false;
  }
  value = parsed;
  return true;
}

// Decimals without an exponent whose digits make a whole number below 2^53
// and that have at most 22 places: the whole number and the power of ten
// are both exact doubles, so one division rounds as the general parse
// does. Nearly every real of a drawing file is such a decimal. False when
// the text is of another form; the general parse decides those.
bool ParseShortDecimal(std::string_view text, double& value) {
  static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                            1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  constexpr std::uint64_t kExactLimit = std::uint64_t{1} << 53;
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  std::uint64_t whole = 0;
  std::size_t at = 0;
  std::size_t places = 0;
  bool point = false;
  std::size_t digits = 0;
  for (; at < text.size(); ++at) {
    const char c = text[at];
    if (c == '.' && !point && digits > 0) {
      point = true;
      continue;
    }
    if (c < '0' || c > '9' || digits == 19) return false;
    whole = whole * 10 + static_cast<unsigned>(c - '0');
    ++digits;
    if (point) ++places;
  }
  if (digits == 0 || (point && places == 0) || whole >= kExactLimit || places >= std::size(kPowersOfTen)) {
    return false;
  }
  const double magnitude = static_cast<double>(whole) / kPowersOfTen[places];
  value = negative ? -magnitude : magnitude;
  return true;
}

}  // namespace

void AppendDxfReal(std::string& out, double value, int precision) {
  if (value == 0.0 || !std::isfinite(value)) {
    out += "0.0";
    return;
  }
  std::array<char, 512> buffer;
  const auto [stop, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                           std::chars_format::fixed,
                                           std::clamp(precision, 0, kMaxPrecision));
  std::string_view text(buffer.data(), error == std::errc() ? stop - buffer.data() : 0);
  if (text.find('.') != std::string_view::npos) {
    while (text.back() == '0' && text[text.size() - 2] != '.') {
      text.remove_suffix(1);
    }
  }
  out += text;
}

void AppendDxfHandle(std::string& out, std::uint64_t value) {
  std::array<char, 16> buffer;
  char* stop = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, 16).ptr;
  std::transform(buffer.data(), stop, std::back_inserter(out),
                 [](char digit) { return digit >= 'a' ? static_cast<char>(digit - 'a' + 'A') : digit; });
}

void AppendDxfInteger(std::string& out, std::int32_t value) {
  std::array<char, 12> buffer;
  out.append(buffer.data(), std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr);
}

bool ParseDxfReal(std::string_view text, double& value) {
  if (ParseShortDecimal(SkipPlusSign(SkipLeadingBlanks(text)), value)) return true;
  double parsed = 0.0;
  if (!ParseWhole(text, parsed) || !std::isfinite(parsed)) {
    return false;
  }
  value = parsed;
  return true;
}

bool ParseDxfInteger(std::string_view text, std::int32_t& value) { return ParseWhole(text, value); }

bool ParseDxfInteger64(std::string_view text, std::int64_t& value) { return ParseWhole(text, value); }

bool ParseDxfIntegerValue(std::string_view text, std::int32_t& value) {
  if (ParseDxfInteger(text, value)) {
    return true;
  }
  double real = 0.0;
  if (!ParseDxfReal(text, real) || real != std::trunc(real) ||
      real < static_cast<double>(std::numeric_limits<std::int32_t>::min()) ||
      real > static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
    return false;
  }
  value = static_cast<std::int32_t>(real);
  return true;
}

bool ParseDxfHandle(std::string_view text, std::uint64_t& value) {
  if (text.empty()) {
    return false;
  }
  std::uint64_t parsed = 0;
  for (const char digit : text) {
    unsigned nibble = 0;
    if (digit >= '0' && digit <= '9') {
      nibble = static_cast<unsigned>(digit - '0');
    } else if (digit >= 'A' && digit <= 'F') {
      nibble = static_cast<unsigned>(digit - 'A' + 10);
    } else if (digit >= 'a' && digit <= 'f') {
      nibble = static_cast<unsigned>(digit - 'a' + 10);
    } else {
      return false;
    }
    parsed = parsed * 16 + nibble;
  }
  value = parsed;
  return true;
}

std::string_view TrimDxfBlanks(std::string_view text) {
  text = SkipLeadingBlanks(text);
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}
