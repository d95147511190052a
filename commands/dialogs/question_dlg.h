#pragma once

#include <string>

#include "shell/modal_dialog.h"

// A question in a message box with Yes and No buttons, No the default.
class CQuestionDlg : public CModalDialog {
 public:
  static constexpr int kYes = 6;
  static constexpr int kNo = 7;

  // The window title.
  std::string m_strCaption;
  std::string m_strMessage;
};

// Asks the question and answers true only for Yes: a box closed any other
// way, or no window to show it, counts as No.
bool AskYesNo(const std::string& caption, const std::string& message);
