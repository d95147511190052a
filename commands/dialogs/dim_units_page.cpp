#include "commands/dialogs/dim_units_page.h"

#include <cmath>

#include "database/dim_style.h"

namespace {

constexpr const char* kBelowMark = "\\X";

int SeparatorPosition(int separator) {
  if (separator == ',') return 1;
  if (separator == ' ') return 2;
  return 0;
}

constexpr char kSeparators[] = {'.', ',', ' '};

}  // namespace

DimPrefixSuffix SplitDimPost(const std::string& text, char open, char close) {
  DimPrefixSuffix parts;
  const std::size_t marker = text.find_first_of(std::string{open, close});
  parts.prefix = text.substr(0, marker);
  if (marker == std::string::npos) return parts;
  for (std::size_t i = marker; i < text.size(); ++i)
    if (text[i] != open && text[i] != close) parts.suffix += text[i];
  return parts;
}

bool EndsWithBelowMark(const std::string& dimpost) { return dimpost.ends_with(kBelowMark); }

std::string WithoutBelowMark(const std::string& dimpost) {
  return EndsWithBelowMark(dimpost) ? dimpost.substr(0, dimpost.size() - 2) : dimpost;
}

void StoreIfFits(FcFixedText& field, const std::string& text) {
  if (text.size() <= FcFixedText::kMaxLength) field = text;
}

void CDimUnitsPage::OnInitDialog(const FcDimVars& vars) {
  m_nUnitFormat = InRange(vars.dimlunit, 1, 5) ? vars.dimlunit - 1 : -1;
  m_nPrecision = vars.dimdec;
  m_nFractionFormat = vars.dimfrac;
  m_nSeparator = SeparatorPosition(vars.dimdsep);
  m_dRounding = vars.dimrnd;
  const DimPrefixSuffix parts = SplitDimPost(WithoutBelowMark(vars.dimpost.str()), '<', '>');
  m_strPrefix = parts.prefix;
  m_strSuffix = parts.suffix;
  m_dScale = vars.dimlfac;
  m_zeros = DimZeroSuppression::FromCode(vars.dimzin);
  m_nAngleFormat = vars.dimaunit;
  m_nAnglePrecision = vars.dimadec;
  m_bAngleLeading = (vars.dimazin & 1) != 0;
  m_bAngleTrailing = (vars.dimazin & 2) != 0;
}

void CDimUnitsPage::ApplyToStyle(FcDimVars& vars) const {
  if (std::fabs(m_dScale) > 0.0) vars.dimlfac = std::fabs(m_dScale);
  vars.dimrnd = std::fabs(m_dRounding);
  if (InRange(m_nUnitFormat, 0, 4)) vars.dimlunit = static_cast<std::int16_t>(m_nUnitFormat + 1);
  if (InRange(m_nAngleFormat, 0, 3)) vars.dimaunit = static_cast<std::int16_t>(m_nAngleFormat);
  if (InRange(m_nFractionFormat, 0, 2)) vars.dimfrac = static_cast<std::int16_t>(m_nFractionFormat);
  std::string dimpost = m_strPrefix + "<>" + m_strSuffix;
  if (EndsWithBelowMark(vars.dimpost.str())) dimpost += kBelowMark;
  StoreIfFits(vars.dimpost, dimpost);
  vars.dimzin = static_cast<std::int16_t>(m_zeros.Code());
  vars.dimazin = static_cast<std::int16_t>((m_bAngleLeading ? 1 : 0) + (m_bAngleTrailing ? 2 : 0));
  if (InRange(m_nPrecision, 0, 8)) vars.dimdec = static_cast<std::int16_t>(m_nPrecision);
  if (InRange(m_nAnglePrecision, 0, 8)) vars.dimadec = static_cast<std::int16_t>(m_nAnglePrecision);
  if (InRange(m_nSeparator, 0, 2)) vars.dimdsep = kSeparators[m_nSeparator];
}

bool CDimUnitsPage::SeparatorEnabled() const {
  return m_nUnitFormat == kDimScientific || m_nUnitFormat == kDimDecimal || m_nUnitFormat == kDimEngineering;
}

bool CDimUnitsPage::FractionFormatEnabled() const {
  return m_nUnitFormat == kDimArchitectural || m_nUnitFormat == kDimFractional;
}
