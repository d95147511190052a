#include "database/undo_table_items.h"

#include <memory>
#include <unordered_set>
#include <utility>

#include "database/dim_style.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/linetype.h"
#include "database/undo_refresh.h"
#include "database/text_style.h"

namespace {

template <typename Record>
using Copies = std::vector<std::unique_ptr<Record>>;

// What the table exchange needs to know of each table. Create appends a
// record with the drawing's next handle (null when it cannot be made);
// Write puts a record's values, handle included, into another record (a
// copy, or the drawing's record when saved values go back).
struct LayerTable {
  using Record = FcLayer;
  template <typename Graph>
  static auto& Table(Graph& graph) { return graph.GetLayerList(); }
  static Record* Create(FcGraph& graph) { return graph.CreateLayer(); }
  static void Write(const Record& saved, Record& record) { record.CopyFrom(saved); }
  // Layer "0" and layers that hold entities stay.
  static bool MayDelete(const Record& record) {
    return !EqualsNoCase(record.GetName(), "0") && record.GetEntityHandles().count == 0;
  }
  static void Remove(FcGraph& graph, FcHandle handle) { graph.GetLayerList().RemoveByHandle(handle); }
};

struct LinetypeTable {
  using Record = FcLineType;
  template <typename Graph>
  static auto& Table(Graph& graph) { return graph.GetLinetypeList(); }
  static Record* Create(FcGraph& graph) {
    Record* record = graph.GetLinetypeList().AddNew();
    if (record != nullptr) graph.TakeHandle(*record);
    return record;
  }
  static void Write(const Record& saved, Record& record) {
    record.CopyFrom(saved);
    record.SetHandle(saved.GetHandle());
  }
  static bool MayDelete(const Record&) { return true; }
  static void Remove(FcGraph& graph, FcHandle handle) { graph.GetLinetypeList().RemoveByHandle(handle); }
};

struct TextStyleTable {
  using Record = FcTextStyle;
  template <typename Graph>
  static auto& Table(Graph& graph) { return graph.GetTextStyleList(); }
  static Record* Create(FcGraph& graph) { return graph.NewTextStyle(); }
  static void Write(const Record& saved, Record& record) { record.CopyFrom(saved); }
  static bool MayDelete(const Record&) { return true; }
  static void Remove(FcGraph& graph, FcHandle handle) { graph.GetTextStyleList().RemoveByHandle(handle); }
};

struct DimStyleTable {
  using Record = FcDimStyle;
  template <typename Graph>
  static auto& Table(Graph& graph) { return graph.GetDimStyleList(); }
  static Record* Create(FcGraph& graph) { return graph.NewDimStyle({}); }
  // The bindings of names to blocks and styles need the drawing first.
  static void Write(const Record& saved, Record& record) {
    if (record.GetGraph() == nullptr) record.SetGraph(saved.GetGraph());
    record.CopyVariables(saved);
    record.SetName(saved.GetName());
  }
  static bool MayDelete(const Record&) { return true; }
  static void Remove(FcGraph& graph, FcHandle handle) { graph.GetDimStyleList().RemoveByHandle(handle); }
};

template <typename Traits>
std::unique_ptr<typename Traits::Record> CopyRecord(const typename Traits::Record& record) {
  auto copy = std::make_unique<typename Traits::Record>();
  Traits::Write(record, *copy);
  return copy;
}

template <typename Traits>
Copies<typename Traits::Record> CopyTable(const FcGraph& graph) {
  const auto& table = Traits::Table(graph);
  Copies<typename Traits::Record> copies;
  copies.reserve(static_cast<std::size_t>(table.GetCount()));
  for (int i = 0; i < table.GetCount(); ++i) copies.push_back(CopyRecord<Traits>(*table.GetAt(i)));
  return copies;
}

// Writes the saved records into the drawing's table (making the missing
// ones), deletes the records the saved ones lack from the last to the
// first, and leaves the drawing's former records in saved.
template <typename Traits>
void ExchangeTable(FcGraph& graph, Copies<typename Traits::Record>& saved) {
  Copies<typename Traits::Record> former = CopyTable<Traits>(graph);
  auto& table = Traits::Table(graph);
  std::unordered_set<FcHandle> kept;
  for (const auto& copy : saved) {
    kept.insert(copy->GetHandle());
    typename Traits::Record* record = table.FindByHandle(copy->GetHandle());
    if (record == nullptr) record = Traits::Create(graph);
    if (record == nullptr) continue;
    Traits::Write(*copy, *record);
  }
  for (int i = table.GetCount() - 1; i >= 0; --i) {
    const typename Traits::Record* record = table.GetAt(i);
    if (kept.contains(record->GetHandle()) || !Traits::MayDelete(*record)) continue;
    Traits::Remove(graph, record->GetHandle());
  }
  saved = std::move(former);
}

// True when a saved record and the drawing's record of the same handle
// differ by the test.
template <typename Traits, typename Differs>
bool AnyRecordDiffers(const FcGraph& graph, const Copies<typename Traits::Record>& saved, Differs differs) {
  const auto& table = Traits::Table(graph);
  for (const auto& copy : saved) {
    const typename Traits::Record* record = table.FindByHandle(copy->GetHandle());
    if (record != nullptr && differs(*copy, *record)) return true;
  }
  return false;
}

FcHandle HandleOf(const FcObject* object) { return object != nullptr ? object->GetHandle() : 0; }

}  // namespace

FcLayerUndoItem::FcLayerUndoItem() { SetName("Layer"); }
FcLayerUndoItem::~FcLayerUndoItem() = default;

void FcLayerUndoItem::Capture(const FcGraph& graph) {
  layers_ = CopyTable<LayerTable>(graph);
  currentLayer_ = HandleOf(graph.GetCurrentLayer());
}

