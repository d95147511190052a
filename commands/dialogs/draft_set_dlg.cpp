#include "commands/dialogs/draft_set_dlg.h"

#include <numbers>

#include "core/geometry_basics.h"
#include "database/graph.h"

void CDraftSetDlg::Load() {
  if (m_pGraph == nullptr) return;
  const FcSystemVar& vars = m_pGraph->GetSysVars();
  m_bSnapOn = vars.snapmode != 0;
  m_dSnapAngle = vars.snapang / std::numbers::pi * 180.0;
  m_dBaseX = vars.snapbase.x;
  m_dBaseY = vars.snapbase.y;
  m_dSnapX = vars.snapunit.x;
  m_dSnapY = vars.snapunit.y;
  m_bGridOn = vars.gridmode != 0;
  m_dGridX = vars.gridunit.x;
  m_dGridY = vars.gridunit.y;
  m_bOsnapOn = vars.osmode != 0 && (vars.osmode & kObjectSnapOff) == 0;
  for (int i = 0; i < kModes; ++i) m_modes[static_cast<std::size_t>(i)] = (vars.osmode & kModeBits[static_cast<std::size_t>(i)]) != 0;
}

std::string CDraftSetDlg::CheckSpacings() const {
  if (m_dSnapX == 0.0 || m_dSnapY == 0.0 || m_dGridX == 0.0 || m_dGridY == 0.0)
    return "Error!\nThe snap space or grid space can't be zero!";
  return {};
}

void CDraftSetDlg::Apply() const {
  if (m_pGraph == nullptr) return;
  FcSystemVar& vars = m_pGraph->GetSysVars();
  if (m_bSnapPageShown) {
    vars.snapmode = m_bSnapOn ? 1 : 0;
    double angle = m_dSnapAngle * std::numbers::pi * (1.0 / 180.0);
    NormalizeAngle(angle);
    vars.snapang = angle;
    vars.snapbase = {m_dBaseX, m_dBaseY};
    // Negative spacings pass the zero test but are not taken.
    if (m_dSnapX > 0.0 && m_dSnapY > 0.0) vars.snapunit = {m_dSnapX, m_dSnapY};
    vars.gridmode = m_bGridOn ? 1 : 0;
    if (m_dGridX > 0.0 && m_dGridY > 0.0) vars.gridunit = {m_dGridX, m_dGridY};
  }
  if (m_bObjectSnapPageShown) {
    int osmode = m_bOsnapOn ? 0 : kObjectSnapOff;
    for (int i = 0; i < kModes; ++i)
      if (m_modes[static_cast<std::size_t>(i)]) osmode += kModeBits[static_cast<std::size_t>(i)];
    vars.osmode = osmode;
  }
}
