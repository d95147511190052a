#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "filers/filer_dwg.h"

namespace {

constexpr std::int16_t kLongestText = INT16_MAX;

// Significant bytes of a handle value; 0 has none.
std::uint8_t SignificantBytes(std::uint64_t value) {
  return static_cast<std::uint8_t>((std::bit_width(value) + 7) / 8);
}

}  // namespace

void FcFilerDwg::WriteBit(std::uint8_t bit) {
  if ((bit & 1u) != 0) {
    pending_ |= static_cast<std::uint8_t>(0x80u >> bitCount_);
  }
  ++bitsWritten_;
  if (bitCount_ != 7) {
    ++bitCount_;
    return;
  }
  PutByte(pending_);
  DropPendingBits();
}

void FcFilerDwg::WriteRawBytes(const std::uint8_t* bytes, std::size_t count) {
  if (count == 0) {
    return;
  }
  if (!file_) {
    throw FcFileException("no file is open for writing");
  }
  bitsWritten_ += static_cast<std::uint32_t>(8 * count);
  if (bitCount_ == 0) {
    file_->Write(bytes, count);
    return;
  }
  // Each byte completes the pending one and leaves its low bits pending,
  // as eight WriteBit calls would; the completed bytes go out in blocks.
  const unsigned used = bitCount_;
  std::uint8_t block[256];
  while (count > 0) {
    const std::size_t n = std::min(count, sizeof block);
    for (std::size_t i = 0; i < n; ++i) {
      block[i] = static_cast<std::uint8_t>(pending_ | (bytes[i] >> used));
      pending_ = static_cast<std::uint8_t>(bytes[i] << (8 - used));
    }
    file_->Write(block, n);
    bytes += n;
    count -= n;
  }
}

void FcFilerDwg::WriteRawByte(std::uint8_t value) { WriteRawBytes(&value, 1); }

void FcFilerDwg::WriteRawChar(std::int8_t value) { WriteRawByte(static_cast<std::uint8_t>(value)); }

