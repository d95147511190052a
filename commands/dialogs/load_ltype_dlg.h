#pragma once

#include <functional>
#include <string>
#include <vector>

#include "database/linetype.h"
#include "shell/modal_dialog.h"

class CLinetypeTableCopy;

// Loading linetypes from a linetype file into a dialog's copy of the
// linetype table. The opener sets m_pTable; the dialog reads the program's
// file at start (or another one the user picks), the user selects rows,
// and OK loads them, asking before a linetype of the same name is replaced.
class CLoadLTypeDlg : public CModalDialog {
 public:
  // The answers to "Linetype %s is already loaded. Reload it?".
  enum class Reload { kYes, kYesToAll, kNo, kNoToAll, kCancel };
  using AskReload = std::function<Reload(const std::string& name)>;

  CLinetypeTableCopy* m_pTable = nullptr;
  // The file read, shown above the list; empty before one is found.
  std::string m_strPath;
  FcLinetypeList m_loaded;
  // One flag per row of m_loaded.
  std::vector<bool> m_selected;

  // Reads the program's linetype file, or any found along the search path.
  void ReadProgramFile();
  // Reads the file; its good linetypes become the rows, none selected.
  void ReadFile(const std::string& path);
  bool AnySelected() const;

  // Loads the selected rows in order into the table. Cancel stops the
  // loop; what was loaded before it stays.
  void LoadSelected(const AskReload& ask);

  static std::string ReloadQuestion(const std::string& name);
};
