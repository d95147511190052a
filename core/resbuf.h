#pragma once

#include <cstdint>

// Value types of the command and system-variable interface. Any other type
// is a DXF group code whose range decides the value.
inline constexpr int kResTypeReal = 5001;
inline constexpr int kResTypePoint2d = 5002;
inline constexpr int kResTypeShort = 5003;
inline constexpr int kResTypeAngle = 5004;
inline constexpr int kResTypeString = 5005;
inline constexpr int kResTypeReal2 = 5008;
inline constexpr int kResTypeLong = 5010;
// A string of DXF group 0: a variadic list cannot carry the code 0 itself,
// since 0 ends it, so the node is stored with type 0.
inline constexpr int kResTypeGroup0String = 5020;

// The "done" status of the command interface.
inline constexpr int kStatusDone = 5100;

// A typed value cell and the singly linked list built from such cells. A
// node owns its text, which only SetString sets. Heap nodes are made by
// NewResBuf and released only by FreeResBufList; a node on the stack (a
// reader's work node) is cleared by its destructor, which frees the text
// alone.
struct FcResBuf {
  FcResBuf* next = nullptr;
  std::int16_t type = 0;
  double realValue = 0.0;
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
  char* text = nullptr;
  std::int32_t intValue = 0;

 private:
  // Bytes the text buffer holds, so that a reader's work node keeps one
  // buffer for its whole record. Sits in what would be padding.
  std::uint32_t textCapacity_ = 0;

 public:
  std::uint64_t handle = 0;

  FcResBuf() = default;
  FcResBuf(const FcResBuf&) = delete;
  FcResBuf& operator=(const FcResBuf&) = delete;
  ~FcResBuf();

  // Stores a copy of value, reusing the text buffer when it has room. A
  // null or empty value leaves an existing buffer holding an empty string
  // and a missing one missing. False when a new buffer cannot be
  // allocated; the node then has no text.
  bool SetString(const char* value);
};

// One node with every field zero and the given type (kResTypeGroup0String
// gives type 0); null when the allocation fails.
FcResBuf* NewResBuf(int code);

// Builds a list from (code, value, code, value, ..., 0). The value each code
// takes: a double (reals and angles), two doubles x then y (points), an int
// of which the low 16 bits are kept sign-extended (shorts), an int (longs), a
// std::uint64_t (handles) or a const char* (strings); codes without a value
// take none. Null for an empty list or when an allocation fails.
FcResBuf* BuildResBufList(int code, ...);

// A deep copy with duplicated texts; null for an empty list or when an
// allocation fails (nothing is leaked then).
FcResBuf* CopyResBufList(const FcResBuf* list);

// Frees every node and its text; always kStatusDone.
int FreeResBufList(FcResBuf* list);
