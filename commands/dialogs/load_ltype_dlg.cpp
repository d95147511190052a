#include "commands/dialogs/load_ltype_dlg.h"

#include <algorithm>

#include "commands/dialogs/linetype_table_copy.h"
#include "commands/settings/linetype_file.h"
#include "platform/file_system.h"
#include "platform/program_settings.h"

void CLoadLTypeDlg::ReadProgramFile() {
  std::string path;
  if (FindProgramLinetypeFile(path) || FindFileInPathList(GetProgramSettings().search_path, &path, kLinetypeFile))
    ReadFile(path);
}

void CLoadLTypeDlg::ReadFile(const std::string& path) {
  m_strPath = path;
  m_loaded.LoadFromFile(path);
  m_selected.assign(static_cast<std::size_t>(m_loaded.GetCount()), false);
}

bool CLoadLTypeDlg::AnySelected() const { return std::ranges::find(m_selected, true) != m_selected.end(); }

std::string CLoadLTypeDlg::ReloadQuestion(const std::string& name) {
  return "Linetype " + name + " is already loaded. Reload it?";
}

void CLoadLTypeDlg::LoadSelected(const AskReload& ask) {
  if (m_pTable == nullptr) return;
  enum class Mode { kAsk, kReloadAll, kSkipAll } mode = Mode::kAsk;
  for (int row = 0; row < m_loaded.GetCount() && row < static_cast<int>(m_selected.size()); ++row) {
    if (!m_selected[static_cast<std::size_t>(row)]) continue;
    const FcLineType& loaded = *m_loaded.GetAt(row);
    const int existing = m_pTable->FindByName(loaded.GetName());
    if (existing < 0) {
      m_pTable->Append(loaded);
      continue;
    }
    Reload answer = mode == Mode::kReloadAll ? Reload::kYes : mode == Mode::kSkipAll ? Reload::kNo : ask(loaded.GetName());
    if (answer == Reload::kCancel) return;
    if (answer == Reload::kYesToAll) mode = Mode::kReloadAll;
    if (answer == Reload::kNoToAll) mode = Mode::kSkipAll;
    if (answer == Reload::kYes || answer == Reload::kYesToAll) m_pTable->Reload(existing, loaded);
  }
}
