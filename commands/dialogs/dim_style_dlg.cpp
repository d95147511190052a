#include "commands/dialogs/dim_style_dlg.h"

CDimStyleDlg::CDimStyleDlg(const FcDimStyle& style)
    : m_strCaption("Modify dimension style - " + style.GetName()), m_vars(style) {
  m_lines.OnInitDialog(m_vars);
  m_adjust.OnInitDialog(m_vars);
  m_units.OnInitDialog(m_vars);
  m_altUnits.OnInitDialog(m_vars);
  m_tol.m_pUnits = &m_units;
  m_tol.m_pAltUnits = &m_altUnits;
  m_tol.OnInitDialog(m_vars);
}
