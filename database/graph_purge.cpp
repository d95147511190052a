#include "database/graph.h"

namespace {

bool TableHolds(const FcSymbolList& table, const FcObject* record) {
  for (int i = 0; i < table.GetCount(); ++i) {
    if (table.GetRecordAt(i) == record) return true;
  }
  return false;
}

FcObject* FirstRecord(const FcSymbolList& table) { return table.GetCount() > 0 ? table.GetRecordAt(0) : nullptr; }

bool AnyLayerUses(const FcLayerList& layers, FcHandle linetype) {
  for (int i = 0; i < layers.GetCount(); ++i) {
    const FcLayer* layer = layers.GetAt(i);
    if (layer != nullptr && layer->GetLinetypeHandle() == linetype) return true;
  }
  return false;
}

}  // namespace

void FcGraph::PurgeLayer(FcLayer* layer) {
  if (layer == nullptr || layer->GetEntityHandles().count > 0 || EqualsNoCase(layer->GetName(), "0")) return;
  layers_.RemoveByName(layer->GetName());
  if (!TableHolds(layers_, currentLayer_)) currentLayer_ = static_cast<FcLayer*>(FirstRecord(layers_));
}

void FcGraph::PurgeLinetype(FcLineType* linetype) {
  if (linetype == nullptr || !linetype->IsUnreferenced() || linetype->GetKind() != FcLineType::kKindOther ||
      EqualsNoCase(linetype->GetName(), "Continuous")) {
    return;
  }
  // Layers are not among what the reference marks look at, and a layer
  // left naming a deleted linetype would draw and save wrongly.
  if (AnyLayerUses(layers_, linetype->GetHandle())) return;
  linetypes_.RemoveByName(linetype->GetName());
  if (IsLinetypeMarker(currentLinetype_) || TableHolds(linetypes_, currentLinetype_)) return;
  // The first record is normally "ByLayer", which stands for the null
  // pointer rather than for itself.
  auto* first = static_cast<FcLineType*>(FirstRecord(linetypes_));
  if (first == nullptr || first->GetKind() == FcLineType::kKindByLayer) {
    currentLinetype_ = nullptr;
  } else if (first->GetKind() == FcLineType::kKindByBlock) {
    currentLinetype_ = LinetypeByBlock();
  } else {
    currentLinetype_ = first;
  }
}

void FcGraph::PurgeTextStyle(FcTextStyle* style) {
  if (style == nullptr || !style->IsUnreferenced() || EqualsNoCase(style->GetName(), "standard")) return;
  textStyles_.RemoveByName(style->GetName());
  if (!TableHolds(textStyles_, currentTextStyle_)) currentTextStyle_ = static_cast<FcTextStyle*>(FirstRecord(textStyles_));
}
