#include "database/extended_data.h"

#include <algorithm>
#include <bit>
#include <string>
#include <vector>

#include "core/resbuf.h"
#include "database/app_id.h"
#include "database/graph.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

namespace {

bool IsKeptDxfCode(int code) {
  return code == 1000 || code == 1002 || code == 1003 || code == 1005 ||
         (code >= 1010 && code <= 1013) || (code >= 1040 && code <= 1042) || code == 1070 ||
         code == 1071;
}

FcResBuf* CopyItem(const FcResBuf& group) {
  FcResBuf* item = NewResBuf(group.type);
  if (item == nullptr) return nullptr;
  item->realValue = group.realValue;
  item->x = group.x;
  item->y = group.y;
  item->z = group.z;
  item->intValue = group.intValue;
  item->handle = group.handle;
  if (group.text != nullptr && !item->SetString(group.text)) {
    FreeResBufList(item);
    return nullptr;
  }
  return item;
}

// The value fields a group read leaves alone must not carry over from the
// group before (a point without z, for one).
void ClearValues(FcResBuf& group) {
  group.realValue = group.x = group.y = group.z = 0.0;
  group.intValue = 0;
  group.handle = 0;
  if (group.text != nullptr) group.text[0] = '\0';
}

FcAppID* FindOrRegisterApp(FcGraph& graph, std::string_view name) {
  if (FcAppID* found = graph.GetAppIdList().FindByName(name)) return found;
  return graph.AddAppId(name);
}

// A text item holds at most this many bytes in the DWG packing, whose
// length is one byte.
constexpr std::size_t kMaxPackedText = 255;

// Builds the packed form of a block's items: byte-aligned fields, multi-byte
// values least significant byte first, like every raw value of the format.
class XdataPacker {
 public:
  explicit XdataPacker(std::uint16_t codePage) : codePage_(codePage) {}

  void Add(const FcResBuf& item) {
    const int code = item.type;
    Byte(static_cast<std::uint8_t>((code - 1000) & 0xFF));
    switch (code) {
      case 1000: {
        const std::string_view text = item.text != nullptr ? item.text : "";
        const std::size_t length = std::min(text.size(), kMaxPackedText);
        Byte(static_cast<std::uint8_t>(length));
        Byte(static_cast<std::uint8_t>(codePage_ >> 8));
        Byte(static_cast<std::uint8_t>(codePage_ & 0xFF));
        for (std::size_t i = 0; i < length; ++i) Byte(static_cast<std::uint8_t>(text[i]));
        break;
      }
      case 1002:
        Byte(item.text != nullptr && item.text[0] == '}' ? 1 : 0);
        break;
      case 1003:
      case 1005:
        Little(item.handle, 8);
        break;
      case 1004:
        Byte(0);
        break;
      case 1010:
      case 1011:
      case 1012:
      case 1013:
        Double(item.x);
        Double(item.y);
        Double(item.z);
        break;
      case 1040:
      case 1041:
      case 1042:
        Double(item.realValue);
        break;
      case 1070:
        Little(static_cast<std::uint16_t>(item.intValue), 2);
        break;
      case 1071:
        Little(static_cast<std::uint32_t>(item.intValue), 4);
        break;
      default:
        break;
    }
  }

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

 private:
  void Byte(std::uint8_t value) { bytes_.push_back(value); }
  void Little(std::uint64_t value, int count) {
    for (int i = 0; i < count; ++i) Byte(static_cast<std::uint8_t>(value >> (8 * i)));
  }
  void Double(double value) { Little(std::bit_cast<std::uint64_t>(value), 8); }

  std::uint16_t codePage_;
  std::vector<std::uint8_t> bytes_;
};

// Reads the packed items of one block while keeping count of the bytes,
// which must come out at exactly the block's size.
// An item read whole, within a block still being read.
constexpr FcXdataResult kItemRead = FcXdataResult::kBlock;

class XdataUnpacker {
 public:
  XdataUnpacker(FcFilerDwg& filer, int size) : filer_(filer), size_(size) {}

  // The items read go into the chain, which the caller owns either way.
  FcXdataResult ReadItems(FcResBuf*& head) {
    FcResBuf** tail = &head;
    while (used_ < size_) {
      std::uint8_t codeByte = 0;
      if (!Bytes(&codeByte, 1)) return FcXdataResult::kCodeError;
      FcResBuf* item = NewResBuf(1000 + codeByte);
      if (item == nullptr) return FcXdataResult::kValueError;
      *tail = item;
      tail = &item->next;
      const FcXdataResult result = ReadValue(*item);
      if (overrun_) return FcXdataResult::kSizeError;
      if (result != kItemRead) return result;
    }
    return FcXdataResult::kBlock;
  }

