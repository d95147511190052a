#include "core/value_parse.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "core/number_separators.h"

namespace {

constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";

// The whole text as one number, with what the C library's conversions allow
// around from_chars: leading white space and a '+' sign.
template <typename Number>
bool FromCharsWhole(std::string_view text, Number& value) {
  text.remove_prefix(std::min(text.find_first_not_of(kWhiteSpace), text.size()));
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') return false;
  }
  const char* end = text.data() + text.size();
  Number parsed{};
  const auto result = std::from_chars(text.data(), end, parsed);
  if (result.ec != std::errc{} || result.ptr != end) return false;
  value = parsed;
  return true;
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string TrimmedLowerCase(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kWhiteSpace);
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(kWhiteSpace);
  std::string result(text.substr(first, last - first + 1));
  for (char& c : result) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return result;
}

// Feet before a foot mark, inches before an inch mark that ends the text.
bool ParseFeetAndInches(std::string_view text, double& value) {
  const std::size_t foot = text.find('\'');
  const std::size_t inch = text.find('"');
  if (inch != std::string_view::npos &&
      (inch != text.size() - 1 || (foot != std::string_view::npos && inch < foot))) {
    return false;
  }

  double feet = 0.0;
  bool negative = false;
  std::string_view rest = text;
  if (foot != std::string_view::npos) {
    if (!ParseFraction(text.substr(0, foot), feet)) return false;
    negative = text.front() == '-';
    rest = text.substr(foot + 1);
    if (!rest.empty() && rest.front() == '-') rest.remove_prefix(1);
  }

  double inches = 0.0;
  if (inch != std::string_view::npos) rest.remove_suffix(1);
  // After a foot mark the inch mark may be left out: a drafter's "2'6" is
  // thirty inches.
  if ((inch != std::string_view::npos || !rest.empty()) && !ParseFraction(rest, inches)) {
    return false;
  }
  value = negative ? feet * 12.0 - inches : feet * 12.0 + inches;
  return true;
}

}  // namespace

bool ParseReal(std::string_view text, double& value) {
  const char decimal = GetNumberSeparators().decimal;
  std::string copy(text);
  if (decimal != '.') {
    if (copy.find('.') != std::string::npos) return false;
    std::replace(copy.begin(), copy.end(), decimal, '.');
  }
  double parsed = 0.0;
  if (!FromCharsWhole(copy, parsed) || !std::isfinite(parsed)) return false;
  value = parsed;
  return true;
}

bool ParseInteger(std::string_view text, int& value) { return FromCharsWhole(text, value); }

bool ParseHexHandle(FcHandle& handle, std::string_view text) {
  handle = 0;
  if (text.empty()) return false;
  FcHandle power = 1;
  for (auto it = text.rbegin(); it != text.rend(); ++it) {
    const int digit = HexDigitValue(*it);
    if (digit < 0) return false;
    handle += static_cast<FcHandle>(digit) * power;
    power *= 16;
  }
  return true;
}

bool ParseFraction(std::string_view text, double& value) {
  double whole = 0.0;
  bool negative = false;
  std::string_view rest = text;
  // A "-" in the first place is the sign; a later one joins whole and fraction.
  const std::size_t joint = text.find('-', 1);
  if (joint != std::string_view::npos) {
    int whole_number = 0;
    if (!ParseInteger(text.substr(0, joint), whole_number)) return false;
    whole = whole_number;
    negative = text.front() == '-';
    rest = text.substr(joint + 1);
  }

  double part = 0.0;
  const std::size_t slash = rest.find('/');
  if (slash != std::string_view::npos) {
    int numerator = 0;
    int denominator = 0;
    if (!ParseInteger(rest.substr(0, slash), numerator) ||
        !ParseInteger(rest.substr(slash + 1), denominator) || denominator == 0) {
      return false;
    }
    part = static_cast<double>(numerator) / denominator;
  } else if (!ParseReal(rest, part)) {
    return false;
  }
  value = negative ? whole - part : whole + part;
  return true;
}

bool ParseDistance(std::string_view text, double& value, int* unit_type) {
  const std::string distance = TrimmedLowerCase(text);
  double parsed = 0.0;
  int type = 2;
  bool ok = false;
  if (distance.find_first_of("'\"") != std::string::npos) {
    ok = ParseFeetAndInches(distance, parsed);
    type = distance.find('/') != std::string::npos ? 4 : 3;
  } else if (distance.find('/') != std::string::npos) {
    ok = ParseFraction(distance, parsed);
    type = 5;
  } else {
    ok = ParseReal(distance, parsed);
    type = distance.find('e') != std::string::npos ? 1 : 2;
  }
  if (!ok || !std::isfinite(parsed)) return false;
  value = parsed;
  if (unit_type != nullptr) *unit_type = type;
  return true;
}
