#include "commands/dialogs/select_condition_dlg.h"

#include <QSettings>
#include <algorithm>
#include <memory>

#include "commands/dialogs/dialog_settings.h"
#include "commands/dialogs/table_lists.h"
#include "core/value_format.h"
#include "shell/select_objects.h"

namespace {

constexpr const char* kConditionsKey = "SelectConditions";

const char* const kObjectTypes[] = {"Line",   "Point",  "Circle", "Shape",     "Ellipse", "Spline",
                                    "Text",   "Arc",    "Trace",  "Solid",     "Insert",  "Attdef",
                                    "Attrib", "Dimension", "Ray", "Xline",     "Mtext",   "Leader",
                                    "Tolerance", "Polyline", "Hatch", "Image"};

// The condition with one of its lists replaced, the other three kept.
FcEntSelectFilter WithTab(const FcEntSelectFilter& filter, int tab, const std::vector<int>& keep) {
  FcEntSelectFilter result;
  const auto copy = [&](int which, const auto& list, auto add) {
    for (std::size_t i = 0; i < list.size(); ++i)
      if (which != tab || std::ranges::find(keep, static_cast<int>(i)) != keep.end()) add(list[i]);
  };
  copy(CSelectConditionDlg::kTypes, filter.GetTypes(), [&](const std::string& n) { result.AddType(n); });
  copy(CSelectConditionDlg::kLayers, filter.GetLayers(), [&](const std::string& n) { result.AddLayer(n); });
  copy(CSelectConditionDlg::kLinetypes, filter.GetLinetypes(), [&](const std::string& n) { result.AddLinetype(n); });
  copy(CSelectConditionDlg::kColors, filter.GetColors(), [&](std::int16_t c) { result.AddColor(c); });
  return result;
}

std::size_t TabSize(const FcEntSelectFilter& filter, int tab) {
  switch (tab) {
    case CSelectConditionDlg::kTypes:
      return filter.GetTypes().size();
    case CSelectConditionDlg::kLayers:
      return filter.GetLayers().size();
    case CSelectConditionDlg::kLinetypes:
      return filter.GetLinetypes().size();
    default:
      return filter.GetColors().size();
  }
}

}  // namespace

void CSelectConditionDlg::ReadConditionNames() {
  m_conditions.clear();
  m_nCondition = -1;
  const std::unique_ptr<QSettings> store = OpenDialogSettings();
  store->beginGroup(QString::fromLatin1(kConditionsKey));
  for (const QString& name : store->childGroups())
    if (!name.isEmpty() && name.size() <= 512) m_conditions.push_back(name.toStdString());
  store->endGroup();
  std::ranges::sort(m_conditions);
}

void CSelectConditionDlg::OnInitDialog() {
  if (m_pFilter != nullptr) m_filter.CopyFrom(*m_pFilter);
  m_nTab = kTypes;
  ReadConditionNames();
}

std::vector<std::string> CSelectConditionDlg::TabRows() const {
  switch (m_nTab) {
    case kTypes:
      return m_filter.GetTypes();
    case kLayers:
      return m_filter.GetLayers();
    case kLinetypes:
      return m_filter.GetLinetypes();
    default: {
      std::vector<std::string> rows;
      for (std::int16_t color : m_filter.GetColors()) rows.push_back(ColorIndexToText(color));
      return rows;
    }
  }
}

bool CSelectConditionDlg::CanSave() const {
  return !m_filter.GetTypes().empty() || !m_filter.GetLayers().empty() || !m_filter.GetLinetypes().empty() ||
         !m_filter.GetColors().empty();
}

bool CSelectConditionDlg::AddColor(int color) {
  if (color < 0 || color > 256 || !m_filter.AddColor(static_cast<std::int16_t>(color))) return false;
  m_nCondition = -1;
  return true;
}

void CSelectConditionDlg::DeleteRows(std::vector<int> rows) {
  if (rows.empty()) return;
  m_nCondition = -1;
  std::vector<int> keep;
  for (int i = 0; i < static_cast<int>(TabSize(m_filter, m_nTab)); ++i)
    if (std::ranges::find(rows, i) == rows.end()) keep.push_back(i);
  m_filter = WithTab(m_filter, m_nTab, keep);
}

void CSelectConditionDlg::ClearTab() {
  m_filter = WithTab(m_filter, m_nTab, {});
  m_nCondition = -1;
}

void CSelectConditionDlg::ChooseCondition(int index) {
  if (index < 0 || index >= static_cast<int>(m_conditions.size())) {
    m_nCondition = -1;
    return;
  }
  m_nCondition = index;
  const std::unique_ptr<QSettings> store = OpenDialogSettings();
  m_filter.LoadFromRegistry(*store, m_conditions[index]);
}

void CSelectConditionDlg::RemoveCondition() {
  if (m_nCondition < 0) return;
  const std::unique_ptr<QSettings> store = OpenDialogSettings();
  store->beginGroup(QString::fromLatin1(kConditionsKey));
  store->remove(QString::fromStdString(m_conditions[m_nCondition]));
  store->endGroup();
  store->sync();
  ReadConditionNames();
}

CSelectConditionDlg::SaveResult CSelectConditionDlg::SaveCondition(const std::string& name, bool overwrite) {
  // An empty name would address the key that holds every saved condition.
  if (name.empty() || name.find_first_of("/\\") != std::string::npos) return SaveResult::kRefused;
  const int existing = FindListEntry(m_conditions, name);
  if (existing >= 0 && !overwrite) return SaveResult::kAskOverwrite;
  const std::string stored = existing >= 0 ? m_conditions[existing] : name;
  const std::unique_ptr<QSettings> store = OpenDialogSettings();
  const bool saved = m_filter.SaveToRegistry(*store, stored);
  if (!saved) return SaveResult::kFailed;
  if (existing < 0) {
    m_conditions.push_back(stored);
    std::ranges::sort(m_conditions);
  }
  m_nCondition = FindListEntry(m_conditions, stored);
  return SaveResult::kSaved;
}

void CSelectConditionDlg::OnOK() {
  if (m_pFilter != nullptr) m_pFilter->CopyFrom(m_filter);
}

std::vector<std::string> CAddConditionDlg::AvailableValues() const {
  if (m_nKind == 0) return {std::begin(kObjectTypes), std::end(kObjectTypes)};
  if (m_pGraph == nullptr) return {};
  return m_nKind == 1 ? SortedLayerNames(*m_pGraph) : LinetypeNames(*m_pGraph);
}

bool CAddConditionDlg::OnOK(const std::vector<int>& chosen) {
  if (m_pFilter == nullptr) return false;
  const std::vector<std::string> values = AvailableValues();
  bool added = false;
  for (auto it = chosen.rbegin(); it != chosen.rend(); ++it) {
    if (*it < 0 || *it >= static_cast<int>(values.size())) continue;
    const std::string& value = values[*it];
    const bool went = m_nKind == 0 ? m_pFilter->AddType(value)
                      : m_nKind == 1 ? m_pFilter->AddLayer(value)
                                     : m_pFilter->AddLinetype(value);
    added = added || went;
  }
  return added;
}

void InstallSelectConditionDialog() {
  SetSelectConditionEditor([](FcEntSelectFilter& filter, FcGraph& graph) {
    CSelectConditionDlg dialog;
    dialog.m_pFilter = &filter;
    dialog.m_pGraph = &graph;
    return RunModalDialog(dialog) == CModalDialog::kOk;
  });
}
