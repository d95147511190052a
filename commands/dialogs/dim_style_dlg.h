#pragma once

#include <string>

#include "commands/dialogs/dim_alt_units_page.h"
#include "commands/dialogs/dim_fit_page.h"
#include "commands/dialogs/dim_lines_page.h"
#include "commands/dialogs/dim_tol_page.h"
#include "commands/dialogs/dim_units_page.h"
#include "database/dim_style.h"
#include "shell/modal_dialog.h"

// The dimension style sheet. Its pages edit a working copy of one style's
// variables, each change applied at once so the sample can follow it; the
// command writes the copy into the style on OK and drops it on Cancel.
class CDimStyleDlg : public CModalDialog {
 public:
  // The pages start from the style's values.
  explicit CDimStyleDlg(const FcDimStyle& style);
  // The tolerance page points at the two unit pages.
  CDimStyleDlg(const CDimStyleDlg&) = delete;
  CDimStyleDlg& operator=(const CDimStyleDlg&) = delete;

  // "Modify dimension style - NAME".
  std::string m_strCaption;
  FcDimVars m_vars;
  CDimLinesPage m_lines;
  CDimAdjustPage m_adjust;
  CDimUnitsPage m_units;
  CDimAltUnitsPage m_altUnits;
  CDimTolPage m_tol;
};
