#include "database/object.h"

#include <algorithm>

#include <limits>
#include <memory>
#include <utility>

#include "core/resbuf.h"
#include "database/dictionary.h"
#include "database/graph.h"
#include "database/object_dxf_groups.h"
#include "filers/dwg_record.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

namespace {

// What the DWG object bracket sees of an object. Made on the stack for the
// length of one record; the extension dictionary's view is made when the
// bracket asks for it.
class ObjectDwgRecord final : public FcDwgRecord {
 public:
  explicit ObjectDwgRecord(FcObject& object) : object_(object) {}

  FcHandle GetDwgHandle() const override { return object_.GetHandle(); }
  std::int16_t GetDwgType() const override { return object_.GetDwgType(); }
  void WriteDwgExtendedData(FcFilerDwg& filer) override { std::as_const(object_).GetXdata().WriteDwg(filer); }
  FcDwgRecord* GetExtensionDictionary() override {
    FcDictionary* dictionary = object_.GetExtDictionary();
    if (dictionary == nullptr) return nullptr;
    dictionary_ = std::make_unique<ObjectDwgRecord>(*dictionary);
    return dictionary_.get();
  }
  void WriteDwg(FcFilerDwg& filer) override { object_.WriteDwg(filer); }

 private:
  FcObject& object_;
  std::unique_ptr<ObjectDwgRecord> dictionary_;
};

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  // Names read from files are nearly always in the case they are compared
  // with.
  if (a == b) return true;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return prefix.size() <= text.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

bool LessNoCase(std::string_view a, std::string_view b) {
  // Lower case, so that "_" and the like sort before the letters.
  const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [&lower](char x, char y) {
    return static_cast<unsigned char>(lower(x)) < static_cast<unsigned char>(lower(y));
  });
}

FcHandle TakeHandle(FcHandle& handleSeed) {
  if (handleSeed == std::numeric_limits<FcHandle>::max()) return handleSeed;
  return handleSeed++;
}

void RaiseHandleSeed(FcHandle& handleSeed, FcHandle handleRead) {
  if (handleRead < handleSeed) return;
  // The largest handle cannot be passed; the seed stays on it rather than
  // wrapping round to "no handle".
  handleSeed = handleRead == std::numeric_limits<FcHandle>::max() ? handleRead : handleRead + 1;
}

FcObject::~FcObject() {
  if (rare_ == nullptr) return;
  delete static_cast<FcObject*>(rare_->dictionary);
  rare_->dictionary = nullptr;
  rare_->xdata.RemoveAll();
}

FcObject::RareParts& FcObject::Rare() {
  if (rare_ == nullptr) rare_ = std::make_unique<RareParts>();
  return *rare_;
}

FcExtendDataList& FcObject::GetXdata() { return Rare().xdata; }

const FcExtendDataList& FcObject::GetXdata() const {
  static const FcExtendDataList none;
  return rare_ != nullptr ? rare_->xdata : none;
}

void FcObject::SetRecordName(std::string_view name) { recordName_ = FcSharedName(name.substr(0, kFcMaxRecordName)); }

void FcObject::SetExtDictionary(FcDictionary* dictionary) {
  if (dictionary == nullptr) return;
  RareParts& rare = Rare();
  if (rare.dictionary != dictionary) delete static_cast<FcObject*>(rare.dictionary);
  rare.dictionary = dictionary;
  dictionary->SetOwner(this);
  rare.dictionaryHandle = dictionary->GetHandle();
}

void FcObject::SetExtDictionaryHandle(FcHandle handle) {
  if (rare_ == nullptr && handle == 0) return;
  Rare().dictionaryHandle = handle;
}

int FcObject::Copy(const FcObject& other) {
  handle_ = other.handle_;
  dwgType_ = other.dwgType_;
  recordName_ = other.recordName_;
  if (rare_ == nullptr && other.GetXdata().GetCount() == 0) return 0;
  return GetXdata().Copy(other.GetXdata());
}

int FcObject::CopyFromOtherGraph(const FcObject& other, FcGraph& target) {
  recordName_ = other.recordName_;
  if (rare_ == nullptr && other.GetXdata().GetCount() == 0) return 0;
  return GetXdata().CopyFromOtherGraph(other.GetXdata(), target);
}

int FcObject::GetCount() const { return 0; }

int FcObject::WriteDwg(FcFilerDwg& filer) { return kFcStatusOk; }

int FcObject::WriteDxf(FcFiler& filer) {
  filer.WriteString(0, recordName_.str());
  filer.WriteHandle(5, handle_);
  if (const FcDictionary* dictionary = GetExtDictionary()) {
    filer.WriteString(102, "{ACAD_XDICTIONARY");
    filer.WriteHandle(360, dictionary->GetHandle());
    filer.WriteString(102, "}");
  }
  filer.WriteHandle(330, owner_ != nullptr ? owner_->GetHandle() : 0);
  return kFcStatusOk;
}

