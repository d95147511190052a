#include "commands/dialogs/layer_set_dlg.h"

#include <algorithm>
#include <cctype>

#include "core/value_format.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/linetype.h"

namespace {

constexpr const char* kRenameZero = "Can't rename the layer \"0\"!";
constexpr const char* kEmptyName = "The layer name can't be empty!";
constexpr const char* kCurrentFrozen = "Can't set the frozen layer to current layer!";
constexpr const char* kCurrentOff = "Can't turn off the current layer!";
constexpr const char* kCurrentFreeze = "Can't frozen the current layer!";
constexpr const char* kCurrentLock = "Warning!\nLocked the current layer!";
constexpr const char* kCannotDelete =
    "Can't delete the below layers:\n\tLayer \"0\"\n\tCurrent layer\n\tThere still are the objects on the layer.";

std::unique_ptr<FcLayer> CopyLayer(const FcLayer& from) {
  auto copy = std::make_unique<FcLayer>();
  copy->CopyFrom(from);
  copy->SetGraph(from.GetGraph());
  return copy;
}

bool Visible(const FcLayer& layer) { return !layer.IsMarkedDeleted(); }

}  // namespace

CLayerSetDlg::CLayerSetDlg() = default;
CLayerSetDlg::~CLayerSetDlg() = default;

void CLayerSetDlg::Load() {
  m_layers.clear();
  m_pCurLayer = nullptr;
  m_pDetailLayer = nullptr;
  if (m_pGraph == nullptr) return;
  m_linetypes.Load(*m_pGraph);
  const FcLayerList& table = m_pGraph->GetLayerList();
  for (int i = 0; i < table.GetCount(); ++i) m_layers.push_back(CopyLayer(*table.GetAt(i)));
  std::stable_sort(m_layers.begin(), m_layers.end(),
                   [](const auto& a, const auto& b) { return LessNoCase(a->GetName(), b->GetName()); });
  const FcLayer* current = m_pGraph->GetCurrentLayer();
  for (const auto& layer : m_layers)
    if (current != nullptr && layer->GetHandle() == current->GetHandle()) m_pCurLayer = layer.get();
  m_pDetailLayer = m_pCurLayer;
}

std::string CLayerSetDlg::CurrentLabel() const {
  return "Current Layer: " + (m_pCurLayer != nullptr ? m_pCurLayer->GetName() : std::string());
}

bool CLayerSetDlg::IsLayerZero(const FcLayer& layer) { return EqualsNoCase(layer.GetName(), "0"); }

bool CLayerSetDlg::IsCurrent(const FcLayer& layer) const {
  return m_pCurLayer != nullptr && EqualsNoCase(layer.GetName(), m_pCurLayer->GetName());
}

bool CLayerSetDlg::NameTaken(std::string_view name, const FcLayer* except) const {
  return std::ranges::any_of(m_layers, [&](const auto& layer) {
    return layer.get() != except && Visible(*layer) && EqualsNoCase(layer->GetName(), name);
  });
}

FcLayer* CLayerSetDlg::NewLayer() {
  auto layer = std::make_unique<FcLayer>();
  if (m_pDetailLayer != nullptr) layer->CopyFrom(*m_pDetailLayer);
  layer->SetGraph(m_pGraph);
  layer->SetHandle(0);
  std::string name;
  for (int n = 1; name.empty() || NameTaken(name, nullptr); ++n) name = "Layer" + std::to_string(n);
  layer->SetName(name);
  m_layers.push_back(std::move(layer));
  return m_layers.back().get();
}

std::string CLayerSetDlg::MakeCurrent(FcLayer& layer) {
  if (layer.IsFrozen()) return kCurrentFrozen;
  m_pCurLayer = &layer;
  return {};
}

std::string CLayerSetDlg::Rename(FcLayer& layer, std::string_view name) {
  if (IsLayerZero(layer)) return kRenameZero;
  if (name.empty()) return kEmptyName;
  if (NameTaken(name, &layer)) return kDuplicateName;
  layer.SetName(name);
  return {};
}

std::string CLayerSetDlg::Delete(FcLayer& layer) {
  const FcLayer* drawn = DrawingLayer(layer);
  if (IsLayerZero(layer) || &layer == m_pCurLayer || (drawn != nullptr && drawn->GetEntityHandles().count > 0))
    return kCannotDelete;
  layer.SetMarkedDeleted(true);
  if (m_pDetailLayer == &layer) m_pDetailLayer = m_pCurLayer;
  return {};
}

std::string CLayerSetDlg::SetOn(FcLayer& layer, bool on) {
  if (!on && IsCurrent(layer)) return kCurrentOff;
  layer.SetOn(on);
  return {};
}

