#pragma once

#include "commands/dialogs/preview_dlg.h"

// A letter sheet at 600 pixels per inch, 8 by 10.5 inches printable, as the
// recording printer has it.
inline void LetterSheet(CPreviewDlg& preview) {
  preview.m_nPhysWidth = 5100;
  preview.m_nPhysHeight = 6600;
  preview.m_nPrintWidth = 4800;
  preview.m_nPrintHeight = 6300;
  preview.m_nPhysOffsetX = 150;
  preview.m_nPhysOffsetY = 150;
  preview.m_nPixelsPerInchX = 600;
}
