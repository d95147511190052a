#pragma once

#include <string>

#include "shell/modal_dialog.h"

class FcGraph;
class FcTextStyle;
class FcTextStyleList;

// The properties of one line of text ("Change Text"): its text, style,
// height, width factor, oblique angle (degrees), layer and colour.
class CInputTextDlg : public CModalDialog {
 public:
  static constexpr const char* kNegativeRefused = "The height and width factor must be greater than 0.0!";

  std::string m_strText;
  double m_dHeight = 0.0;
  double m_dObliqueAngle = 0.0;
  double m_dWidthFactor = 0.0;
  // The styles offered, and the one chosen: null after OK when none was.
  FcTextStyleList* m_pStyleList = nullptr;
  FcTextStyle* m_pTextStyle = nullptr;
  FcGraph* m_pGraph = nullptr;
  // 0 ByBlock, 1 to 255, 256 ByLayer.
  short m_nColor = 256;
  std::string m_strLayer;

  // A height of 0 is taken (the caller gives it a meaning of its own); a
  // negative height or width factor is not. The oblique angle is free.
  static bool SizesAccepted(double height, double widthFactor) { return height >= 0.0 && widthFactor >= 0.0; }
};
