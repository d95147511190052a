#pragma once

#include <string>

#include "core/point2d.h"
#include "shell/modal_dialog.h"

class FcGraph;

// "Block define": the name, base point and mode of a new block. Its two
// pick buttons close it so that the command can ask on the command line;
// the command then runs the same object again, which shows its members
// anew.
class CBlkDefDlg : public CModalDialog {
 public:
  static constexpr int kPickPoint = 1129;
  static constexpr int kSelectObjects = 1132;

  // What becomes of the selected entities.
  static constexpr int kRemain = 0;
  static constexpr int kConvertIntoBlock = 1;
  static constexpr int kDelete = 2;

  // The mode starts as the last run's OK left it.
  CBlkDefDlg();

  FcGraph* m_pGraph = nullptr;
  std::string m_strName;
  // World coordinates; the boxes show it and only OK takes them back.
  FcPoint2d m_ptBase{0.0, 0.0};
  int m_nSelected = 0;
  int m_nMode;

  // The X and Y boxes.
  double m_dBaseX = 0.0;
  double m_dBaseY = 0.0;

  // Loads the boxes from the base point: typed values that a pick pass
  // closed the dialog over do not come back.
  void OnInitDialog();
  std::string CountText() const;
  bool ShowsWarning() const { return m_nSelected == 0; }

  // OK with the members as the boxes left them: true when the dialog may
  // close (the base point taken from the boxes, the mode remembered for
  // the next block); otherwise it stays open and shows the message.
  bool OnOK(std::string& message);
};