bool FcLayerUndoItem::Undo(FcGraph& graph) {
  const bool regen = AnyRecordDiffers<LayerTable>(graph, layers_, [](const FcLayer& a, const FcLayer& b) {
    return a.IsFrozen() != b.IsFrozen() || a.GetColor() != b.GetColor() || a.GetLinetypeHandle() != b.GetLinetypeHandle();
  });
  const bool visibility = AnyRecordDiffers<LayerTable>(graph, layers_, [](const FcLayer& a, const FcLayer& b) {
    return a.IsOn() != b.IsOn();
  });
  const FcHandle former = HandleOf(graph.GetCurrentLayer());
  ExchangeTable<LayerTable>(graph, layers_);
  graph.SetCurrentLayerByHandle(currentLayer_);
  currentLayer_ = former;
  if (regen) {
    RefreshAfterUndo(graph, FcUndoRefresh::kRegen);
  } else if (visibility) {
    RefreshAfterUndo(graph, FcUndoRefresh::kLayerDisplay);
  }
  return true;
}

FcLTypeUndoItem::FcLTypeUndoItem() { SetName("Linetype"); }
FcLTypeUndoItem::~FcLTypeUndoItem() = default;

void FcLTypeUndoItem::Capture(const FcGraph& graph) {
  linetypes_ = CopyTable<LinetypeTable>(graph);
  currentLinetype_ = graph.GetSysVars().celtype.str();
  globalScale_ = graph.GetSysVars().ltscale;
  entityScale_ = graph.GetSysVars().celtscale;
}

bool FcLTypeUndoItem::Undo(FcGraph& graph) {
  FcSystemVar& vars = graph.GetSysVars();
  const bool regen = vars.ltscale != globalScale_ ||
                     AnyRecordDiffers<LinetypeTable>(graph, linetypes_, [](const FcLineType& a, const FcLineType& b) {
                       if (a.GetElementCount() != b.GetElementCount()) return true;
                       for (int i = 0; i < a.GetElementCount(); ++i)
                         if (a.GetElement(i) != b.GetElement(i)) return true;
                       return false;
                     });
  std::string former = vars.celtype.str();
  ExchangeTable<LinetypeTable>(graph, linetypes_);
  graph.SetCurrentLinetype(currentLinetype_);
  currentLinetype_ = std::move(former);
  std::swap(vars.ltscale, globalScale_);
  std::swap(vars.celtscale, entityScale_);
  if (regen) RefreshAfterUndo(graph, FcUndoRefresh::kRegen);
  return true;
}

FcStyleUndoItm::FcStyleUndoItm() { SetName("Style"); }
FcStyleUndoItm::~FcStyleUndoItm() = default;

void FcStyleUndoItm::Capture(const FcGraph& graph) {
  styles_ = CopyTable<TextStyleTable>(graph);
  currentStyle_ = HandleOf(graph.GetCurrentTextStyle());
}

bool FcStyleUndoItm::Undo(FcGraph& graph) {
  const bool regen = AnyRecordDiffers<TextStyleTable>(graph, styles_, [](const FcTextStyle& a, const FcTextStyle& b) {
    return a.GetBigFontFile() != b.GetBigFontFile() || a.GetStandardFlags() != b.GetStandardFlags() ||
           a.GetGenerationFlags() != b.GetGenerationFlags() || a.GetFontFile() != b.GetFontFile();
  });
  const FcHandle former = HandleOf(graph.GetCurrentTextStyle());
  ExchangeTable<TextStyleTable>(graph, styles_);
  graph.SetCurrentTextStyleByHandle(currentStyle_);
  currentStyle_ = former;
  if (regen) RefreshAfterUndo(graph, FcUndoRefresh::kRegen);
  return true;
}

FcDimStyleUndoItem::FcDimStyleUndoItem() = default;
FcDimStyleUndoItem::~FcDimStyleUndoItem() = default;

void FcDimStyleUndoItem::Capture(const FcGraph& graph) {
  styles_ = CopyTable<DimStyleTable>(graph);
  currentStyle_ = HandleOf(graph.GetCurrentDimStyle());
}

bool FcDimStyleUndoItem::Undo(FcGraph& graph) {
  const FcHandle former = HandleOf(graph.GetCurrentDimStyle());
  ExchangeTable<DimStyleTable>(graph, styles_);
  graph.SetCurrentDimStyleByHandle(currentStyle_);
  currentStyle_ = former;
  return true;
}

FcAddLinetypeUndoItem::FcAddLinetypeUndoItem() = default;
FcAddLinetypeUndoItem::~FcAddLinetypeUndoItem() = default;

void FcAddLinetypeUndoItem::Capture(const FcLineType& created) { linetype_ = CopyRecord<LinetypeTable>(created); }

bool FcAddLinetypeUndoItem::Undo(FcGraph& graph) {
  if (linetype_ == nullptr) return false;
  FcLinetypeList& table = graph.GetLinetypeList();
  // The drawing must not keep pointing at the record it loses.
  if (graph.GetCurrentLinetype() == table.FindByHandle(linetype_->GetHandle())) graph.SetCurrentLinetype("ByLayer");
  table.RemoveByHandle(linetype_->GetHandle());
  return true;
}

bool FcAddLinetypeUndoItem::Redo(FcGraph& graph) {
  if (linetype_ == nullptr) return false;
  FcLineType* record = LinetypeTable::Create(graph);
  if (record == nullptr) return false;
  LinetypeTable::Write(*linetype_, *record);
  return true;
}

bool FcCurLinetypeUndoItem::Undo(FcGraph& graph) {
  std::string former = graph.GetSysVars().celtype.str();
  graph.SetCurrentLinetype(linetypeName_);
  linetypeName_ = std::move(former);
  return true;
}
