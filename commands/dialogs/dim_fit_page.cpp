#include "commands/dialogs/dim_fit_page.h"

#include <cmath>

#include "commands/dialogs/dim_zero_suppression.h"
#include "database/dim_style.h"

namespace {

// DIMATFIT of the first four fit buttons.
constexpr std::int16_t kAtFit[] = {3, 1, 2, 0};

}  // namespace

void CDimAdjustPage::OnInitDialog(const FcDimVars& vars) {
  m_dScale = vars.dimscale;
  m_bUserPositioning = vars.dimupt != 0;
  m_bForceLineInside = vars.dimtofl != 0;
  m_bSuppressOutside = vars.dimsoxd != 0;
  if (vars.dimtix != 0) m_nFit = kForceTextInside;
  else if (vars.dimatfit == 0) m_nFit = kBothOutside;
  else if (vars.dimatfit == 1) m_nFit = kArrowsFirst;
  else if (vars.dimatfit == 2) m_nFit = kTextFirst;
  else m_nFit = kEitherFits;
  m_nTextMovement = vars.dimtmove;
}

bool CDimAdjustPage::ApplyToStyle(FcDimVars& vars) const {
  const double oldScale = vars.dimscale;
  if (std::fabs(m_dScale) > 0.0) vars.dimscale = std::fabs(m_dScale);
  vars.dimupt = m_bUserPositioning ? 1 : 0;
  vars.dimtofl = m_bForceLineInside ? 1 : 0;
  vars.dimsoxd = m_bSuppressOutside ? 1 : 0;
  if (InRange(m_nTextMovement, 0, 2)) vars.dimtmove = static_cast<std::int16_t>(m_nTextMovement);
  if (InRange(m_nFit, kEitherFits, kBothOutside)) {
    vars.dimatfit = kAtFit[m_nFit];
    vars.dimtix = 0;
  } else {
    vars.dimtix = 1;
  }
  return vars.dimscale != oldScale;
}
