#include "commands/dialogs/dialog_settings.h"

#include <QSettings>
#include <mutex>

#include "platform/qt/program_settings_store.h"

namespace {

std::mutex& FileMutex() {
  static std::mutex mutex;
  return mutex;
}

std::string& FileName() {
  static std::string name;
  return name;
}

}  // namespace

void SetDialogSettingsFile(const std::string& iniPath) {
  const std::lock_guard lock(FileMutex());
  FileName() = iniPath;
}

std::unique_ptr<QSettings> OpenDialogSettings() {
  std::string path;
  {
    const std::lock_guard lock(FileMutex());
    path = FileName();
  }
  return OpenSettingsStore(path);
}
