#include "commands/dialogs/open_dwg_dlg.h"

#include <algorithm>

#include "files/file_preview.h"

void COpenDwgDlg::ClearPreview() {
  m_dib.Free();
  m_bPreview = false;
  m_nImageWidth = m_nImageHeight = m_nImageX = m_nImageY = 0;
}

void COpenDwgDlg::SelectFile(const std::string& path, int boxWidth, int boxHeight) {
  ClearPreview();
  if (boxWidth <= 0 || boxHeight <= 0 || !ReadFilePreview(path, m_dib)) return;
  int width = m_dib.GetWidth();
  int height = m_dib.GetHeight();
  int x = (boxWidth - width) / 2;
  int y = (boxHeight - height) / 2;
  if (width > boxWidth || height > boxHeight) {
    const double widthRatio = static_cast<double>(boxWidth) / width;
    const double heightRatio = static_cast<double>(boxHeight) / height;
    // A picture much longer than wide would otherwise shrink to no pixels
    // across, which no picture can have.
    if (widthRatio < heightRatio) {
      height = std::max(1, static_cast<int>(height * widthRatio));
      width = boxWidth;
      x = 0;
      y = (boxHeight - height) / 2;
    } else {
      width = std::max(1, static_cast<int>(width * heightRatio));
      height = boxHeight;
      x = (boxWidth - width) / 2;
      y = 0;
    }
  }
  // The box paints 24-bit pictures; converting after the reduction keeps
  // the work to the pixels shown.
  if (!m_dib.Scale(width, height) || !m_dib.ConvertBitCount(24)) {
    ClearPreview();
    return;
  }
  m_bPreview = true;
  m_nImageWidth = width;
  m_nImageHeight = height;
  m_nImageX = x;
  m_nImageY = y;
}

bool BrowseImageFile(std::string& path) {
  COpenDwgDlg dialog;
  dialog.m_strFilter = COpenDwgDlg::kImageFilter;
  dialog.m_strDefExt = "bmp";
  dialog.m_strFileName = path;
  if (RunModalDialog(dialog) != CModalDialog::kOk || dialog.m_strPathName.empty()) return false;
  path = dialog.m_strPathName;
  return true;
}
