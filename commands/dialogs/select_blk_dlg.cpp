#include "commands/dialogs/select_blk_dlg.h"

int CSelectBlkDlg::OnOK(const std::string& selected) {
  if (selected.empty()) return kCancel;
  m_strName = selected;
  return kOk;
}
