#pragma once

#include <functional>
#include <string>

#include "shell/modal_dialog.h"

// "Attribute Extraction": the form of the file, the template and output
// files, and how many objects the extraction reads. Select Object closes
// it so that the command can select; the command then runs it again.
class CAttExtDlg : public CModalDialog {
 public:
  static constexpr int kSelectObject = 1414;
  static constexpr int kCommaDelimited = 0;
  static constexpr int kSpaceDelimited = 1;

  std::string m_strOutputFile;
  std::string m_strTemplateFile;
  int m_nFound = 0;
  int m_nFormat = kCommaDelimited;

  std::string CountText() const { return "Number found: " + std::to_string(m_nFound); }
  // OK: true when the dialog may close; an output file that exists is
  // overwritten only when overwrite says yes.
  bool OnOK(const std::function<bool()>& overwrite) const;

  static constexpr const char* kOverwriteQuestion = "The output file already exists! Overwrite it?";
};
