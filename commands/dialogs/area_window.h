#pragma once

#include "core/point2d.h"

// The window of a dialog's area code (1 display, 2 window, 3 extents,
// 4 limits), for the dialogs that put a part of the drawing out.
template <typename Dialog>
FcPoint2d* AreaWindow(Dialog& dialog, int area) {
  switch (area) {
    case 2:
      return dialog.m_ptWindow;
    case 3:
      return dialog.m_ptExtents;
    case 4:
      return dialog.m_ptLimits;
    default:
      return dialog.m_ptDisplay;
  }
}
