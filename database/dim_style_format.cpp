#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

#include "core/angle_format.h"
#include "database/dim_style.h"

namespace {

// Files carry any precision; a fraction's denominator is 2^precision.
constexpr int kMaxDimPrecision = 8;

int ClampPrecision(int precision) { return std::clamp(precision, 0, kMaxDimPrecision); }

// Room for the 309 integer digits of the largest double and the decimals.
constexpr std::size_t kNumberRoom = 340;

std::string Fixed(double value, int precision) {
  if (!std::isfinite(value)) return "0";
  std::array<char, kNumberRoom> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::fixed, ClampPrecision(precision));
  return std::string(buffer.data(), result.ptr);
}

void ReplaceFirst(std::string& text, char from, char to) {
  const std::size_t at = text.find(from);
  if (at != std::string::npos) text[at] = to;
}

void DropLeadingZeros(std::string& text) {
  const std::size_t first = text.find_first_not_of('0');
  text.erase(0, first == std::string::npos ? text.size() : first);
}

// The height factor of a stack, as the text engine reads it.
std::string HeightFactor(double factor) { return Fixed(factor, 6); }

struct FractionParts {
  double whole = 0.0;
  int numerator = 0;
  int denominator = 1;
};

// The fraction nearest below a sixteenth (or the precision's step), a full
// numerator carried into the whole, the fraction reduced.
FractionParts SplitFraction(double magnitude, int precision) {
  FractionParts parts;
  parts.whole = std::floor(magnitude);
  parts.denominator = 1 << ClampPrecision(precision);
  parts.numerator = static_cast<int>((magnitude - parts.whole) * parts.denominator + 0.5);
  if (parts.numerator >= parts.denominator) {
    parts.whole += 1.0;
    parts.numerator = 0;
  }
  while (parts.numerator != 0 && parts.numerator % 2 == 0) {
    parts.numerator /= 2;
    parts.denominator /= 2;
  }
  return parts;
}

std::string FractionText(int numerator, int denominator) {
  return std::to_string(numerator) + "/" + std::to_string(denominator);
}

bool ShowsZeroFeet(int zeroBits) { return (zeroBits & 3) == 1 || (zeroBits & 3) == 2; }
bool ShowsZeroInches(int zeroBits) { return (zeroBits & 3) == 1 || (zeroBits & 3) == 3; }

}  // namespace

std::string StripTrailingZeros(std::string text, char separator) {
  while (!text.empty() && text.back() == '0') text.pop_back();
  if (!text.empty() && text.back() == separator) text.pop_back();
  return text;
}

std::string EscapeStackChars(const std::string& text) {
  constexpr std::string_view kStackChars = "#/\\^";
  std::string escaped;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (kStackChars.find(c) == std::string_view::npos) {
      escaped += c;
      continue;
    }
    if (c == '\\' && i + 1 < text.size() && kStackChars.find(text[i + 1]) != std::string_view::npos) {
      escaped += text.substr(i, 2);
      ++i;
      continue;
    }
    escaped += '\\';
    escaped += c;
  }
  return escaped;
}

FcDimStyle::Rounded FcDimStyle::ScaleAndRound(bool alternate, double value) const {
  Rounded r;
  double increment = 0.0;
  if (alternate) {
    r.value = value * dimaltf * dimlfac;
    increment = dimaltrnd;
    r.precision = dimaltd;
    r.zeroBits = dimaltz;
  } else {
    r.value = value * dimlfac;
    increment = dimrnd;
    r.precision = dimdec;
    r.zeroBits = dimzin;
  }
  r.precision = ClampPrecision(r.precision);
  if (increment > 0.0 && std::isfinite(increment)) {
    const double steps = std::floor(r.value / increment + 0.5) * increment;
    if (std::isfinite(steps)) r.value = steps;
  }
  return r;
}

std::string FcDimStyle::Decimal(const Rounded& r, bool exact) const {
  const char separator = Separator();
  std::string text = Fixed(r.value, r.precision);
  if (separator != '.') ReplaceFirst(text, '.', separator);
  if ((r.zeroBits & 4) != 0) DropLeadingZeros(text);
  if ((r.zeroBits & 8) != 0 && text.find(separator) != std::string::npos) {
    text = StripTrailingZeros(text, separator);
  }
  if (text.empty() || (text.size() == 1 && text[0] == separator)) return "0";
  if (!exact && text.back() == separator) text.pop_back();
  return text;
}

std::string FcDimStyle::Scientific(const Rounded& r) const {
  std::array<char, kNumberRoom> buffer{};
  const double value = std::isfinite(r.value) ? r.value : 0.0;
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::scientific, ClampPrecision(r.precision));
  std::string text(buffer.data(), result.ptr);
  if (Separator() != '.') ReplaceFirst(text, '.', Separator());
  ReplaceFirst(text, 'e', 'E');
  return text;
}

std::string FcDimStyle::Stack(const std::string& upper, const std::string& lower, bool spaced) const {
  return "{\\H" + HeightFactor(dimtfac) + "x;\\S" + upper + (spaced ? "^ " : "^") + lower + ";}";
}

