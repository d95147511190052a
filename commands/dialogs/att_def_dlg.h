#pragma once

#include <array>
#include <string>

#include "shell/modal_dialog.h"

class FcGraph;

// "Attribute Definition": the modes, tag, prompt, default value, point and
// text options of a new attribute definition. Its Pick Point, Height and
// Rotation buttons close it so that the command can ask on the command
// line; the command then runs the same object again.
class CAttDefDlg : public CModalDialog {
 public:
  static constexpr int kPickPoint = 1369;
  static constexpr int kHeight = 1379;
  static constexpr int kRotation = 1383;

  // The Justification list, in its order: the index is m_nJustify.
  static constexpr std::array<const char*, 14> kJustifications = {
      "Left",     "Fit",         "Center",        "Middle",       "Right",       "Top Left",      "Top Center",
      "Top Right", "Middle Left", "Middle Center", "Middle Right", "Bottom Left", "Bottom Center", "Bottom Right"};

  int m_bInvisible = 0;
  int m_bConstant = 0;
  int m_bVerify = 0;
  int m_bPreset = 0;
  std::string m_strTag;
  std::string m_strPrompt;
  std::string m_strValue;
  // User coordinates.
  double m_dX = 0.0;
  double m_dY = 0.0;
  int m_nJustify = 0;
  std::string m_strStyle;
  double m_dHeight = 0.0;
  // Degrees.
  double m_dRotation = 0.0;
  FcGraph* m_pGraph = nullptr;

  // The style list starts at the drawing's current text style, whatever
  // the member held.
  void OnInitDialog();
  // The note under the tag, empty when the tag may be taken: OK is
  // enabled only then.
  std::string TagNote() const;
  bool VerifyPresetEnabled() const { return m_bConstant == 0; }
};
