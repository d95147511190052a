#pragma once

#include <string>

inline constexpr const char* kLinetypeFile = "kovra.lin";

// The program's own linetype file, beside the program or in its Support
// folder, where the program's other data files are. False when there is
// none.
bool FindProgramLinetypeFile(std::string& path);
