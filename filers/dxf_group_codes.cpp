#include "filers/dxf_group_codes.h"

#include <array>

namespace {

constexpr int kTableSize = 1072;

struct CodeRange {
  int first;
  int last;
  DxfGroupClass group_class;
};

// Later ranges override earlier ones (points within the reals, angles
// within the reals, the handle 5 within the strings). Every range that
// files use is here, so that a binary reader can pass over the groups of a
// record it does not know.
constexpr CodeRange kRanges[] = {
    {0, 9, DxfGroupClass::kString},         {100, 100, DxfGroupClass::kString},
    {102, 102, DxfGroupClass::kString},     {300, 309, DxfGroupClass::kString},
    {410, 419, DxfGroupClass::kString},     {430, 439, DxfGroupClass::kString},
    {470, 479, DxfGroupClass::kString},     {999, 1003, DxfGroupClass::kString},
    {1006, 1009, DxfGroupClass::kString},   {310, 319, DxfGroupClass::kChunk},
    {1004, 1004, DxfGroupClass::kChunk},    {5, 5, DxfGroupClass::kHandle},
    {105, 105, DxfGroupClass::kHandle},     {320, 369, DxfGroupClass::kHandle},
    {390, 399, DxfGroupClass::kHandle},     {480, 481, DxfGroupClass::kHandle},
    {1005, 1005, DxfGroupClass::kHandle},   {10, 37, DxfGroupClass::kReal},
    {110, 139, DxfGroupClass::kReal},       {210, 239, DxfGroupClass::kReal},
    {460, 469, DxfGroupClass::kReal},       {1010, 1059, DxfGroupClass::kReal},
    {10, 18, DxfGroupClass::kPoint},        {110, 118, DxfGroupClass::kPoint},
    {210, 218, DxfGroupClass::kPoint},      {1010, 1013, DxfGroupClass::kPoint},
    {38, 39, DxfGroupClass::kBinaryReal},   {40, 59, DxfGroupClass::kReal},
    {140, 159, DxfGroupClass::kReal},
    {50, 58, DxfGroupClass::kAngle},        {150, 158, DxfGroupClass::kAngle},
    {60, 89, DxfGroupClass::kInt16},        {160, 169, DxfGroupClass::kInt64},
    {170, 199, DxfGroupClass::kInt16},      {270, 289, DxfGroupClass::kInt16},
    {370, 389, DxfGroupClass::kInt16},      {400, 409, DxfGroupClass::kInt16},
    {1060, 1070, DxfGroupClass::kInt16},    {90, 99, DxfGroupClass::kInt32},
    {420, 429, DxfGroupClass::kInt32},      {440, 459, DxfGroupClass::kInt32},
    {1071, 1071, DxfGroupClass::kInt32},    {290, 299, DxfGroupClass::kByte},
};

constexpr std::array<DxfGroupClass, kTableSize> BuildTable() {
  std::array<DxfGroupClass, kTableSize> table{};
  for (const CodeRange& range : kRanges) {
    for (int code = range.first; code <= range.last; ++code) {
      table[code] = range.group_class;
    }
  }
  return table;
}

constexpr std::array<DxfGroupClass, kTableSize> kClassOfCode = BuildTable();

}  // namespace

DxfGroupClass ClassifyGroupCode(int code) {
  if (code < 0 || code >= kTableSize) {
    return DxfGroupClass::kNone;
  }
  return kClassOfCode[code];
}

std::size_t BinaryIntegerWidth(DxfGroupClass group_class) {
  switch (group_class) {
    case DxfGroupClass::kInt64:
      return 8;
    case DxfGroupClass::kInt32:
      return 4;
    case DxfGroupClass::kByte:
      return 1;
    default:
      return 2;
  }
}