std::string FcDimStyle::FeetAndInches(const Rounded& r, bool architectural, bool exact) const {
  if (!std::isfinite(r.value)) return "0";
  const bool negative = r.value < 0.0;
  const double magnitude = std::fabs(r.value);
  double feet = std::floor(magnitude * (1.0 / 12.0));
  const double inches = magnitude - 12.0 * feet;
  auto feetText = [&] { return feet > 0.0 || (feet == 0.0 && ShowsZeroFeet(r.zeroBits)) ? Fixed(feet, 0) + "'" : ""; };
  std::string feetPart = feetText();
  std::string inchPart;
  const bool hasInches = inches > 0.0 || (inches == 0.0 && ShowsZeroInches(r.zeroBits));
  if (!architectural && hasInches) {
    inchPart = Decimal({inches, r.precision, r.zeroBits}, exact) + "\"";
  }
  if (architectural && hasInches) {
    FractionParts parts = SplitFraction(inches, r.precision);
    bool keepInches = true;
    if (std::fabs(parts.whole - 12.0) < 1e-7) {
      feet += 1.0;
      feetPart = feetText();
      parts.whole = 0.0;
      keepInches = ShowsZeroInches(r.zeroBits);
    }
    if (keepInches) {
      inchPart = Fixed(parts.whole, 0);
      if (parts.numerator != 0) {
        const std::string fraction = FractionText(parts.numerator, parts.denominator);
        if (exact || dimfrac == 2) {
          inchPart += " " + fraction;
        } else {
          inchPart += "{\\H" + HeightFactor(dimtfac) + "x;\\S" +
                      (dimfrac == 1 ? std::to_string(parts.numerator) + "#" + std::to_string(parts.denominator) : fraction) + ";}";
        }
      }
      inchPart += "\"";
    }
  }
  std::string text;
  if (architectural && feet == 0.0 && ((r.zeroBits & 3) == 0 || (r.zeroBits & 3) == 3)) {
    text = inchPart;
    DropLeadingZeros(text);
    if (text.empty() || text == "\"") text = "0\"";
  } else if (!feetPart.empty() && !inchPart.empty()) {
    text = feetPart + "-" + inchPart;
  } else {
    text = feetPart.empty() ? inchPart : feetPart;
  }
  return negative && !text.empty() ? "-" + text : text;
}

std::string FcDimStyle::Fraction(const Rounded& r, bool exact) const {
  if (!std::isfinite(r.value)) return "0";
  const std::string sign = r.value < 0.0 ? "-" : "";
  const double magnitude = std::fabs(r.value);
  if (r.precision <= 0) return sign + Fixed(std::floor(magnitude), 0);
  const FractionParts parts = SplitFraction(magnitude, r.precision);
  const bool whole = parts.whole != 0.0;
  std::string text = whole || !exact ? Fixed(parts.whole, 0) : "";
  if (parts.numerator != 0) {
    std::string fraction;
    if (exact || dimfrac == 2) {
      fraction = (whole ? " " : "") + FractionText(parts.numerator, parts.denominator);
    } else {
      const char bar = dimfrac == 1 ? '#' : '/';
      fraction = "{\\H" + HeightFactor(dimtfac) + "x;\\S" + std::to_string(parts.numerator) + bar +
                 std::to_string(parts.denominator) + ";}";
    }
    text = whole ? text + fraction : fraction;
  }
  if (text.empty()) text = "0";
  return sign + text;
}

std::string FcDimStyle::FormatDecimal(bool alternate, double value) const {
  return Decimal(ScaleAndRound(alternate, value), false);
}
std::string FcDimStyle::FormatEngineering(bool alternate, double value) const {
  return FeetAndInches(ScaleAndRound(alternate, value), false, false);
}
std::string FcDimStyle::FormatArchitectural(bool alternate, double value) const {
  return FeetAndInches(ScaleAndRound(alternate, value), true, false);
}
std::string FcDimStyle::FormatFractional(bool alternate, double value) const {
  return Fraction(ScaleAndRound(alternate, value), false);
}
std::string FcDimStyle::FormatScientific(bool alternate, double value) const {
  return Scientific(ScaleAndRound(alternate, value));
}

std::string FcDimStyle::FormatDecimalExact(double value, int precision, int zeroBits) const {
  return Decimal({value, ClampPrecision(precision), zeroBits}, true);
}
std::string FcDimStyle::FormatEngineeringExact(double value, int precision, int zeroBits) const {
  return FeetAndInches({value, ClampPrecision(precision), zeroBits}, false, true);
}
std::string FcDimStyle::FormatArchitecturalExact(double value, int precision, int zeroBits) const {
  return FeetAndInches({value, ClampPrecision(precision), zeroBits}, true, true);
}
std::string FcDimStyle::FormatFractionalExact(double value, int precision, int zeroBits) const {
  return Fraction({value, ClampPrecision(precision), zeroBits}, true);
}
std::string FcDimStyle::FormatScientificExact(double value, int precision, int zeroBits) const {
  return Scientific({value, ClampPrecision(precision), zeroBits});
}

