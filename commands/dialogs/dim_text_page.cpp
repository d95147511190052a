#include "commands/dialogs/dim_text_page.h"

#include <cmath>

#include "commands/dialogs/dim_zero_suppression.h"
#include "commands/dialogs/table_lists.h"
#include "database/dim_style.h"
#include "database/object.h"

void CDimTextPage::OnInitDialog(const FcDimVars& vars) {
  m_strTextStyle = vars.dimtxsty.str();
  m_nTextColor = vars.dimclrt;
  m_dTextHeight = vars.dimtxt;
  m_dFractionScale = vars.dimtfac;
  m_bFrame = vars.dimgap < 0.0;
  m_dOffset = std::fabs(vars.dimgap);
  m_nVertical = vars.dimtad;
  m_nHorizontal = vars.dimjust;
  if (vars.dimtih != 0) m_nOrientation = kHorizontal;
  else if (vars.dimtoh != 0) m_nOrientation = kIso;
  else m_nOrientation = kAligned;
}

void CDimTextPage::ApplyToStyle(FcDimVars& vars) const {
  if (InRange(m_nTextColor, 0, 256)) vars.dimclrt = static_cast<std::int16_t>(m_nTextColor);
  const int style = FindListEntry(m_textStyles, m_strTextStyle);
  if (style >= 0 && !EqualsNoCase(vars.dimtxsty.str(), m_textStyles[static_cast<std::size_t>(style)])) {
    // Bound by name when the sheet is accepted: the old handle would win.
    vars.dimtxsty = m_textStyles[static_cast<std::size_t>(style)];
    vars.dimtxstyHandle = 0;
  }
  const double offset = std::fabs(m_dOffset);
  vars.dimgap = m_bFrame && offset > 0.0 ? -offset : offset;
  if (vars.dimgap < 0.0) {
    vars.dimlim = 0;
    vars.dimtol = 0;
  }
  if (InRange(m_nVertical, kCentered, kOutside)) vars.dimtad = static_cast<std::uint8_t>(m_nVertical);
  if (InRange(m_nHorizontal, 0, 4)) vars.dimjust = static_cast<std::uint8_t>(m_nHorizontal);
  if (m_dFractionScale > 0.0) vars.dimtfac = m_dFractionScale;
  if (m_dTextHeight > 0.0) vars.dimtxt = m_dTextHeight;
  if (!InRange(m_nOrientation, kHorizontal, kIso)) return;
  vars.dimtih = m_nOrientation == kHorizontal ? 1 : 0;
  vars.dimtoh = m_nOrientation == kAligned ? 0 : 1;
}

int CDimTextPage::SelectedTextStyle() const {
  for (std::size_t i = 0; i < m_textStyles.size(); ++i)
    if (StartsWithNoCase(m_textStyles[i], m_strTextStyle)) return static_cast<int>(i);
  return -1;
}
