#include "database/app_id.h"

#include <utility>

#include "core/resbuf.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

namespace {

// Reads the next group and tells whether it is the subclass marker.
bool ReadMarker(FcFiler& filer, FcResBuf& group, std::string_view marker) {
  return filer.ReadGroup(group) && group.type == 100 && group.text != nullptr && marker == group.text;
}

bool IsGroup0(const FcResBuf& group, std::string_view name) {
  return group.type == 0 && group.text != nullptr && name == group.text;
}

}  // namespace

FcAppID::FcAppID() {
  SetDwgType(kDwgType);
  SetRecordName("APPID");
}

FcObject* FcAppID::Create() { return new FcAppID(); }

int FcAppID::WriteDxf(FcFiler& filer) {
  FcObject::WriteDxf(filer);
  filer.WriteString(100, "AcDbSymbolTableRecord");
  filer.WriteString(100, "AcDbRegAppTableRecord");
  filer.WriteString(2, name_);
  filer.WriteInt(70, flags_);
  return kFcStatusOk;
}

int FcAppID::ReadDxf(FcFiler& filer) {
  if (FcObject::ReadDxf(filer) != kFcStatusOk) return kFcStatusEnd;
  FcResBuf group;
  if (!ReadMarker(filer, group, "AcDbSymbolTableRecord") ||
      !ReadMarker(filer, group, "AcDbRegAppTableRecord"))
    return kFcStatusEnd;
  bool haveName = false;
  while (filer.ReadGroup(group)) {
    if (group.type == 0 || group.type == 100) {
      filer.UnreadGroup();
      return haveName ? kFcStatusOk : kFcStatusEnd;
    }
    if (group.type == 2) {
      name_ = group.text != nullptr ? group.text : "";
      haveName = true;
    }
  }
  return kFcStatusEnd;
}

int FcAppID::WriteDwg(FcFilerDwg& filer) {
  BeginDwgObject(filer);
  filer.WriteBitLong(0);
  filer.WriteText(name_);
  filer.WriteBit(1);
  filer.WriteBitShort(0);
  filer.WriteBit(0);
  filer.WriteRawByte(0);
  filer.SetDataBitSize(filer.GetBitsWritten());
  filer.WriteHandleRef(4, 0, GetOwner() != nullptr ? GetOwner()->GetHandle() : 0);
  filer.WriteHandleRef(3, 0, 0);
  filer.WriteHandleRef(5, 0, 0);
  EndDwgObject(filer);
  return kFcStatusOk;
}

int FcAppID::ReadDwg(FcFilerDwg& filer) {
  FcDwgRecordPlace place;
  if (!ReadDwgObjectStart(filer, kDwgType, place)) return kFcStatusReadError;
  std::int32_t reactors = 0;
  std::uint8_t bit = 0;
  std::int16_t xrefIndex = 0;
  std::uint8_t byte = 0;
  if (!filer.ReadBitLong(reactors) || reactors < 0 || reactors > place.size ||
      !filer.ReadText(name_) || !filer.ReadBit(bit) || !filer.ReadBitShort(xrefIndex) ||
      !filer.ReadBit(bit) || !filer.ReadRawChar(byte))
    return kFcStatusReadError;
  // Owner, reactors, extension dictionary and the xref block: all rebuilt
  // from where the record is stored.
  FcHandle ignored = 0;
  for (std::int32_t i = 0; i < reactors + 3; ++i) {
    if (!filer.ReadHandleRef(ignored, 0)) return kFcStatusReadError;
  }
  return ReadDwgObjectEnd(filer, place) ? kFcStatusOk : kFcStatusReadError;
}

FcAppIDList::FcAppIDList() { SetDwgType(kDwgType); }

FcAppIDList::~FcAppIDList() { RemoveAll(); }

void FcAppIDList::Grow(int n) {
  if (n > 0) records_.reserve(records_.size() + static_cast<std::size_t>(n));
}

FcAppID* FcAppIDList::Append(std::unique_ptr<FcAppID> record) {
  record->SetOwner(this);
  records_.push_back(std::move(record));
  return records_.back().get();
}

FcAppID* FcAppIDList::AddNew() { return Append(std::make_unique<FcAppID>()); }

FcAppID* FcAppIDList::FindByName(std::string_view name) const {
  for (const auto& record : records_) {
    if (record->HasName(name)) return record.get();
  }
  return nullptr;
}

FcAppID* FcAppIDList::FindRecordByHandle(FcHandle handle) const {
  for (const auto& record : records_) {
    if (record->GetHandle() == handle) return record.get();
  }
  return nullptr;
}

void FcAppIDList::RemoveAll() { records_.clear(); }

void FcAppIDList::CopyFrom(const FcAppIDList& other) {
  if (&other == this) return;
  RemoveAll();
  FcObject::Copy(other);
  Grow(other.GetCount());
  for (const auto& source : other.records_) {
    FcAppID* record = AddNew();
    record->Copy(*source);
    record->SetName(source->GetName());
    record->SetFlags(source->GetFlags());
  }
  // The copied extended data still names the other drawing's records; it
  // must name this table's records of the same handles, or go.
  RebindApplications(GetXdata());
  for (const auto& record : records_) RebindApplications(record->GetXdata());
}

