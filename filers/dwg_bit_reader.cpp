#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>

#include "filers/filer_dwg.h"
#include "filers/little_endian.h"

namespace {

// The longest modular numbers that still fit their values: 32 bits and a
// sign in 7-bit groups, 64 bits in 7-bit groups, 31 bits in 15-bit words.
// Anything longer is malformed, however it ends.
constexpr int kMaxModularCharBytes = 5;
constexpr int kMaxUnsignedModularCharBytes = 10;
constexpr int kMaxModularShortWords = 3;

}  // namespace

bool FcFilerDwg::ReadBit(std::uint8_t& bit) {
  if (bitCount_ == 0) {
    if (!GetByte(pending_)) {
      return false;
    }
    bit = pending_ >> 7;
    bitCount_ = 1;
    return true;
  }
  bit = (pending_ >> (7 - bitCount_)) & 1u;
  bitCount_ = bitCount_ == 7 ? 0 : bitCount_ + 1;
  return true;
}

bool FcFilerDwg::ReadBitPair(std::uint8_t& pair) {
  if (bitCount_ != 0 && bitCount_ <= 6) {
    pair = static_cast<std::uint8_t>((pending_ >> (6 - bitCount_)) & 3u);
    bitCount_ = bitCount_ == 6 ? 0 : static_cast<std::uint8_t>(bitCount_ + 2);
    return true;
  }
  std::uint8_t high = 0;
  std::uint8_t low = 0;
  if (!ReadBit(high) || !ReadBit(low)) {
    return false;
  }
  pair = static_cast<std::uint8_t>((high << 1) | low);
  return true;
}

bool FcFilerDwg::ReadRawChar(std::uint8_t& value) {
  if (bitCount_ == 0) {
    return GetByte(value);
  }
  // The rest of the pending byte gives the high bits, as many bits of the
  // next byte the low ones; that byte then stays pending with the same
  // count.
  const std::uint8_t used = bitCount_;
  std::uint8_t next = 0;
  if (!GetByte(next)) {
    DropPendingBits();
    return false;
  }
  value = static_cast<std::uint8_t>((pending_ << used) | (next >> (8 - used)));
  pending_ = next;
  return true;
}

bool FcFilerDwg::ReadRawBytes(std::uint8_t* out, std::size_t count) {
  if (count == 0) {
    return true;
  }
  const std::int64_t position = file_ ? file_->GetPosition() : -1;
  const bool all_there = position >= 0 && position <= file_->GetLength() &&
                         static_cast<std::uint64_t>(file_->GetLength() - position) >= count;
  // Near the end of the data the bytes go one at a time, so that a short
  // read fails exactly where ReadRawChar fails.
  if (!all_there) {
    for (std::size_t i = 0; i < count; ++i) {
      if (!ReadRawChar(out[i])) {
        return false;
      }
    }
    return true;
  }
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(file_->Data()) + position;
  if (bitCount_ == 0) {
    std::memcpy(out, bytes, count);
  } else {
    const unsigned used = bitCount_;
    std::uint8_t previous = pending_;
    for (std::size_t i = 0; i < count; ++i) {
      out[i] = static_cast<std::uint8_t>((previous << used) | (bytes[i] >> (8 - used)));
      previous = bytes[i];
    }
    pending_ = previous;
  }
  file_->SetPosition(position + static_cast<std::int64_t>(count));
  return true;
}

bool FcFilerDwg::ReadLittleEndian(std::size_t width, std::uint64_t& value) {
  const std::int64_t position = file_ ? file_->GetPosition() : -1;
  // With eight bytes at hand the value is cut out of one 64-bit window: each
  // byte takes the unused bits of the byte before it and the high bits of
  // its own.
  if (position >= 0 && position <= file_->GetLength() - 8 && width >= 1) {
    const char* bytes = file_->Data() + position;
    std::uint64_t window = LoadLittleEndian(bytes, 8);
    if (bitCount_ != 0) {
      constexpr std::uint64_t kEveryByte = 0x0101010101010101;
      const unsigned used = bitCount_;
      const std::uint64_t previous = (window << 8) | pending_;
      window = ((previous & (kEveryByte * (0xFFu >> used))) << used) |
               ((window >> (8 - used)) & (kEveryByte * (0xFFu >> (8 - used))));
      pending_ = static_cast<std::uint8_t>(bytes[width - 1]);
    }
    value = width == 8 ? window : window & ((std::uint64_t{1} << (8 * width)) - 1);
    file_->SetPosition(position + static_cast<std::int64_t>(width));
    return true;
  }
  std::uint8_t bytes[8] = {};
  const bool ok = ReadRawBytes(bytes, width);
  value = 0;
  for (std::size_t i = 0; i < width; ++i) {
    value |= static_cast<std::uint64_t>(bytes[i]) << (8 * i);
  }
  return ok;
}

