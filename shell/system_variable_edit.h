#pragma once

#include <string>

// Shows the current drawing's variable of that name (given in upper case)
// and, unless it is read-only, asks for a new value and stores it.
// False when the drawing knows no such variable; true otherwise, whatever
// the user answered.
bool EditSystemVariable(const std::string& upperName);
