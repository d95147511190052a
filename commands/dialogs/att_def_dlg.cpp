#include "commands/dialogs/att_def_dlg.h"

#include "commands/dialogs/attribute_tag.h"
#include "database/graph.h"
#include "database/text_style.h"

void CAttDefDlg::OnInitDialog() {
  if (m_pGraph == nullptr) return;
  if (const FcTextStyle* style = m_pGraph->GetCurrentTextStyle()) m_strStyle = style->GetName();
}

std::string CAttDefDlg::TagNote() const { return AttributeTagNote(m_strTag); }
