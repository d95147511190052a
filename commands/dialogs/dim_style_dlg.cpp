#include "commands/dialogs/dim_style_dlg.h"

#include "commands/dialogs/table_lists.h"
#include "database/graph.h"
#include "database/text_style.h"

CDimStyleDlg::CDimStyleDlg(const FcDimStyle& style)
    : m_pGraph(style.GetGraph()), m_strCaption("Modify dimension style - " + style.GetName()), m_vars(style) {
  m_lines.OnInitDialog(m_vars);
  m_lines.m_pGraph = m_pGraph;
  // Model and paper space are two named blocks of every drawing.
  m_lines.m_bOfferUserArrows = m_pGraph != nullptr && m_pGraph->CountNamedBlocks() > 2;
  ReloadTextStyles();
  m_text.OnInitDialog(m_vars);
  m_adjust.OnInitDialog(m_vars);
  m_units.OnInitDialog(m_vars);
  m_altUnits.OnInitDialog(m_vars);
  m_tol.m_pUnits = &m_units;
  m_tol.m_pAltUnits = &m_altUnits;
  m_tol.OnInitDialog(m_vars);
}

void CDimStyleDlg::ReloadTextStyles() {
  if (m_pGraph == nullptr) return;
  m_text.m_textStyles = SortedTextStyleNames(*m_pGraph);
  // A text style renamed meanwhile is still the one bound: the page shows
  // it under its new name.
  const FcTextStyle* bound =
      m_vars.dimtxstyHandle != 0 ? m_pGraph->GetTextStyleList().FindByHandle(m_vars.dimtxstyHandle) : nullptr;
  if (bound != nullptr) m_vars.dimtxsty = bound->GetName();
}
