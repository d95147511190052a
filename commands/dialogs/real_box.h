#pragma once

#include <string>
#include <string_view>

// A real number in a dialog's edit box: written in the shortest form that
// reads back to the same value, with the program's decimal separator, and
// read back with the same rules as typed numbers.
std::string RealBoxText(double value);
// False, leaving value, for a box that holds no number.
bool ReadRealBox(std::string_view text, double& value);
