#pragma once

#include <string>
#include <vector>

#include "shell/modal_dialog.h"

// "New dimension style": the base style to copy and the new style's name.
class CNewDimStyleDlg : public CModalDialog {
 public:
  // Every style name in table order (the base list).
  std::vector<std::string> m_names;
  // In: the style selected in the manager; out: the chosen base.
  std::string m_strBaseName;
  // Out: the new style's name.
  std::string m_strNewName;

  // Selects the base entry and proposes a free name for its copy.
  void OnInitDialog();
  // "Copy BASE", or "Copy (n) BASE" with the first n no entry has.
  std::string Proposal(const std::string& base) const;
  // Another base chosen: a name the user typed stays, the proposal for the
  // old base follows the new one.
  void OnBaseChanged(const std::string& base);
  // True when the dialog may close; otherwise it stays open showing the
  // message. A style name is never empty, and never one the drawing has.
  bool OnOK(std::string& message);
};
