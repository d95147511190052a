#pragma once

#include <string>

#include "commands/dialogs/dim_zero_suppression.h"
#include "database/fixed_text.h"

struct FcDimVars;

// The prefix and suffix around a measurement marker ("<>" or "[]"): what
// stands before the first marker character is the prefix, every later
// character but the markers the suffix.
struct DimPrefixSuffix {
  std::string prefix;
  std::string suffix;
};
DimPrefixSuffix SplitDimPost(const std::string& text, char open, char close);
// How many characters a prefix and suffix may hold together for the joined
// text to fit its field: DIMPOST keeps room for "<>" and for the mark of
// alternate units below, which the other page may add; DIMAPOST for "[]".
constexpr int kDimPostAffixRoom = static_cast<int>(FcFixedText::kMaxLength) - 4;
constexpr int kDimAPostAffixRoom = static_cast<int>(FcFixedText::kMaxLength) - 2;
// True when DIMPOST asks for the alternate units below the primary ones.
bool EndsWithBelowMark(const std::string& dimpost);
// DIMPOST without that mark.
std::string WithoutBelowMark(const std::string& dimpost);
// Stores the text when the field holds it whole; a text too long keeps the
// field as it was rather than losing its end.
void StoreIfFits(FcFixedText& field, const std::string& text);

// The "Main units" page: how linear and angular measurements are written.
class CDimUnitsPage {
 public:
  // DIMLUNIT less 1; -1 when the style's value names no format, which the
  // list then shows unchosen.
  int m_nUnitFormat = kDimDecimal;
  int m_nPrecision = 0;
  int m_nFractionFormat = 0;
  // 0 period, 1 comma, 2 space.
  int m_nSeparator = 0;
  double m_dRounding = 0.0;
  std::string m_strPrefix;
  std::string m_strSuffix;
  double m_dScale = 1.0;
  DimZeroSuppression m_zeros;
  int m_nAngleFormat = 0;
  int m_nAnglePrecision = 0;
  bool m_bAngleLeading = false;
  bool m_bAngleTrailing = false;

  void OnInitDialog(const FcDimVars& vars);
  // Writes the members into the variables. A value out of its range keeps
  // the variable's, and so does a prefix and suffix too long for DIMPOST.
  void ApplyToStyle(FcDimVars& vars) const;

  bool SeparatorEnabled() const;
  bool FractionFormatEnabled() const;
  bool LeadingTrailingEnabled() const { return OffersLeadingTrailing(m_nUnitFormat); }
  bool FeetInchesEnabled() const { return OffersFeetInches(m_nUnitFormat); }
};
