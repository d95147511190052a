#include "core/angle_parse.h"

#include <cmath>
#include <string>

#include "core/point2d.h"
#include "core/value_parse.h"

namespace {

std::string UpperCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return result;
}

// Degrees before "D", minutes before "'", seconds before "\"", each part
// after "D" optional. The mark of the last part may be left out, as a
// drafter types "45d30" for 45 degrees 30 minutes: a number after "D" is
// minutes, after "'" seconds.
bool ParseDegreesMinutesSeconds(std::string_view text, std::size_t d, double& degrees) {
  double whole = 0.0;
  double minutes = 0.0;
  double seconds = 0.0;
  if (!ParseReal(text.substr(0, d), whole)) return false;
  std::string_view rest = text.substr(d + 1);
  const std::size_t minute_mark = rest.find('\'');
  if (minute_mark != std::string_view::npos) {
    if (!ParseReal(rest.substr(0, minute_mark), minutes)) return false;
    rest.remove_prefix(minute_mark + 1);
  }
  const std::size_t second_mark = rest.find('"');
  if (second_mark != std::string_view::npos) {
    if (!ParseReal(rest.substr(0, second_mark), seconds)) return false;
    rest.remove_prefix(second_mark + 1);
  }
  if (!rest.empty()) {
    // A bare number is the unit after the last mark; seconds end the list.
    if (second_mark != std::string_view::npos) return false;
    double& unmarked = minute_mark == std::string_view::npos ? minutes : seconds;
    if (!ParseReal(rest, unmarked)) return false;
  }
  // A second is 1/3600 of a degree, as SplitDegrees has it. The sign of the
  // degrees applies to the minutes and seconds too: "-45d30'" is -45.5.
  const double fraction = seconds * 0.0002777777777777778 + minutes * 0.016666666666666666;
  const std::size_t first = text.find_first_not_of(" \t\n\v\f\r");
  const bool negative = first != std::string_view::npos && text[first] == '-';
  degrees = negative ? whole - fraction : whole + fraction;
  return true;
}

double BearingToRadians(char from, char towards, double degrees) {
  if (from == 'N') {
    return towards == 'E' ? kHalfPi - degrees * kPi * 0.005555555555555556
                          : kHalfPi + degrees * kPi * 0.005555555555555556;
  }
  return towards == 'E' ? (degrees * 0.005555555555555556 + 1.0) * kPi + kHalfPi
                        : (kPi + kHalfPi) - kPi * degrees * 0.005555555555555556;
}

}  // namespace

bool ParseAngle(std::string_view text, double& value, int& unit_code) {
  std::string angle = UpperCase(text);
  char from = 0;
  char towards = 0;
  if (!angle.empty() && (angle.front() == 'N' || angle.front() == 'S')) {
    from = angle.front();
    angle.erase(0, 1);
    if (angle.empty()) {
      value = from == 'N' ? kHalfPi : kPi + kHalfPi;
      unit_code = 3;
      return true;
    }
    towards = angle.back();
    if (towards != 'E' && towards != 'W') return false;
    angle.pop_back();
  }

  double parsed = 0.0;
  int code = -1;
  const std::size_t d = angle.find('D');
  if (d != std::string::npos) {
    if (!ParseDegreesMinutesSeconds(angle, d, parsed)) return false;
    code = 1;
    if (from != 0) {
      if (parsed < 0.0 || parsed > 90.0) return false;
      parsed = BearingToRadians(from, towards, parsed);
      code = 3;
    }
  } else {
    if (from != 0) return false;
    if (!angle.empty() && angle.back() == 'R') {
      code = 3;
      angle.pop_back();
    } else if (!angle.empty() && angle.back() == 'G') {
      code = 2;
      angle.pop_back();
    }
    if (!ParseReal(angle, parsed)) return false;
  }
  if (!std::isfinite(parsed)) return false;
  value = parsed;
  unit_code = code;
  return true;
}

int AngleToRadians(double value, int unit_code, double& radians) {
  switch (unit_code) {
    case 0:
    case 1:
      radians = value * kPi * 0.005555555555555556;
      break;
    case 2:
      radians = kTwoPi * value * 0.0025;
      break;
    case 3:
    case 4:
      radians = value;
      break;
    default:
      break;
  }
  return unit_code;
}
