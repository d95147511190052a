#include "commands/dialogs/pen_width_dlg.h"

#include <QSettings>
#include <cmath>

#include "commands/dialogs/dialog_settings.h"
#include "commands/dialogs/dialog_values.h"
#include "core/value_format.h"
#include "core/value_parse.h"

namespace {

const QString kSection = QStringLiteral("PenWidthSet");
constexpr double kMmPerInch = 25.4;
constexpr double kInchPerMm = 0.03937007874015748;

}  // namespace

void CPenWidthDlg::OnInitDialog() {
  const std::unique_ptr<QSettings> store = OpenDialogSettings();
  m_nUnit = ReadDialogWhole(*store, kSection, "unit").value_or(kUnitInch) == kUnitMm ? kUnitMm : kUnitInch;
  m_widths = GetProgramSettings().print_pen_width;
  Select({});
}

void CPenWidthDlg::Select(const std::vector<int>& indices) {
  m_selected.clear();
  for (int index : indices)
    if (index >= 1 && index < kPenColorCount) m_selected.push_back(index);
  m_nSelected = m_selected.size() == 1 ? m_selected.front() : -1;
}

std::string CPenWidthDlg::ColorText() const {
  if (m_selected.size() > 1) return "Color varies";
  if (m_nSelected < 0) return {};
  return ColorIndexToText(static_cast<short>(m_nSelected));
}

std::string CPenWidthDlg::WidthText(int index) const {
  if (index < 0 || index >= kPenColorCount) return {};
  return FormatDecimal(4, m_nUnit == kUnitMm ? m_widths[index] * kMmPerInch : m_widths[index]);
}

std::string CPenWidthDlg::ApplyWidth(const std::string& text) {
  double value = 0.0;
  // A negative or endless width has no line to print.
  if (!ParseReal(text, value) || !std::isfinite(value) || value < 0.0) return kInvalidNumber;
  const double inches = m_nUnit == kUnitMm ? value * kInchPerMm : value;
  for (int index : m_selected) m_widths[index] = inches;
  return {};
}

void CPenWidthDlg::SelectUnit(int unit) { m_nUnit = unit == kUnitMm ? kUnitMm : kUnitInch; }

void CPenWidthDlg::Accept() {
  GetProgramSettings().print_pen_width = m_widths;
  // A store that cannot be written loses the unit, not the widths.
  const std::unique_ptr<QSettings> store = OpenDialogSettings();
  WriteDialogValue(*store, kSection, "unit", m_nUnit);
  store->sync();
}
