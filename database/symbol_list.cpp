#include "database/symbol_list.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "core/resbuf.h"
#include "database/graph.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

namespace {

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// The fewest bytes a table record takes in a DXF file ("0", its name, the
// line breaks); a count read from a file reserves no more records than the
// rest of the file could hold.
constexpr std::int64_t kMinDxfRecordBytes = 8;

bool WithinRecord(FcFilerDwg& filer, const FcDwgRecordPlace& place) {
  return filer.GetFile() != nullptr && filer.GetFile()->GetPosition() <= place.offset + place.size;
}

}  // namespace

bool EqualsNoCaseMultibyte(std::string_view a, std::string_view b, int codePage) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (IsCodePageLeadByte(codePage, static_cast<unsigned char>(a[i]))) {
      if (a[i] != b[i] || i + 1 >= a.size() || a[i + 1] != b[i + 1]) return false;
      ++i;
      continue;
    }
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

bool IsDefPointsName(std::string_view name) { return EqualsNoCaseMultibyte(name, "DefPoints"); }

FcSymbolList::FcSymbolList(DwgObjectType dwgType, int growStep, GrowthRule rule)
    : growStep_(growStep), growthRule_(rule) {
  SetDwgType(dwgType);
}

FcSymbolList::~FcSymbolList() { RemoveAll(); }

void FcSymbolList::Grow(int n) {
  const long long needed = static_cast<long long>(GetCount()) + n;
  const bool fits = growthRule_ == GrowthRule::kBeforeFull ? needed < capacity_ : needed <= capacity_;
  if (fits) return;
  const long long grown = capacity_ + static_cast<long long>(n <= growStep_ ? growStep_ : n + growStep_);
  if (grown > std::numeric_limits<int>::max()) return;
  capacity_ = static_cast<int>(grown);
  records_.reserve(static_cast<std::size_t>(capacity_));
}

void FcSymbolList::GrowForFileCount(FcFiler& filer, int count) {
  const FcFile* file = filer.GetFile();
  if (count <= 0 || file == nullptr) return;
  const std::int64_t left = std::max<std::int64_t>(0, file->GetLength() - file->GetPosition());
  Grow(static_cast<int>(std::min<std::int64_t>(count, left / kMinDxfRecordBytes)));
}

FcObject* FcSymbolList::AppendRecord(std::unique_ptr<FcObject> record) {
  Grow(1);
  record->SetOwner(this);
  records_.push_back(std::move(record));
  handleIndexValid_ = false;
  nameIndex_.Appended(GetCount() - 1, RecordName(*records_.back()));
  return records_.back().get();
}

std::unique_ptr<FcObject> FcSymbolList::TakeRecordAt(int index) {
  auto slot = records_.begin() + index;
  std::unique_ptr<FcObject> taken = std::move(*slot);
  *slot = std::move(records_.back());
  records_.pop_back();
  InvalidateIndexes();
  return taken;
}

void FcSymbolList::RemoveRecordAt(int index) { TakeRecordAt(index); }

void FcSymbolList::RemoveFirstNamed(std::string_view name) {
  for (int i = 0; i < GetCount(); ++i) {
    if (!EqualsNoCase(RecordName(*GetRecordAt(i)), name)) continue;
    RemoveRecordAt(i);
    return;
  }
}

void FcSymbolList::RemoveFirstWithHandle(FcHandle handle) {
  for (int i = 0; i < GetCount(); ++i) {
    if (GetRecordAt(i)->GetHandle() != handle) continue;
    RemoveRecordAt(i);
    return;
  }
}

void FcSymbolList::SwapRecords(int a, int b) {
  std::swap(records_[static_cast<std::size_t>(a)], records_[static_cast<std::size_t>(b)]);
  InvalidateIndexes();
}

void FcSymbolList::RemoveAll() {
  records_.clear();
  records_.shrink_to_fit();
  capacity_ = 0;
  InvalidateIndexes();
}

void FcSymbolList::InvalidateIndexes() const {
  handleIndexValid_ = false;
  nameIndex_.Invalidate();
}

