#include "core/angle_format.h"

#include <cmath>

#include "core/floor_to_int.h"
#include "core/geometry_basics.h"
#include "core/value_format.h"

namespace {

std::string FormatDegreesMinutesSeconds(int precision, double degrees) {
  const DegreesMinutesSeconds parts = SplitDegrees(degrees);
  std::string text = IntToString(parts.degrees) + "d";
  if (precision >= 1) text += IntToString(parts.minutes) + "'";
  if (precision >= 2) text += FormatDecimal(precision - 2, parts.seconds) + "\"";
  return text;
}

// Surveyor's units: the deviation from north or south towards east or west.
std::string FormatBearing(int precision, double angle) {
  const double south = kHalfPi + kPi;
  if (angle == kHalfPi) return "N";
  if (angle == south) return "S";
  const bool north = angle >= 0.0 && angle <= kPi;
  const double deviation = north ? std::fabs(angle - kHalfPi) : std::fabs(angle - south);
  const bool east = angle >= south || angle <= kHalfPi;
  return (north ? "N" : "S") + FormatDegreesMinutesSeconds(precision, deviation / kPi * 180.0) +
         (east ? "E" : "W");
}

}  // namespace

DegreesMinutesSeconds SplitDegrees(double degrees) {
  DegreesMinutesSeconds parts;
  parts.degrees = FloorToInt(degrees);
  parts.minutes = FloorToInt((degrees - parts.degrees) * 60.0);
  parts.seconds = (degrees - parts.degrees - parts.minutes * 0.016666666666666666) * 3600.0;
  return parts;
}

std::string FormatAngle(int precision, double angle, int unit_type) {
  NormalizeAngle(angle);
  switch (unit_type) {
    case 1:
      return FormatDegreesMinutesSeconds(precision, angle / kPi * 180.0);
    case 2:
      return FormatDecimal(precision, angle / kTwoPi * 400.0);
    case 3:
      return FormatDecimal(precision, angle);
    default:
      break;
  }
  if (unit_type >= 4) return FormatBearing(precision, angle);
  return FormatDecimal(precision, angle / kPi * 180.0);
}
