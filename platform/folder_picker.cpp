#include "platform/folder_picker.h"

#include <utility>

#include "platform/file_system.h"
#include "platform/installed_hook.h"

namespace {

InstalledHook<FolderPicker> g_picker;

}  // namespace

void SetFolderPicker(FolderPicker picker) { g_picker.Set(std::move(picker)); }

bool BrowseForFolder(const std::string& title, std::string& path) {
  if (!DirectoryExists(path)) path.clear();
  const FolderPicker picker = g_picker.Get();
  if (!picker) return false;
  std::optional<std::string> chosen = picker(title, path);
  if (!chosen || chosen->empty()) return false;
  path = std::move(*chosen);
  return true;
}
