#pragma once

#include <string>
#include <string_view>
#include <vector>

class FcGraph;
struct FcDimVars;

// The built-in arrowheads as the arrow lists show them: the text of a
// block name and back, compared without regard to case; a name or text not
// among them is a user block and passes through as it is.
std::string ArrowDisplayName(std::string_view blockName);
std::string ArrowBlockName(std::string_view displayText);
// The block name as the list gives it back: the closed filled arrow's
// spellings become the empty name, built-in names take their own case.
std::string NormalArrowName(std::string_view blockName);
// True for the empty name, ".", "_ClosedFilled" and the built-in names.
bool IsBuiltInArrow(std::string_view blockName);

// The "Line & Arrow" page: dimension and extension lines, arrowheads and
// the centre mark. The arrows are kept as block names; the command makes
// their blocks when the sheet is accepted.
class CDimLinesPage {
 public:
  enum CenterType { kMark, kLine, kNone };
  enum Arrow { kFirst, kSecond, kLeader };
  // The list data of an arrow entry: a built-in arrow's own position, or
  // one of these.
  static constexpr int kUserBlock = 1000;
  static constexpr int kUserArrow = 2000;
  struct ArrowEntry {
    std::string text;
    int data;
  };

  // The style's drawing, whose blocks "User Arrow..." offers.
  FcGraph* m_pGraph = nullptr;
  // Whether "User Arrow..." is offered: the drawing holds a block of its
  // own besides model and paper space.
  bool m_bOfferUserArrows = false;

  double m_dArrowSize = 0.18;
  double m_dDimLineExtension = 0.0;
  double m_dBaselineIncrement = 0.38;
  double m_dExtLineExtension = 0.18;
  double m_dExtLineOffset = 0.0625;
  bool m_bSuppressDimLine1 = false;
  bool m_bSuppressDimLine2 = false;
  bool m_bSuppressExtLine1 = false;
  bool m_bSuppressExtLine2 = false;
  double m_dCenterSize = 0.09;
  int m_nCenterType = kMark;
  int m_nExtLineColor = 0;
  int m_nDimLineColor = 0;
  std::string m_strFirst;
  std::string m_strSecond;
  std::string m_strLeader;

  void OnInitDialog(const FcDimVars& vars);
  // What each arrow list holds: the user blocks in use, the built-in
  // arrows, then "User Arrow..." when offered.
  std::vector<ArrowEntry> ArrowEntries() const;
  // The text of the arrow's entry.
  std::string ArrowText(Arrow arrow) const;
  // An arrow chosen by its block name: a first arrow that the second
  // followed takes the second along.
  void OnArrowChosen(Arrow arrow, const std::string& blockName);
  // Writes the members into the variables; a value that fails its check
  // keeps the variable's.
  void ApplyToStyle(FcDimVars& vars) const;
  bool CenterSizeEnabled() const { return m_nCenterType != kNone; }
};
