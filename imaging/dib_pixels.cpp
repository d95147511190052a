#include "imaging/dib_pixels.h"

#include <bit>

namespace {

std::uint8_t MaskedComponent(std::uint32_t value, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const int bits = 32 - std::countl_zero(mask >> shift);
  const std::uint32_t component = (value & mask) >> shift;
  return static_cast<std::uint8_t>(bits < 8 ? component << (8 - bits) : component >> (bits - 8));
}

}  // namespace

std::uint32_t ReadPixelValue(const std::uint8_t* row, std::uint16_t bit_count, std::size_t x) {
  switch (bit_count) {
    case 1:
      return (row[x / 8] >> (7 - x % 8)) & 1u;
    case 4:
      return (row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xFu;
    case 8:
      return row[x];
    case 16:
      return ReadLe16(row + 2 * x);
    case 24:
      return row[3 * x] | (row[3 * x + 1] << 8) | (static_cast<std::uint32_t>(row[3 * x + 2]) << 16);
    default:
      return ReadLe32(row + 4 * x);
  }
}

void WritePixelValue(std::uint8_t* row, std::uint16_t bit_count, std::size_t x, std::uint32_t value) {
  switch (bit_count) {
    case 1: {
      const auto bit = static_cast<std::uint8_t>(0x80u >> (x % 8));
      row[x / 8] = static_cast<std::uint8_t>((value & 1u) ? (row[x / 8] | bit) : (row[x / 8] & ~bit));
      return;
    }
    case 4: {
      const int shift = x % 2 == 0 ? 4 : 0;
      row[x / 2] = static_cast<std::uint8_t>((row[x / 2] & ~(0xF << shift)) | ((value & 0xFu) << shift));
      return;
    }
    case 8:
      row[x] = static_cast<std::uint8_t>(value);
      return;
    case 16:
      WriteLe16(row + 2 * x, static_cast<std::uint16_t>(value));
      return;
    case 24:
      row[3 * x] = static_cast<std::uint8_t>(value);
      row[3 * x + 1] = static_cast<std::uint8_t>(value >> 8);
      row[3 * x + 2] = static_cast<std::uint8_t>(value >> 16);
      return;
    default:
      WriteLe32(row + 4 * x, value);
  }
}

std::vector<PaletteEntry> DibColorTable(const std::uint8_t* block, const DibLayout& layout) {
  std::vector<PaletteEntry> table(layout.TableEntries());
  const std::uint8_t* p = block + layout.header_size + layout.mask_bytes;
  for (PaletteEntry& entry : table) {
    entry = {p[2], p[1], p[0], 0};
    p += layout.table_entry_bytes;
  }
  return table;
}

DibPixelDecoder::DibPixelDecoder(const std::uint8_t* block, const DibLayout& layout)
    : bitCount_(layout.bit_count) {
  if (bitCount_ <= 8) {
    table_ = DibColorTable(block, layout);
    return;
  }
  if (layout.compression == kDibCompressionBitFields) {
    for (int i = 0; i < 3; ++i) masks_[i] = ReadLe32(block + layout.header_size + 4 * i);
  } else if (bitCount_ == 16) {
    masks_ = {0x7C00, 0x03E0, 0x001F};
  } else {
    masks_ = {0xFF0000, 0x00FF00, 0x0000FF};
  }
}

PaletteEntry DibPixelDecoder::Decode(std::uint32_t value) const {
  if (bitCount_ <= 8) return value < table_.size() ? table_[value] : PaletteEntry{};
  if (bitCount_ == 24) {
    return {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value), 0};
  }
  return {MaskedComponent(value, masks_[0]), MaskedComponent(value, masks_[1]), MaskedComponent(value, masks_[2]), 0};
}
