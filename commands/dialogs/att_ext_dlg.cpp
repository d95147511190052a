#include "commands/dialogs/att_ext_dlg.h"

#include "platform/file_system.h"

bool CAttExtDlg::OnOK(const std::function<bool()>& overwrite) const {
  if (!FileExists(m_strOutputFile)) return true;
  return overwrite && overwrite();
}
