#pragma once

#include "core/point2d.h"
#include "shell/modal_dialog.h"

// The print preview's data: the print as the print dialog set it up, in
// printer pixels. The preview changes nothing.
class CPreviewDlg : public CModalDialog {
 public:
  FcPoint2d m_ptWindow[2];
  double m_dScale = 0.0;
  short m_nColorMode = 0;
  int m_nOffsetX = 0;
  int m_nOffsetY = 0;
  short m_nRotation = 0;
  int m_nPhysWidth = 0;
  int m_nPhysHeight = 0;
  int m_nPrintWidth = 0;
  int m_nPrintHeight = 0;
  int m_nPhysOffsetX = 0;
  int m_nPhysOffsetY = 0;
};
