#include "commands/dialogs/linetype_sel_dlg.h"

#include "commands/dialogs/linetype_table_copy.h"
#include "database/linetype.h"

std::vector<int> CLinetypeSelDlg::Rows() const {
  std::vector<int> rows;
  if (m_pTable == nullptr) return rows;
  for (int i = 0; i < m_pTable->GetCount(); ++i) {
    if (!IsLinetypeMarkerName(m_pTable->GetAt(i).GetName())) rows.push_back(i);
  }
  return rows;
}
