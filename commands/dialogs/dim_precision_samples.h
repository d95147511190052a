#pragma once

#include <string>
#include <vector>

// The nine entries of a precision list, the position being the precision,
// built with the decimal separator the user sees. A unit format outside the
// list gives the decimal samples.
std::vector<std::string> PrecisionSamples(int unitFormat, char separator);
// The same for the angle formats: decimal degrees, degrees/minutes/seconds,
// gradians, radians.
std::vector<std::string> AnglePrecisionSamples(int angleFormat, char separator);
