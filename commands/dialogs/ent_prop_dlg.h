#pragma once

#include <string>

#include "shell/modal_dialog.h"

class FcGraph;

// What the entity and dimension property dialogs share: the layer, colour,
// linetype and linetype scale they offer, filled from the drawing's tables
// and read back by the caller, which applies them after OK.
class CPropertyChoiceDlg : public CModalDialog {
 public:
  FcGraph* m_pGraph = nullptr;
  // 0 ByBlock, 1 to 255, 256 ByLayer.
  int m_nColor = 256;
  std::string m_strLayer;
  // "ByLayer", "ByBlock" or a linetype's name.
  std::string m_strLinetype = "ByLayer";
  double m_dLtScale = 1.0;
};

// The properties of new entities ("ddemodes") or of selected ones.
class CEntPropDlg : public CPropertyChoiceDlg {
 public:
  std::string m_strCaption = "Object Creation Modes";
};

// The properties and the dimension style of one dimension.
class CDimPropDlg : public CPropertyChoiceDlg {
 public:
  std::string m_strDimStyle;
};
