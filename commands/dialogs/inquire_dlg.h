#pragma once

#include <string>

#include "shell/modal_dialog.h"

// A question asked about each of several items in turn ("Inquire?"); it
// ends with the code of the answer, or kCancel for Cancel and Escape.
class CInquireDlg : public CModalDialog {
 public:
  static constexpr int kYes = 1017;
  static constexpr int kYesToAll = 1018;
  static constexpr int kNo = 1019;
  static constexpr int kNoToAll = 1020;

  std::string m_strMessage;
  // The window title.
  std::string m_strCaption;
};