void FcFilerDwg::WriteLittleEndian(std::uint64_t value, std::size_t width) {
  std::uint8_t bytes[8];
  for (std::size_t i = 0; i < width; ++i) {
    bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
  WriteRawBytes(bytes, width);
}

void FcFilerDwg::WriteRawShort(std::uint16_t value) { WriteLittleEndian(value, 2); }

void FcFilerDwg::WriteRawLong(std::uint32_t value) { WriteLittleEndian(value, 4); }

void FcFilerDwg::WriteRawDouble(double value) { WriteLittleEndian(std::bit_cast<std::uint64_t>(value), 8); }

void FcFilerDwg::WriteBitPair(std::uint8_t pair) {
  if (bitCount_ <= 5) {
    pending_ |= static_cast<std::uint8_t>((pair & 3u) << (6 - bitCount_));
    bitCount_ = static_cast<std::uint8_t>(bitCount_ + 2);
    bitsWritten_ += 2;
    return;
  }
  WriteBit(static_cast<std::uint8_t>(pair >> 1));
  WriteBit(pair);
}

void FcFilerDwg::WriteBitCodedInteger(std::int32_t value, std::size_t width) {
  if (value == 0) {
    WriteBitPair(kCodeZero);
  } else if (value > 0 && value < 256) {
    WriteBitPair(kCodeByte);
    WriteRawByte(static_cast<std::uint8_t>(value));
  } else {
    WriteBitPair(kCodeFull);
    WriteLittleEndian(static_cast<std::uint32_t>(value), width);
  }
}

void FcFilerDwg::WriteBitShort(std::int16_t value) {
  if (value == 256) {
    WriteBitPair(kCode11);
    return;
  }
  WriteBitCodedInteger(value, 2);
}

void FcFilerDwg::WriteBitLong(std::int32_t value) { WriteBitCodedInteger(value, 4); }

void FcFilerDwg::WriteBitDouble(double value) {
  if (value == 0.0) {
    WriteBitPair(kCodeZero);
  } else if (value == 1.0) {
    WriteBitPair(kCodeByte);
  } else {
    WriteBitPair(kCodeFull);
    WriteRawDouble(value);
  }
}

void FcFilerDwg::WriteDefaultDouble(double default_value, double value) {
  if (value == default_value) {
    WriteBitPair(kDefaultSame);
    return;
  }
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
  const std::uint64_t default_bits = std::bit_cast<std::uint64_t>(default_value);
  const std::uint64_t differing = bits ^ default_bits;
  if ((differing >> 48) != 0) {
    WriteBitPair(kDefaultReplaced);
    WriteRawDouble(value);
    return;
  }
  if ((differing >> 32) == 0) {
    WriteBitPair(kDefaultLowBytes);
  } else {
    WriteBitPair(kDefaultSixBytes);
    WriteLittleEndian(bits >> 32, 2);
  }
  WriteLittleEndian(bits, 4);
}

void FcFilerDwg::WriteText(const char* text) {
  WriteText(text == nullptr ? std::string_view() : std::string_view(text, std::strlen(text)));
}

void FcFilerDwg::WriteText(std::string_view text) {
  // The length is a signed short; a longer text would be read back empty
  // and take the rest of the object with it.
  if (text.size() > static_cast<std::size_t>(kLongestText)) {
    throw FcFileException("a text is too long for a DWG file");
  }
  WriteBitShort(static_cast<std::int16_t>(text.size()));
  WriteRawBytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

void FcFilerDwg::WriteHandleRef(std::uint8_t code, FcHandle reference, FcHandle handle) {
  std::uint64_t value = handle;
  if (code >= 6) {
    if (handle - reference == 1) {
      WriteRawByte(0x60);
      return;
    }
    if (reference - handle == 1) {
      WriteRawByte(0x80);
      return;
    }
    code = handle > reference ? 0xA : 0xC;
    value = handle > reference ? handle - reference : reference - handle;
  }
  const std::uint8_t counter = SignificantBytes(value);
  std::uint8_t bytes[9];
  bytes[0] = static_cast<std::uint8_t>((code << 4) | counter);
  for (int i = 0; i < counter; ++i) {
    bytes[1 + i] = static_cast<std::uint8_t>(value >> (8 * (counter - 1 - i)));
  }
  WriteRawBytes(bytes, 1u + counter);
}

void FcFilerDwg::WriteModularChar(std::int32_t value) {
  const bool negative = value < 0;
  std::uint32_t magnitude = negative ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
  if (magnitude < 64) {
    WriteRawByte(static_cast<std::uint8_t>(magnitude | (negative ? 0x40u : 0u)));
    return;
  }
  std::uint8_t groups[6];
  int count = 0;
  while (magnitude != 0) {
    groups[count++] = static_cast<std::uint8_t>(magnitude & 0x7F);
    magnitude >>= 7;
  }
  // The sign takes bit 6 of the last byte; when the value needs that bit,
  // a byte of its own follows.
  if ((groups[count - 1] & 0x40) != 0) {
    groups[count++] = 0;
  }
  if (negative) {
    groups[count - 1] |= 0x40;
  }
  for (int i = 0; i + 1 < count; ++i) {
    groups[i] |= 0x80;
  }
  WriteRawBytes(groups, static_cast<std::size_t>(count));
}

void FcFilerDwg::WriteUnsignedModularChar(std::uint64_t value) {
  std::uint8_t bytes[10];
  std::size_t count = 0;
  while (value >= 0x80) {
    bytes[count++] = static_cast<std::uint8_t>((value & 0x7F) | 0x80);
    value >>= 7;
  }
  bytes[count++] = static_cast<std::uint8_t>(value);
  WriteRawBytes(bytes, count);
}

void FcFilerDwg::WriteModularShort(std::uint32_t value) {
  std::uint8_t bytes[6];
  std::size_t count = 0;
  while (value >= 0x8000) {
    const auto word = static_cast<std::uint16_t>((value & 0x7FFF) | 0x8000);
    bytes[count++] = static_cast<std::uint8_t>(word);
    bytes[count++] = static_cast<std::uint8_t>(word >> 8);
    value >>= 15;
  }
  bytes[count++] = static_cast<std::uint8_t>(value);
  bytes[count++] = static_cast<std::uint8_t>(value >> 8);
  WriteRawBytes(bytes, count);
}
