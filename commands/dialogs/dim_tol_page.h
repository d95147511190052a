#pragma once

#include "commands/dialogs/dim_zero_suppression.h"

class CDimAltUnitsPage;
class CDimUnitsPage;
struct FcDimVars;

// The "Tolerance" page: how tolerances are written with the measurement.
// Which switches make sense follows the unit formats chosen on the two
// unit pages, which it reads.
class CDimTolPage {
 public:
  enum Method { kNone, kSymmetrical, kDeviation, kLimits, kBasic };

  const CDimUnitsPage* m_pUnits = nullptr;
  const CDimAltUnitsPage* m_pAltUnits = nullptr;

  int m_nMethod = kNone;
  int m_nPrecision = 0;
  double m_dUpper = 0.0;
  double m_dLower = 0.0;
  double m_dHeightScale = 1.0;
  // 0 top, 1 middle, 2 bottom.
  int m_nJustification = 1;
  DimZeroSuppression m_zeros;
  int m_nAltPrecision = 0;
  DimZeroSuppression m_altZeros;

  void OnInitDialog(const FcDimVars& vars);
  // Writes the members into the variables; "Symmetrical" first makes the
  // lower value the upper one.
  void ApplyToStyle(FcDimVars& vars);

  // Precision, upper value, height scale and justification.
  bool ValuesEnabled() const;
  bool LowerEnabled() const { return m_nMethod == kDeviation || m_nMethod == kLimits; }
  bool LeadingTrailingEnabled() const;
  bool FeetInchesEnabled() const;
  bool AltPrecisionEnabled() const;
  bool AltLeadingTrailingEnabled() const;
  bool AltFeetInchesEnabled() const;

  // The unit formats of the two unit pages as they are now, which the
  // precision lists follow.
  int UnitFormat() const;
  int AltUnitFormat() const;
};
