#pragma once

#include <string>

// Shows the current drawing's variable of that name (given in upper case)
// and, unless it is read-only, asks for a new value and stores it.
// kGetVarUnknownName (database/system_var.h) when the drawing knows no such
// variable; kStatusDone otherwise, whatever the user answered.
int EditSystemVariable(const std::string& upperName);
