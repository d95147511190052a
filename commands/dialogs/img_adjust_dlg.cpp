#include "commands/dialogs/img_adjust_dlg.h"

void CImgAdjustDlg::Reset() {
  m_nBrightness = kDefaultBrightness;
  m_nContrast = kDefaultContrast;
  m_nFade = kDefaultFade;
  m_bShowImage = 1;
}

bool CImgAdjustDlg::MakePreview(CDib& preview) const {
  preview.Free();
  if (m_dibOriginal.IsEmpty() || !preview.CopyFrom(m_dibOriginal)) return false;
  return preview.AdjustImage(m_nBrightness, m_nContrast, m_nFade, m_crBackground);
}
