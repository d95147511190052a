#pragma once

#include <string_view>

// The drawing's angle settings that a typed polar point depends on, filled
// by the caller from the system variables of the same names.
struct UnitSettings {
  int aunits = 0;        // angle unit type applied to an angle without a unit marker
  double angbase = 0.0;  // direction of angle 0, in radians
  int angdir = 0;        // 1 when angles run clockwise
};

// Reads a typed point: "x<list separator>y" or "distance<angle", either
// preceded by "@" for a point relative to the last one. Returns 2 for a
// relative point, 1 for an absolute one and 0 when the text is no point;
// x and y are written only for a point.
int ParsePointText(std::string_view text, double& x, double& y, const UnitSettings& units);
