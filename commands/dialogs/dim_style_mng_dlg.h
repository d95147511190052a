#pragma once

#include <string>
#include <vector>

#include "database/dim_style.h"
#include "shell/modal_dialog.h"

class FcGraph;

// "Dimension style manage": the drawing's dimension styles, the current
// one, and the style the list selects. Its three action buttons close it
// with their own codes; the command acts on the drawing and runs the same
// object again, so the selection survives the action.
class CDimStyleMngDlg : public CModalDialog {
 public:
  static constexpr int kSetCurrent = 1201;
  static constexpr int kNew = 1202;
  static constexpr int kModify = 1203;

  FcGraph* m_pGraph = nullptr;
  // The label above the list.
  std::string m_strCurrent;
  // Every style name, sorted.
  std::vector<std::string> m_names;
  // The selected entry; empty when nothing is selected.
  std::string m_strSelected;

  // The variables of the selected style, which the sample shows; false
  // while nothing or no style of the drawing is selected.
  FcDimVars m_sampleVars;
  bool m_bSample = false;

  // Fills the list and the label from the drawing. A selection that still
  // names a style stays; otherwise the current style is selected.
  void OnInitDialog();
  // Selects the entry (empty: none) and takes its style for the sample.
  void Select(const std::string& name);
  // "Set Current", "New" and "Modify" act on the selection.
  bool CanAct() const { return !m_strSelected.empty(); }
};
