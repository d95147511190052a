#include "commands/dialogs/question_dlg.h"

bool AskYesNo(const std::string& caption, const std::string& message) {
  CQuestionDlg dialog;
  dialog.m_strCaption = caption;
  dialog.m_strMessage = message;
  return RunModalDialog(dialog) == CQuestionDlg::kYes;
}
