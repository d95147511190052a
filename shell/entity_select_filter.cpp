#include "shell/entity_select_filter.h"

#include <algorithm>

#include "database/entity.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/linetype.h"
#include "database/symbol_list.h"

namespace {

// Both polyline forms answer to one type name.
std::string TypeKey(std::string_view name) {
  if (EqualsNoCaseMultibyte(name, "polyline")) return "lwpolyline";
  return std::string(name);
}

bool Listed(const std::vector<std::string>& list, std::string_view name) {
  return std::ranges::any_of(list, [&](const std::string& entry) { return EqualsNoCaseMultibyte(entry, name); });
}

bool AddName(std::vector<std::string>& list, std::string_view name) {
  if (Listed(list, name)) return false;
  list.emplace_back(name);
  return true;
}

std::string LinetypeName(const FcEntity& entity) {
  const FcLineType* linetype = entity.GetLinetype();
  if (linetype == nullptr) return "ByLayer";
  if (linetype == LinetypeByBlock()) return "ByBlock";
  return linetype->GetName();
}

}  // namespace

bool FcEntSelectFilter::Accepts(const FcEntity* entity) const {
  if (entity == nullptr) return false;
  if (!types_.empty() && !Listed(types_, TypeKey(entity->GetRecordName()))) return false;
  if (!layers_.empty()) {
    const FcLayer* layer = entity->GetLayer();
    if (layer == nullptr || !Listed(layers_, layer->GetName())) return false;
  }
  if (!linetypes_.empty() && !Listed(linetypes_, LinetypeName(*entity))) return false;
  if (!colors_.empty() && std::ranges::find(colors_, entity->GetColor()) == colors_.end()) return false;
  return true;
}

void FcEntSelectFilter::CopyFrom(const FcSelectFilter& other) {
  if (&other == this) return;
  Clear();
  const auto* same = dynamic_cast<const FcEntSelectFilter*>(&other);
  if (same == nullptr) return;
  types_ = same->types_;
  layers_ = same->layers_;
  linetypes_ = same->linetypes_;
  colors_ = same->colors_;
}

FcTypeFilterScope::FcTypeFilterScope(FcGraph& graph, std::initializer_list<std::string_view> types)
    : graph_(graph), previous_(graph.GetSelectFilter()) {
  for (std::string_view type : types) filter_.AddType(type);
  graph_.SetSelectFilter(&filter_);
}

FcTypeFilterScope::~FcTypeFilterScope() { graph_.SetSelectFilter(previous_); }

bool FcEntSelectFilter::AddType(std::string_view name) { return AddName(types_, TypeKey(name)); }

bool FcEntSelectFilter::AddLayer(std::string_view name) { return AddName(layers_, name); }

bool FcEntSelectFilter::AddLinetype(std::string_view name) { return AddName(linetypes_, name); }

bool FcEntSelectFilter::AddColor(std::int16_t color) {
  if (std::ranges::find(colors_, color) != colors_.end()) return false;
  colors_.push_back(color);
  return true;
}

void FcEntSelectFilter::Clear() {
  types_.clear();
  layers_.clear();
  linetypes_.clear();
  colors_.clear();
}
