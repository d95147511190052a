#include "commands/draw/draw_settings.h"

#include <mutex>

namespace {

// Every drawing's command thread and the window thread reach them.
std::mutex& SettingsLock() {
  static std::mutex lock;
  return lock;
}

DrawCommandSettings& Settings() {
  static DrawCommandSettings settings;
  return settings;
}

}  // namespace

DrawCommandSettings GetDrawCommandSettings() {
  std::lock_guard<std::mutex> guard(SettingsLock());
  return Settings();
}

void SetDrawCommandSettings(const DrawCommandSettings& settings) {
  std::lock_guard<std::mutex> guard(SettingsLock());
  Settings() = settings;
}
