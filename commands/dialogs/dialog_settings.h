#pragma once

#include <memory>
#include <string>

class QSettings;

// The store the dialogs remember their choices in: the program's settings
// file, or the file named here (tests keep their own). Each call opens its
// own handle, so a dialog may read on one thread what it wrote on another.
void SetDialogSettingsFile(const std::string& iniPath);
std::unique_ptr<QSettings> OpenDialogSettings();