std::string FcDimStyle::FormatByUnit(int unit, bool alternate, double value) const {
  switch (unit) {
    case 1: return FormatScientific(alternate, value);
    case 3: return FormatEngineering(alternate, value);
    case 4: return FormatArchitectural(alternate, value);
    case 5: return FormatFractional(alternate, value);
    default: return FormatDecimal(alternate, value);
  }
}

std::string FcDimStyle::FormatExactByUnit(int unit, double value, int precision, int zeroBits) const {
  switch (unit) {
    case 1: return FormatScientificExact(value, precision, zeroBits);
    case 3: return FormatEngineeringExact(value, precision, zeroBits);
    case 4: return FormatArchitecturalExact(value, precision, zeroBits);
    case 5: return FormatFractionalExact(value, precision, zeroBits);
    default: return FormatDecimalExact(value, precision, zeroBits);
  }
}

std::string FcDimStyle::FormatLimits(int unit, double value, int precision, int zeroBits) const {
  const std::string upper = EscapeStackChars(FormatExactByUnit(unit, value + dimtp, precision, zeroBits));
  const std::string lower = EscapeStackChars(FormatExactByUnit(unit, value - dimtm, precision, zeroBits));
  return Stack(upper, lower, false);
}

std::string FcDimStyle::FormatDistance(double value) const {
  if (dimlim != 1) return FormatByUnit(dimlunit, false, value);
  Rounded r = ScaleAndRound(false, value);
  return FormatLimits(dimlunit, r.value, r.precision, r.zeroBits);
}

std::string FcDimStyle::FormatAltDistance(double value) const {
  if (dimlim != 1) return FormatByUnit(dimaltu, true, value);
  Rounded r = ScaleAndRound(true, value);
  return FormatLimits(dimaltu, r.value, r.precision, r.zeroBits);
}

std::string FcDimStyle::FormatTolerance(int unit, double scale, int precision, int zeroBits) const {
  const double plus = dimtp * scale;
  const double minus = dimtm * scale;
  if (dimtp == dimtm) return "%%p" + FormatExactByUnit(unit, plus, precision, zeroBits);
  std::string upper = EscapeStackChars(FormatExactByUnit(unit, plus, precision, zeroBits));
  std::string lower = EscapeStackChars(FormatExactByUnit(unit, minus, precision, zeroBits));
  if (dimtp > 0.0) upper = "+" + upper;
  if (dimtm > 0.0) lower = "-" + lower;
  if (dimtm < 0.0 && !lower.empty()) lower[0] = '+';
  return Stack(upper, lower, true);
}

std::string FcDimStyle::FormatTolerance() const { return FormatTolerance(dimlunit, 1.0, dimtdec, dimtzin); }

std::string FcDimStyle::FormatAltTolerance() const { return FormatTolerance(dimaltu, dimaltf, dimalttd, dimalttz); }

std::string FcDimStyle::FixAngularText(std::string text) const {
  if (dimazin == 1 || dimazin == 3) DropLeadingZeros(text);
  if ((dimazin == 2 || dimazin == 3) && text.find('.') != std::string::npos) text = StripTrailingZeros(text, '.');
  if (Separator() != '.') ReplaceFirst(text, '.', Separator());
  if (dimaunit == 0) text += "%%d";
  if (dimaunit == 2) text += "g";
  if (dimaunit == 3) text += "r";
  return text;
}

std::string FcDimStyle::FormatAngularTolerance() const {
  if (dimtp == dimtm) return "%%p" + FixAngularText(FormatAngle(ClampPrecision(dimadec), dimtp, dimaunit));
  auto deviation = [this](double value) {
    if (dimaunit != 1) return Fixed(value, dimtdec);
    const DegreesMinutesSeconds dms = SplitDegrees(std::fabs(value));
    std::string text = (value < 0.0 ? "-" : "") + std::to_string(dms.degrees) + "d";
    if (dimtdec > 0) text += std::to_string(dms.minutes) + "'";
    if (dimtdec > 1) text += Fixed(dms.seconds, dimtdec - 2) + "\"";
    return text;
  };
  std::string upper = EscapeStackChars(FixAngularText(deviation(dimtp)));
  std::string lower = EscapeStackChars(FixAngularText(deviation(dimtm)));
  if (dimtp > 0.0) upper = "+" + upper;
  if (dimtm > 0.0) lower = "-" + lower;
  if (dimtm < 0.0 && !lower.empty()) lower[0] = '+';
  return Stack(upper, lower, dimaunit != 0);
}

std::string FcDimStyle::ApplyPrefixSuffix(bool alternate, const std::string& value) const {
  const std::string post = alternate ? dimapost.str() : dimpost.str();
  const char open = alternate ? '[' : '<';
  const char close = alternate ? ']' : '>';
  std::string prefix;
  std::string suffix;
  bool afterMarker = false;
  for (std::size_t i = 0; i < post.size(); ++i) {
    if (!alternate && i + 2 == post.size() && post[i] == '\\' && (post[i + 1] == 'X' || post[i + 1] == 'x')) break;
    const char c = post[i];
    if (c == open || c == close) {
      afterMarker = true;
      continue;
    }
    (afterMarker ? suffix : prefix) += c;
  }
  return prefix + value + suffix;
}
