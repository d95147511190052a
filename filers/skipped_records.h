#pragma once

#include <map>
#include <string>

// Records a reader passed over because the program has no class for them,
// counted by record name (the upper-case DXF name, for DWG records too).
using FcSkippedRecords = std::map<std::string, int>;
