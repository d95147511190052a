#pragma once

#include <cstdint>

// What a filer carries. The drawing keeps the kind it was read from, so that
// saving writes the same form again.
enum class FcFileKind : std::int32_t {
  kDwg = 0,
  kAsciiDxf = 1,  // also any plain text read line by line
  kBinaryDxf = 2,
  kText = 4,      // plain text output
};
