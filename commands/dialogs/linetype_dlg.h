#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "commands/dialogs/linetype_table_copy.h"
#include "shell/modal_dialog.h"

class FcGraph;

// The linetype manager: the drawing's linetypes, the current one, their
// names and the two linetype scales. The command sets m_pGraph and calls
// Load; the dialog edits m_table and the members; Apply writes them into
// the drawing after OK. The editing calls answer the message the user sees
// when they refuse, or an empty text.
class CLineTypeDlg : public CModalDialog {
 public:
  FcGraph* m_pGraph = nullptr;
  double m_dEntityScale = 1.0;
  double m_dGlobalScale = 1.0;
  std::string m_strCurLinetype;
  // Set by SetScales when the global scale typed differs from LTSCALE.
  bool m_bScaleChanged = false;
  CLinetypeTableCopy m_table;

  void Load();
  std::string CurrentLabel() const { return "Current Linetype: " + m_strCurLinetype; }

  // The rows the user selected, by index.
  std::string MakeCurrent(const std::vector<int>& rows);
  // "ByLayer", "ByBlock" and "Continuous" keep their names.
  std::string Rename(int row, std::string_view name);
  // The texts of the two scale boxes; a text that is no number refuses.
  std::string SetScales(std::string_view entityScale, std::string_view globalScale);

  // Writes the scales (when above 0), the linetypes and the current
  // linetype into the drawing.
  void Apply();
};
