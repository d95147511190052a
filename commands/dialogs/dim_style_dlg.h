#pragma once

#include <string>

#include "commands/dialogs/dim_alt_units_page.h"
#include "commands/dialogs/dim_fit_page.h"
#include "commands/dialogs/dim_lines_page.h"
#include "commands/dialogs/dim_text_page.h"
#include "commands/dialogs/dim_tol_page.h"
#include "commands/dialogs/dim_units_page.h"
#include "database/dim_style.h"
#include "shell/modal_dialog.h"

// The dimension style sheet. Its pages edit a working copy of one style's
// variables, each change applied at once so the sample can follow it; the
// command writes the copy into the style on OK and drops it on Cancel.
class CDimStyleDlg : public CModalDialog {
 public:
  // The pages in the order of their tabs.
  enum Page { kLinesPage, kTextPage, kFitPage, kUnitsPage, kAltUnitsPage, kTolPage };
  // "..." on the text page closes the sheet with this code: the command
  // lets the user edit the text styles and opens the sheet again.
  static constexpr int kTextStyles = 1301;

  // The pages start from the style's values; the text page lists the
  // text styles of the style's drawing.
  explicit CDimStyleDlg(const FcDimStyle& style);
  // The tolerance page points at the two unit pages.
  CDimStyleDlg(const CDimStyleDlg&) = delete;
  CDimStyleDlg& operator=(const CDimStyleDlg&) = delete;

  // The style's drawing, which the pages' block and text style lists come
  // from; null for a style outside a drawing.
  FcGraph* m_pGraph = nullptr;
  // "Modify dimension style - NAME".
  std::string m_strCaption;
  // The tab shown first.
  int m_nFirstPage = kLinesPage;
  FcDimVars m_vars;
  CDimLinesPage m_lines;
  CDimTextPage m_text;
  CDimAdjustPage m_adjust;
  CDimUnitsPage m_units;
  CDimAltUnitsPage m_altUnits;
  CDimTolPage m_tol;

  // The text page lists the drawing's text styles as they are now.
  void ReloadTextStyles();
};