 private:
  FcXdataResult ReadValue(FcResBuf& item) {
    switch (item.type) {
      case 1000: {
        std::uint8_t head[3] = {};
        if (!Bytes(head, 3)) return FcXdataResult::kValueError;
        std::string text(head[0], '\0');
        if (!Bytes(text.data(), text.size())) return FcXdataResult::kValueError;
        return item.SetString(text.c_str()) ? kItemRead : FcXdataResult::kValueError;
      }
      case 1001:
        return FcXdataResult::kCodeError;
      case 1002: {
        std::uint8_t brace = 0;
        if (!Bytes(&brace, 1)) return FcXdataResult::kCodeError;
        return item.SetString(brace == 0 ? "{" : "}") ? kItemRead : FcXdataResult::kValueError;
      }
      case 1003:
      case 1005:
        return Little(item.handle, 8) ? kItemRead : FcXdataResult::kValueError;
      case 1004: {
        std::uint8_t length = 0;
        std::uint8_t chunk[255];
        if (!Bytes(&length, 1) || !Bytes(chunk, length)) return FcXdataResult::kCodeError;
        return kItemRead;
      }
      case 1010:
      case 1011:
      case 1012:
      case 1013:
        return Double(item.x) && Double(item.y) && Double(item.z) ? kItemRead : FcXdataResult::kValueError;
      case 1040:
      case 1041:
      case 1042:
        return Double(item.realValue) ? kItemRead : FcXdataResult::kValueError;
      case 1070: {
        std::uint64_t value = 0;
        if (!Little(value, 2)) return FcXdataResult::kValueError;
        item.intValue = static_cast<std::int16_t>(value);
        return kItemRead;
      }
      case 1071: {
        std::uint64_t value = 0;
        if (!Little(value, 4)) return FcXdataResult::kValueError;
        item.intValue = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
        return kItemRead;
      }
      default:
        return FcXdataResult::kUnknownCode;
    }
  }

  // Counts the bytes first, so that nothing is read past the block.
  bool Bytes(void* out, std::size_t count) {
    used_ += static_cast<int>(count);
    if (used_ > size_) {
      overrun_ = true;
      return false;
    }
    auto* bytes = static_cast<std::uint8_t*>(out);
    for (std::size_t i = 0; i < count; ++i) {
      if (!filer_.ReadRawChar(bytes[i])) return false;
    }
    return true;
  }
  bool Little(std::uint64_t& value, int count) {
    std::uint8_t bytes[8] = {};
    if (!Bytes(bytes, static_cast<std::size_t>(count))) return false;
    value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[i];
    return true;
  }
  bool Double(double& value) {
    std::uint64_t bits = 0;
    if (!Little(bits, 8)) return false;
    value = std::bit_cast<double>(bits);
    return true;
  }

  FcFilerDwg& filer_;
  int size_;
  int used_ = 0;
  bool overrun_ = false;
};

}  // namespace

FcExtendData::~FcExtendData() { FreeChain(); }

void FcExtendData::FreeChain() {
  FreeResBufList(head);
  head = nullptr;
}

void FcExtendData::SetChain(FcResBuf* newHead) {
  if (newHead == head) return;
  FreeChain();
  head = newHead;
}

bool FcExtendData::HasBinaryChunk() const {
  for (const FcResBuf* item = head; item != nullptr; item = item->next) {
    if (item->type == 1004) return true;
  }
  return false;
}

int FcExtendData::WriteDxf(FcFiler& filer) const {
  if (application == nullptr) return 0;
  filer.WriteString(1001, application->GetName());
  for (const FcResBuf* item = head; item != nullptr; item = item->next) {
    const std::int16_t code = item->type;
    switch (code) {
      case 1000:
      case 1002:
      case 1003:
        filer.WriteString(code, item->text);
        break;
      case 1005:
        filer.WriteHandle(code, item->handle);
        break;
      case 1010:
      case 1011:
      case 1012:
      case 1013:
        filer.WriteReal(code, item->x);
        filer.WriteReal(static_cast<std::int16_t>(code + 10), item->y);
        break;
      case 1040:
      case 1041:
      case 1042:
        filer.WriteReal(code, item->realValue);
        break;
      case 1070:
      case 1071:
        filer.WriteInt(code, item->intValue);
        break;
      default:
        break;
    }
  }
  return 0;
}

bool FcExtendData::ReadDxf(FcFiler& filer) {
  FreeChain();
  FcGraph* graph = filer.GetGraph();
  FcResBuf** tail = &head;
  FcResBuf group;
  for (;;) {
    ClearValues(group);
    if (!filer.ReadGroup(group)) return false;
    const int code = group.type;
    if (code == 999) continue;
    if (application == nullptr) {
      // A block starts with its own 1001, which names its application.
      FcAppID* app = nullptr;
      if (code == 1001 && graph != nullptr && group.text != nullptr && group.text[0] != '\0')
        app = FindOrRegisterApp(*graph, group.text);
      if (app == nullptr) {
        FreeChain();
        return false;
      }
      application = app;
      continue;
    }
    if (!IsKeptDxfCode(code)) {
      filer.UnreadGroup();
      return true;
    }
    FcResBuf* item = CopyItem(group);
    if (item == nullptr) return false;
    *tail = item;
    tail = &item->next;
  }
}

