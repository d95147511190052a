#include "commands/dialogs/linetype_dlg.h"

#include <cctype>

#include "core/value_parse.h"
#include "database/graph.h"
#include "database/linetype.h"

namespace {

constexpr const char* kFixedName =
    "Can't rename the linetype!\nYou can't rename the follow linetype:\nBylayer,ByBlock and Continuous.";

// The linetypes every drawing has and that layers and entities name.
bool IsFixedName(std::string_view name) {
  return EqualsNoCase(name, "ByLayer") || EqualsNoCase(name, "ByBlock") || EqualsNoCase(name, "Continuous");
}

// The first character may be any; the others letters, digits or "_".
bool IsValidName(std::string_view name) {
  if (name.empty()) return false;
  for (std::size_t i = 1; i < name.size(); ++i) {
    const unsigned char ch = static_cast<unsigned char>(name[i]);
    if (ch >= 0x80 || (!std::isalnum(ch) && ch != '_')) return false;
  }
  return true;
}

}  // namespace

void CLineTypeDlg::Load() {
  if (m_pGraph == nullptr) return;
  const FcSystemVar& vars = m_pGraph->GetSysVars();
  m_strCurLinetype = vars.celtype.str();
  m_dEntityScale = vars.celtscale;
  m_dGlobalScale = vars.ltscale;
  m_bScaleChanged = false;
  m_table.Load(*m_pGraph);
}

std::string CLineTypeDlg::MakeCurrent(const std::vector<int>& rows) {
  if (rows.size() > 1)
    return "Can't set more than one linetypes to current linetype!\nPlease select one linetype.";
  if (rows.empty() || rows[0] < 0 || rows[0] >= m_table.GetCount())
    return "Please select one linetype which you want to set current linetype.";
  m_strCurLinetype = m_table.GetAt(rows[0]).GetName();
  return {};
}

std::string CLineTypeDlg::Rename(int row, std::string_view name) {
  if (row < 0 || row >= m_table.GetCount()) return {};
  if (IsFixedName(m_table.GetAt(row).GetName())) return kFixedName;
  if (!IsValidName(name)) return "Invalid linetype name!";
  for (int other = 0; other < m_table.GetCount(); ++other)
    if (other != row && EqualsNoCase(m_table.GetAt(other).GetName(), name)) return "Duplicate linetype name!";
  FcLineType& record = m_table.GetAt(row);
  if (EqualsNoCase(record.GetName(), m_strCurLinetype)) m_strCurLinetype = name;
  record.SetName(name);
  return {};
}

std::string CLineTypeDlg::SetScales(std::string_view entityScale, std::string_view globalScale) {
  double entity = 0.0;
  double global = 0.0;
  if (!ParseReal(entityScale, entity) || !ParseReal(globalScale, global)) return "Please enter a number.";
  m_dEntityScale = entity;
  m_dGlobalScale = global;
  m_bScaleChanged = m_pGraph != nullptr && global != m_pGraph->GetSysVars().ltscale;
  return {};
}

void CLineTypeDlg::Apply() {
  if (m_pGraph == nullptr) return;
  FcSystemVar& vars = m_pGraph->GetSysVars();
  if (m_dEntityScale > 0.0) vars.celtscale = m_dEntityScale;
  if (m_dGlobalScale > 0.0) vars.ltscale = m_dGlobalScale;
  m_table.WriteBack(*m_pGraph);
  m_pGraph->SetCurrentLinetype(m_strCurLinetype);
}
