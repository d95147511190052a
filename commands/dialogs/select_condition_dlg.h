#pragma once

#include <string>
#include <vector>

#include "shell/entity_select_filter.h"
#include "shell/modal_dialog.h"

class FcGraph;

// "Object selecting condition": edits a selection condition on four tabs
// (object types, layers, linetypes, colours) and keeps named conditions in
// the settings store under "SelectConditions". Saving and removing act on
// the store at once; only OK hands the condition back.
class CSelectConditionDlg : public CModalDialog {
 public:
  enum Tab { kTypes = 0, kLayers = 1, kLinetypes = 2, kColors = 3 };
  enum class SaveResult { kRefused, kAskOverwrite, kSaved, kFailed };

  FcEntSelectFilter* m_pFilter = nullptr;
  FcGraph* m_pGraph = nullptr;

  // The condition being edited, the tab shown, the saved names (sorted)
  // and the one chosen among them (-1 for none).
  FcEntSelectFilter m_filter;
  int m_nTab = kTypes;
  std::vector<std::string> m_conditions;
  int m_nCondition = -1;

  // Copies the caller's filter and reads the saved names.
  void OnInitDialog();
  // The rows of the current tab as the list shows them.
  std::vector<std::string> TabRows() const;
  bool CanSave() const;

  // Adds the colour unless listed; true when it went in (the chosen saved
  // condition no longer matches and is unchosen).
  bool AddColor(int color);
  // After the add dialog put names in.
  void Added() { m_nCondition = -1; }
  // Removes the rows (positions in the current tab) from the condition.
  void DeleteRows(std::vector<int> rows);
  void ClearTab();

  // Chooses a saved condition and loads it into the working condition.
  void ChooseCondition(int index);
  // Removes the chosen saved condition from the store; the working
  // condition stays as it is.
  void RemoveCondition();
  // Saves the working condition under the name. An empty name, or one
  // that would reach other keys, is refused; a name saved already asks
  // first unless overwriting was agreed.
  SaveResult SaveCondition(const std::string& name, bool overwrite);

  void OnOK();

 private:
  void ReadConditionNames();
};

// "Add condition": the object types, layers or linetypes to choose from;
// the chosen ones go into the filter.
class CAddConditionDlg : public CModalDialog {
 public:
  short m_nKind = 0;
  FcEntSelectFilter* m_pFilter = nullptr;
  FcGraph* m_pGraph = nullptr;
  std::string m_strFrameText;

  // The values offered for the kind.
  std::vector<std::string> AvailableValues() const;
  // Adds the chosen values (positions in AvailableValues); true when any
  // went in, so that the dialog ends with OK, else with Cancel.
  bool OnOK(const std::vector<int>& chosen);
};

// Makes the selection prompt's CONdition answer run the condition dialog.
void InstallSelectConditionDialog();
