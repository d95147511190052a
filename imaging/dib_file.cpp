#include <utility>

#include "imaging/dib.h"
#include "filers/file_object.h"

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint16_t kBmpType = 0x4D42;  // "BM"

bool Fail(std::string* error, const std::string& text) {
  if (error) *error = text;
  return false;
}

}  // namespace

bool CDib::Load(const std::string& path, std::string* error) {
  FcFile file;
  if (!file.Open(path, kFcOpenRead)) return Fail(error, "Can't open " + path + ".");
  return ReadFile(file, error);
}

// The file header's size and offset are checked against the data instead
// of being trusted: the block is cut to the size the file really holds,
// and rows that follow the colour table at a distance are moved up to it.
bool CDib::ReadFile(FcFile& file, std::string* error) {
  std::uint8_t file_header[kFileHeaderSize];
  if (file.Read(file_header, kFileHeaderSize) != kFileHeaderSize || ReadLe16(file_header) != kBmpType) {
    return Fail(error, "The file is not a BMP file.");
  }
  const std::uint32_t file_size = ReadLe32(file_header + 2);
  const std::uint32_t bits_offset = ReadLe32(file_header + 10);
  const std::int64_t available = file.GetLength() - file.GetPosition();
  if (file_size < kFileHeaderSize + kDibInfoHeaderSize ||
      static_cast<std::int64_t>(file_size - kFileHeaderSize) > available) {
    return Fail(error, "The size in the BMP file header (" + std::to_string(file_size) +
                           " bytes) does not match the file (" + std::to_string(available + kFileHeaderSize) +
                           " bytes).");
  }
  std::vector<std::uint8_t> data(file_size - kFileHeaderSize);
  if (file.Read(data.data(), data.size()) != data.size()) return Fail(error, "The BMP file could not be read.");
  if (ReadLe32(data.data()) != kDibInfoHeaderSize) {
    return Fail(error, "The BMP file's header size " + std::to_string(ReadLe32(data.data())) +
                           " is not supported; only 40-byte headers are read.");
  }
  DibLayout layout;
  if (!ParseDibHeader(data.data(), data.size(), &layout, error)) return false;
  if (bits_offset < kFileHeaderSize + layout.BitsOffset()) {
    return Fail(error, "The offset of the pixel rows (" + std::to_string(bits_offset) +
                           ") points into the bitmap header or colour table.");
  }
  const std::size_t rows_at = bits_offset - kFileHeaderSize;
  if (rows_at > data.size() || data.size() - rows_at < layout.row_bytes) {
    return Fail(error, "The pixel rows reach past the end of the BMP file.");
  }
  data.erase(data.begin() + static_cast<std::ptrdiff_t>(layout.BitsOffset()),
             data.begin() + static_cast<std::ptrdiff_t>(rows_at));
  data.resize(layout.BlockSize());

  BitmapInfoHeader header = ReadInfoHeader(data.data());
  if (header.clr_used == 0 && header.bit_count <= 8) header.clr_used = 1u << header.bit_count;
  if (header.size_image == 0) header.size_image = static_cast<std::uint32_t>(layout.row_bytes);
  WriteInfoHeader(data.data(), header);
  return SetMemory(std::move(data), error);
}

bool CDib::WriteFile(FcFile& file) {
  if (IsEmpty() || layout_.header_size != kDibInfoHeaderSize) return false;
  BitmapInfoHeader header = ReadInfoHeader(memory_.data());
  if (!layout_.IsCompressed()) header.size_image = static_cast<std::uint32_t>(layout_.row_bytes);
  WriteInfoHeader(memory_.data(), header);

  std::uint8_t file_header[kFileHeaderSize] = {};
  WriteLe16(file_header, kBmpType);
  WriteLe32(file_header + 2, static_cast<std::uint32_t>(kFileHeaderSize + layout_.BlockSize()));
  WriteLe32(file_header + 10, static_cast<std::uint32_t>(kFileHeaderSize + layout_.BitsOffset()));
  try {
    file.Write(file_header, kFileHeaderSize);
    file.Write(memory_.data(), layout_.BlockSize());
  } catch (const FcFileException&) {
    return false;
  }
  return true;
}

bool CDib::Serialize(FcFile& file, bool loading) { return loading ? ReadFile(file) : WriteFile(file); }
