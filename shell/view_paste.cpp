#include <algorithm>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "shell/view_core.h"

void CChildView::PasteText(std::string_view text) {
  for (const char ch : text) {
    if (ch == '\r' || ch == '\n' || ch == '\0') return;
    if (ch == ' ' && !(requestOpen_ && request_.blankIsText != 0)) return;
    OnChar(ch);
  }
}

void CChildView::PasteClipboardText() {
  if (!CanPasteText()) return;
  std::vector<char> bytes;
  if (!GetClipboardData(kTextClipboardFormat, bytes)) return;
  PasteText(std::string_view(bytes.data(), bytes.size()));
}

bool CChildView::CanPasteText() {
  if (CommandRuns() && !requestOpen_) return false;
  std::vector<std::string> formats;
  return GetClipboardFormats(formats) && std::ranges::find(formats, kTextClipboardFormat) != formats.end();
}
