#include "platform/clipboard.h"

#include <mutex>
#include <utility>

#include "platform/installed_hook.h"

namespace {

InstalledHook<ClipboardAccess> g_access;
// Serialises the transfers of all command threads.
std::mutex g_clipboardLock;

}  // namespace

void SetClipboardAccess(ClipboardAccess access) { g_access.Set(std::move(access)); }

bool PutClipboardData(const std::string& format, const std::vector<char>& bytes) {
  const ClipboardAccess access = g_access.Get();
  if (!access.put) return false;
  std::lock_guard lock(g_clipboardLock);
  return access.put(format, bytes);
}

bool GetClipboardFormats(std::vector<std::string>& formats) {
  formats.clear();
  const ClipboardAccess access = g_access.Get();
  if (!access.formats) return false;
  std::lock_guard lock(g_clipboardLock);
  return access.formats(formats);
}

bool GetClipboardData(const std::string& format, std::vector<char>& bytes) {
  bytes.clear();
  const ClipboardAccess access = g_access.Get();
  if (!access.get) return false;
  std::lock_guard lock(g_clipboardLock);
  return access.get(format, bytes) && !bytes.empty();
}