bool FcFilerDwg::ReadRawShortBytes(std::uint16_t& value) {
  std::uint64_t raw = 0;
  const bool ok = ReadLittleEndian(2, raw);
  value = static_cast<std::uint16_t>(raw);
  return ok;
}

bool FcFilerDwg::ReadRawLong(std::uint32_t& value) {
  std::uint64_t raw = 0;
  const bool ok = ReadLittleEndian(4, raw);
  value = static_cast<std::uint32_t>(raw);
  return ok;
}

bool FcFilerDwg::ReadRawDouble(double& value) {
  std::uint64_t raw = 0;
  const bool ok = ReadLittleEndian(8, raw);
  value = std::bit_cast<double>(raw);
  return ok;
}

bool FcFilerDwg::Read2RawDouble(double (&values)[2]) {
  return ReadRawDouble(values[0]) && ReadRawDouble(values[1]);
}

bool FcFilerDwg::Read3RawDouble(double (&values)[3]) {
  return ReadRawDouble(values[0]) && ReadRawDouble(values[1]) && ReadRawDouble(values[2]);
}

bool FcFilerDwg::ReadBitCodedInteger(std::size_t width, std::uint8_t& code, std::uint64_t& value) {
  value = 0;
  if (!ReadBitPair(code)) {
    return false;
  }
  if (code == kCodeFull) {
    return ReadLittleEndian(width, value);
  }
  if (code == kCodeByte) {
    std::uint8_t byte = 0;
    const bool ok = ReadRawChar(byte);
    value = byte;
    return ok;
  }
  return true;
}

bool FcFilerDwg::ReadBitShort(std::int16_t& value) {
  std::uint8_t code = 0;
  std::uint64_t raw = 0;
  const bool ok = ReadBitCodedInteger(2, code, raw);
  value = code == kCode11 ? 256 : static_cast<std::int16_t>(raw);
  return ok;
}

bool FcFilerDwg::ReadBitLong(std::int32_t& value) {
  std::uint8_t code = 0;
  std::uint64_t raw = 0;
  const bool ok = ReadBitCodedInteger(4, code, raw);
  value = static_cast<std::int32_t>(raw);
  return ok && code != kCode11;
}

bool FcFilerDwg::ReadBitDouble(double& value) {
  std::uint8_t code = 0;
  if (!ReadBitPair(code)) {
    return false;
  }
  if (code == kCodeFull) {
    return ReadRawDouble(value);
  }
  value = code == kCodeByte ? 1.0 : 0.0;
  return code != kCode11;
}

bool FcFilerDwg::Read3BitDouble(double (&values)[3]) {
  return ReadBitDouble(values[0]) && ReadBitDouble(values[1]) && ReadBitDouble(values[2]);
}

bool FcFilerDwg::ReadDefaultDouble(double default_value, double& value) {
  std::uint8_t code = 0;
  if (!ReadBitPair(code)) {
    return false;
  }
  if (code == kDefaultReplaced) {
    return ReadRawDouble(value);
  }
  std::uint64_t bits = std::bit_cast<std::uint64_t>(default_value);
  std::uint64_t raw = 0;
  bool ok = true;
  if (code == kDefaultSixBytes) {
    ok = ReadLittleEndian(2, raw);
    bits = (bits & ~(std::uint64_t{0xFFFF} << 32)) | (raw << 32);
  }
  if (code != kDefaultSame && ok) {
    ok = ReadLittleEndian(4, raw);
    bits = (bits & ~std::uint64_t{0xFFFFFFFF}) | raw;
  }
  value = std::bit_cast<double>(bits);
  return ok;
}

bool FcFilerDwg::ReadExtrusion(double (&values)[3]) {
  if (version_ == kVersion2000) {
    std::uint8_t is_default = 0;
    if (!ReadBit(is_default)) {
      return false;
    }
    if (is_default != 0) {
      values[0] = 0.0;
      values[1] = 0.0;
      values[2] = 1.0;
      return true;
    }
  }
  return Read3BitDouble(values);
}

bool FcFilerDwg::ReadThickness(double& value) {
  if (version_ == kVersion2000) {
    std::uint8_t is_zero = 0;
    if (!ReadBit(is_zero)) {
      return false;
    }
    if (is_zero != 0) {
      value = 0.0;
      return true;
    }
  }
  return ReadBitDouble(value);
}

bool FcFilerDwg::ReadText(std::string& text) {
  text.clear();
  std::int16_t length = 0;
  if (!ReadBitShort(length)) {
    return false;
  }
  if (length <= 0) {
    return true;
  }
  // A length that the data cannot hold is refused before anything is
  // allocated for it.
  if (static_cast<std::uint64_t>(length) * 8u > BitsLeft()) {
    return false;
  }
  text.resize(static_cast<std::size_t>(length));
  if (!ReadRawBytes(reinterpret_cast<std::uint8_t*>(text.data()), text.size())) {
    return false;
  }
  // Writers of some files count the terminating zero in the length; the
  // text ends at the first zero, as every name of the drawing does.
  if (const auto zero = text.find('\0'); zero != std::string::npos) text.resize(zero);
  return true;
}

