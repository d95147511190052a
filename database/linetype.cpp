#include "database/linetype.h"

#include <cmath>
#include <cstdio>
#include <new>
#include <vector>

#include "core/next_token.h"
#include "core/resbuf.h"
#include "core/value_parse.h"
#include "database/object_record_parts.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "platform/file_system.h"
#include "platform/program_settings.h"

namespace {

constexpr std::uint8_t kAlignmentA = 0x41;
// The text area of a linetype's DWG record, unused here.
constexpr int kDwgTextAreaBytes = 256;
// Longest header text and pattern text of a linetype file line.
constexpr std::size_t kMaxHeaderText = 255;
constexpr std::size_t kMaxPatternText = 511;

bool StartsWithAlignment(std::string_view text) { return !text.empty() && (text[0] == 'A' || text[0] == 'a'); }

std::string_view TrimLeadingBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

// Splits a header line's text at commas, a run of commas counting as one:
// the name and the description.
void SplitHeader(std::string_view text, std::string_view& name, std::string_view& description) {
  std::vector<std::string_view> fields;
  std::size_t pos = 0;
  while (pos < text.size() && fields.size() < 2) {
    const std::size_t start = text.find_first_not_of(',', pos);
    if (start == std::string_view::npos) break;
    const std::size_t end = std::min(text.find(',', start), text.size());
    fields.push_back(text.substr(start, end - start));
    pos = end;
  }
  name = fields.empty() ? std::string_view() : fields[0];
  description = fields.size() < 2 ? std::string_view() : fields[1];
}

// The file position is before the end of the file.
bool BeforeEnd(std::FILE* file, long length) { return std::ftell(file) < length; }

}  // namespace

FcLineType::FcLineType() {
  SetDwgType(kDwgType);
  SetRecordName("LTYPE");
}

FcObject* FcLineType::Create() { return new (std::nothrow) FcLineType(); }

void FcLineType::SetName(std::string_view name) {
  kind_ = kKindOther;
  name_ = name;
  if (EqualsNoCase(name_.str(), "ByLayer")) kind_ = kKindByLayer;
  if (EqualsNoCase(name_.str(), "ByBlock")) kind_ = kKindByBlock;
  NoteRecordRenamed(*this);
}

void FcLineType::CopyFrom(const FcLineType& other) {
  FcObject::Copy(other);
  SetName(other.name_.str());
  kind_ = other.kind_;
  flags_ = other.flags_;
  description_ = other.description_;
  elementCount_ = other.elementCount_;
  patternLength_ = other.patternLength_;
  drawnLength_ = other.drawnLength_;
  elements_ = other.elements_;
}

void FcLineType::ClearPattern() {
  elementCount_ = 0;
  patternLength_ = 0.0;
  drawnLength_ = 0.0;
}

void FcLineType::AppendElement(double length) {
  elements_[static_cast<std::size_t>(elementCount_++)] = length;
  patternLength_ += std::fabs(length);
  if (length > 0.0) drawnLength_ += length;
}

bool FcLineType::SetPattern(std::string_view text) {
  ClearPattern();
  const char separator[] = {GetProgramSettings().list_separator, '\0'};
  std::size_t pos = 0;
  while (elementCount_ < kMaxElements) {
    const std::string_view field = NextToken(separator, pos, text);
    if (field.empty()) break;
    if (StartsWithAlignment(field)) {
      if (elementCount_ > 0) return false;
      continue;
    }
    if (field[0] == '[') return false;
    double value = 0.0;
    if (!ParseReal(field, value)) return false;
    value *= kPatternUnit;
    if (elementCount_ == 0 && value < 0.0) return false;
    AppendElement(value);
  }
  return elementCount_ > 0 && elements_[static_cast<std::size_t>(elementCount_ - 1)] < 0.0;
}

int FcLineType::WriteDxf(FcFiler& filer) {
  WriteDxfRecordStart(*this, filer, "AcDbLinetypeTableRecord", name_.str());
  filer.WriteInt(70, flags_);
  filer.WriteString(3, description_.str());
  filer.WriteInt(72, kAlignmentA);
  filer.WriteInt(73, elementCount_);
  filer.WriteReal(40, patternLength_);
  for (int i = 0; i < elementCount_; ++i) {
    filer.WriteReal(49, GetElement(i));
    filer.WriteInt(74, 0);
  }
  return kFcStatusOk;
}

