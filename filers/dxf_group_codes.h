#pragma once

#include <cstddef>
#include <cstdint>

// The value a DXF group code carries. Readers choose the node field and, in
// binary files, the width of the value by it; writers choose the width of
// integers by the code.
enum class DxfGroupClass : std::uint8_t {
  kNone,        // no value of its own (ASCII) or not readable (binary)
  kPoint,       // x here, then code+10 with y and optionally code+20 with z
  kReal,
  kAngle,       // a real in degrees in the file, radians in the node
  kBinaryReal,  // a double in binary files; the value line is dropped in ASCII
  kInt16,
  kInt32,
  kInt64,       // its bits in the node's handle field
  kByte,
  kHandle,
  kString,
  kChunk,       // a length-prefixed byte run in binary files, text in ASCII
};

DxfGroupClass ClassifyGroupCode(int code);

// Bytes of an integer value in a binary file: 8 for 64-bit codes, 4 for
// 32-bit codes, 1 for byte codes, 2 for every other code.
std::size_t BinaryIntegerWidth(DxfGroupClass group_class);
