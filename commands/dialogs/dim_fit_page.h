#pragma once

struct FcDimVars;

// The "Adjust" page: the overall scale and where text and arrows go when
// they do not fit between the extension lines.
class CDimAdjustPage {
 public:
  // The fit options in the order of their buttons; -1 when none is checked.
  enum Fit { kEitherFits, kArrowsFirst, kTextFirst, kBothOutside, kForceTextInside };

  double m_dScale = 1.0;
  bool m_bUserPositioning = false;
  bool m_bForceLineInside = false;
  bool m_bSuppressOutside = false;
  int m_nFit = kEitherFits;
  // DIMTMOVE; -1 when no button is checked.
  int m_nTextMovement = 0;

  void OnInitDialog(const FcDimVars& vars);
  // Writes the members into the variables; true when DIMSCALE changed, so
  // the caller rebuilds the sample at the new size.
  bool ApplyToStyle(FcDimVars& vars) const;
};
