#pragma once

#include <array>
#include <string>

#include "commands/dialogs/tolerance_symbols.h"
#include "shell/modal_dialog.h"

// One row of a feature control frame: the characteristic, two tolerances
// (diameter, value, material condition) and three datums with their
// conditions. Pictures hold a tolerance_symbol identifier.
struct ToleranceFrameRow {
  int m_nSymbol = tolerance_symbol::kBlank;
  std::array<int, 2> m_nDiameter{tolerance_symbol::kBlank, tolerance_symbol::kBlank};
  std::array<std::string, 2> m_strValue;
  std::array<int, 2> m_nValueCondition{tolerance_symbol::kBlank, tolerance_symbol::kBlank};
  std::array<std::string, 3> m_strDatum;
  std::array<int, 3> m_nDatumCondition{tolerance_symbol::kBlank, tolerance_symbol::kBlank, tolerance_symbol::kBlank};

  // Any picture not blank or any entry not empty.
  bool IsSet() const;
};

// "Geometric Tolerance": edits the coded text of a feature control frame
// as two frame rows, a height with its projected zone and a datum
// identifier. Lines of the text are separated by "^J", cells by "%%v".
class CTolEdtDlg : public CModalDialog {
 public:
  // Given by the caller (empty for a new frame); OK replaces it with the
  // text built from the fields, Cancel leaves it.
  std::string m_strToleranceText;

  std::array<ToleranceFrameRow, 2> m_rows;
  std::string m_strHeight;
  int m_nProjectedZone = tolerance_symbol::kBlank;
  std::string m_strDatumIdentifier;

  // Reads m_strToleranceText into the fields. A frame row is a line with
  // cells among the first two; the first other line is the height line and
  // any later one the datum identifier.
  void OnInitDialog();
  // Builds m_strToleranceText from the fields alone; every field empty
  // gives the empty text.
  void OnOK();
  std::string BuildText() const;

  // A diameter or projected-zone box toggles between blank and its symbol.
  static int Toggle(int picture, int symbol);
  // Stores a picker's end code in the box: true when something was chosen
  // (a symbol or the blank); OK and Cancel choose nothing.
  static bool TakePick(int& picture, int endCode);
};

// "Symbol": the fourteen characteristics and the blank. Ends with the
// clicked symbol; Enter or Escape end it with nothing chosen.
class CTolSymDlg : public CModalDialog {
 public:
  int m_nSymbol = tolerance_symbol::kBlank;
};

// "Meterial Condition": the three material conditions and the blank.
class CTolConDlg : public CModalDialog {
 public:
  int m_nCondition = tolerance_symbol::kBlank;
};
