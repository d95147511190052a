#include "database/dictionary.h"

#include <algorithm>
#include <array>
#include <utility>

#include "core/resbuf.h"
#include "database/class_list.h"
#include "database/graph.h"
#include "database/object_factory.h"
#include "database/object_record_parts.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

namespace {

// The entries of the named-object dictionary that reading a file keeps.
constexpr std::array<std::string_view, 8> kKnownEntryNames = {
    "ACAD_GROUP",      "ACAD_LAYOUT",        "ACAD_MLINESTYLE", "ACAD_PLOTSETTINGS",
    "ACAD_IMAGE_DICT", "ACAD_PLOTSTYLENAME", "ACAD_IMAGE_VARS", "AcDbVariableDictionary"};

bool IsKnownEntryName(std::string_view name) {
  for (const std::string_view known : kKnownEntryNames) {
    if (EqualsNoCase(name, known)) return true;
  }
  return false;
}

// The owner walk stops here even if some other code has made the owners
// run in a circle.
constexpr int kMaxOwnerWalk = 1024;

// True when the object is the ancestor or lies below it by its owners, or
// when its owners run on past any real depth.
bool LiesWithin(const FcObject* object, const FcObject* ancestor) {
  int steps = 0;
  for (const FcObject* node = object; node != nullptr; node = node->GetOwner()) {
    if (node == ancestor || ++steps > kMaxOwnerWalk) return true;
  }
  return false;
}

// The dictionaries in an unbroken chain of owners from the dictionary up,
// itself included.
int NestingOf(const FcDictionary* dictionary) {
  int depth = 0;
  for (const FcObject* node = dictionary; node != nullptr && depth <= kMaxOwnerWalk; node = node->GetOwner()) {
    if (dynamic_cast<const FcDictionary*>(node) == nullptr) break;
    ++depth;
  }
  return depth;
}

// The levels of dictionaries in the object and below it; 0 for an object
// that is no dictionary.
int HeightOf(const FcObject* object) {
  const auto* dictionary = dynamic_cast<const FcDictionary*>(object);
  if (dictionary == nullptr) return 0;
  int below = 0;
  for (int i = 0; i < dictionary->GetEntryCount(); ++i) {
    below = std::max(below, HeightOf(dictionary->GetEntry(i).object));
  }
  return below + 1;
}

// The topmost dictionary of the unbroken chain of dictionaries above.
FcDictionary* TopDictionary(FcDictionary* dictionary) {
  for (int steps = 0; steps < kMaxOwnerWalk; ++steps) {
    auto* up = dynamic_cast<FcDictionary*>(dictionary->GetOwner());
    if (up == nullptr) break;
    dictionary = up;
  }
  return dictionary;
}

// True when the dictionary or one below it has the handle.
bool HoldsDictionaryHandle(const FcDictionary& dictionary, FcHandle handle) {
  if (dictionary.GetHandle() == handle) return true;
  for (int i = 0; i < dictionary.GetEntryCount(); ++i) {
    const auto* nested = dynamic_cast<const FcDictionary*>(dictionary.GetEntry(i).object);
    if (nested != nullptr && HoldsDictionaryHandle(*nested, handle)) return true;
  }
  return false;
}

const FcClassList& ClassesOf(const FcFilerDwg& filer) {
  static const FcClassList kNoClasses;
  const FcGraph* graph = filer.GetGraph();
  return graph != nullptr ? graph->GetClassList() : kNoClasses;
}

// Objects for the DWG types of entries. The drawing's own tables are never
// handed out here: an entry owns its object and would delete them.
FcObject* CreateEntryObject(const FcFilerDwg& filer, int dwgType) {
  return CreateObjectByDwgType(ClassesOf(filer), dwgType);
}

bool WithinRecord(const FcFilerDwg& filer, const FcDwgRecordPlace& place) {
  return filer.GetFile() != nullptr && filer.GetFile()->GetPosition() <= place.offset + place.size;
}

}  // namespace

FcDictionary::FcDictionary() {
  SetDwgType(kDwgType);
  SetRecordName("DICTIONARY");
}

FcDictionary::~FcDictionary() { RemoveAll(); }

FcObject* FcDictionary::Create() { return new FcDictionary(); }

