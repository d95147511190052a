#include "commands/dialogs/mtext_dlg.h"

#include <algorithm>
#include <cctype>

#include "commands/dialogs/table_lists.h"
#include "database/graph.h"

namespace {

// Every line break the editor may hand back becomes CR LF.
std::string CrLfLines(std::string_view lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] != '\r' && lines[i] != '\n') {
      text += lines[i];
      continue;
    }
    if (lines[i] == '\r' && i + 1 < lines.size() && lines[i + 1] == '\n') ++i;
    text += "\r\n";
  }
  return text;
}

// The name of the entry chosen, or the name given when none is.
void TakeEntry(const std::vector<std::string>& entries, int chosen, std::string& name) {
  if (chosen < 0 || chosen >= static_cast<int>(entries.size())) return;
  name = entries[static_cast<std::size_t>(chosen)];
}

}  // namespace

std::vector<std::string> CMTextDlg::StyleNames() const {
  return m_pGraph != nullptr ? SortedTextStyleNames(*m_pGraph) : std::vector<std::string>();
}

std::vector<std::string> CMTextDlg::LayerNames() const {
  return m_pGraph != nullptr ? SortedLayerNames(*m_pGraph) : std::vector<std::string>();
}

int CMTextDlg::EntryBeginningWith(const std::vector<std::string>& entries, std::string_view name) {
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (StartsWithNoCase(entries[i], name)) return static_cast<int>(i);
  return -1;
}

void CMTextDlg::OnOK(std::string_view lines, double height, int style, int layer, short color) {
  m_strText = CrLfLines(lines);
  // Without properties the height box cannot change, and the caller's
  // height must come back exactly, not as the box rounded it.
  if (m_bProperties == 0) return;
  m_dHeight = height;
  TakeEntry(StyleNames(), style, m_strStyle);
  TakeEntry(LayerNames(), layer, m_strLayer);
  m_nColor = color;
}
