#include <algorithm>
#include <utility>

#include "imaging/dib.h"
#include "imaging/dib_pixels.h"
#include "imaging/octree_palette.h"

namespace {

constexpr int kOctreeColours = 236;
constexpr int kOctreeColourBits = 8;

bool IsTargetBitCount(int bit_count) {
  return bit_count == 1 || bit_count == 4 || bit_count == 8 || bit_count == 16 || bit_count == 24 ||
         bit_count == 32;
}

// The first `count` entries of the table, padded with black.
std::vector<PaletteEntry> FirstEntries(std::vector<PaletteEntry> entries, std::size_t count) {
  entries.resize(count);
  return entries;
}

std::vector<PaletteEntry> TargetTable(const std::vector<std::uint8_t>& dib, const DibLayout& source, int bit_count,
                                      const CPalette* palette) {
  const std::size_t count = std::size_t{1} << bit_count;
  if (bit_count == 1) return {{0, 0, 0, 0}, {255, 255, 255, 0}};
  if (palette) return FirstEntries(palette->entries, count);
  if (source.bit_count == bit_count) return FirstEntries(DibColorTable(dib.data(), source), count);
  if (bit_count == 4) return DefaultPalette16().entries;
  if (std::optional<CPalette> octree = BuildOctreePalette(dib.data(), source, kOctreeColours, kOctreeColourBits)) {
    return FirstEntries(std::move(octree->entries), count);
  }
  return HalftonePalette().entries;
}

std::uint32_t EncodePixel(const PaletteEntry& colour, int bit_count, const std::vector<PaletteEntry>& table) {
  switch (bit_count) {
    case 16:
      return ((colour.red >> 3) << 10) | ((colour.green >> 3) << 5) | (colour.blue >> 3);
    case 24:
    case 32:
      return colour.blue | (colour.green << 8) | (static_cast<std::uint32_t>(colour.red) << 16);
    default:
      return static_cast<std::uint32_t>(NearestPaletteIndex(table, colour.red, colour.green, colour.blue));
  }
}

// A new 40-byte-header block of the size with room for the table and rows.
std::vector<std::uint8_t> NewBlock(const BitmapInfoHeader& header, std::size_t table_bytes, DibLayout* layout) {
  const std::size_t rows =
      static_cast<std::size_t>(DibStride(header.bit_count, header.width)) * static_cast<std::size_t>(header.height);
  std::vector<std::uint8_t> block(header.size + table_bytes + rows);
  WriteInfoHeader(block.data(), header);
  ParseDib(block, layout, nullptr);
  return block;
}

}  // namespace

std::vector<std::uint8_t> ConvertDibBitCount(const std::vector<std::uint8_t>& dib, int bit_count,
                                             const CPalette* palette) {
  DibLayout source;
  if (!IsTargetBitCount(bit_count) || !ParseDib(dib, &source, nullptr) || source.IsCompressed()) return {};
  BitmapInfoHeader header;
  header.width = source.width;
  header.height = source.height;
  header.bit_count = static_cast<std::uint16_t>(bit_count);
  std::vector<PaletteEntry> table;
  if (bit_count <= 8) table = TargetTable(dib, source, bit_count, palette);

  DibLayout target;
  std::vector<std::uint8_t> block = NewBlock(header, table.size() * 4, &target);
  std::uint8_t* out = block.data() + header.size;
  for (const PaletteEntry& entry : table) {
    *out++ = entry.blue;
    *out++ = entry.green;
    *out++ = entry.red;
    *out++ = 0;
  }
  const DibPixelDecoder decoder(dib.data(), source);
  // Pictures hold few distinct colours in a row; remembering the last one
  // spares most searches of the target table.
  std::optional<std::pair<std::uint32_t, std::uint32_t>> last;
  for (std::int32_t y = 0; y < source.height; ++y) {
    const std::uint8_t* from = dib.data() + source.BitsOffset() + static_cast<std::size_t>(y) * source.stride;
    std::uint8_t* to = block.data() + target.BitsOffset() + static_cast<std::size_t>(y) * target.stride;
    for (std::size_t x = 0; x < static_cast<std::size_t>(source.width); ++x) {
      const std::uint32_t value = ReadPixelValue(from, source.bit_count, x);
      if (!last || last->first != value) last.emplace(value, EncodePixel(decoder.Decode(value), bit_count, table));
      WritePixelValue(to, target.bit_count, x, last->second);
    }
  }
  return block;
}

std::vector<std::uint8_t> ScaleDib(const std::vector<std::uint8_t>& dib, int width, int height) {
  DibLayout source;
  if (!ParseDib(dib, &source, nullptr) || source.IsCompressed() || source.header_size != kDibInfoHeaderSize) {
    return {};
  }
  if (width <= 0 || height <= 0 ||
      static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kMaxDibPixels) {
    return {};
  }
  BitmapInfoHeader header = ReadInfoHeader(dib.data());
  header.width = width;
  header.height = height;
  header.size_image = 0;
  DibLayout target;
  std::vector<std::uint8_t> block = NewBlock(header, source.mask_bytes + source.table_bytes, &target);
  header.size_image = static_cast<std::uint32_t>(target.row_bytes);
  WriteInfoHeader(block.data(), header);
  std::copy_n(dib.begin() + header.size, source.mask_bytes + source.table_bytes, block.begin() + header.size);

  const auto scaled = [](std::int64_t i, std::int64_t from, std::int64_t to) {
    return static_cast<std::size_t>((2 * i + 1) * from / (2 * to));
  };
  for (std::int32_t y = 0; y < height; ++y) {
    const std::uint8_t* from = dib.data() + source.BitsOffset() + scaled(y, source.height, height) * source.stride;
    std::uint8_t* to = block.data() + target.BitsOffset() + static_cast<std::size_t>(y) * target.stride;
    for (std::int32_t x = 0; x < width; ++x) {
      WritePixelValue(to, target.bit_count, static_cast<std::size_t>(x),
                      ReadPixelValue(from, source.bit_count, scaled(x, source.width, width)));
    }
  }
  return block;
}

bool CDib::ConvertBitCount(int bit_count) {
  if (IsEmpty()) return false;
  if (bit_count == layout_.bit_count) return true;
  return SetMemory(ConvertDibBitCount(memory_, bit_count, nullptr));
}

bool CDib::Scale(int width, int height) {
  if (IsEmpty()) return false;
  if (width == layout_.width && height == layout_.height) return true;
  return SetMemory(ScaleDib(memory_, width, height));
}
