#pragma once

#include <string>

#include "shell/modal_dialog.h"

// One line of text asked under a prompt ("Input Text").
class CInputStrDlg : public CModalDialog {
 public:
  std::string m_strText;
  std::string m_strPrompt;
};
