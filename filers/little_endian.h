#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

// Multi-byte values in drawing files are stored least significant byte
// first, whatever the machine's order.

inline std::uint64_t LoadLittleEndian(const char* bytes, std::size_t width) {
  std::uint64_t value = 0;
  for (std::size_t i = width; i-- > 0;) {
    value = (value << 8) | static_cast<unsigned char>(bytes[i]);
  }
  return value;
}

inline void StoreLittleEndian(char* bytes, std::uint64_t value, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) {
    bytes[i] = static_cast<char>(value & 0xFF);
    value >>= 8;
  }
}

inline double LoadLittleEndianDouble(const char* bytes) {
  return std::bit_cast<double>(LoadLittleEndian(bytes, 8));
}

inline void StoreLittleEndianDouble(char* bytes, double value) {
  StoreLittleEndian(bytes, std::bit_cast<std::uint64_t>(value), 8);
}