int FcLineType::ReadDxf(FcFiler& filer) {
  if (!ReadDxfRecordStart(*this, filer, "AcDbLinetypeTableRecord")) return kFcStatusEnd;
  ClearPattern();
  bool haveName = false;
  bool haveCount = false;
  int expected = 0;
  const int read = ReadDxfGroupsWithXdata(*this, filer, [&](const FcResBuf& group) {
    switch (group.type) {
      case 2:
        SetName(group.text != nullptr ? group.text : "");
        haveName = true;
        break;
      case 3:
        description_ = group.text;
        break;
      case 70:
        flags_ = static_cast<std::int16_t>(group.intValue);
        break;
      case 73:
        if (group.intValue > kMaxElements) return kFcStatusStructure;
        expected = group.intValue;
        haveCount = true;
        break;
      case 49:
        if (elementCount_ >= kMaxElements) return kFcStatusStructure;
        AppendElement(group.realValue);
        break;
      default:
        break;
    }
    return kFcStatusOk;
  });
  // A record cut off by the end of the data is damaged, not merely short.
  if (read == kFcStatusEnd) return kFcStatusReadError;
  if (read != kFcStatusOk) return read;
  return haveName && haveCount && expected == elementCount_ ? kFcStatusOk : kFcStatusEnd;
}

int FcLineType::WriteDwg(FcFilerDwg& filer) {
  WriteDwgRecordStart(*this, filer, name_.str(), !unreferenced_);
  filer.WriteText(description_.str());
  filer.WriteBitDouble(patternLength_);
  filer.WriteRawByte(kAlignmentA);
  filer.WriteRawByte(static_cast<std::uint8_t>(elementCount_));
  for (int i = 0; i < elementCount_; ++i) {
    filer.WriteBitDouble(GetElement(i));
    filer.WriteBitShort(0);
    filer.WriteRawDouble(0.0);
    filer.WriteRawDouble(0.0);
    filer.WriteBitDouble(1.0);
    filer.WriteBitDouble(0.0);
    filer.WriteBitShort(0);
  }
  for (int i = 0; i < kDwgTextAreaBytes; ++i) filer.WriteRawByte(0);
  WriteDwgRecordEnd(*this, filer, elementCount_);
  return kFcStatusOk;
}

int FcLineType::ReadDwg(FcFilerDwg& filer) {
  FcDwgRecordStart start;
  if (!ReadDwgNamedRecordStart(*this, filer, start)) return kFcStatusReadError;
  if (start.xrefDependent) return kFcStatusOk;
  std::string description;
  std::uint8_t alignment = 0;
  std::uint8_t count = 0;
  if (!filer.ReadText(description) || !filer.ReadBitDouble(patternLength_) || !filer.ReadRawChar(alignment) ||
      !filer.ReadRawChar(count) || count > kMaxElements)
    return kFcStatusReadError;
  description_ = description;
  elementCount_ = 0;
  drawnLength_ = 0.0;
  for (int i = 0; i < count; ++i) {
    double length = 0.0;
    double ignored[2] = {};
    std::int16_t shape = 0;
    if (!filer.ReadBitDouble(length) || !filer.ReadBitShort(shape) || !filer.Read2RawDouble(ignored) ||
        !filer.ReadBitDouble(ignored[0]) || !filer.ReadBitDouble(ignored[1]) || !filer.ReadBitShort(shape))
      return kFcStatusReadError;
    elements_[static_cast<std::size_t>(elementCount_++)] = length;
    if (length > 0.0) drawnLength_ += length;
  }
  FcHandle ignored = 0;
  if (!filer.SkipBits(kDwgTextAreaBytes * 8) || !ReadDwgRecordOwnerHandles(filer, start.place, start.reactors) ||
      !filer.ReadHandleRef(ignored, 0))
    return kFcStatusReadError;
  for (int i = 0; i < count; ++i) {
    if (!filer.ReadHandleRef(ignored, 0)) return kFcStatusReadError;
  }
  return ReadDwgObjectEnd(filer, start.place) ? kFcStatusOk : kFcStatusReadError;
}

FcLinetypeList::FcLinetypeList() : FcSymbolList(kDwgType, 16, GrowthRule::kBeforeFull) {}

std::string_view FcLinetypeList::RecordName(const FcObject& record) const {
  return static_cast<const FcLineType&>(record).GetName();
}

void FcLinetypeList::Add(std::unique_ptr<FcLineType> record) {
  if (record != nullptr) AppendRecord(std::move(record));
}

FcLineType* FcLinetypeList::AddNew() {
  return static_cast<FcLineType*>(AppendRecord(std::make_unique<FcLineType>()));
}

void FcLinetypeList::RemoveByName(std::string_view name) { RemoveFirstNamed(name); }

int FcLinetypeList::RemoveByHandle(FcHandle handle) {
  RemoveFirstWithHandle(handle);
  return GetCount();
}

void FcLinetypeList::ClearReferenceMarks() {
  for (int i = 0; i < GetCount(); ++i) {
    FcLineType* linetype = GetAt(i);
    const std::string& name = linetype->GetName();
    const bool always = EqualsNoCase(name, "ByLayer") || EqualsNoCase(name, "ByBlock") ||
                        EqualsNoCase(name, "Continuous");
    linetype->SetUnreferenced(!always);
  }
}