int FcExtendData::WriteDwg(FcFilerDwg& filer) const {
  if (application == nullptr) return 0;
  XdataPacker packer(filer.GetCodePage());
  for (const FcResBuf* item = head; item != nullptr; item = item->next) packer.Add(*item);
  const std::vector<std::uint8_t>& bytes = packer.Bytes();
  if (bytes.empty()) return 0;
  filer.WriteBitShort(static_cast<std::int16_t>(bytes.size()));
  filer.WriteHandleRef(5, 0, application->GetHandle());
  for (const std::uint8_t byte : bytes) filer.WriteRawByte(byte);
  return 0;
}

FcXdataResult FcExtendData::ReadDwg(FcFilerDwg& filer, std::int64_t objectEnd) {
  std::int16_t size = 0;
  if (!filer.ReadBitShort(size) || size < 0) return FcXdataResult::kSizeError;
  if (size == 0) return FcXdataResult::kEnd;
  FcHandle appHandle = 0;
  if (!filer.ReadHandleRef(appHandle, 0)) return FcXdataResult::kCodeError;
  FcGraph* graph = filer.GetGraph();
  FcAppID* app = graph != nullptr ? graph->GetAppIdList().FindRecordByHandle(appHandle) : nullptr;
  if (app == nullptr) return FcXdataResult::kNoApplication;
  // A block reaching past its object's record is refused before a byte of
  // it is read. The file position stands after the partly read byte, whose
  // remaining bits the block may use as well.
  const std::int64_t position = filer.GetFile() != nullptr ? filer.GetFile()->GetPosition() : objectEnd;
  if (size > objectEnd - position + 1) return FcXdataResult::kSizeError;
  FreeChain();
  application = app;
  return XdataUnpacker(filer, size).ReadItems(head);
}

void FcExtendDataList::Reserve(int n) {
  if (n > 0) items_.reserve(items_.size() + static_cast<std::size_t>(n));
}

FcExtendData* FcExtendDataList::Add(std::unique_ptr<FcExtendData> block) {
  if (block == nullptr) return nullptr;
  items_.push_back(std::move(block));
  return items_.back().get();
}

FcExtendData* FcExtendDataList::AddNew() { return Add(std::make_unique<FcExtendData>()); }

void FcExtendDataList::RemoveAll() { items_.clear(); }

FcExtendData* FcExtendDataList::FindByAppName(std::string_view name) const {
  for (const auto& block : items_) {
    if (block->application != nullptr && block->application->HasName(name)) return block.get();
  }
  return nullptr;
}

FcExtendData* FcExtendDataList::FindByAppHandle(FcHandle handle) const {
  for (const auto& block : items_) {
    if (block->application != nullptr && block->application->GetHandle() == handle)
      return block.get();
  }
  return nullptr;
}

FcExtendData* FcExtendDataList::GetForApp(FcAppID* application) {
  if (application == nullptr) return nullptr;
  if (FcExtendData* found = FindByAppHandle(application->GetHandle())) return found;
  FcExtendData* block = AddNew();
  block->application = application;
  return block;
}

void FcExtendDataList::RemoveApp(FcHandle handle) {
  for (int i = 0; i < GetCount(); ++i) {
    const FcAppID* application = items_[static_cast<std::size_t>(i)]->application;
    if (application != nullptr && application->GetHandle() == handle) {
      RemoveAt(i);
      return;
    }
  }
}

void FcExtendDataList::RemoveAt(int index) {
  if (index < 0 || index >= GetCount()) return;
  items_.erase(items_.begin() + index);
}

int FcExtendDataList::Copy(const FcExtendDataList& other) {
  if (&other == this) return GetCount();
  RemoveAll();
  Reserve(other.GetCount());
  for (const auto& block : other.items_) {
    FcExtendData* copy = AddNew();
    copy->application = block->application;
    copy->head = CopyResBufList(block->head);
  }
  return GetCount();
}

int FcExtendDataList::CopyFromOtherGraph(const FcExtendDataList& other, FcGraph& target) {
  if (&other == this) return GetCount();
  RemoveAll();
  Reserve(other.GetCount());
  for (const auto& block : other.items_) {
    FcExtendData* copy = AddNew();
    if (block->application == nullptr) continue;
    copy->application = FindOrRegisterApp(target, block->application->GetName());
    if (copy->application != nullptr) copy->head = CopyResBufList(block->head);
  }
  return GetCount();
}

void FcExtendDataList::WriteDxf(FcFiler& filer) const {
  for (const auto& block : items_) block->WriteDxf(filer);
}

int FcExtendDataList::WriteDwg(FcFilerDwg& filer) const {
  for (const auto& block : items_) {
    const int result = block->WriteDwg(filer);
    if (result != 0) return result;
  }
  filer.WriteBitShort(0);
  return 0;
}
