#include "commands/dialogs/units_dlg.h"

#include <numbers>

#include "core/angle_format.h"
#include "core/geometry_basics.h"
#include "core/number_separators.h"
#include "core/value_format.h"
#include "database/graph.h"

namespace {

constexpr double kSampleAngle = 1.63475947456;

// head, then "0" and the decimal separator before 1 to 8 zeros, each with
// the tail.
std::vector<std::string> DecimalSamples(const std::string& first, const std::string& head, const std::string& tail) {
  std::vector<std::string> samples{first};
  std::string zeros = head + "0" + GetNumberSeparators().decimal;
  for (int i = 1; i <= 8; ++i) samples.push_back((zeros += "0") + tail);
  return samples;
}

std::vector<std::string> WithPrefix(const std::string& prefix, const std::vector<std::string>& tails,
                                    const std::string& suffix) {
  std::vector<std::string> samples;
  for (const std::string& tail : tails) samples.push_back(prefix + tail + suffix);
  return samples;
}

const std::vector<std::string> kFractions{"", " 1/2", " 1/4", " 1/8", " 1/16", " 1/32", " 1/64", " 1/128", " 1/256"};

std::vector<std::string> DegreeSamples() {
  std::vector<std::string> samples{"0d", "0d00'", "0d00'00\""};
  std::string seconds = "0d00'00.";
  for (int i = 1; i <= 6; ++i) samples.push_back((seconds += "0") + "\"");
  return samples;
}

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

}  // namespace

void CUnitsDlg::Load() {
  if (m_pGraph == nullptr) return;
  const FcSystemVar& vars = m_pGraph->GetSysVars();
  m_nLengthType = InRange(vars.lunits, 1, 5) ? vars.lunits - 1 : -1;
  m_nLengthPrec = InRange(vars.luprec, 0, 8) ? vars.luprec : -1;
  m_nAngleType = InRange(vars.aunits, 0, 4) ? vars.aunits : -1;
  m_nAnglePrec = InRange(vars.auprec, 0, 8) ? vars.auprec : -1;
  m_bClockwise = vars.angdir != 0;
  m_dBaseAngle = vars.angbase;
  m_bBaseAngleSet = false;
}

const std::vector<std::string>& CUnitsDlg::LengthTypes() {
  static const std::vector<std::string> types{"Scientific", "Decimal", "Engineering", "Architectural", "Fractional"};
  return types;
}

const std::vector<std::string>& CUnitsDlg::AngleTypes() {
  static const std::vector<std::string> types{"decimal degrees", "degrees/minutes/seconds", "gradians", "radians",
                                              "surveyor's units"};
  return types;
}

std::vector<std::string> CUnitsDlg::LengthPrecisions(int type) {
  switch (type) {
    case 0:
      return DecimalSamples("0E+01", "", "E+01");
    case 2:
      return DecimalSamples("0'-0\"", "0'-", "\"");
    case 3:
      return WithPrefix("0'-0", kFractions, "\"");
    case 4:
      return WithPrefix("0", kFractions, "");
    default:
      return DecimalSamples("0", "", "");
  }
}

std::vector<std::string> CUnitsDlg::AnglePrecisions(int type) {
  switch (type) {
    case 0:
      return DecimalSamples("0", "", "");
    case 1:
      return DegreeSamples();
    case 2:
      return DecimalSamples("0g", "", "g");
    case 3:
      return DecimalSamples("0r", "", "r");
    case 4:
      return WithPrefix("N ", DegreeSamples(), " E");
    default:
      return {};
  }
}

std::string CUnitsDlg::LengthSample() const {
  return FormatDistance(1.5, m_nLengthType + 1, m_nLengthPrec) + "," +
         FormatDistance(2.0263671875, m_nLengthType + 1, m_nLengthPrec);
}

std::string CUnitsDlg::AngleSample() const {
  return FormatDistance(2.5, m_nLengthType + 1, m_nLengthPrec) + "<" +
         FormatAngle(m_nAnglePrec, kSampleAngle, m_nAngleType);
}

CUnitsDlg::Direction CUnitsDlg::DirectionOf(double radians) {
  constexpr double pi = std::numbers::pi;
  if (radians == 0.0) return kEast;
  if (radians == pi / 2) return kNorth;
  if (radians == pi) return kWest;
  if (radians == pi + pi / 2) return kSouth;
  return kOthers;
}

void CUnitsDlg::SetBaseAngleDegrees(double degrees) {
  m_dBaseAngle = degrees * std::numbers::pi * (1.0 / 180.0);
  NormalizeAngle(m_dBaseAngle);
  m_bBaseAngleSet = true;
}

void CUnitsDlg::Apply() const {
  if (m_pGraph == nullptr) return;
  FcSystemVar& vars = m_pGraph->GetSysVars();
  if (InRange(m_nLengthType + 1, 1, 5)) vars.lunits = static_cast<short>(m_nLengthType + 1);
  if (InRange(m_nLengthPrec, 0, 8)) vars.luprec = static_cast<short>(m_nLengthPrec);
  if (InRange(m_nAngleType, 0, 4)) vars.aunits = static_cast<short>(m_nAngleType);
  if (InRange(m_nAnglePrec, 0, 8)) vars.auprec = static_cast<short>(m_nAnglePrec);
  vars.angdir = m_bClockwise ? 1 : 0;
  if (m_bBaseAngleSet) vars.angbase = m_dBaseAngle;
}
