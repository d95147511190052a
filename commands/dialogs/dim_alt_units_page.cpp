#include "commands/dialogs/dim_alt_units_page.h"

#include <cmath>

#include "commands/dialogs/dim_units_page.h"
#include "database/dim_style.h"

void CDimAltUnitsPage::OnInitDialog(const FcDimVars& vars) {
  m_bEnabled = vars.dimalt != 0;
  m_nUnitFormat = InRange(vars.dimaltu, 1, 5) ? vars.dimaltu - 1 : -1;
  m_nPrecision = vars.dimaltd;
  m_dScale = vars.dimaltf;
  m_dRounding = vars.dimaltrnd;
  const DimPrefixSuffix parts = SplitDimPost(vars.dimapost.str(), '[', ']');
  m_strPrefix = parts.prefix;
  m_strSuffix = parts.suffix;
  m_zeros = DimZeroSuppression::FromCode(vars.dimaltz);
  m_bBelow = EndsWithBelowMark(vars.dimpost.str());
}

void CDimAltUnitsPage::ApplyToStyle(FcDimVars& vars) const {
  vars.dimalt = m_bEnabled ? 1 : 0;
  if (std::fabs(m_dScale) > 0.0) vars.dimaltf = std::fabs(m_dScale);
  vars.dimaltrnd = std::fabs(m_dRounding);
  if (InRange(m_nUnitFormat, 0, 4)) vars.dimaltu = static_cast<std::int16_t>(m_nUnitFormat + 1);
  if (InRange(m_nPrecision, 0, 8)) vars.dimaltd = static_cast<std::uint8_t>(m_nPrecision);
  vars.dimaltz = static_cast<std::int16_t>(m_zeros.Code());
  StoreIfFits(vars.dimapost, m_strPrefix + "[]" + m_strSuffix);
  StoreIfFits(vars.dimpost, WithoutBelowMark(vars.dimpost.str()) + (m_bBelow ? "\\X" : ""));
}