void FcDictionary::SetCloning(std::int32_t cloning) { cloning_ = (cloning < 0 || cloning > 5) ? 1 : cloning; }

void FcDictionary::Grow(int n) {
  if (GetEntryCount() + n < capacity_) return;
  capacity_ += n <= 4 ? 4 : n + 4;
  entries_.reserve(static_cast<std::size_t>(capacity_));
}

int FcDictionary::IndexOfName(std::string_view name) const {
  for (int i = 0; i < GetEntryCount(); ++i) {
    if (EqualsNoCase(entries_[static_cast<std::size_t>(i)].name, name)) return i;
  }
  return -1;
}

int FcDictionary::IndexOfObject(const FcObject* object) const {
  for (int i = 0; i < GetEntryCount(); ++i) {
    if (entries_[static_cast<std::size_t>(i)].object == object) return i;
  }
  return -1;
}

bool FcDictionary::MayHold(const FcObject* object) const {
  return !LiesWithin(this, object) && NestingOf(this) + HeightOf(object) <= kMaxNesting;
}

bool FcDictionary::MayStoreAt(int index, const FcObject* object) const {
  const int held = IndexOfObject(object);
  return (held < 0 || held == index) && MayHold(object);
}

void FcDictionary::PutObject(FcDictionaryEntry& entry, FcObject* object) {
  entry.object = object;
  object->SetOwner(this);
}

void FcDictionary::AppendEntry(std::string_view name, FcHandle handle) {
  Grow(1);
  entries_.push_back({std::string(name.substr(0, kMaxEntryName)), nullptr, handle});
}

void FcDictionary::EraseEntry(int index) {
  delete entries_[static_cast<std::size_t>(index)].object;
  entries_.erase(entries_.begin() + index);
}

void FcDictionary::SetAt(std::string_view name, FcObject* object) {
  if (object == nullptr || name.empty() || name.size() > kMaxEntryName) return;
  const int index = IndexOfName(name);
  if (!MayStoreAt(index, object)) return;
  if (index < 0) {
    AppendEntry(name, object->GetHandle());
    PutObject(entries_.back(), object);
    return;
  }
  FcDictionaryEntry& entry = entries_[static_cast<std::size_t>(index)];
  if (entry.object != object) {
    // Deleting the old object would take the new one with it.
    if (entry.object != nullptr && LiesWithin(object, entry.object)) return;
    delete entry.object;
  }
  PutObject(entry, object);
  entry.handle = object->GetHandle();
}

FcObject* FcDictionary::GetAt(std::string_view name) const {
  const int index = IndexOfName(name);
  return index < 0 ? nullptr : entries_[static_cast<std::size_t>(index)].object;
}

bool FcDictionary::ReplaceObject(std::string_view name, FcObject* object) {
  if (object == nullptr) return false;
  const int index = IndexOfName(name);
  if (index < 0 || !MayStoreAt(index, object)) return false;
  PutObject(entries_[static_cast<std::size_t>(index)], object);
  return true;
}

FcObject* FcDictionary::FindByHandle(FcHandle handle) const {
  const FcDictionaryEntry* entry = FindEntryByHandle(handle);
  return entry != nullptr ? entry->object : nullptr;
}

const FcDictionaryEntry* FcDictionary::FindEntryByHandle(FcHandle handle) const {
  for (const FcDictionaryEntry& entry : entries_) {
    if (entry.object != nullptr && entry.object->GetHandle() == handle) return &entry;
  }
  return nullptr;
}

bool FcDictionary::Remove(std::string_view name) { return RemoveAt(IndexOfName(name)); }

bool FcDictionary::RemoveAt(int index) {
  if (index < 0 || index >= GetEntryCount()) return false;
  EraseEntry(index);
  return true;
}

void FcDictionary::RemoveAll() {
  for (FcDictionaryEntry& entry : entries_) delete entry.object;
  entries_.clear();
  entries_.shrink_to_fit();
  capacity_ = 0;
  hardOwner_ = 0;
  cloning_ = 1;
  ownerRefCode_ = kAbsoluteOwnerCode;
}