void FcAppIDList::RebindApplications(FcExtendDataList& xdata) const {
  for (int i = 0; i < xdata.GetCount();) {
    FcExtendData* block = xdata.GetAt(i);
    const FcHandle handle = block->application != nullptr ? block->application->GetHandle() : 0;
    block->application = FindRecordByHandle(handle);
    if (block->application != nullptr) {
      ++i;
      continue;
    }
    xdata.RemoveAt(i);
  }
}

int FcAppIDList::WriteDxf(FcFiler& filer) {
  filer.WriteString(0, "TABLE");
  filer.WriteString(2, "APPID");
  filer.WriteHandle(5, GetHandle());
  filer.WriteHandle(330, 0);
  filer.WriteString(100, "AcDbSymbolTable");
  filer.WriteInt(70, GetCount());
  for (const auto& record : records_) {
    record->WriteDxf(filer);
    filer.StepProgress(1);
  }
  filer.WriteString(0, "ENDTAB");
  return kFcStatusOk;
}

int FcAppIDList::WriteDxfOwned(FcFiler& filer) {
  const int result = FcObject::WriteDxfOwned(filer);
  if (result != kFcStatusOk) return result;
  for (const auto& record : records_) {
    const int recordResult = record->WriteDxfOwned(filer);
    if (recordResult != kFcStatusOk) return recordResult;
  }
  return kFcStatusOk;
}

void FcAppIDList::TakeReadRecord(std::unique_ptr<FcAppID> record) {
  if (record->GetName().empty()) return;
  FcAppID* existing = FindByName(record->GetName());
  if (existing == nullptr) {
    Append(std::move(record));
    return;
  }
  // The drawing's own record (such as "ACAD" of a new drawing) stays and
  // takes what the file says of it.
  existing->Copy(*record);
  existing->SetName(record->GetName());
  existing->SetFlags(record->GetFlags());
}

int FcAppIDList::ReadDxf(FcFiler& filer) {
  if (FcObject::ReadDxf(filer) != kFcStatusOk) return kFcStatusEnd;
  FcResBuf group;
  if (!ReadMarker(filer, group, "AcDbSymbolTable")) return kFcStatusEnd;
  while (filer.ReadGroup(group)) {
    if (group.type != 0) continue;
    if (IsGroup0(group, "ENDTAB")) return kFcStatusOk;
    if (!IsGroup0(group, "APPID")) return kFcStatusEnd;
    auto record = std::make_unique<FcAppID>();
    if (record->ReadDxf(filer) != kFcStatusOk) return kFcStatusRecordFailed;
    TakeReadRecord(std::move(record));
  }
  return kFcStatusEnd;
}

int FcAppIDList::WriteDwg(FcFilerDwg& filer) {
  BeginDwgObject(filer);
  filer.WriteBitLong(0);
  filer.WriteBitLong(GetCount());
  filer.SetDataBitSize(filer.GetBitsWritten());
  filer.WriteHandleRef(4, 0, 0);
  filer.WriteHandleRef(3, 0, 0);
  for (const auto& record : records_) filer.WriteHandleRef(2, 0, record->GetHandle());
  EndDwgObject(filer);
  for (const auto& record : records_) {
    record->WriteDwg(filer);
    filer.StepProgress(1);
  }
  return kFcStatusOk;
}

int FcAppIDList::ReadDwg(FcFilerDwg& filer) {
  RemoveAll();
  FcDwgRecordPlace place;
  if (!ReadDwgObjectStart(filer, kDwgType, place)) return kFcStatusReadError;
  std::int32_t reactors = 0;
  std::int32_t count = 0;
  FcHandle ignored = 0;
  // Every record handle takes at least a byte of the record.
  if (!filer.ReadBitLong(reactors) || !filer.ReadBitLong(count) || count < 0 ||
      count > place.size || !filer.ReadHandleRef(ignored, 0) || !filer.ReadHandleRef(ignored, 0))
    return kFcStatusReadError;
  std::vector<FcHandle> handles;
  handles.reserve(static_cast<std::size_t>(count));
  const std::int64_t end = place.offset + place.size;
  while (static_cast<std::int32_t>(handles.size()) < count) {
    FcHandle handle = 0;
    std::uint8_t code = 0;
    if (filer.GetFile()->GetPosition() > end || !filer.ReadHandleRef(handle, 0, &code))
      return kFcStatusReadError;
    if (handle == 0) continue;
    if (code != 2) return kFcStatusReadError;
    handles.push_back(handle);
  }
  if (!ReadDwgObjectEnd(filer, place)) return kFcStatusReadError;
  for (const FcHandle handle : handles) AddNew()->SetHandle(handle);
  for (std::size_t i = 0; i < records_.size(); ++i) {
    if (records_[i]->ReadDwg(filer) != kFcStatusOk || records_[i]->GetName().empty()) {
      records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(i));
      return kFcStatusReadError;
    }
  }
  return kFcStatusOk;
}

bool FcAppIDList::ResolveOwner(FcObject* candidate) {
  if (FcObject::ResolveOwner(candidate)) return true;
  for (const auto& record : records_) {
    if (record->ResolveOwner(candidate)) return true;
  }
  return false;
}
