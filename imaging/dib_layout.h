#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The layout of a packed device-independent bitmap: an information header
// (40 bytes) or the older core header (12 bytes), the colour masks of a
// bit-field bitmap, the colour table and the pixel rows, each row padded to
// a multiple of 4 bytes. Everything is little-endian.

inline constexpr std::uint32_t kDibInfoHeaderSize = 40;
inline constexpr std::uint32_t kDibCoreHeaderSize = 12;

inline constexpr std::uint32_t kDibCompressionRgb = 0;
inline constexpr std::uint32_t kDibCompressionRle8 = 1;
inline constexpr std::uint32_t kDibCompressionRle4 = 2;
inline constexpr std::uint32_t kDibCompressionBitFields = 3;

// Pictures are refused above 2^28 pixels (a 16384 x 16384 picture fits),
// before any memory is reserved for them: a bad header must not make the
// program ask for gigabytes.
inline constexpr std::uint64_t kMaxDibPixels = std::uint64_t{1} << 28;

// The fields of the information header, in file order.
struct BitmapInfoHeader {
  std::uint32_t size = kDibInfoHeaderSize;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t planes = 1;
  std::uint16_t bit_count = 0;
  std::uint32_t compression = kDibCompressionRgb;
  std::uint32_t size_image = 0;
  std::int32_t x_pels_per_meter = 0;
  std::int32_t y_pels_per_meter = 0;
  std::uint32_t clr_used = 0;
  std::uint32_t clr_important = 0;
};

std::uint16_t ReadLe16(const std::uint8_t* p);
std::uint32_t ReadLe32(const std::uint8_t* p);
void WriteLe16(std::uint8_t* p, std::uint16_t value);
void WriteLe32(std::uint8_t* p, std::uint32_t value);

// The 40 header bytes from and into a block that holds at least that many.
BitmapInfoHeader ReadInfoHeader(const std::uint8_t* p);
void WriteInfoHeader(std::uint8_t* p, const BitmapInfoHeader& header);

// Bytes of the colour table: for an information header 4 x colours used
// when that is nonzero, else 8, 64 or 1024 for 1, 4 or 8 bits; for a core
// header 6, 48 or 768 (3-byte entries) for 1, 4 or 8 bits; 0 otherwise.
std::size_t DibColorTableBytes(std::uint32_t header_size, std::uint16_t bit_count, std::uint32_t colors_used);

// Bytes of one padded row: ((bit count x width + 31) / 32) x 4.
std::uint64_t DibStride(std::uint16_t bit_count, std::int32_t width);

// What a header says about the block it starts, checked for consistency.
struct DibLayout {
  std::uint32_t header_size = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t bit_count = 0;
  std::uint32_t compression = kDibCompressionRgb;
  std::uint32_t colors_used = 0;   // as stored; 0 for a core header
  std::size_t mask_bytes = 0;      // 12 for bit fields, else 0
  std::size_t table_bytes = 0;
  std::size_t table_entry_bytes = 4;
  std::size_t stride = 0;
  std::size_t row_bytes = 0;       // all rows, or the compressed image size

  std::size_t BitsOffset() const { return header_size + mask_bytes + table_bytes; }
  std::size_t BlockSize() const { return BitsOffset() + row_bytes; }
  // Entries the colour table holds.
  std::size_t TableEntries() const { return table_bytes / table_entry_bytes; }
  bool IsCompressed() const {
    return compression == kDibCompressionRle8 || compression == kDibCompressionRle4;
  }
};

// Reads and checks the header at the start of the block (size bytes are
// there): header size, dimensions and the pixel limit, bit layers, bit
// count, compression, colour count, and that the masks and colour table
// lie within the block. The rows are not looked for. False with a message.
bool ParseDibHeader(const std::uint8_t* data, std::size_t size, DibLayout* layout, std::string* error);

// ParseDibHeader, and the rows must lie within the block as well.
bool ParseDib(const std::vector<std::uint8_t>& block, DibLayout* layout, std::string* error);

// A zeroed 40-byte-header DIB with room for the colour table and the rows;
// the bit count is rounded up to 1, 4, 8 or 24. Empty when the size is not
// positive or exceeds the pixel limit.
std::vector<std::uint8_t> CreateDibHeader(int bit_count, int width, int height);
