#pragma once

#include <string>

#include "commands/dialogs/dialog_settings.h"
#include "tests/support/temp_dir.h"

// The dialogs remember their choices in a settings file of the test's own,
// removed when the test ends.
class DialogSettingsScope {
 public:
  DialogSettingsScope() { SetDialogSettingsFile(File()); }
  ~DialogSettingsScope() { SetDialogSettingsFile({}); }
  DialogSettingsScope(const DialogSettingsScope&) = delete;
  DialogSettingsScope& operator=(const DialogSettingsScope&) = delete;

  std::string File() const { return dir_.path() + "kovra.ini"; }

 private:
  TempDir dir_;
};
