#pragma once

#include <string>
#include <vector>

#include "shell/modal_dialog.h"

class FcGraph;

// The units dialog: the length and angle unit types and precisions, the
// direction of angles and, through its direction sub-dialog, the base
// angle. The command sets m_pGraph and calls Load; Apply writes the values
// after OK. The sub-dialog's Pick ends the dialog with kPickDirection: the
// command asks for the angle on the command line, stores it in
// m_dBaseAngle, sets m_bReopenDirection and runs the dialog again.
class CUnitsDlg : public CModalDialog {
 public:
  static constexpr int kPickDirection = 1116;
  // The direction sub-dialog's radio buttons.
  enum Direction { kEast, kNorth, kWest, kSouth, kOthers };

  FcGraph* m_pGraph = nullptr;
  bool m_bReopenDirection = false;
  // Radians: the base angle the direction sub-dialog shows, and writes at
  // OK once m_bBaseAngleSet.
  double m_dBaseAngle = 0.0;
  bool m_bBaseAngleSet = false;
  // List indexes; -1 for none: LUNITS - 1, LUPREC, AUNITS, AUPREC.
  int m_nLengthType = -1;
  int m_nLengthPrec = -1;
  int m_nAngleType = -1;
  int m_nAnglePrec = -1;
  bool m_bClockwise = false;

  void Load();

  static const std::vector<std::string>& LengthTypes();
  static const std::vector<std::string>& AngleTypes();
  // The nine samples of precision 0 to 8 for the list index of the type;
  // no samples for an angle type outside the list.
  static std::vector<std::string> LengthPrecisions(int type);
  static std::vector<std::string> AnglePrecisions(int type);
  // "1.5000,2.0264" and "2.5000<94d" in the chosen forms.
  std::string LengthSample() const;
  std::string AngleSample() const;

  // The radio button for a base angle, by exact comparison.
  static Direction DirectionOf(double radians);
  // The direction sub-dialog's OK: the base angle in degrees, brought into
  // one turn.
  void SetBaseAngleDegrees(double degrees);

  // Writes the values that lie in their ranges.
  void Apply() const;
};
