#include "core/resbuf.h"

#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <limits>
#include <new>

namespace {

constexpr std::size_t kSmallestTextBuffer = 24;

enum class ResBufValue { kNone, kReal, kPoint, kShort, kLong, kHandle, kString };

bool InRange(int code, int low, int high) { return code >= low && code <= high; }

// Handle codes are tested first: group 5 is a handle although it lies in
// the string range.
ResBufValue GroupValueKind(int code) {
  if (code == 5 || code == 105 || code == 1005) {
    return ResBufValue::kHandle;
  }
  if (InRange(code, 0, 9) || code == 100 || code == 102 || InRange(code, 300, 369) ||
      InRange(code, 390, 399) || InRange(code, 410, 419) || InRange(code, 999, 1009)) {
    return ResBufValue::kString;
  }
  if (InRange(code, 10, 18) || InRange(code, 110, 118) || InRange(code, 210, 238) ||
      InRange(code, 1010, 1013)) {
    return ResBufValue::kPoint;
  }
  if (InRange(code, 40, 59) || InRange(code, 1040, 1042)) {
    return ResBufValue::kReal;
  }
  if (InRange(code, 60, 79) || InRange(code, 280, 289) || InRange(code, 380, 389) ||
      InRange(code, 400, 409) || code == 1070) {
    return ResBufValue::kShort;
  }
  if (InRange(code, 80, 99) || code == 1071) {
    return ResBufValue::kLong;
  }
  return ResBufValue::kNone;
}

// Which value field a code uses.
ResBufValue ResBufValueKind(int type) {
  switch (type) {
    case kResTypeReal:
    case kResTypeAngle:
    case kResTypeReal2:
      return ResBufValue::kReal;
    case kResTypePoint2d:
      return ResBufValue::kPoint;
    case kResTypeShort:
      return ResBufValue::kShort;
    case kResTypeLong:
      return ResBufValue::kLong;
    case kResTypeString:
    case kResTypeGroup0String:
      return ResBufValue::kString;
    default:
      break;
  }
  if (InRange(type, kResTypeReal, kResTypeGroup0String)) {
    return ResBufValue::kNone;
  }
  return GroupValueKind(type);
}

// Takes from the argument list the value that the node's code calls for.
bool TakeValue(FcResBuf& node, int code, va_list& args) {
  switch (ResBufValueKind(code)) {
    case ResBufValue::kReal:
      node.realValue = va_arg(args, double);
      return true;
    case ResBufValue::kPoint:
      node.x = va_arg(args, double);
      node.y = va_arg(args, double);
      return true;
    case ResBufValue::kShort:
      node.intValue = static_cast<std::int16_t>(va_arg(args, int));
      return true;
    case ResBufValue::kLong:
      node.intValue = va_arg(args, int);
      return true;
    case ResBufValue::kHandle:
      node.handle = va_arg(args, std::uint64_t);
      return true;
    case ResBufValue::kString:
      return node.SetString(va_arg(args, const char*));
    case ResBufValue::kNone:
      return true;
  }
  return true;
}

}  // namespace

FcResBuf::~FcResBuf() {
  next = nullptr;
  type = 0;
  delete[] text;
  text = nullptr;
  textCapacity_ = 0;
}

bool FcResBuf::SetString(const char* value) {
  if (value == nullptr || value[0] == '\0') {
    if (text != nullptr) {
      text[0] = '\0';
    }
    return true;
  }
  const std::size_t size = std::strlen(value) + 1;
  if (text != nullptr && size <= textCapacity_) {
    // The value may be a part of the text itself.
    std::memmove(text, value, size);
    return true;
  }
  delete[] text;
  text = nullptr;
  textCapacity_ = 0;
  // No allocation is smaller than a few words, so a short text takes room
  // for the short texts that follow it in a reader's work node.
  const std::size_t capacity = std::max(size, kSmallestTextBuffer);
  text = new (std::nothrow) char[capacity];
  if (text == nullptr) {
    return false;
  }
  // A buffer beyond the field's range is merely never reused in full.
  textCapacity_ = static_cast<std::uint32_t>(
      std::min<std::size_t>(capacity, std::numeric_limits<std::uint32_t>::max()));
  std::memcpy(text, value, size);
  return true;
}

FcResBuf* NewResBuf(int code) {
  FcResBuf* node = new (std::nothrow) FcResBuf;
  if (node == nullptr) {
    return nullptr;
  }
  node->type = static_cast<std::int16_t>(code == kResTypeGroup0String ? 0 : code);
  return node;
}

FcResBuf* BuildResBufList(int code, ...) {
  va_list args;
  va_start(args, code);
  FcResBuf* head = nullptr;
  FcResBuf** tail = &head;
  while (code != 0) {
    FcResBuf* node = NewResBuf(code);
    if (node == nullptr) {
      FreeResBufList(head);
      head = nullptr;
      break;
    }
    *tail = node;
    tail = &node->next;
    if (!TakeValue(*node, code, args)) {
      FreeResBufList(head);
      head = nullptr;
      break;
    }
    code = va_arg(args, int);
  }
  va_end(args);
  return head;
}

FcResBuf* CopyResBufList(const FcResBuf* list) {
  FcResBuf* head = nullptr;
  FcResBuf** tail = &head;
  for (const FcResBuf* from = list; from != nullptr; from = from->next) {
    FcResBuf* node = NewResBuf(0);
    if (node == nullptr) {
      FreeResBufList(head);
      return nullptr;
    }
    *tail = node;
    tail = &node->next;
    node->type = from->type;
    node->realValue = from->realValue;
    node->x = from->x;
    node->y = from->y;
    node->z = from->z;
    node->intValue = from->intValue;
    node->handle = from->handle;
    if (!node->SetString(from->text)) {
      FreeResBufList(head);
      return nullptr;
    }
  }
  return head;
}

int FreeResBufList(FcResBuf* list) {
  while (list != nullptr) {
    FcResBuf* next = list->next;
    delete list;
    list = next;
  }
  return kStatusDone;
}
