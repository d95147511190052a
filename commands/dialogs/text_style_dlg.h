#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "shell/modal_dialog.h"

class FcGraph;
class FcTextStyle;

// The text style dialog: the drawing's text styles shown one at a time,
// with New, Rename and Apply working on a copy of the style table. The
// command sets m_pGraph and calls Load; "Close" ends the dialog with OK and
// the command writes the copy back with Commit, so that one undo step
// holds everything; Esc ends it with Cancel and changes nothing.
class CTextStyleDlg : public CModalDialog {
 public:
  static constexpr const char* kDefaultFont = "txt.shx";

  FcGraph* m_pGraph = nullptr;
  // The index in Styles() of the style shown.
  int m_nStyle = -1;
  // Set once Apply changed a style or "&Use big font" was clicked.
  bool m_bModified = false;
  // Set once New or Rename changed the table.
  bool m_bTableChanged = false;

  // The values of the boxes for the style shown.
  std::string m_strFont;
  std::string m_strBigFont;
  bool m_bUseBigFont = false;
  // Whether "&Use big font" may be clicked: the font is an SHX font.
  bool m_bBigFontEnabled = false;
  double m_dHeight = 0.0;
  double m_dWidthFactor = 1.0;
  // Degrees.
  double m_dOblique = 0.0;
  bool m_bUpsideDown = false;
  bool m_bBackward = false;

  // The fonts to choose from: SHX font files, SHX big font files (both by
  // file name) and TrueType faces.
  std::vector<std::string> m_shxFonts;
  std::vector<std::string> m_bigFonts;
  std::vector<std::string> m_ttFaces;

  CTextStyleDlg();
  ~CTextStyleDlg() override;

  // Copies the styles and shows the current one.
  void Load();
  // Finds the SHX files along the search path and the machine's TrueType
  // faces.
  void CollectFonts();

  const std::vector<std::unique_ptr<FcTextStyle>>& Styles() const { return m_styles; }
  FcTextStyle* ShownStyle() const;
  // Shows the style of that name, or the current one when there is none;
  // values not applied are dropped.
  void ShowStyle(std::string_view name);

  // "Style%d" with the smallest N that no style has.
  std::string ProposedName() const;
  std::string NewStyle(std::string_view name);
  std::string Rename(std::string_view name);
  // Writes the boxes into the style shown.
  void Apply();

  // Whether anything changed that the drawing must receive.
  bool Changed() const { return m_bModified || m_bTableChanged; }
  // Writes the copy into the drawing; new styles take the drawing's next
  // handles. The name of the style shown.
  std::string Commit();

 private:
  void ShowStyleAt(int index);
  int FindStyle(std::string_view name) const;

  std::vector<std::unique_ptr<FcTextStyle>> m_styles;
  int m_nCurrent = -1;
};

// The file of an SHX font along the search path; empty when it is none or
// is no regular shape font (a big font only).
std::string FindRegularShxFont(const std::string& fileName);
// The same for a big font: found and not a regular shape font only.
std::string FindBigShxFont(const std::string& fileName);
