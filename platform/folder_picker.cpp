#include "platform/folder_picker.h"

#include <mutex>
#include <utility>

#include "platform/file_system.h"

namespace {

std::mutex g_mutex;
FolderPicker g_picker;

}  // namespace

void SetFolderPicker(FolderPicker picker) {
  std::lock_guard lock(g_mutex);
  g_picker = std::move(picker);
}

bool BrowseForFolder(const std::string& title, std::string& path) {
  if (!DirectoryExists(path)) path.clear();
  FolderPicker picker;
  {
    std::lock_guard lock(g_mutex);
    picker = g_picker;
  }
  if (!picker) return false;
  std::optional<std::string> chosen = picker(title, path);
  if (!chosen || chosen->empty()) return false;
  path = std::move(*chosen);
  return true;
}
