#pragma once

#include <string>

#include "shell/modal_dialog.h"

class FcTextStyle;
class FcTextStyleList;

// "Edit Attribute Definition": the modes, tag, prompt, default value and
// text look of an existing attribute definition.
class CAttEdtDlg : public CModalDialog {
 public:
  int m_bInvisible = 0;
  int m_bConstant = 0;
  int m_bVerify = 0;
  int m_bPreset = 0;
  std::string m_strTag;
  std::string m_strPrompt;
  std::string m_strValue;
  // The styles offered, and the one shown; after OK the chosen one, or
  // null when none is selected.
  FcTextStyleList* m_pStyleList = nullptr;
  FcTextStyle* m_pStyle = nullptr;
  double m_dHeight = 0.0;
  double m_dWidthFactor = 0.0;
  // Degrees.
  double m_dOblique = 0.0;

  std::string TagNote() const;
  bool VerifyPresetEnabled() const { return m_bConstant == 0; }
  // OK with the boxes taken and the style chosen in the list: true when
  // the dialog may close, else the message to show while it stays open.
  // A height of 0 passes: it stands for the style's own height.
  bool OnOK(FcTextStyle* chosen, std::string& message);
};
