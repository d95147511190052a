#include "commands/dialogs/att_def_dlg.h"

#include "database/graph.h"
#include "database/text_style.h"

void CAttDefDlg::OnInitDialog() {
  if (m_pGraph == nullptr) return;
  if (const FcTextStyle* style = m_pGraph->GetCurrentTextStyle()) m_strStyle = style->GetName();
}

std::string CAttDefDlg::TagNote() const {
  if (m_strTag.empty()) return "Null Tag not allowed!";
  if (m_strTag.find(' ') != std::string::npos) return "Invalid blank is in Tag!";
  return {};
}
