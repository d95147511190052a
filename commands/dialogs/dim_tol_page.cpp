#include "commands/dialogs/dim_tol_page.h"

#include <cmath>

#include "commands/dialogs/dim_alt_units_page.h"
#include "commands/dialogs/dim_units_page.h"
#include "database/dim_style.h"

namespace {

int MethodOf(const FcDimVars& vars) {
  if (vars.dimtol != 0) return vars.dimtp != vars.dimtm ? CDimTolPage::kDeviation : CDimTolPage::kSymmetrical;
  if (vars.dimlim != 0) return CDimTolPage::kLimits;
  return vars.dimgap < 0.0 ? CDimTolPage::kBasic : CDimTolPage::kNone;
}

}  // namespace

void CDimTolPage::OnInitDialog(const FcDimVars& vars) {
  m_nMethod = MethodOf(vars);
  m_nPrecision = vars.dimtdec;
  m_dUpper = vars.dimtp;
  m_dLower = vars.dimtm;
  m_dHeightScale = vars.dimtfac;
  m_nJustification = 2 - vars.dimtolj;
  m_zeros = DimZeroSuppression::FromCode(vars.dimtzin);
  m_nAltPrecision = vars.dimalttd;
  m_altZeros = DimZeroSuppression::FromCode(vars.dimalttz);
}

void CDimTolPage::ApplyToStyle(FcDimVars& vars) {
  if (m_nMethod == kSymmetrical) m_dLower = m_dUpper;
  if (std::fabs(m_dHeightScale) > 0.0) vars.dimtfac = std::fabs(m_dHeightScale);
  vars.dimtp = m_dUpper;
  vars.dimtm = m_dLower;
  if (InRange(m_nJustification, 0, 2)) vars.dimtolj = static_cast<std::uint8_t>(2 - m_nJustification);
  if (InRange(m_nPrecision, 0, 8)) vars.dimtdec = static_cast<std::int16_t>(m_nPrecision);
  if (InRange(m_nAltPrecision, 0, 8)) vars.dimalttd = static_cast<std::int16_t>(m_nAltPrecision);
  vars.dimtzin = static_cast<std::uint8_t>(m_zeros.Code());
  vars.dimalttz = static_cast<std::uint8_t>(m_altZeros.Code());
  vars.dimtol = m_nMethod == kSymmetrical || m_nMethod == kDeviation ? 1 : 0;
  vars.dimlim = m_nMethod == kLimits ? 1 : 0;
  // A basic dimension is the framed text of a negative gap; choosing no
  // tolerance takes the frame away again, or the page would show "Basic"
  // the next time it opens.
  if (m_nMethod == kBasic) vars.dimgap = -std::fabs(vars.dimgap);
  if (m_nMethod == kNone) vars.dimgap = std::fabs(vars.dimgap);
}

int CDimTolPage::UnitFormat() const { return m_pUnits != nullptr ? m_pUnits->m_nUnitFormat : kDimDecimal; }

int CDimTolPage::AltUnitFormat() const {
  return m_pAltUnits != nullptr ? m_pAltUnits->m_nUnitFormat : kDimDecimal;
}

bool CDimTolPage::ValuesEnabled() const { return InRange(m_nMethod, kSymmetrical, kLimits); }

bool CDimTolPage::LeadingTrailingEnabled() const { return ValuesEnabled() && OffersLeadingTrailing(UnitFormat()); }

bool CDimTolPage::FeetInchesEnabled() const { return ValuesEnabled() && OffersFeetInches(UnitFormat()); }

bool CDimTolPage::AltPrecisionEnabled() const { return m_pAltUnits != nullptr && m_pAltUnits->m_bEnabled; }

bool CDimTolPage::AltLeadingTrailingEnabled() const {
  return AltPrecisionEnabled() && ValuesEnabled() && OffersLeadingTrailing(AltUnitFormat());
}

bool CDimTolPage::AltFeetInchesEnabled() const {
  return AltPrecisionEnabled() && ValuesEnabled() && OffersFeetInches(AltUnitFormat());
}
