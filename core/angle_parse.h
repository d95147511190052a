#pragma once

#include <string_view>

// Reading of the angles the user types.

// True when the text is an angle in any angle form. The unit code says how
// the value is to be converted: -1 no unit marker (the caller applies
// AUNITS), 1 degrees ("45d30'15\""), 2 grads ("100g"), 3 radians ("1.2r",
// and bearings such as "N45dE", which are converted to radians here).
// The mark of the last part after "d" may be left out ("45d30" is 45.5
// degrees), and the sign of the degrees covers minutes and seconds.
// Bearings beyond 0..90 degrees, empty text and anything after the seconds
// are refused.
bool ParseAngle(std::string_view text, double& value, int& unit_code);

// Converts a value of the given unit code to radians: 0 and 1 degrees,
// 2 grads, 3 and 4 unchanged; any other code leaves `radians` untouched.
// Returns the code.
int AngleToRadians(double value, int unit_code, double& radians);
