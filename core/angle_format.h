#pragma once

#include <string>

// Text of the angles the user sees, with the program's decimal separator.

struct DegreesMinutesSeconds {
  int degrees = 0;
  int minutes = 0;
  double seconds = 0.0;
};

// Whole degrees, whole minutes and the remaining seconds of decimal degrees.
DegreesMinutesSeconds SplitDegrees(double degrees);

// An angle in radians, normalised first, by angle unit type (AUNITS):
// 0 decimal degrees, 1 degrees/minutes/seconds ("45d0'0.00\""), 2 grads,
// 3 radians, 4 and above surveyor's bearings ("N45d0'E"); others decimal
// degrees. The precision (AUPREC) counts decimals, or for the degree forms
// the parts shown: minutes from 1, seconds with precision - 2 decimals from 2.
std::string FormatAngle(int precision, double angle, int unit_type);
