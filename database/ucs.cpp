#include "database/ucs.h"

#include <new>
#include <vector>

#include "core/resbuf.h"
#include "database/object_record_parts.h"
#include "database/record_points.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

namespace {

constexpr int kDxfXrefDependent = 16;

}  // namespace

FcUCS::FcUCS() {
  SetDwgType(kDwgType);
  SetRecordName("UCS");
}

FcObject* FcUCS::Create() { return new (std::nothrow) FcUCS(); }

void FcUCS::SetName(std::string_view name) {
  name_.assign(name);
  NoteRecordRenamed(*this);
}

void FcUCS::CopyFrom(const FcUCS& other) {
  FcObject::Copy(other);
  SetName(other.name_);
  origin_ = other.origin_;
  xAxis_ = other.xAxis_;
  yAxis_ = other.yAxis_;
}

int FcUCS::WriteDxf(FcFiler& filer) {
  WriteDxfRecordStart(*this, filer, "AcDbUCSTableRecord", name_);
  filer.WriteInt(70, 0);
  WriteDxfUcs(filer, 10, origin_, xAxis_, yAxis_);
  return kFcStatusOk;
}

int FcUCS::ReadDxf(FcFiler& filer) {
  if (!ReadDxfRecordStart(*this, filer, "AcDbUCSTableRecord")) return kFcStatusEnd;
  bool haveName = false;
  const int read = ReadDxfGroupsWithXdata(*this, filer, [this, &haveName](const FcResBuf& group) {
    switch (group.type) {
      case 2:
        SetName(group.text != nullptr ? group.text : "");
        haveName = true;
        break;
      case 10:
        origin_ = {group.x, group.y};
        break;
      case 11:
        xAxis_ = {group.x, group.y};
        break;
      case 12:
        yAxis_ = {group.x, group.y};
        break;
      case 70:
        xrefDependent_ = (group.intValue & kDxfXrefDependent) != 0;
        break;
      default:
        break;
    }
    return kFcStatusOk;
  });
  if (read != kFcStatusOk) return read;
  return haveName ? kFcStatusOk : kFcStatusEnd;
}

int FcUCS::WriteDwg(FcFilerDwg& filer) {
  WriteDwgRecordStart(*this, filer, name_, true);
  WriteDwgUcs(filer, origin_, xAxis_, yAxis_);
  filer.WriteBitShort(0);
  WriteDwgRecordEnd(*this, filer, 2);
  return kFcStatusOk;
}

int FcUCS::ReadDwg(FcFilerDwg& filer) {
  FcDwgRecordStart start;
  if (!ReadDwgNamedRecordStart(*this, filer, start)) return kFcStatusReadError;
  if (start.xrefDependent) return kFcStatusOk;
  if (!ReadDwgPoint3(filer, origin_) || !ReadDwgPoint3(filer, xAxis_) || !ReadDwgPoint3(filer, yAxis_))
    return kFcStatusReadError;
  const bool release2000 = filer.GetVersion() >= FcFilerDwg::kVersion2000;
  double elevation = 0.0;
  std::int16_t viewType = 0;
  if (release2000 &&
      (!filer.ReadBitDouble(elevation) || !filer.ReadBitShort(viewType) || !filer.ReadBitShort(viewType)))
    return kFcStatusReadError;
  FcHandle ignored = 0;
  const int references = release2000 ? 3 : 1;
  if (!ReadDwgRecordOwnerHandles(filer, start.place, start.reactors)) return kFcStatusReadError;
  for (int i = 0; i < references; ++i) {
    if (!filer.ReadHandleRef(ignored, 0)) return kFcStatusReadError;
  }
  return ReadDwgObjectEnd(filer, start.place) ? kFcStatusOk : kFcStatusReadError;
}

FcUCSList::FcUCSList() : FcSymbolList(kDwgType, 8, GrowthRule::kWhenOverfull) {}

std::string_view FcUCSList::RecordName(const FcObject& record) const {
  return static_cast<const FcUCS&>(record).GetName();
}

FcUCS* FcUCSList::AddNew() {
  std::unique_ptr<FcObject> record = MakeRecord();
  if (record == nullptr) return nullptr;
  return static_cast<FcUCS*>(AppendRecord(std::move(record)));
}

FcUCS* FcUCSList::AddNamed(std::string_view name) {
  FcUCS* record = AddNew();
  if (record != nullptr) record->SetName(name);
  return record;
}

int FcUCSList::IndexOfName(std::string_view name) const {
  for (int i = 0; i < GetCount(); ++i) {
    if (EqualsNoCaseMultibyte(GetAt(i)->GetName(), name)) return i;
  }
  return -1;
}

FcUCS* FcUCSList::FindByName(std::string_view name) const {
  const int index = IndexOfName(name);
  return index < 0 ? nullptr : GetAt(index);
}

bool FcUCSList::RemoveNamed(std::string_view name) {
  const int index = IndexOfName(name);
  if (index < 0) return false;
  RemoveRecordAt(index);
  return true;
}

void FcUCSList::RemoveLast() {
  if (GetCount() > 0) RemoveRecordAt(GetCount() - 1);
}

int FcUCSList::WriteDxf(FcFiler& filer) {
  WriteDxfTable(filer, "UCS");
  return kFcStatusOk;
}

std::unique_ptr<FcObject> FcUCSList::MakeRecord() {
  std::unique_ptr<FcUCS> record(new (std::nothrow) FcUCS());
  if (record != nullptr) record->SetOwner(this);
  return record;
}

bool FcUCSList::KeepRecord(const FcObject& record) {
  const auto& ucs = static_cast<const FcUCS&>(record);
  return !ucs.GetName().empty() && !ucs.IsXrefDependent();
}

int FcUCSList::ReadDxf(FcFiler& filer) {
  return ReadDxfTable(filer, "UCS", [this] { return MakeRecord(); }, KeepRecord);
}

int FcUCSList::ReadDwg(FcFilerDwg& filer) {
  FcDwgRecordPlace place;
  std::vector<FcHandle> handles;
  if (!ReadDwgControl(filer, ControlKind::kUcs, EntryRule::kOwnedOnly, place, handles) ||
      !ReadDwgObjectEnd(filer, place))
    return kFcStatusReadError;
  Grow(static_cast<int>(handles.size()));
  return ReadDwgRecords(filer, handles, [this] { return MakeRecord(); }, KeepRecord);
}