bool FcDictionary::LinkObject(FcObject* object) {
  if (object == nullptr || object->GetHandle() == 0) return false;
  // An entry that already holds an object keeps it; a second record of the
  // same handle goes on to be offered elsewhere.
  for (FcDictionaryEntry& entry : entries_) {
    if (entry.object != nullptr || entry.handle != object->GetHandle()) continue;
    if (!MayHold(object)) return false;
    PutObject(entry, object);
    return true;
  }
  for (const FcDictionaryEntry& entry : entries_) {
    auto* nested = dynamic_cast<FcDictionary*>(entry.object);
    if (nested != nullptr && nested->LinkObject(object)) return true;
  }
  return false;
}

void FcDictionary::RemoveUnresolved(bool recursive) {
  for (int i = GetEntryCount() - 1; i >= 0; --i) {
    if (entries_[static_cast<std::size_t>(i)].object == nullptr) EraseEntry(i);
  }
  if (!recursive) return;
  for (const FcDictionaryEntry& entry : entries_) {
    if (auto* nested = dynamic_cast<FcDictionary*>(entry.object)) nested->RemoveUnresolved(true);
  }
}

void FcDictionary::CompactUnresolved() {
  for (std::size_t i = 0; i < entries_.size();) {
    if (entries_[i].object != nullptr) {
      ++i;
      continue;
    }
    entries_[i] = std::move(entries_.back());
    entries_.pop_back();
  }
}

void FcDictionary::KeepKnownEntries() {
  for (int i = GetEntryCount() - 1; i >= 0; --i) {
    if (!IsKnownEntryName(entries_[static_cast<std::size_t>(i)].name)) EraseEntry(i);
  }
}

int FcDictionary::GetCount() const {
  int count = GetEntryCount();
  for (const FcDictionaryEntry& entry : entries_) {
    if (entry.object != nullptr) count += entry.object->GetCount();
  }
  return count;
}

int FcDictionary::CountHeldObjects() const {
  int count = 0;
  for (const FcDictionaryEntry& entry : entries_) count += entry.object != nullptr ? 1 : 0;
  return count;
}

int FcDictionary::WriteEntryRecordsDxf(FcFiler& filer) {
  int result = kFcStatusOk;
  for (const FcDictionaryEntry& entry : entries_) {
    if (entry.object == nullptr) continue;
    const int written = entry.object->WriteDxf(filer);
    if (result == kFcStatusOk) result = written;
    filer.StepProgress(1);
  }
  return result;
}

void FcDictionary::WriteEntryRecordsDwg(FcFilerDwg& filer) {
  for (const FcDictionaryEntry& entry : entries_) {
    if (entry.object == nullptr) continue;
    entry.object->WriteDwg(filer);
    filer.StepProgress(1);
  }
}

void FcDictionary::WriteEntryHandlesDxf(FcFiler& filer, std::int16_t code) const {
  for (const FcDictionaryEntry& entry : entries_) {
    if (entry.object == nullptr) continue;
    filer.WriteString(3, entry.name);
    filer.WriteHandle(code, entry.object->GetHandle());
  }
}

int FcDictionary::WriteDxf(FcFiler& filer) {
  WriteCommonGroupsWithReactors(*this, filer);
  filer.WriteString(100, "AcDbDictionary");
  if (hardOwner_ != 0) filer.WriteInt(280, hardOwner_);
  filer.WriteInt(281, cloning_);
  WriteEntryHandlesDxf(filer, hardOwner_ == 1 ? 360 : 350);
  return WriteEntryRecordsDxf(filer);
}

