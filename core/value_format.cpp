#include "core/value_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "core/number_separators.h"

namespace {

constexpr int kMaxPrecision = 20;

// Room for the 309 integer digits of the largest double, a sign, a point
// and kMaxPrecision decimals.
constexpr std::size_t kNumberBufferSize = 400;

std::string ToChars(double value, std::chars_format format, int precision) {
  std::array<char, kNumberBufferSize> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format,
                                    std::clamp(precision, 0, kMaxPrecision));
  return std::string(buffer.data(), result.ptr);
}

void UseDecimalSeparator(std::string& text) {
  std::replace(text.begin(), text.end(), '.', GetNumberSeparators().decimal);
}

// The exponent as the Windows C runtime printed it, which users of the
// program are used to: "e+03" becomes "E+003".
void WidenExponent(std::string& text) {
  const std::size_t e = text.find('e');
  if (e == std::string::npos) return;
  text[e] = 'E';
  const std::size_t digits_start = e + 2;
  const std::size_t digits = text.size() - digits_start;
  if (digits < 3) text.insert(digits_start, 3 - digits, '0');
}

const char* SignOf(double value) { return value < 0.0 ? "-" : ""; }

// Whole feet, "'-", the inches as `format_inches` writes them and an inch
// mark, for a value in inches. The feet stay a real, so that a count beyond
// the range of int is still printed digit for digit.
template <typename InchesFormat>
std::string FormatFeetAndInches(double value, InchesFormat format_inches) {
  if (!std::isfinite(value)) return FormatDecimal(0, value);
  const double magnitude = std::fabs(value);
  const double feet = std::floor(magnitude * 0.08333333333333333);
  const double inches = magnitude - feet * 12.0;
  return SignOf(value) + FormatDecimal(0, feet) + "'-" + format_inches(inches) + "\"";
}

}  // namespace

std::string FormatDecimal(int precision, double value) {
  std::string text = ToChars(value, std::chars_format::fixed, precision);
  UseDecimalSeparator(text);
  return text;
}

std::string FormatScientific(int precision, double value) {
  std::string text = ToChars(value, std::chars_format::scientific, precision);
  WidenExponent(text);
  UseDecimalSeparator(text);
  return text;
}

std::string FormatEngineering(int precision, double value) {
  return FormatFeetAndInches(
      value, [precision](double inches) { return FormatDecimal(precision, inches); });
}

std::string FormatFractional(int precision, double value) {
  if (!std::isfinite(value)) return FormatDecimal(0, value);
  const double magnitude = std::fabs(value);
  const double whole = std::floor(magnitude);
  const std::string sign = SignOf(value);
  if (precision < 1) return sign + FormatDecimal(0, whole);

  int denominator = 1 << std::min(precision, kMaxPrecision);
  int numerator = static_cast<int>((magnitude - whole) * denominator + 0.5);
  if (numerator == 0) return sign + FormatDecimal(0, whole);
  while (numerator % 2 == 0) {
    numerator /= 2;
    denominator /= 2;
  }
  if (numerator == denominator) return sign + FormatDecimal(0, whole + 1.0);
  return sign + FormatDecimal(0, whole) + " " + IntToString(numerator) + "/" +
         IntToString(denominator);
}

std::string FormatArchitectural(int precision, double value) {
  return FormatFeetAndInches(
      value, [precision](double inches) { return FormatFractional(precision, inches); });
}

std::string FormatDistance(double value, int unit_type, int precision) {
  switch (unit_type) {
    case 1:
      return FormatScientific(precision, value);
    case 3:
      return FormatEngineering(precision, value);
    case 4:
      return FormatArchitectural(precision, value);
    case 5:
      return FormatFractional(precision, value);
    default:
      return FormatDecimal(precision, value);
  }
}

std::string FormatArea(double value, int unit_type, int precision) {
  switch (unit_type) {
    case 1:
      return FormatScientific(precision, value);
    case 3:
    case 4:
      return FormatDecimal(precision, value) + "  Square in. (" +
             FormatDecimal(precision, value * 0.006944444444444444) + "  Square ft.)";
    case 5:
      return FormatFractional(precision, value);
    default:
      return FormatDecimal(precision, value);
  }
}

std::string ColorIndexToText(short color_index) {
  switch (color_index) {
    case 0:
      return "ByBlock";
    case 1:
      return "Red";
    case 2:
      return "Yellow";
    case 3:
      return "Green";
    case 4:
      return "Cyan";
    case 5:
      return "Blue";
    case 6:
      return "Magenta";
    case 7:
      return "White";
    case 256:
      return "ByLayer";
    case 1000:
      return "Others...";
    default:
      return IntToString(color_index);
  }
}

std::string IntToString(int value) {
  std::array<char, 16> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), result.ptr);
}
