#include "imaging/dib_layout.h"

namespace {

bool Fail(std::string* error, const std::string& text) {
  if (error) *error = text;
  return false;
}

bool IsSupportedBitCount(std::uint16_t bit_count) {
  switch (bit_count) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      return true;
    default:
      return false;
  }
}

bool CompressionSuits(std::uint32_t compression, std::uint16_t bit_count) {
  switch (compression) {
    case kDibCompressionRgb:
      return true;
    case kDibCompressionRle8:
      return bit_count == 8;
    case kDibCompressionRle4:
      return bit_count == 4;
    case kDibCompressionBitFields:
      return bit_count == 16 || bit_count == 32;
    default:
      return false;
  }
}

// A picture with more entries than its bit count can index makes no sense;
// pictures of more bits may carry a table of at most 256 entries.
std::uint32_t MaxTableEntries(std::uint16_t bit_count) {
  return bit_count <= 8 ? (1u << bit_count) : 256u;
}

}  // namespace

std::uint16_t ReadLe16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t ReadLe32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

void WriteLe16(std::uint8_t* p, std::uint16_t value) {
  p[0] = static_cast<std::uint8_t>(value);
  p[1] = static_cast<std::uint8_t>(value >> 8);
}

void WriteLe32(std::uint8_t* p, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

BitmapInfoHeader ReadInfoHeader(const std::uint8_t* p) {
  BitmapInfoHeader h;
  h.size = ReadLe32(p);
  h.width = static_cast<std::int32_t>(ReadLe32(p + 4));
  h.height = static_cast<std::int32_t>(ReadLe32(p + 8));
  h.planes = ReadLe16(p + 12);
  h.bit_count = ReadLe16(p + 14);
  h.compression = ReadLe32(p + 16);
  h.size_image = ReadLe32(p + 20);
  h.x_pels_per_meter = static_cast<std::int32_t>(ReadLe32(p + 24));
  h.y_pels_per_meter = static_cast<std::int32_t>(ReadLe32(p + 28));
  h.clr_used = ReadLe32(p + 32);
  h.clr_important = ReadLe32(p + 36);
  return h;
}

void WriteInfoHeader(std::uint8_t* p, const BitmapInfoHeader& h) {
  WriteLe32(p, h.size);
  WriteLe32(p + 4, static_cast<std::uint32_t>(h.width));
  WriteLe32(p + 8, static_cast<std::uint32_t>(h.height));
  WriteLe16(p + 12, h.planes);
  WriteLe16(p + 14, h.bit_count);
  WriteLe32(p + 16, h.compression);
  WriteLe32(p + 20, h.size_image);
  WriteLe32(p + 24, static_cast<std::uint32_t>(h.x_pels_per_meter));
  WriteLe32(p + 28, static_cast<std::uint32_t>(h.y_pels_per_meter));
  WriteLe32(p + 32, h.clr_used);
  WriteLe32(p + 36, h.clr_important);
}

std::size_t DibColorTableBytes(std::uint32_t header_size, std::uint16_t bit_count, std::uint32_t colors_used) {
  const bool core = header_size != kDibInfoHeaderSize;
  if (!core && colors_used != 0) return std::size_t{4} * colors_used;
  if (bit_count != 1 && bit_count != 4 && bit_count != 8) return 0;
  return (core ? std::size_t{3} : std::size_t{4}) << bit_count;
}

std::uint64_t DibStride(std::uint16_t bit_count, std::int32_t width) {
  return (std::uint64_t{bit_count} * static_cast<std::uint64_t>(width) + 31) / 32 * 4;
}

bool ParseDibHeader(const std::uint8_t* data, std::size_t size, DibLayout* layout, std::string* error) {
  if (size < 4) return Fail(error, "The bitmap header is cut short.");
  DibLayout l;
  l.header_size = ReadLe32(data) == kDibInfoHeaderSize ? kDibInfoHeaderSize : kDibCoreHeaderSize;
  if (ReadLe32(data) != l.header_size) {
    return Fail(error, "The bitmap header size " + std::to_string(ReadLe32(data)) + " is not supported.");
  }
  if (size < l.header_size) return Fail(error, "The bitmap header is cut short.");
  std::uint16_t planes = 0;
  std::uint32_t size_image = 0;
  if (l.header_size == kDibInfoHeaderSize) {
    const BitmapInfoHeader h = ReadInfoHeader(data);
    l.width = h.width;
    l.height = h.height;
    planes = h.planes;
    l.bit_count = h.bit_count;
    l.compression = h.compression;
    l.colors_used = h.clr_used;
    size_image = h.size_image;
  } else {
    l.width = ReadLe16(data + 4);
    l.height = ReadLe16(data + 6);
    planes = ReadLe16(data + 8);
    l.bit_count = ReadLe16(data + 10);
    l.table_entry_bytes = 3;
  }
  if (l.width <= 0 || l.height <= 0) {
    return Fail(error, "The bitmap's width and height must be positive (the header gives " +
                           std::to_string(l.width) + " x " + std::to_string(l.height) + ").");
  }
  const std::uint64_t pixels = static_cast<std::uint64_t>(l.width) * static_cast<std::uint64_t>(l.height);
  if (pixels > kMaxDibPixels) {
    return Fail(error, "The bitmap of " + std::to_string(l.width) + " x " + std::to_string(l.height) +
                           " pixels is larger than the limit of " + std::to_string(kMaxDibPixels) + " pixels.");
  }
  if (planes != 1) {
    return Fail(error, "The bitmap has " + std::to_string(planes) + " bit layers; only one is supported.");
  }
  if (!IsSupportedBitCount(l.bit_count)) {
    return Fail(error, "The bit count " + std::to_string(l.bit_count) + " is not supported.");
  }
  if (!CompressionSuits(l.compression, l.bit_count)) {
    return Fail(error, "The compression method " + std::to_string(l.compression) +
                           " is not supported for a bit count of " + std::to_string(l.bit_count) + ".");
  }
  if (l.colors_used > MaxTableEntries(l.bit_count)) {
    return Fail(error, "The bitmap lists " + std::to_string(l.colors_used) + " colours; a bit count of " +
                           std::to_string(l.bit_count) + " allows at most " +
                           std::to_string(MaxTableEntries(l.bit_count)) + ".");
  }
  l.mask_bytes = l.compression == kDibCompressionBitFields ? 12 : 0;
  l.table_bytes = DibColorTableBytes(l.header_size, l.bit_count, l.colors_used);
  if (size < l.BitsOffset()) return Fail(error, "The colour table reaches past the end of the bitmap data.");
  l.stride = static_cast<std::size_t>(DibStride(l.bit_count, l.width));
  if (l.IsCompressed()) {
    if (size_image == 0) return Fail(error, "The compressed bitmap does not give the size of its data.");
    l.row_bytes = size_image;
  } else {
    l.row_bytes = l.stride * static_cast<std::size_t>(l.height);
  }
  *layout = l;
  return true;
}

bool ParseDib(const std::vector<std::uint8_t>& block, DibLayout* layout, std::string* error) {
  DibLayout l;
  if (!ParseDibHeader(block.data(), block.size(), &l, error)) return false;
  if (block.size() - l.BitsOffset() < l.row_bytes) {
    return Fail(error, "The pixel rows reach past the end of the bitmap data.");
  }
  *layout = l;
  return true;
}

std::vector<std::uint8_t> CreateDibHeader(int bit_count, int width, int height) {
  if (width <= 0 || height <= 0) return {};
  if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kMaxDibPixels) return {};
  BitmapInfoHeader h;
  h.width = width;
  h.height = height;
  h.bit_count = bit_count <= 1 ? 1 : bit_count <= 4 ? 4 : bit_count <= 8 ? 8 : 24;
  const std::size_t table = DibColorTableBytes(h.size, h.bit_count, 0);
  const std::size_t rows = static_cast<std::size_t>(DibStride(h.bit_count, width)) * static_cast<std::size_t>(height);
  std::vector<std::uint8_t> block(h.size + table + rows);
  WriteInfoHeader(block.data(), h);
  return block;
}
