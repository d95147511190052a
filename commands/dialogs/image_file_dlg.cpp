#include "commands/dialogs/image_file_dlg.h"

bool BrowseImageFile(std::string& path) {
  CImageFileDlg dialog;
  dialog.m_strPath = path;
  if (RunModalDialog(dialog) != CModalDialog::kOk || dialog.m_strPath.empty()) return false;
  path = dialog.m_strPath;
  return true;
}