int FcDictionary::ReadDxf(FcFiler& filer) {
  if (FcObject::ReadDxf(filer) != kFcStatusOk) return kFcStatusEnd;
  RemoveAll();
  if (!ReadMarkerNoCase(filer, "AcDbDictionary")) return kFcStatusEnd;
  FcResBuf group;
  std::string name;
  bool haveName = false;
  bool expectHandle = false;
  while (filer.ReadGroup(group)) {
    // A subclass marker before the first entry ends the dictionary as well,
    // so that a dictionary with a default and no entries can be read.
    if (group.type == 0 || group.type == 100) {
      if (expectHandle) return kFcStatusEnd;
      filer.UnreadGroup();
      return kFcStatusOk;
    }
    if (group.type == 1001 && !expectHandle) {
      filer.UnreadGroup();
      if (ReadXdata(filer) != kFcStatusOk) return kFcStatusReadError;
      return ReadDxfTail(*this, filer);
    }
    if (group.type == 3) {
      if (expectHandle) return kFcStatusEnd;
      name = group.text != nullptr ? group.text : "";
      haveName = expectHandle = true;
      continue;
    }
    if (expectHandle) {
      // Files that say hard ownership by extended data after the entries
      // rather than by 280 write 360 without it: the entries are then held
      // hard, and are written back so. Other writers keep 350 under a
      // hard-owning 280; the entry is the same.
      if (group.type == 360) hardOwner_ = 1;
      if (group.type != 350 && group.type != 360) return kFcStatusEnd;
      AppendEntry(name, group.handle);
      expectHandle = false;
      continue;
    }
    if (haveName) return kFcStatusEnd;
    if (group.type == 280) hardOwner_ = group.intValue != 0 ? 1 : 0;
    if (group.type == 281) SetCloning(group.intValue);
  }
  return kFcStatusEnd;
}

void FcDictionary::WriteDwgRecord(FcFilerDwg& filer, bool withDefault) {
  const FcHandle owner = OwnerHandleOf(*this);
  const int held = CountHeldObjects();
  BeginDwgObject(filer);
  filer.WriteBitLong(GetOwner() != nullptr ? 1 : 0);
  if (withDefault) {
    filer.WriteBitShort(static_cast<std::int16_t>(held));
    filer.WriteBitShort(1);
    filer.WriteRawByte(0);
  } else {
    filer.WriteBitLong(held);
    filer.WriteBitShort(static_cast<std::int16_t>(cloning_));
    filer.WriteRawByte(static_cast<std::uint8_t>(hardOwner_));
  }
  for (const FcDictionaryEntry& entry : entries_) {
    if (entry.object != nullptr) filer.WriteText(entry.name);
  }
  filer.SetDataBitSize(filer.GetBitsWritten());
  filer.WriteHandleRef(withDefault ? kAbsoluteOwnerCode : ownerRefCode_, GetHandle(), owner);
  if (GetOwner() != nullptr) filer.WriteHandleRef(4, 0, owner);
  filer.WriteHandleRef(3, 0, 0);
  // The dictionary with a default lists its objects twice: as entries and
  // as defaults.
  for (int pass = 0; pass < (withDefault ? 2 : 1); ++pass) {
    for (const FcDictionaryEntry& entry : entries_) {
      if (entry.object != nullptr) filer.WriteHandleRef(2, 0, entry.object->GetHandle());
    }
  }
  EndDwgObject(filer);
  WriteEntryRecordsDwg(filer);
}

int FcDictionary::WriteDwg(FcFilerDwg& filer) {
  WriteDwgRecord(filer, false);
  return kFcStatusOk;
}

int FcDictionary::ReadDwgRecord(FcFilerDwg& filer, bool withDefault) {
  RemoveAll();
  FcDwgRecordPlace place;
  if (!ReadDwgObjectStart(filer, GetDwgType(), place)) return kFcStatusReadError;
  std::int32_t reactors = 0;
  std::int32_t count = 0;
  std::int16_t cloning = 0;
  std::uint8_t hardOwner = 0;
  bool counted = filer.ReadBitLong(reactors);
  if (withDefault) {
    std::int16_t shortCount = 0;
    counted = counted && filer.ReadBitShort(shortCount);
    count = shortCount;
  } else {
    counted = counted && filer.ReadBitLong(count);
  }
  // Every reactor and entry takes at least one handle byte of the record.
  if (!counted || !CountFitsRecord(filer, place, reactors, 1) || !CountFitsRecord(filer, place, count, 1) ||
      !filer.ReadBitShort(cloning) || !filer.ReadRawChar(hardOwner))
    return kFcStatusReadError;
  if (!withDefault) {
    SetCloning(cloning);
    hardOwner_ = hardOwner != 0 ? 1 : 0;
  }
  Grow(count);
  std::string name;
  for (std::int32_t i = 0; i < count; ++i) {
    if (!WithinRecord(filer, place) || !filer.ReadText(name)) return kFcStatusReadError;
    AppendEntry(name, 0);
  }
  FcHandle handle = 0;
  std::uint8_t ownerCode = 0;
  if (!filer.ReadHandleRef(handle, GetHandle(), &ownerCode)) return kFcStatusReadError;
  if (!withDefault) ownerRefCode_ = ownerCode;
  for (std::int32_t i = 0; i < reactors + 1; ++i) {
    if (!WithinRecord(filer, place) || !filer.ReadHandleRef(handle, 0)) return kFcStatusReadError;
  }
  for (int pass = 0; pass < (withDefault ? 2 : 1); ++pass) {
    for (FcDictionaryEntry& entry : entries_) {
      if (!WithinRecord(filer, place) || !filer.ReadHandleRef(entry.handle, 0)) return kFcStatusReadError;
    }
  }
  if (!ReadDwgObjectEnd(filer, place)) return kFcStatusReadError;
  if (knownEntriesOnly_ != 0) KeepKnownEntries();
  return ReadEntryObjectsDwg(filer);
}

