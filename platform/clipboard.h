#pragma once

#include <functional>
#include <string>
#include <vector>

// The process-wide clipboard, as byte blocks under format names. The
// window installs the desktop's clipboard; without one (headless runs)
// nothing can be put or taken. Every call holds the clipboard lock, so the
// command threads of several drawings take turns; none holds it while the
// user is asked anything.

// The program's own format: a drawing holding one block, as binary DXF
// without the file sentinel.
inline constexpr const char* kDrawingClipboardFormat = "KOVRA_DXF_BLOCK_FILE_CLIPBOARD_FORMAT";
// Plain text, as UTF-8 bytes.
inline constexpr const char* kTextClipboardFormat = "text/plain";

struct ClipboardAccess {
  // Replaces the clipboard's contents with the bytes under the format;
  // false when the clipboard cannot be opened.
  std::function<bool(const std::string& format, const std::vector<char>& bytes)> put;
  // The formats the clipboard holds, in its own order; false when it
  // cannot be opened.
  std::function<bool(std::vector<std::string>& formats)> formats;
  // The bytes under the format; false when it cannot be opened or holds
  // nothing of that format.
  std::function<bool(const std::string& format, std::vector<char>& bytes)> get;
};

// Installs the access (an empty one removes it).
void SetClipboardAccess(ClipboardAccess access);

bool PutClipboardData(const std::string& format, const std::vector<char>& bytes);
bool GetClipboardFormats(std::vector<std::string>& formats);
// False also for an empty block: there is nothing to take.
bool GetClipboardData(const std::string& format, std::vector<char>& bytes);
