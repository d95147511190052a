#pragma once

#include <functional>
#include <string>

#include "shell/modal_dialog.h"

class FcGraph;

// "Insert block": the block (or a drawing file to bring in as one), where,
// how large, how turned, exploded or not, and in how many rows and
// columns. Its Pick point button closes it so that the command can ask for
// the point; the command then runs the same object again.
class CInsertBlkDlg : public CModalDialog {
 public:
  static constexpr int kPickPoint = 1149;
  static constexpr int kMinCount = 1;
  static constexpr int kMaxCount = 65535;

  // "Position block when inserting" starts as the last OK left it.
  CInsertBlkDlg();

  FcGraph* m_pGraph = nullptr;
  std::string m_strName;
  std::string m_strPath;
  bool m_bFromFile = false;
  int m_bOnScreen;
  // User coordinates.
  double m_dInsertX = 0.0;
  double m_dInsertY = 0.0;
  double m_dScaleX = 1.0;
  double m_dScaleY = 1.0;
  int m_bSameScale = 0;
  // Degrees.
  double m_dAngle = 0.0;
  int m_bExplode = 0;
  int m_nColumns = 1;
  int m_nRows = 1;
  double m_dColumnSpacing = 1.0;
  double m_dRowSpacing = 1.0;

  // The point, the X scale, "Same scale" and the angle are asked in the
  // dialog only when the block is not placed on the screen afterwards.
  bool PlacementEnabled() const { return m_bOnScreen == 0; }
  bool ScaleYEnabled() const { return m_bOnScreen == 0 && m_bSameScale == 0; }

  // A name chosen from the list: the listed block, not a browsed file.
  void ChooseListedName(const std::string& name);
  // A drawing file chosen with Browse: the name becomes its title.
  void ChooseFile(const std::string& path);

  enum class Redefine { kYes, kNo, kCancel };
  // OK with the members as the boxes left them: true when the dialog may
  // close; otherwise it stays open and shows the message when there is
  // one. A file whose title names a block of the drawing asks through
  // redefine whether that block is to be redefined (Cancel goes back to
  // the dialog without a message).
  bool OnOK(const std::function<Redefine()>& redefine, std::string& message);

  static constexpr const char* kRedefineQuestion =
      "A Block with this name already exists in the drawing.\nDo you want to redefine it?";
};
