#pragma once

#include <string>
#include <string_view>

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
  // An arrow chosen by its block name: a first arrow that the second
  // followed takes the second along.
  void OnArrowChosen(Arrow arrow, const std::string& blockName);
  // Writes the members into the variables; a value that fails its check
  // keeps the variable's.
  void ApplyToStyle(FcDimVars& vars) const;
  bool CenterSizeEnabled() const { return m_nCenterType != kNone; }
};
