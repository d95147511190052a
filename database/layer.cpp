#include "database/layer.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#include "core/resbuf.h"
#include "database/dictionary.h"
#include "database/entity.h"
#include "database/graph.h"
#include "database/linetype.h"
#include "database/object_record_parts.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

namespace {

constexpr std::int16_t kDxfFrozen = 1;
constexpr std::int16_t kDxfLocked = 4;
constexpr std::int16_t kDxfXrefDependent = 16;

constexpr std::int16_t kDwgFrozen = 1;
constexpr std::int16_t kDwgOff = 2;
constexpr std::int16_t kDwgLocked = 8;
constexpr std::int16_t kDwgPlottable = 16;
// Lineweight field 31: the default lineweight.
constexpr std::int16_t kDwgDefaultLineweight = 0x3E0;

std::int16_t ValidColor(int color) {
  return color >= 1 && color <= 255 ? static_cast<std::int16_t>(color) : FcLayer::kDefaultColor;
}

char FoldLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The order of the platform's case-insensitive comparison, which folds to
// lower case before it compares.
int CompareNoCase(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const auto ca = static_cast<unsigned char>(FoldLower(a[i]));
    const auto cb = static_cast<unsigned char>(FoldLower(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

const FcLinetypeList* LinetypesOf(const FcGraph* graph) {
  return graph != nullptr ? &graph->GetLinetypeList() : nullptr;
}

}  // namespace

FcLayer::FcLayer() {
  SetDwgType(kDwgType);
  SetRecordName("LAYER");
  entityHandles_.growBy = 1024;
}

FcObject* FcLayer::Create() { return new (std::nothrow) FcLayer(); }

void FcLayer::SetName(std::string_view name) {
  name_.assign(name);
  if (IsDefPointsName(name_)) plottable_ = false;
  NoteRecordRenamed(*this);
}

void FcLayer::SetPlottable(bool plottable) { plottable_ = plottable && !IsDefPointsName(name_); }

void FcLayer::CopyFrom(const FcLayer& other) {
  FcObject::Copy(other);
  color_ = other.color_;
  linetype_ = other.linetype_;
  plotStyle_ = other.plotStyle_;
  SetName(other.name_);
  on_ = other.on_;
  frozen_ = other.frozen_;
  plottable_ = other.plottable_;
  locked_ = other.locked_;
}

void FcLayer::SetLinetype(const FcLineType* linetype) { linetype_ = linetype != nullptr ? linetype->GetHandle() : 0; }

FcLineType* FcLayer::GetLinetype() const {
  const FcLinetypeList* linetypes = LinetypesOf(graph_);
  if (linetype_ == 0 || linetypes == nullptr) return nullptr;
  return linetypes->FindByHandle(linetype_);
}

void FcLayer::SetPlotStyle(FcHandle handle) {
  if (plotStyle_ != 0 && graph_ != nullptr) {
    const auto* names = dynamic_cast<const FcDictionaryWidthDefault*>(
        graph_->GetNamedObjects().GetAt("ACAD_PLOTSTYLENAME"));
    if (names != nullptr && names->FindByHandle(plotStyle_) != nullptr) return;
  }
  plotStyle_ = handle;
}

void FcLayer::AddEntityHandle(FcEntity* entity) {
  if (entity == nullptr) return;
  // A fixed step makes filling a layer of a million entities quadratic in
  // copying; growing by half the size keeps it linear.
  entityHandles_.growBy = std::max(1024, entityHandles_.count / 2);
  entityHandles_.Add(entity->GetHandle());
  entity->SetLayer(this);
}

void FcLayer::RemoveEntityHandle(const FcEntity* entity) {
  if (entity != nullptr) RemoveEntityHandle(entity->GetHandle());
}

void FcLayer::RemoveEntityHandle(FcHandle handle) { entityHandles_.Remove(handle); }

void FcLayer::RemoveEntityHandles(const std::unordered_set<FcHandle>& handles) {
  if (handles.empty() || entityHandles_.count <= 0) return;
  FcHandle* const begin = entityHandles_.items;
  FcHandle* const end = begin + entityHandles_.count;
  entityHandles_.count = static_cast<int>(
      std::remove_if(begin, end, [&handles](FcHandle handle) { return handles.count(handle) != 0; }) - begin);
}

std::string FcLayer::LinetypeNameForDxf() const {
  const FcLineType* linetype = GetLinetype();
  return linetype != nullptr ? linetype->GetName() : std::string("Continuous");
}

// A handle that no record answers is written as Continuous, as the DXF
// writer names it: the reader refuses a layer whose linetype is missing.
FcHandle FcLayer::LinetypeHandleForDwg() const {
  if (const FcLineType* linetype = GetLinetype()) return linetype->GetHandle();
  const FcLinetypeList* linetypes = LinetypesOf(graph_);
  const FcLineType* continuous = linetypes != nullptr ? linetypes->FindByName("Continuous") : nullptr;
  return continuous != nullptr ? continuous->GetHandle() : 0;
}

bool FcLayer::BindLinetypeRecord(const FcLineType* record) {
  if (record == nullptr) {
    linetype_ = 0;
    return name_.find('|') != std::string::npos || xrefDependent_;
  }
  if (EqualsNoCase(record->GetName(), "Continuous")) {
    linetype_ = 0;
  } else {
    SetLinetype(record);
  }
  return true;
}

int FcLayer::WriteDxf(FcFiler& filer) {
  WriteDxfRecordStart(*this, filer, "AcDbLayerTableRecord", name_);
  std::int16_t flags = 0;
  if (frozen_) flags |= kDxfFrozen;
  if (locked_) flags |= kDxfLocked;
  if (xrefDependent_) flags |= kDxfXrefDependent;
  filer.WriteInt(70, flags);
  filer.WriteInt(62, on_ ? color_ : -color_);
  filer.WriteString(6, LinetypeNameForDxf());
  if (!plottable_ || EqualsNoCase(name_, "DefPoints")) filer.WriteInt(290, 0);
  filer.WriteHandle(390, plotStyle_);
  return kFcStatusOk;
}

int FcLayer::ReadDxf(FcFiler& filer) {
  if (!ReadDxfRecordStart(*this, filer, "AcDbLayerTableRecord")) return kFcStatusEnd;
  bool haveName = false;
  const int read = ReadDxfGroupsWithXdata(*this, filer, [this, &haveName](const FcResBuf& group) {
    const std::string_view text = group.text != nullptr ? group.text : "";
    switch (group.type) {
      case 2:
        SetName(text);
        haveName = true;
        break;
      case 6: {
        if (EqualsNoCase(text, "ByLayer") || EqualsNoCase(text, "ByBlock")) return kFcStatusReadError;
        if (EqualsNoCase(text, "Continuous")) {
          linetype_ = 0;
          break;
        }
        const FcLinetypeList* linetypes = LinetypesOf(graph_);
        if (!BindLinetypeRecord(linetypes != nullptr ? linetypes->FindByName(text) : nullptr))
          return kFcStatusReadError;
        break;
      }
      case 62:
        if (group.intValue < 0) on_ = false;
        color_ = ValidColor(std::abs(group.intValue));
        break;
      case 70:
        frozen_ = (group.intValue & kDxfFrozen) != 0;
        locked_ = (group.intValue & kDxfLocked) != 0;
        xrefDependent_ = (group.intValue & kDxfXrefDependent) != 0;
        break;
      case 290:
        plottable_ = group.intValue != 0;
        break;
      case 390:
        // Written by the record, so read back too: the drawing gives the
        // default plot style only to layers that have none.
        plotStyle_ = group.handle;
        break;
      default:
        break;
    }
    return kFcStatusOk;
  });
  if (read != kFcStatusOk) return read;
  if (!haveName) return kFcStatusEnd;
  if (IsDefPointsName(name_)) plottable_ = false;
  return kFcStatusOk;
}

int FcLayer::WriteDwg(FcFilerDwg& filer) {
  WriteDwgRecordStart(*this, filer, name_, entityHandles_.count > 0);
  std::int16_t flags = kDwgDefaultLineweight;
  if (frozen_) flags |= kDwgFrozen;
  if (!on_) flags |= kDwgOff;
  if (locked_) flags |= kDwgLocked;
  if (plottable_ && !EqualsNoCase(name_, "DefPoints")) flags |= kDwgPlottable;
  filer.WriteBitShort(flags);
  filer.WriteBitShort(color_);
  WriteDwgRecordOwner(*this, filer);
  filer.WriteHandleRef(5, 0, plotStyle_);
  filer.WriteHandleRef(5, 0, LinetypeHandleForDwg());
  EndDwgObject(filer);
  return kFcStatusOk;
}

int FcLayer::ReadDwg(FcFilerDwg& filer) {
  FcDwgRecordStart start;
  if (!ReadDwgNamedRecordStart(*this, filer, start)) return kFcStatusReadError;
  if (start.xrefDependent) return kFcStatusOk;
  const bool release2000 = filer.GetVersion() >= FcFilerDwg::kVersion2000;
  if (release2000) {
    std::int16_t flags = 0;
    if (!filer.ReadBitShort(flags)) return kFcStatusReadError;
    frozen_ = (flags & kDwgFrozen) != 0;
    on_ = (flags & kDwgOff) == 0;
    locked_ = (flags & kDwgLocked) != 0;
    plottable_ = (flags & kDwgPlottable) != 0;
  } else {
    std::uint8_t frozen = 0;
    std::uint8_t off = 0;
    std::uint8_t frozenInNew = 0;
    std::uint8_t locked = 0;
    if (!filer.ReadBit(frozen) || !filer.ReadBit(off) || !filer.ReadBit(frozenInNew) || !filer.ReadBit(locked))
      return kFcStatusReadError;
    frozen_ = frozen != 0;
    on_ = off == 0;
    locked_ = locked != 0;
    plottable_ = true;
  }
  std::int16_t color = 0;
  if (!filer.ReadBitShort(color)) return kFcStatusReadError;
  if (color < 0 && !release2000) on_ = false;
  color_ = ValidColor(std::abs(static_cast<int>(color)));

  FcHandle ignored = 0;
  FcHandle linetype = 0;
  if (!ReadDwgRecordOwnerHandles(filer, start.place, start.reactors) || !ReadHandleWithCode(filer, 5, ignored) ||
      (release2000 && !ReadHandleWithCode(filer, 5, plotStyle_)) || !ReadHandleWithCode(filer, 5, linetype))
    return kFcStatusReadError;
  const FcLinetypeList* linetypes = LinetypesOf(graph_);
  if (!BindLinetypeRecord(linetypes != nullptr ? linetypes->FindByHandle(linetype) : nullptr))
    return kFcStatusReadError;
  if (IsDefPointsName(name_)) plottable_ = false;
  return ReadDwgObjectEnd(filer, start.place) ? kFcStatusOk : kFcStatusReadError;
}

FcLayerList::FcLayerList() : FcSymbolList(kDwgType, 16, GrowthRule::kBeforeFull) {}

std::string_view FcLayerList::RecordName(const FcObject& record) const {
  return static_cast<const FcLayer&>(record).GetName();
}

void FcLayerList::Add(std::unique_ptr<FcLayer> layer) {
  if (layer != nullptr) AppendRecord(std::move(layer));
}

FcLayer* FcLayerList::AddNew() { return static_cast<FcLayer*>(AppendRecord(std::make_unique<FcLayer>())); }

template <typename Matches>
bool FcLayerList::RemoveMatching(Matches matches) {
  for (int i = 0; i < GetCount();) {
    const FcLayer* layer = GetAt(i);
    if (!matches(*layer)) {
      ++i;
      continue;
    }
    if (layer->GetEntityHandles().count > 0) return false;
    RemoveRecordAt(i);
  }
  return true;
}

bool FcLayerList::RemoveByName(std::string_view name) {
  return RemoveMatching([name](const FcLayer& layer) { return EqualsNoCase(layer.GetName(), name); });
}

bool FcLayerList::RemoveByHandle(FcHandle handle) {
  return RemoveMatching([handle](const FcLayer& layer) { return layer.GetHandle() == handle; });
}

void FcLayerList::SortByName(int low, int high) {
  // Recurses into the smaller part and loops over the larger one, so the
  // depth stays logarithmic whatever the names.
  while (low >= 0 && high < GetCount() && low < high) {
    const std::string pivot = GetAt((low + high) / 2)->GetName();
    int i = low;
    int j = high;
    while (i <= j) {
      while (CompareNoCase(GetAt(i)->GetName(), pivot) < 0) ++i;
      while (CompareNoCase(GetAt(j)->GetName(), pivot) > 0) --j;
      if (i > j) break;
      if (i != j) SwapRecords(i, j);
      ++i;
      --j;
    }
    if (j - low < high - i) {
      SortByName(low, j);
      low = i;
    } else {
      SortByName(i, high);
      high = j;
    }
  }
}

int FcLayerList::SetPlotStyleWhereUnset(FcHandle handle) {
  int count = 0;
  for (int i = 0; i < GetCount(); ++i) {
    FcLayer* layer = GetAt(i);
    if (layer->GetPlotStyle() != 0) continue;
    layer->SetPlotStyle(handle);
    ++count;
  }
  return count;
}

int FcLayerList::WriteDxf(FcFiler& filer) {
  WriteDxfTable(filer, "LAYER");
  return kFcStatusOk;
}

std::unique_ptr<FcObject> FcLayerList::MakeRecord(FcGraph* graph) {
  std::unique_ptr<FcLayer> layer(new (std::nothrow) FcLayer());
  if (layer == nullptr) return nullptr;
  layer->SetOwner(this);
  layer->SetGraph(graph);
  return layer;
}

bool FcLayerList::KeepRecord(const FcObject& record) {
  const auto& layer = static_cast<const FcLayer&>(record);
  return !layer.GetName().empty() && !layer.IsXrefDependent();
}

int FcLayerList::ReadDxf(FcFiler& filer) {
  if (GetOwner() != filer.GetGraph()) return kFcStatusReadError;
  return ReadDxfTable(filer, "LAYER", [this, &filer] { return MakeRecord(filer.GetGraph()); }, KeepRecord);
}

int FcLayerList::ReadDwg(FcFilerDwg& filer) {
  FcDwgRecordPlace place;
  std::vector<FcHandle> handles;
  if (!ReadDwgControl(filer, ControlKind::kLayer, EntryRule::kOwnedOnly, place, handles) ||
      !ReadDwgObjectEnd(filer, place))
    return kFcStatusReadError;
  return ReadDwgRecords(filer, handles, [this, &filer] { return MakeRecord(filer.GetGraph()); }, KeepRecord);
}
