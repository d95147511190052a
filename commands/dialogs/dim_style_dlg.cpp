#include "commands/dialogs/dim_style_dlg.h"

CDimStyleDlg::CDimStyleDlg(const FcDimStyle& style)
    : m_strCaption("Modify dimension style - " + style.GetName()), m_vars(style) {
  m_units.OnInitDialog(m_vars);
}