void FcLinetypeList::LoadFromFile(const std::string& path) {
  RemoveAll();
  if (!FileExists(path)) return;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return;
  long length = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) length = std::ftell(file);
  if (length < 0 || std::fseek(file, 0, SEEK_SET) != 0) {
    std::fclose(file);
    return;
  }
  std::string line = ReadTextLine(file);
  while (BeforeEnd(file, length)) {
    const std::string_view current = TrimLeadingBlanks(line);
    const bool examined = !current.empty() && current[0] != ';';
    const std::string candidate = examined ? ReadTextLine(file) : std::string();
    if (examined && current[0] == '*' && StartsWithAlignment(candidate)) {
      std::string_view name;
      std::string_view description;
      SplitHeader(current.substr(1, kMaxHeaderText), name, description);
      auto linetype = std::make_unique<FcLineType>();
      linetype->SetName(name);
      linetype->SetDescription(description);
      if (linetype->SetPattern(std::string_view(candidate).substr(0, kMaxPatternText))) Add(std::move(linetype));
    }
    line = ReadTextLine(file);
  }
  std::fclose(file);
}

int FcLinetypeList::WriteDxf(FcFiler& filer) {
  WriteDxfTable(filer, "LTYPE");
  return kFcStatusOk;
}

int FcLinetypeList::ReadDxf(FcFiler& filer) {
  const auto make = [this]() -> std::unique_ptr<FcObject> {
    std::unique_ptr<FcLineType> record(new (std::nothrow) FcLineType());
    if (record != nullptr) record->SetOwner(this);
    return record;
  };
  const auto keep = [](const FcObject& record) {
    const auto& linetype = static_cast<const FcLineType&>(record);
    return !linetype.GetName().empty() && !linetype.IsXrefDependent();
  };
  return ReadDxfTable(filer, "LTYPE", make, keep);
}

FcLineType* FcLinetypeList::FirstOfKind(std::uint8_t kind) const {
  for (int i = 0; i < GetCount(); ++i) {
    if (GetAt(i)->GetKind() == kind) return GetAt(i);
  }
  return nullptr;
}

int FcLinetypeList::WriteDwg(FcFilerDwg& filer) {
  // The control object names "ByLayer" and "ByBlock" apart from its
  // entries, and the reader names the records by that place. A table read
  // from DXF keeps the file's order, so they are looked up, not taken from
  // the front. A table without them names handle 0.
  const FcLineType* byLayer = FirstOfKind(FcLineType::kKindByLayer);
  const FcLineType* byBlock = FirstOfKind(FcLineType::kKindByBlock);
  WriteDwgControlStart(*this, filer, GetCount() - (byLayer != nullptr ? 1 : 0) - (byBlock != nullptr ? 1 : 0));
  for (int i = 0; i < GetCount(); ++i) {
    const FcLineType* record = GetAt(i);
    if (record != byLayer && record != byBlock) filer.WriteHandleRef(2, 0, record->GetHandle());
  }
  filer.WriteHandleRef(3, 0, byBlock != nullptr ? byBlock->GetHandle() : 0);
  filer.WriteHandleRef(3, 0, byLayer != nullptr ? byLayer->GetHandle() : 0);
  EndDwgObject(filer);
  WriteDwgRecords(filer);
  return kFcStatusOk;
}

std::unique_ptr<FcLineType> FcLinetypeList::ReadDwgRecord(FcFilerDwg& filer, FcHandle handle) {
  auto record = std::make_unique<FcLineType>();
  record->SetHandle(handle);
  record->SetOwner(this);
  if (record->ReadDwg(filer) != kFcStatusOk) return nullptr;
  return record;
}

int FcLinetypeList::ReadDwg(FcFilerDwg& filer) {
  FcDwgRecordPlace place;
  std::vector<FcHandle> handles;
  FcHandle byBlock = 0;
  FcHandle byLayer = 0;
  if (!ReadDwgControl(filer, ControlKind::kLinetype, EntryRule::kOwnedOrNonZero, place, handles) ||
      !ReadHandleWithCode(filer, 3, byBlock) || !ReadHandleWithCode(filer, 3, byLayer) ||
      !ReadDwgObjectEnd(filer, place))
    return kFcStatusReadError;
  for (const auto& [handle, name] : {std::pair{byLayer, "ByLayer"}, std::pair{byBlock, "ByBlock"}}) {
    std::unique_ptr<FcLineType> record = ReadDwgRecord(filer, handle);
    if (record == nullptr) return kFcStatusReadError;
    record->SetName(name);
    Add(std::move(record));
  }
  for (const FcHandle handle : handles) {
    if (handle == 0) continue;
    std::unique_ptr<FcLineType> record = ReadDwgRecord(filer, handle);
    if (record == nullptr) return kFcStatusReadError;
    if (record->GetName().empty() || record->IsXrefDependent() || FindByName(record->GetName()) != nullptr)
      continue;
    Add(std::move(record));
  }
  return kFcStatusOk;
}
