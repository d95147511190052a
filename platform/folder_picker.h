#pragma once

#include <functional>
#include <optional>
#include <string>

// Asks the user for a folder. The window installs the picker; without one
// (headless runs) nothing can be chosen.
using FolderPicker = std::function<std::optional<std::string>(const std::string& title, const std::string& start)>;

// Installs the picker (an empty one removes it).
void SetFolderPicker(FolderPicker picker);

// Shows the picker titled title, starting at path when that names an
// existing directory (path is emptied otherwise); true with the chosen
// folder in path when the user picked one, false (path as emptied or left)
// when cancelled. Any thread may call it: the picker brings itself onto the
// window thread.
bool BrowseForFolder(const std::string& title, std::string& path);
