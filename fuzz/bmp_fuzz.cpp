#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/dib.h"
#include "filers/file_object.h"

// Reads the bytes as a BMP file and as a packed bitmap, then puts whatever
// was accepted through the conversions, adjustment and writing.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CDib packed;
  if (packed.SetMemory(std::vector<std::uint8_t>(data, data + size))) {
    packed.ConvertBitCount(8);
  }
  FcFile file(std::vector<char>(data, data + size));
  CDib dib;
  if (!dib.ReadFile(file)) return 0;
  CDib copy;
  copy.CopyFrom(dib);
  copy.Scale(3, 2);
  dib.ConvertBitCount(4);
  dib.ConvertBitCount(24);
  dib.AdjustImage(70, 30, 20, 0x804020);
  FcFile out;
  if (!dib.WriteFile(out)) __builtin_trap();
  out.SetPosition(0);
  CDib back;
  if (!back.ReadFile(out)) __builtin_trap();
  return 0;
}
