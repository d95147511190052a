#pragma once

#include <string>

#include "commands/dialogs/dim_zero_suppression.h"

struct FcDimVars;

// The "Alternate Units" page: the second measurement, its units, and
// whether it stands after or below the primary one.
class CDimAltUnitsPage {
 public:
  bool m_bEnabled = false;
  // DIMALTU less 1; -1 when the style's value names no format.
  int m_nUnitFormat = kDimDecimal;
  int m_nPrecision = 0;
  double m_dScale = 25.4;
  double m_dRounding = 0.0;
  std::string m_strPrefix;
  std::string m_strSuffix;
  DimZeroSuppression m_zeros;
  bool m_bBelow = false;

  void OnInitDialog(const FcDimVars& vars);
  // Writes the members into the variables; values out of range keep the
  // variable's, as does a text too long for its field.
  void ApplyToStyle(FcDimVars& vars) const;

  // Every control but the switch follows it.
  bool ControlsEnabled() const { return m_bEnabled; }
  bool LeadingTrailingEnabled() const { return m_bEnabled && OffersLeadingTrailing(m_nUnitFormat); }
  bool FeetInchesEnabled() const { return m_bEnabled && OffersFeetInches(m_nUnitFormat); }
};