int FcDictionary::ReadEntryObjectsDwg(FcFilerDwg& filer) {
  FcDictionary* top = TopDictionary(this);
  const bool mayNest = NestingOf(this) < kMaxNesting;
  for (FcDictionaryEntry& entry : entries_) {
    std::int64_t size = 0;
    std::int16_t type = 0;
    if (filer.SeekObject(entry.handle, size, type) <= 0 || type <= 0) return kFcStatusReadError;
    FcObject* object = CreateEntryObject(filer, type);
    if (object == nullptr) {
      filer.CountSkippedRecord(DwgTypeRecordName(ClassesOf(filer), type));
      continue;
    }
    // A dictionary that is already in the tree (this one, one above it, or
    // one read before) would make the tree reach itself or be read again
    // and again: its entry stays empty.
    if (dynamic_cast<FcDictionary*>(object) != nullptr &&
        (!mayNest || HoldsDictionaryHandle(*top, entry.handle))) {
      delete object;
      continue;
    }
    object->SetHandle(entry.handle);
    // In the tree while it reads, so that the dictionaries below it see it.
    PutObject(entry, object);
    if (object->ReadDwg(filer) == kFcStatusOk) continue;
    delete object;
    entry.object = nullptr;
  }
  return kFcStatusOk;
}

int FcDictionary::ReadDwg(FcFilerDwg& filer) {
  const int result = ReadDwgRecord(filer, false);
  if (result != kFcStatusOk) return result;
  RemoveUnresolved(false);
  return kFcStatusOk;
}

FcDictionaryWidthDefault::FcDictionaryWidthDefault() {
  SetDwgType(0);
  SetRecordName("ACDBDICTIONARYWDFLT");
}

FcObject* FcDictionaryWidthDefault::Create() { return new FcDictionaryWidthDefault(); }

int FcDictionaryWidthDefault::WriteDxf(FcFiler& filer) {
  WriteCommonGroupsWithReactors(*this, filer);
  filer.WriteString(100, "AcDbDictionary");
  filer.WriteInt(281, 1);
  WriteEntryHandlesDxf(filer, 350);
  filer.WriteString(100, "AcDbDictionaryWithDefault");
  for (int i = 0; i < GetEntryCount(); ++i) {
    const FcObject* object = GetEntry(i).object;
    if (object != nullptr) filer.WriteHandle(340, object->GetHandle());
  }
  return WriteEntryRecordsDxf(filer);
}

int FcDictionaryWidthDefault::ReadDxf(FcFiler& filer) {
  if (FcDictionary::ReadDxf(filer) != kFcStatusOk) return kFcStatusEnd;
  if (!ReadMarkerNoCase(filer, "AcDbDictionaryWithDefault")) return kFcStatusEnd;
  return ReadDxfTail(*this, filer);
}

int FcDictionaryWidthDefault::WriteDwg(FcFilerDwg& filer) {
  WriteDwgRecord(filer, true);
  return kFcStatusOk;
}

int FcDictionaryWidthDefault::ReadDwg(FcFilerDwg& filer) {
  const int result = ReadDwgRecord(filer, true);
  if (result != kFcStatusOk) return result;
  CompactUnresolved();
  return kFcStatusOk;
}
