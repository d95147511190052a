#include "database/class_list.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "core/resbuf.h"
#include "filers/dwg_section_frame.h"
#include "database/symbol_list.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

namespace {

constexpr std::uint8_t kStartSentinel[16] = {0x8D, 0xA1, 0xC4, 0xB8, 0xC4, 0xA9, 0xF8, 0xC5,
                                             0xC0, 0xDC, 0xF4, 0x5F, 0xE7, 0xCF, 0xB6, 0x8A};
constexpr std::uint8_t kEndSentinel[16] = {0x72, 0x5E, 0x3B, 0x47, 0x3B, 0x56, 0x07, 0x3A,
                                           0x3F, 0x23, 0x0B, 0xA0, 0x18, 0x30, 0x49, 0x75};

// The DWG item class ids of entity classes and of other object classes.
constexpr std::int16_t kEntityClassId = 498;
constexpr std::int16_t kObjectClassId = 499;

// Class numbers run up to one below the largest count the list keeps.
constexpr int kMaxClassNumber = INT16_MAX - 1;

struct DefaultClass {
  std::string_view record;
  std::string_view cls;
  std::string_view application;
  std::int32_t proxy;
  std::int16_t isEntity;
};

constexpr std::array<DefaultClass, 9> kDefaultClasses = {{
    {"ACDBDICTIONARYWDFLT", "AcDbDictionaryWithDefault", "AutoCAD 2000", 0, 0},
    {"ACDBPLACEHOLDER", "AcDbPlaceHolder", "AutoCAD 2000", 0, 0},
    {"LAYOUT", "AcDbLayout", "AutoCAD 2000", 0, 0},
    {"IMAGEDEF", "AcDbRasterImageDef", "ISM", 0, 0},
    {"IMAGEDEF_REACTOR", "AcDbRasterImageDefReactor", "ISM", 1, 0},
    {"IMAGE", "AcDbRasterImage", "ISM", 127, 1},
    {"RASTERVARIABLES", "AcDbRasterVariables", "ISM", 0, 0},
    {"SORTENTSTABLE", "AcDbSortentsTable", "ObjectDBX Classes", 0, 0},
    {"DICTIONARYVAR", "AcDbDictionaryVar", "ObjectDBX Classes", 0, 0},
}};

}  // namespace

void FcClassRec::Init(std::string_view record, std::string_view cls, std::string_view application,
                      std::int32_t proxy, std::int16_t wasProxy, std::int16_t isEntity) {
  recordName = record;
  className = cls;
  applicationName = application;
  proxyFlags = proxy;
  wasAProxy = wasProxy;
  isAnEntity = isEntity;
}

void FcClassRec::WriteDxf(FcFiler& filer) const {
  filer.WriteString(0, "CLASS");
  filer.WriteString(1, recordName);
  filer.WriteString(2, className);
  filer.WriteString(3, applicationName);
  filer.WriteInt(90, proxyFlags);
  filer.WriteInt(280, wasAProxy);
  filer.WriteInt(281, isAnEntity);
}

int FcClassRec::ReadDxf(FcFiler& filer) {
  constexpr std::array<std::int16_t, 6> kCodes = {1, 2, 3, 90, 280, 281};
  std::array<bool, 6> seen = {};
  FcResBuf group;
  while (filer.ReadGroup(group)) {
    if (group.type == 0) {
      filer.UnreadGroup();
      return std::all_of(seen.begin(), seen.end(), [](bool s) { return s; }) ? 0 : 2;
    }
    const auto code = std::find(kCodes.begin(), kCodes.end(), group.type);
    if (code == kCodes.end()) continue;
    bool& wasSeen = seen[static_cast<std::size_t>(code - kCodes.begin())];
    if (wasSeen) return 2;
    wasSeen = true;
    const char* text = group.text != nullptr ? group.text : "";
    switch (group.type) {
      case 1: recordName = text; break;
      case 2: className = text; break;
      case 3: applicationName = text; break;
      case 90: proxyFlags = group.intValue; break;
      case 280: wasAProxy = static_cast<std::int16_t>(group.intValue); break;
      default: isAnEntity = static_cast<std::int16_t>(group.intValue); break;
    }
  }
  return 1;
}

void FcClassRec::WriteDwg(FcFilerDwg& filer) const {
  filer.WriteBitShort(static_cast<std::int16_t>(classNumber + kFirstCustomDwgType));
  filer.WriteBitShort(static_cast<std::int16_t>(proxyFlags));
  filer.WriteText(applicationName);
  filer.WriteText(className);
  filer.WriteText(recordName);
  filer.WriteBit(wasAProxy != 0 ? 1 : 0);
  filer.WriteBitShort(isAnEntity != 0 ? kEntityClassId : kObjectClassId);
}

