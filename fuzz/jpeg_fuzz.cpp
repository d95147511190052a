#include <cstddef>
#include <cstdint>

#include "imaging/jpeg_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CJpeg jpeg;
  if (jpeg.LoadDibFromMemory(data, size) && jpeg.GetDib()->GetWidth() <= 0) __builtin_trap();
  return 0;
}