std::string CLayerSetDlg::SetFrozen(FcLayer& layer, bool frozen) {
  if (frozen && IsCurrent(layer)) return kCurrentFreeze;
  layer.SetFrozen(frozen);
  return {};
}

std::string CLayerSetDlg::SetLocked(FcLayer& layer, bool locked) {
  layer.SetLocked(locked);
  return locked && IsCurrent(layer) ? kCurrentLock : std::string();
}

void CLayerSetDlg::SetPlottable(FcLayer& layer, bool plottable) { layer.SetPlottable(plottable); }

void CLayerSetDlg::SetColor(FcLayer& layer, short color) {
  if (color >= 1 && color <= 255) layer.SetColor(color);
}

void CLayerSetDlg::SetLinetype(FcLayer& layer, FcHandle linetype) { layer.SetLinetypeHandle(linetype); }

std::string CLayerSetDlg::ColorText(short color) {
  return color >= 8 ? "Color " + std::to_string(color) : ColorIndexToText(color);
}

std::vector<CLayerSetDlg::ColorChoice> CLayerSetDlg::ColorChoices() const {
  std::vector<ColorChoice> choices;
  for (short color = 1; color <= 7; ++color) choices.push_back({color, ColorText(color)});
  for (const auto& layer : m_layers)
    if (layer->GetColor() >= 8 && layer->GetColor() <= 255) choices.push_back({layer->GetColor(), ColorText(layer->GetColor())});
  choices.push_back({kOtherColors, "Others..."});
  return choices;
}

std::vector<CLayerSetDlg::LinetypeChoice> CLayerSetDlg::LinetypeChoices() const {
  std::vector<LinetypeChoice> choices;
  for (int i = 0; i < m_linetypes.GetCount(); ++i) {
    const FcLineType& linetype = m_linetypes.GetAt(i);
    if (!IsLinetypeMarkerName(linetype.GetName())) choices.push_back({linetype.GetHandle(), linetype.GetName()});
  }
  return choices;
}

std::string CLayerSetDlg::LinetypeName(FcHandle handle) const {
  const FcLineType* linetype = handle != 0 ? m_linetypes.FindByHandle(handle) : nullptr;
  return linetype != nullptr ? linetype->GetName() : std::string("Continuous");
}

FcLayer* CLayerSetDlg::DrawingLayer(const FcLayer& layer) const {
  if (layer.GetHandle() == 0 || m_pGraph == nullptr) return nullptr;
  return m_pGraph->GetLayerList().FindByHandle(layer.GetHandle());
}

// A change of a layer's visibility alone needs only the layer display;
// anything that changes how its entities look needs a regeneration, even
// when the layer is switched at the same time.
void CLayerSetDlg::RaiseRefresh(const FcLayer& from, const FcLayer& to) {
  const FcLinetypeList& linetypes = m_pGraph->GetLinetypeList();
  if (from.IsFrozen() != to.IsFrozen() || from.GetColor() != to.GetColor() ||
      linetypes.FindByHandle(from.GetLinetypeHandle()) != linetypes.FindByHandle(to.GetLinetypeHandle())) {
    m_nRegen = kRefreshRegen;
  } else if (from.IsOn() != to.IsOn()) {
    m_nRegen = std::max(m_nRegen, kRefreshLayerDisplay);
  }
}

void CLayerSetDlg::Apply() {
  m_nRegen = kRefreshNone;
  if (m_pGraph == nullptr) return;
  m_linetypes.WriteBack(*m_pGraph);
  // Entities drawn with a reloaded pattern must be drawn again.
  if (m_linetypes.Reloaded()) m_nRegen = kRefreshRegen;
  for (const auto& layer : m_layers) {
    if (layer->IsMarkedDeleted()) continue;
    layer->SetLinetypeHandle(m_linetypes.RealHandle(layer->GetLinetypeHandle()));
    FcLayer* drawn = DrawingLayer(*layer);
    if (drawn != nullptr) {
      RaiseRefresh(*drawn, *layer);
    } else if ((drawn = m_pGraph->CreateLayer()) == nullptr) {
      continue;
    }
    const FcHandle handle = drawn->GetHandle();
    drawn->CopyFrom(*layer);
    drawn->SetHandle(handle);
    layer->SetHandle(handle);
    if (layer.get() == m_pCurLayer) m_pGraph->SetCurrentLayerByHandle(handle);
  }
  // Deleted layers go by handle: a layer renamed to a deleted one's name
  // must not be taken for it. The table keeps a layer that still holds
  // entities.
  for (const auto& layer : m_layers)
    if (layer->IsMarkedDeleted() && layer->GetHandle() != 0) m_pGraph->GetLayerList().RemoveByHandle(layer->GetHandle());
}
