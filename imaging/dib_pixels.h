#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/dib_layout.h"
#include "imaging/palette.h"

// The stored value of pixel x of a row: a table index for 8 bits or less
// (the most significant bits first), the little-endian word for 16 and 32
// bits, and blue | green << 8 | red << 16 for 24 bits.
std::uint32_t ReadPixelValue(const std::uint8_t* row, std::uint16_t bit_count, std::size_t x);
void WritePixelValue(std::uint8_t* row, std::uint16_t bit_count, std::size_t x, std::uint32_t value);

// The colour table of a packed DIB (3-byte entries under a core header).
std::vector<PaletteEntry> DibColorTable(const std::uint8_t* block, const DibLayout& layout);

// Turns stored pixel values of an uncompressed DIB into colours: through
// the colour table for 8 bits or less (black past its end), through the
// colour masks otherwise (the bit-field masks, else 5-5-5 for 16 bits and
// 8-8-8 for 32 bits). A component of fewer than 8 bits is shifted up to 8.
class DibPixelDecoder {
 public:
  DibPixelDecoder(const std::uint8_t* block, const DibLayout& layout);
  PaletteEntry Decode(std::uint32_t value) const;

 private:
  std::uint16_t bitCount_;
  std::vector<PaletteEntry> table_;
  std::array<std::uint32_t, 3> masks_{};
};
