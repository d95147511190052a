#pragma once

#include <array>
#include <string>

#include "shell/modal_dialog.h"

class FcGraph;

// The drafting settings: the snap and grid page and the object snap page.
// The command sets m_pGraph and the first page and calls Load; Apply
// writes after OK the variables of the pages that were shown.
class CDraftSetDlg : public CModalDialog {
 public:
  static constexpr int kSnapPage = 0;
  static constexpr int kObjectSnapPage = 1;
  // OSMODE's bit that switches object snap off and keeps the modes.
  static constexpr int kObjectSnapOff = 0x4000;
  static constexpr int kModes = 10;
  // The OSMODE bit of each mode box, in the page's order: end, middle,
  // center, node, quadrant, intersection, insert, perpendicular, tangency,
  // nearest.
  static constexpr std::array<int, kModes> kModeBits{1, 2, 4, 8, 0x10, 0x20, 0x40, 0x80, 0x100, 0x200};

  std::string m_strCaption = "Draft settings";
  FcGraph* m_pGraph = nullptr;
  int m_nStartPage = kSnapPage;
  // Set by the window for each page it showed.
  bool m_bSnapPageShown = false;
  bool m_bObjectSnapPageShown = false;

  // The snap and grid page; the angle in degrees.
  bool m_bSnapOn = false;
  double m_dSnapX = 0.0;
  double m_dSnapY = 0.0;
  double m_dSnapAngle = 0.0;
  double m_dBaseX = 0.0;
  double m_dBaseY = 0.0;
  bool m_bGridOn = false;
  double m_dGridX = 0.0;
  double m_dGridY = 0.0;

  // The object snap page.
  bool m_bOsnapOn = false;
  std::array<bool, kModes> m_modes{};

  void Load();
  // Every mode on or off; the switch stays as it is.
  void SetAllModes(bool on) { m_modes.fill(on); }
  // The refusal of spacings of 0, or an empty text.
  std::string CheckSpacings() const;
  void Apply() const;
};
