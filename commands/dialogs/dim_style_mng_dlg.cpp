#include "commands/dialogs/dim_style_mng_dlg.h"

#include "commands/dialogs/table_lists.h"
#include "database/dim_style.h"
#include "database/graph.h"

void CDimStyleMngDlg::OnInitDialog() {
  if (m_pGraph == nullptr) return;
  m_names = SortedDimStyleNames(*m_pGraph);
  const FcDimStyle* current = m_pGraph->GetCurrentDimStyle();
  const std::string currentName = current != nullptr ? current->GetName() : std::string();
  m_strCurrent = "Current Dimension Style : " + currentName;
  int selected = FindListEntry(m_names, m_strSelected);
  if (selected < 0) selected = FindListEntry(m_names, currentName);
  Select(selected >= 0 ? m_names[static_cast<std::size_t>(selected)] : std::string());
}

void CDimStyleMngDlg::Select(const std::string& name) {
  m_strSelected = name;
  const FcDimStyle* style = m_pGraph != nullptr && !name.empty() ? m_pGraph->GetDimStyleList().Find(name) : nullptr;
  m_bSample = style != nullptr;
  if (style != nullptr) m_sampleVars = *style;
}
