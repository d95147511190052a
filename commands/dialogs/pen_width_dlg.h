#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/program_settings.h"
#include "shell/modal_dialog.h"

// The pen width dialog's data: a copy of the program's printed line width
// of each colour index (inches), edited for the selected indices and shown
// in inches or millimetres. OK copies it back; Cancel drops it.
class CPenWidthDlg : public CModalDialog {
 public:
  static constexpr const char* kInvalidNumber = "Invalid number!";
  enum Unit : int { kUnitInch = 0, kUnitMm = 1 };

  // The table and the unit of the section "PenWidthSet".
  void OnInitDialog();
  // The indices the list has selected (1 to 255).
  void Select(const std::vector<int>& indices);
  // "Color varies" for several, the colour's text for one, empty for none.
  std::string ColorText() const;
  // An index's width in the shown unit, 4 decimals.
  std::string WidthText(int index) const;
  // The width box: every selected index takes the typed width. Empty when
  // taken, else the message to show, and nothing changes.
  std::string ApplyWidth(const std::string& text);
  void SelectUnit(int unit);
  // OK: the table goes back to the program and the unit is stored.
  void Accept();

  std::array<double, kPenColorCount> m_widths{};
  std::vector<int> m_selected;
  int m_nSelected = -1;
  int m_nUnit = kUnitInch;
};