bool FcFilerDwg::ReadHandleRef(FcHandle& handle, FcHandle reference, std::uint8_t* code) {
  std::uint8_t head = 0;
  if (!ReadRawChar(head)) {
    return false;
  }
  const std::uint8_t kind = head >> 4;
  const std::uint8_t counter = head & 0x0F;
  if (code != nullptr) {
    *code = kind;
  }
  if (kind == 6) {
    handle = reference + 1;
    return true;
  }
  if (kind == 8) {
    handle = reference - 1;
    return true;
  }
  // Shifting through 64 bits keeps the last eight bytes of a longer run.
  std::uint8_t bytes[0x0F];
  if (!ReadRawBytes(bytes, counter)) {
    return false;
  }
  std::uint64_t value = 0;
  for (std::uint8_t i = 0; i < counter; ++i) {
    value = (value << 8) | bytes[i];
  }
  if (kind == 0xA) {
    handle = reference + value;
  } else if (kind == 0xC) {
    handle = reference - value;
  } else {
    handle = value;
  }
  return true;
}

bool FcFilerDwg::ReadModularGroups(int max_bytes, std::uint64_t& sum, std::uint8_t& last, int& last_shift) {
  sum = 0;
  for (int index = 0; index < max_bytes; ++index) {
    if (!GetByte(last)) {
      return false;
    }
    last_shift = 7 * index;
    sum |= static_cast<std::uint64_t>(last & 0x7F) << last_shift;
    if ((last & 0x80) == 0) {
      return true;
    }
  }
  return false;
}

bool FcFilerDwg::ReadModularChar(std::int32_t& value) {
  std::uint64_t sum = 0;
  std::uint8_t last = 0;
  int last_shift = 0;
  if (!ReadModularGroups(kMaxModularCharBytes, sum, last, last_shift)) {
    return false;
  }
  const bool negative = (last & 0x40) != 0;
  const auto magnitude = static_cast<std::uint32_t>(sum & ~(std::uint64_t{0x40} << last_shift));
  value = static_cast<std::int32_t>(negative ? 0u - magnitude : magnitude);
  return true;
}

bool FcFilerDwg::ReadUnsignedModularChar(std::uint64_t& value) {
  std::uint8_t last = 0;
  int last_shift = 0;
  return ReadModularGroups(kMaxUnsignedModularCharBytes, value, last, last_shift);
}

bool FcFilerDwg::ReadModularShort(std::int32_t& value) {
  std::uint64_t sum = 0;
  for (int index = 0; index < kMaxModularShortWords; ++index) {
    std::uint8_t low = 0;
    std::uint8_t high = 0;
    if (!GetByte(low) || !GetByte(high)) {
      return false;
    }
    const unsigned word = low | (high << 8);
    sum |= static_cast<std::uint64_t>(word & 0x7FFF) << (15 * index);
    if ((word & 0x8000) == 0) {
      if (sum > INT32_MAX) {
        return false;
      }
      value = static_cast<std::int32_t>(sum);
      return true;
    }
  }
  return false;
}

bool FcFilerDwg::SkipBits(std::uint64_t count) {
  const std::uint64_t in_pending = bitCount_ == 0 ? 0 : 8u - bitCount_;
  if (count <= in_pending) {
    bitCount_ = static_cast<std::uint8_t>((bitCount_ + count) % 8);
    return true;
  }
  count -= in_pending;
  DropPendingBits();
  const std::uint64_t whole_bytes = count / 8;
  const auto rest = static_cast<std::uint8_t>(count % 8);
  if (count > BitsLeft()) {
    if (file_) {
      file_->SetPosition(std::max(file_->GetLength(), file_->GetPosition()));
    }
    return false;
  }
  file_->SetPosition(file_->GetPosition() + static_cast<std::int64_t>(whole_bytes));
  if (rest != 0) {
    GetByte(pending_);
    bitCount_ = rest;
  }
  return true;
}

bool FcFilerDwg::SkipExtendedData() {
  for (;;) {
    std::int16_t size = 0;
    if (!ReadBitShort(size)) {
      return false;
    }
    if (size == 0) {
      return true;
    }
    // A negative size cannot be skipped: the data is malformed.
    if (size < 0) {
      return false;
    }
    FcHandle application = 0;
    if (!ReadHandleRef(application, 0) || !SkipBits(static_cast<std::uint64_t>(size) * 8u)) {
      return false;
    }
  }
}
