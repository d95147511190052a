#include "commands/dialogs/att_edt_dlg.h"

#include "commands/dialogs/attribute_tag.h"

std::string CAttEdtDlg::TagNote() const { return AttributeTagNote(m_strTag); }

bool CAttEdtDlg::OnOK(FcTextStyle* chosen, std::string& message) {
  if (m_dHeight < 0.0 || m_dWidthFactor < 0.0) {
    message = "The height and width factor must be greater than 0.0!";
    return false;
  }
  message.clear();
  m_pStyle = chosen;
  return true;
}