void FcSymbolList::NoteRenamed(const FcObject& record) const {
  const bool last = !records_.empty() && records_.back().get() == &record;
  nameIndex_.Renamed(last ? GetCount() - 1 : -1, RecordName(record));
}

void FcSymbolList::BuildHandleIndex() const {
  handleIndex_.clear();
  for (int i = 0; i < GetCount(); ++i) handleIndex_.emplace(GetRecordAt(i)->GetHandle(), i);
  handleIndexValid_ = true;
}


FcObject* FcSymbolList::FindByHandle(FcHandle handle) const {
  if (!handleIndexValid_) BuildHandleIndex();
  const auto hit = handleIndex_.find(handle);
  if (hit != handleIndex_.end() && hit->second < GetCount() && GetRecordAt(hit->second)->GetHandle() == handle)
    return GetRecordAt(hit->second);
  for (const auto& record : records_) {
    if (record->GetHandle() != handle) continue;
    handleIndexValid_ = false;
    return record.get();
  }
  return nullptr;
}

void FcSymbolList::BuildIndexes() const {
  if (!handleIndexValid_) BuildHandleIndex();
  if (!nameIndex_.IsValid()) nameIndex_.Build(GetCount(), [this](int i) { return RecordName(*GetRecordAt(i)); });
}

FcObject* FcSymbolList::FindByNameNoCase(std::string_view name) const {
  if (name.empty()) {
    for (const auto& record : records_) {
      if (RecordName(*record).empty()) return record.get();
    }
    return nullptr;
  }
  if (!nameIndex_.IsValid()) {
    nameIndex_.Build(GetCount(), [this](int i) { return RecordName(*GetRecordAt(i)); });
  }
  const int hit = nameIndex_.Find(name);
  return hit >= 0 ? GetRecordAt(hit) : nullptr;
}

int FcSymbolList::WriteDxfOwned(FcFiler& filer) {
  FcObject::WriteDxfOwned(filer);
  for (const auto& record : records_) record->WriteDxfOwned(filer);
  return kFcStatusOk;
}

bool FcSymbolList::ResolveOwner(FcObject* candidate) {
  if (FcObject::ResolveOwner(candidate)) return true;
  for (const auto& record : records_) {
    if (record->ResolveOwner(candidate)) return true;
  }
  return false;
}

void FcSymbolList::WriteDxfTable(FcFiler& filer, std::string_view tableName) {
  WriteDxfTableStart(*this, filer, tableName, GetCount());
  for (const auto& record : records_) {
    record->WriteDxf(filer);
    const FcExtendDataList& xdata = std::as_const(*record).GetXdata();
    for (int i = 0; i < xdata.GetCount(); ++i) {
      if (xdata.GetAt(i)->WriteDxf(filer) != 0) break;
    }
    filer.StepProgress(1);
  }
  filer.WriteString(0, "ENDTAB");
}

int FcSymbolList::ReadDxfTable(FcFiler& filer, std::string_view recordName, const RecordMaker& make,
                               const RecordFilter& keep) {
  if (FcObject::ReadDxf(filer) != kFcStatusOk || !ReadSubclassMarker(filer, "AcDbSymbolTable"))
    return kFcStatusEnd;
  RemoveAll();
  FcResBuf group;
  bool recordSeen = false;
  while (filer.ReadGroup(group)) {
    if (group.type == 70 && !recordSeen) GrowForFileCount(filer, group.intValue);
    if (group.type != 0) continue;
    const std::string_view name = group.text != nullptr ? group.text : "";
    if (name == "ENDTAB") return kFcStatusOk;
    if (name != recordName) return kFcStatusEnd;
    recordSeen = true;
    std::unique_ptr<FcObject> record = make();
    if (record == nullptr) return kFcStatusStructure;
    if (record->ReadDxf(filer) != kFcStatusOk) return kFcStatusRecordFailed;
    if (keep(*record)) AppendRecord(std::move(record));
  }
  return kFcStatusEnd;
}

