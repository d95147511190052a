#pragma once

#include <string>

// Creates a new, empty file with a unique name that starts with the prefix,
// in the folder, or in the system's temporary folder when the folder is
// empty. Returns its path, or an empty string when no file could be made.
// Snapshots and safe saves write into it; the caller removes it.
std::string CreateTempFile(const std::string& prefix, const std::string& folder = {});

// Removes a file made by CreateTempFile; false when it could not be removed.
bool RemoveTempFile(const std::string& path);
