#pragma once

#include <string>
#include <vector>

#include "database/entity_sets.h"
#include "shell/modal_dialog.h"

// "Hatch": the pattern of a new or edited hatch and, for a new one, the
// requests that gather its boundary. Each request closes the dialog with
// its button's code; the command carries it out and runs the same object
// again, until Apply or Cancel.
class CHatchDlg : public CModalDialog {
 public:
  static constexpr int kApply = kOk;
  static constexpr int kSelectBoundary = 1236;
  static constexpr int kPickPoint = 1237;
  static constexpr int kPreview = 1243;
  static constexpr int kRemoveBoundary = 1248;
  static constexpr int kViewBoundary = 1250;
  static constexpr int kInherit = 1251;

  static constexpr int kPredefined = 0;
  static constexpr int kUserDefined = 1;

  double m_dAngle = 0.0;
  int m_bDouble = 0;
  double m_dScale = 1.0;
  double m_dSpacing = 1.0;
  int m_nPatternType = kPredefined;
  int m_nEditMode = 0;
  // The entities of the drawing chosen so far; the dialog only counts them.
  FcEntitySets m_boundary{128};
  // In: the pattern to select; out: the one chosen.
  std::string m_strPattern;
  int m_bDeleteBoundary = 0;

  // The pattern file's names and memos, in file order.
  std::vector<std::string> m_names;
  std::vector<std::string> m_memos;
  // What the pattern list shows: the names, and the caller's pattern when
  // the file lacks it.
  std::vector<std::string> m_list;

  // Reads the names and memos from the pattern file found in the program
  // directory or along the search path. Empty when it went well, else the
  // message to show; the lists are then empty.
  std::string LoadPatterns();
  // Fills the list and answers the entry to select: the caller's pattern
  // (appended when the file lacks it) or the first; -1 for an empty list.
  int OnInitDialog();
  // The memo label for a list entry.
  std::string MemoText(int entry) const;

  bool IsPredefined() const { return m_nPatternType == kPredefined; }
  bool CanBrowse() const { return IsPredefined() && !m_names.empty(); }
  bool CanChangeBoundary() const { return m_nEditMode == 0; }
  bool CanShowBoundary() const { return m_nEditMode == 0 && m_boundary.GetCount() > 0; }
  bool CanApply() const { return m_nEditMode != 0 || m_boundary.GetCount() > 0; }

  // What the values in the members lack; empty when they may be accepted.
  std::string Refusal() const;
  // A button that closes the dialog, pressed with the boxes taken into
  // the members (boxesRead false when one held no number) and the list
  // entry selected (empty for none). True when the dialog ends with the
  // button's code, the selected entry then being the pattern; message
  // holds what to show either way (empty for nothing).
  bool Close(int code, bool boxesRead, const std::string& selected, std::string& message);
};

// The picture a pattern is shown with: the name of its own picture, or
// empty for the default one.
std::string HatchPictureName(const std::string& pattern);

// "Hatch Pattern": the predefined patterns as pictures on three pages,
// sorted by the prefix of their names.
class CHatchPatDlg {
 public:
  static constexpr int kAnsiPage = 0;
  static constexpr int kIsoPage = 1;
  static constexpr int kOtherPage = 2;

  // The page a pattern belongs on.
  static int PageOf(const std::string& pattern);
  // The page's patterns, in the order of the names.
  std::vector<std::string> NamesOn(int page) const;

  const std::vector<std::string>* m_pNames = nullptr;
  // In: the pattern to select; out: the one chosen on the page activated
  // last, empty when none.
  std::string m_strPattern;
  int m_nActivePage = kAnsiPage;
};