bool FcClassRec::ReadDwg(FcFilerDwg& filer) {
  std::int16_t number = 0;
  std::int16_t proxy = 0;
  std::uint8_t wasProxy = 0;
  std::int16_t classId = 0;
  if (!filer.ReadBitShort(number) || !filer.ReadBitShort(proxy) || !filer.ReadText(applicationName) ||
      !filer.ReadText(className) || !filer.ReadText(recordName) || !filer.ReadBit(wasProxy) ||
      !filer.ReadBitShort(classId))
    return false;
  // The number is an unsigned 16-bit value in the file.
  const int index = static_cast<std::uint16_t>(number) - kFirstCustomDwgType;
  classNumber = static_cast<std::int16_t>(std::clamp(index, -1, kMaxClassNumber));
  proxyFlags = proxy;
  wasAProxy = wasProxy;
  isAnEntity = classId == kEntityClassId ? 1 : 0;
  return index >= 0 && index <= kMaxClassNumber;
}

const FcClassRec* FcClassList::GetAt(int index) const {
  if (index < 0 || index >= GetCount()) return nullptr;
  return records_[static_cast<std::size_t>(index)].get();
}

void FcClassList::Reserve(int n) {
  if (n > 0) records_.reserve(records_.size() + static_cast<std::size_t>(n));
}

void FcClassList::Add(std::string_view record, std::string_view cls, std::string_view application,
                      std::int32_t proxy, std::int16_t wasProxy, std::int16_t isEntity) {
  if (GetCount() > kMaxClassNumber) return;
  auto added = std::make_unique<FcClassRec>();
  added->Init(record, cls, application, proxy, wasProxy, isEntity);
  added->classNumber = static_cast<std::int16_t>(GetCount());
  records_.push_back(std::move(added));
}

int FcClassList::IndexOf(std::string_view recordName) const {
  for (int i = 0; i < GetCount(); ++i) {
    const FcClassRec* record = GetAt(i);
    if (record != nullptr && EqualsNoCaseMultibyte(record->recordName, recordName)) return i;
  }
  return -1;
}

void FcClassList::CopyFrom(const FcClassList& other) {
  if (&other == this) return;
  Clear();
  Reserve(other.GetCount());
  for (const auto& record : other.records_) {
    if (record == nullptr) continue;
    auto copy = std::make_unique<FcClassRec>(*record);
    copy->classNumber = static_cast<std::int16_t>(GetCount());
    records_.push_back(std::move(copy));
  }
}

void FcClassList::Clear() { records_.clear(); }

void FcClassList::AddMissingDefaults() {
  for (const DefaultClass& entry : kDefaultClasses) {
    if (IndexOf(entry.record) < 0) Add(entry.record, entry.cls, entry.application, entry.proxy, 0, entry.isEntity);
  }
}

bool FcClassList::HoldsRecordOrClass(const FcClassRec& record) const {
  return std::any_of(records_.begin(), records_.end(), [&record](const auto& held) {
    return held != nullptr && (EqualsNoCaseMultibyte(held->recordName, record.recordName) ||
                               EqualsNoCaseMultibyte(held->className, record.className));
  });
}

void FcClassList::WriteDxf(FcFiler& filer) const {
  if (records_.empty()) return;
  filer.WriteString(0, "SECTION");
  filer.WriteString(2, "CLASSES");
  for (const auto& record : records_) {
    if (record == nullptr) continue;
    record->WriteDxf(filer);
    filer.StepProgress(1);
  }
  filer.WriteString(0, "ENDSEC");
}

int FcClassList::ReadDxf(FcFiler& filer) {
  Clear();
  FcResBuf group;
  while (filer.ReadGroup(group)) {
    if (group.type != 0 || group.text == nullptr) return 2;
    const std::string_view name = group.text;
    if (name == "ENDSEC") return 0;
    if (name != "CLASS") return 2;
    auto record = std::make_unique<FcClassRec>();
    if (record->ReadDxf(filer) != 0) return 2;
    if (HoldsRecordOrClass(*record) || GetCount() > kMaxClassNumber) continue;
    record->classNumber = static_cast<std::int16_t>(GetCount());
    records_.push_back(std::move(record));
  }
  return 1;
}

void FcClassList::WriteDwg(FcFilerDwg& filer, DwgSectionLocator& locator) const {
  WriteDwgSectionFrame(filer, kStartSentinel, kEndSentinel, locator, [this, &filer] {
    for (const auto& record : records_) {
      if (record == nullptr) continue;
      record->WriteDwg(filer);
      filer.StepProgress(1);
    }
  });
}

int FcClassList::ReadDwg(FcFilerDwg& filer, const DwgSectionLocator& locator) {
  Clear();
  return ReadDwgSectionFrame(filer, locator, kStartSentinel, kEndSentinel, [this, &filer](std::int64_t end) {
    while (filer.GetFile()->GetPosition() < end) {
      auto record = std::make_unique<FcClassRec>();
      if (!record->ReadDwg(filer)) return false;
      const auto slot = static_cast<std::size_t>(record->classNumber);
      if (slot >= records_.size()) records_.resize(slot + 1);
      if (records_[slot] != nullptr) return false;
      records_[slot] = std::move(record);
    }
    return true;
  });
}