int FcObject::WriteDxfOwned(FcFiler& filer) {
  FcDictionary* dictionary = GetExtDictionary();
  if (dictionary == nullptr) return kFcStatusOk;
  return dictionary->WriteDxf(filer);
}

int FcObject::ReadDwg(FcFilerDwg& filer) { return kFcStatusOk; }

int FcObject::ReadDxf(FcFiler& filer) {
  FcResBuf group;
  const int result = ReadObjectDxfGroups(*this, filer, group);
  if (result == kFcStatusOk) filer.UnreadGroup();
  return result;
}

int ReadObjectDxfGroups(FcObject& object, FcFiler& filer, FcResBuf& group) {
  bool haveHandle = false;
  bool inBracket = false;
  bool inXdictionary = false;
  while (filer.ReadGroup(group)) {
    switch (group.type) {
      case 5:
      case 105:
        object.SetHandle(group.handle);
        haveHandle = true;
        if (FcGraph* graph = filer.GetGraph()) RaiseHandleSeed(graph->GetHandleSeed(), group.handle);
        break;
      case 102:
        inXdictionary = !inBracket && group.text != nullptr &&
                        EqualsNoCase(group.text, "{ACAD_XDICTIONARY");
        inBracket = !inBracket;
        break;
      case 360:
        if (inXdictionary) object.SetExtDictionaryHandle(group.handle);
        break;
      case 1001:
        filer.UnreadGroup();
        if (object.ReadXdata(filer) != kFcStatusOk) return kFcStatusReadError;
        break;
      case 100:
        return haveHandle ? kFcStatusOk : kFcStatusStructure;
      case 0:
        filer.UnreadGroup();
        return kFcStatusNoSubclass;
      default:
        break;
    }
  }
  return kFcStatusReadError;
}

bool FcObject::ResolveOwner(FcObject* candidate) {
  if (candidate == nullptr || candidate == this) return false;
  const FcHandle dictionaryHandle = GetExtDictionaryHandle();
  if (dictionaryHandle != 0 && candidate->GetHandle() == dictionaryHandle) {
    auto* dictionary = dynamic_cast<FcDictionary*>(candidate);
    if (dictionary == nullptr) return false;
    SetExtDictionary(dictionary);
    return true;
  }
  FcDictionary* dictionary = GetExtDictionary();
  if (dictionary == nullptr) return false;
  return dictionary->LinkObject(candidate);
}

int FcObject::ReadXdata(FcFiler& filer) {
  auto block = std::make_unique<FcExtendData>();
  if (!block->ReadDxf(filer)) return kFcStatusReadError;
  GetXdata().Add(std::move(block));
  return kFcStatusOk;
}

int FcObject::ReadDwgXdata(FcFilerDwg& filer, std::int64_t objectEnd) {
  for (;;) {
    auto block = std::make_unique<FcExtendData>();
    const FcXdataResult result = block->ReadDwg(filer, objectEnd);
    if (result == FcXdataResult::kEnd) return kFcStatusOk;
    if (result != FcXdataResult::kBlock) return kFcStatusReadError;
    if (!block->HasBinaryChunk()) GetXdata().Add(std::move(block));
  }
}

void FcObject::BeginDwgObject(FcFilerDwg& filer) {
  ObjectDwgRecord record(*this);
  filer.BeginObject(record);
}

void FcObject::EndDwgObject(FcFilerDwg& filer) {
  ObjectDwgRecord record(*this);
  filer.EndObject(record);
}

bool FcObject::ReadDwgObjectStart(FcFilerDwg& filer, DwgObjectType type, FcDwgRecordPlace& place) {
  std::int16_t typeRead = 0;
  place.offset = filer.SeekObject(handle_, place.size, typeRead);
  if (place.offset <= 0 || typeRead != type) return false;
  std::uint32_t dataBits = 0;
  const bool sizeFirst = filer.GetVersion() >= FcFilerDwg::kVersion2000;
  if (sizeFirst && !filer.ReadRawLong(dataBits)) return false;
  FcHandle own = 0;
  if (!filer.ReadHandleRef(own, 0) || own != handle_) return false;
  if (ReadDwgXdata(filer, place.offset + place.size) != kFcStatusOk) return false;
  return sizeFirst || filer.ReadRawLong(dataBits);
}

bool FcObject::ReadDwgObjectEnd(FcFilerDwg& filer, const FcDwgRecordPlace& place) {
  const std::int64_t end = place.offset + place.size;
  const std::uint16_t crc = filer.CrcOfRange(FcFilerDwg::kObjectCrcSeed, place.offset, end);
  std::uint16_t stored = 0;
  if (filer.Seek(end, FcSeekOrigin::kBegin) != end || !filer.ReadAlignedShort(stored)) return false;
  return stored == crc;
}
