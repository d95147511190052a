#pragma once

#include <string>
#include <vector>

struct FcDimVars;

// The "Text" page: the dimension text's style, colour, height, frame,
// placement and orientation.
class CDimTextPage {
 public:
  enum Vertical { kCentered, kAbove, kOutside };
  enum Orientation { kHorizontal, kAligned, kIso };

  // The drawing's text style names, sorted, as the list offers them.
  std::vector<std::string> m_textStyles;
  std::string m_strTextStyle;
  int m_nTextColor = 0;
  double m_dTextHeight = 0.18;
  double m_dFractionScale = 1.0;
  bool m_bFrame = false;
  int m_nVertical = kCentered;
  // 0..4: centred, at the first or second extension line, over the first
  // or second.
  int m_nHorizontal = 0;
  double m_dOffset = 0.09;
  int m_nOrientation = kHorizontal;

  void OnInitDialog(const FcDimVars& vars);
  // Writes the members into the variables; a value that fails its check
  // keeps the variable's. Framed text is stored as a negative gap, which
  // is also how a basic dimension is stored, so a frame switches
  // tolerances and limits off.
  void ApplyToStyle(FcDimVars& vars) const;
  // The list entry the page's text style selects: the first that begins
  // with the name, without regard to case; -1 when none does.
  int SelectedTextStyle() const;
};
