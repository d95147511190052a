#pragma once

#include <string>

#include "shell/modal_dialog.h"

class FcGraph;

// "Select Block": one of the drawing's named blocks, picked from a list
// that takes no typing.
class CSelectBlkDlg : public CModalDialog {
 public:
  FcGraph* m_pGraph = nullptr;
  // In: the name to select at first; out: the chosen one.
  std::string m_strName;

  // OK with the list's selection (empty when nothing is selected): the end
  // code, Cancel when there is nothing to choose.
  int OnOK(const std::string& selected);
};
