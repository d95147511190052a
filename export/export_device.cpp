#include "export/export_device.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>

namespace {

constexpr double kPowersOfTen[] = {1.0, 10.0, 100.0, 1000.0, 10000.0, 100000.0, 1000000.0};
// Below this a product of the value and a power of ten is off the true
// product by less than 2^-16, far inside the margin around a half.
constexpr double kLargestQuick = 1e11;
constexpr double kTieMargin = 1e-3;

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes the digits of the number, at least width of them with leading
// zeros, backwards from end, two at a time (the export's text is mostly
// numbers); gives the first digit.
char* WriteDigits(char* end, std::uint64_t number, int width) {
  char* start = end;
  while (number >= 100) {
    start -= 2;
    std::memcpy(start, kDigitPairs + 2 * (number % 100), 2);
    number /= 100;
  }
  if (number >= 10) {
    start -= 2;
    std::memcpy(start, kDigitPairs + 2 * number, 2);
  } else {
    *--start = static_cast<char>('0' + number);
  }
  while (end - start < width) *--start = '0';
  return start;
}

// The fixed-point form written from the value rounded to an integer count
// of the last decimal, without std::to_chars, which takes most of the time
// of an export's text. It gives up (false, nothing written) where the
// rounding could differ from the exact one: values near a half of the last
// decimal, large values and those that are not finite.
bool AppendQuickly(std::string& text, double value, int decimals, bool trimmed) {
  if (decimals < 0 || decimals >= static_cast<int>(std::size(kPowersOfTen))) return false;
  const double scaled = value * kPowersOfTen[decimals];
  if (!(std::fabs(scaled) < kLargestQuick)) return false;
  const double rounded = std::nearbyint(scaled);
  if (std::fabs(scaled - rounded) > 0.5 - kTieMargin) return false;
  auto units = static_cast<std::uint64_t>(std::fabs(rounded));
  int fraction = decimals;
  // A trimmed form leaves out the fraction's trailing zeros.
  if (trimmed) {
    while (fraction > 0 && units % 10 == 0) {
      units /= 10;
      --fraction;
    }
  }
  char digits[32];
  char* const end = digits + sizeof digits;
  char* start = end;
  if (fraction > 0) {
    const auto unit = static_cast<std::uint64_t>(kPowersOfTen[fraction]);
    start = WriteDigits(start, units % unit, fraction);
    *--start = '.';
    units /= unit;
  }
  start = WriteDigits(start, units, 1);
  // The sign of the value, not of the rounded digits: -0.001 is "-0".
  if (std::signbit(value)) *--start = '-';
  text.append(start, end);
  return true;
}

void AppendExactly(std::string& text, double value, int decimals) {
  // Wide enough for any finite double in fixed notation.
  char buffer[400];
  const std::to_chars_result result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (result.ec != std::errc()) {
    text += '0';
    return;
  }
  text.append(buffer, result.ptr);
}

}  // namespace

void AppendFixed(std::string& text, double value, int decimals) {
  if (!AppendQuickly(text, value, decimals, false)) AppendExactly(text, value, decimals);
}

void AppendTrimmed(std::string& text, double value, int decimals) {
  if (AppendQuickly(text, value, decimals, true)) return;
  const std::size_t start = text.size();
  AppendExactly(text, value, decimals);
  const std::size_t point = text.find('.', start);
  if (point == std::string::npos) return;
  std::size_t end = text.find_last_not_of('0');
  if (end == point && point != start) --end;
  text.resize(end + 1);
}

std::string FormatTrimmed(double value, int decimals) {
  std::string text;
  AppendTrimmed(text, value, decimals);
  return text;
}

double FcExportDevice::UnseenChordHeight() const { return 0.5 * scale * std::pow(10.0, -CoordinateDecimals()); }

void FcExportDevice::Circle(int centreX, int centreY, int radius) {
  WriteCurve(centreX, centreY, radius, 0.0, kTwoPi);
}

void FcExportDevice::Arc(int centreX, int centreY, int radius, double startAngle, double endAngle) {
  WriteCurve(centreX, centreY, radius, startAngle, endAngle - startAngle);
}