int FcSymbolList::ReadDwgRecords(FcFilerDwg& filer, const std::vector<FcHandle>& handles, const RecordMaker& make,
                                 const RecordFilter& keep) {
  for (const FcHandle handle : handles) {
    if (handle == 0) continue;
    std::unique_ptr<FcObject> record = make();
    if (record == nullptr) return kFcStatusReadError;
    record->SetHandle(handle);
    if (record->ReadDwg(filer) != kFcStatusOk) return kFcStatusReadError;
    if (keep(*record)) AppendRecord(std::move(record));
  }
  return kFcStatusOk;
}

void FcSymbolList::WriteRecordHandles(FcFilerDwg& filer, int first) const {
  for (int i = first; i < GetCount(); ++i) filer.WriteHandleRef(2, 0, GetRecordAt(i)->GetHandle());
}

void FcSymbolList::WriteDwgRecords(FcFilerDwg& filer) {
  for (const auto& record : records_) {
    record->WriteDwg(filer);
    filer.StepProgress(1);
  }
}

int FcSymbolList::WriteDwg(FcFilerDwg& filer) {
  WriteDwgControlStart(*this, filer, GetCount());
  WriteRecordHandles(filer, 0);
  EndDwgObject(filer);
  WriteDwgRecords(filer);
  return kFcStatusOk;
}

FcHandle FcSymbolList::HeaderControlHandle(const FcFilerDwg& filer, ControlKind kind) {
  const FcGraph* graph = filer.GetGraph();
  if (graph == nullptr) return 0;
  const FcHeaderHandles& handles = graph->GetSysVars().HeaderHandles;
  switch (kind) {
    case ControlKind::kLayer:
      return handles.layerControl;
    case ControlKind::kLinetype:
      return handles.linetypeControl;
    case ControlKind::kUcs:
      return handles.ucsControl;
  }
  return 0;
}

bool FcSymbolList::ReadDwgControl(FcFilerDwg& filer, ControlKind kind, EntryRule rule, FcDwgRecordPlace& place,
                                  std::vector<FcHandle>& handles) {
  RemoveAll();
  if (const FcHandle control = HeaderControlHandle(filer, kind)) SetHandle(control);
  int count = 0;
  return ReadDwgControlStart(*this, filer, GetDwgType(), place, count) &&
         ReadDwgEntryHandles(filer, place, count, rule, handles);
}

void NoteRecordRenamed(const FcObject& record) {
  if (const auto* table = dynamic_cast<const FcSymbolList*>(record.GetOwner())) table->NoteRenamed(record);
}

bool ReadSubclassMarker(FcFiler& filer, std::string_view marker) {
  FcResBuf group;
  return filer.ReadGroup(group) && group.type == 100 && group.text != nullptr && marker == group.text;
}

void WriteDxfTableStart(const FcObject& table, FcFiler& filer, std::string_view tableName, int count) {
  filer.WriteString(0, "TABLE");
  filer.WriteString(2, tableName);
  filer.WriteHandle(5, table.GetHandle());
  filer.WriteHandle(330, 0);
  filer.WriteString(100, "AcDbSymbolTable");
  filer.WriteInt(70, count);
}

void WriteDxfRecordStart(FcObject& record, FcFiler& filer, std::string_view subclass, std::string_view name) {
  record.FcObject::WriteDxf(filer);
  filer.WriteString(100, "AcDbSymbolTableRecord");
  filer.WriteString(100, subclass);
  filer.WriteString(2, name);
}

bool ReadDxfRecordStart(FcObject& record, FcFiler& filer, std::string_view subclass) {
  return record.FcObject::ReadDxf(filer) == kFcStatusOk && ReadSubclassMarker(filer, "AcDbSymbolTableRecord") &&
         ReadSubclassMarker(filer, subclass);
}

void WriteDwgControlStart(FcObject& control, FcFilerDwg& filer, int count) {
  control.BeginDwgObject(filer);
  filer.WriteBitLong(0);
  filer.WriteBitLong(count);
  filer.SetDataBitSize(filer.GetBitsWritten());
  filer.WriteHandleRef(4, 0, 0);
  filer.WriteHandleRef(3, 0, 0);
}

bool ReadDwgReactorCount(FcFilerDwg& filer, const FcDwgRecordPlace& place, std::int32_t& reactors) {
  // Every reactor handle takes at least a byte of the record.
  return filer.ReadBitLong(reactors) && reactors >= 0 && reactors <= place.size;
}

bool ReadHandleWithCode(FcFilerDwg& filer, std::uint8_t wantedCode, FcHandle& handle) {
  std::uint8_t code = 0;
  return filer.ReadHandleRef(handle, 0, &code) && code == wantedCode;
}

bool ReadDwgRecordOwnerHandles(FcFilerDwg& filer, const FcDwgRecordPlace& place, std::int32_t reactors) {
  FcHandle ignored = 0;
  for (std::int32_t i = 0; i < reactors + 1; ++i) {
    if (!WithinRecord(filer, place) || !filer.ReadHandleRef(ignored, 0)) return false;
  }
  return ReadHandleWithCode(filer, 3, ignored);
}

bool ReadDwgControlStart(FcObject& table, FcFilerDwg& filer, DwgObjectType type, FcDwgRecordPlace& place,
                         int& count) {
  std::int32_t reactors = 0;
  std::int32_t entries = 0;
  if (!table.ReadDwgObjectStart(filer, type, place) || !ReadDwgReactorCount(filer, place, reactors) ||
      !filer.ReadBitLong(entries) || entries < 0 || entries > place.size)
    return false;
  FcHandle ignored = 0;
  for (std::int32_t i = 0; i < reactors + 2; ++i) {
    if (!WithinRecord(filer, place) || !filer.ReadHandleRef(ignored, 0)) return false;
  }
  count = entries;
  return true;
}

bool ReadDwgEntryHandles(FcFilerDwg& filer, const FcDwgRecordPlace& place, int count, EntryRule rule,
                         std::vector<FcHandle>& handles) {
  handles.clear();
  handles.reserve(static_cast<std::size_t>(count));
  while (static_cast<int>(handles.size()) < count) {
    FcHandle handle = 0;
    std::uint8_t code = 0;
    if (!WithinRecord(filer, place) || !filer.ReadHandleRef(handle, 0, &code)) return false;
    const bool counts = rule == EntryRule::kOwnedOnly ? code == 2 : (code == 2 || handle != 0);
    if (counts) handles.push_back(handle);
  }
  return true;
}

void WriteDwgRecordStart(FcObject& record, FcFilerDwg& filer, std::string_view name, bool referenced) {
  record.BeginDwgObject(filer);
  filer.WriteBitLong(0);
  filer.WriteText(name);
  filer.WriteBit(referenced ? 1 : 0);
  filer.WriteBitShort(0);
  filer.WriteBit(0);
}

void WriteDwgRecordOwner(const FcObject& record, FcFilerDwg& filer) {
  filer.SetDataBitSize(filer.GetBitsWritten());
  filer.WriteHandleRef(4, 0, record.GetOwner() != nullptr ? record.GetOwner()->GetHandle() : 0);
  filer.WriteHandleRef(3, 0, 0);
  filer.WriteHandleRef(5, 0, 0);
}

void WriteDwgRecordEnd(FcObject& record, FcFilerDwg& filer, int nullReferences) {
  WriteDwgRecordOwner(record, filer);
  for (int i = 0; i < nullReferences; ++i) filer.WriteHandleRef(5, 0, 0);
  record.EndDwgObject(filer);
}

bool ReadDwgRecordStart(FcObject& record, FcFilerDwg& filer, DwgObjectType type, FcDwgRecordStart& start) {
  return record.ReadDwgObjectStart(filer, type, start.place) && ReadDwgReactorCount(filer, start.place, start.reactors) &&
         ReadDwgRecordName(filer, start.name, start.xrefDependent);
}

bool ReadDwgRecordName(FcFilerDwg& filer, std::string& name, bool& xrefDependent) {
  std::uint8_t bit = 0;
  std::int16_t xrefIndex = 0;
  std::uint8_t dependent = 0;
  if (!filer.ReadText(name) || !filer.ReadBit(bit) || !filer.ReadBitShort(xrefIndex) || !filer.ReadBit(dependent))
    return false;
  xrefDependent = dependent != 0;
  return true;
}
