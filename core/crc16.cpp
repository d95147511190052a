#include "core/crc16.h"

#include <array>

namespace {

constexpr std::array<std::uint16_t, 256> MakeCrc16Table() {
  std::array<std::uint16_t, 256> table{};
  for (unsigned i = 0; i < table.size(); ++i) {
    unsigned value = i;
    for (int bit = 0; bit < 8; ++bit) {
      value = (value & 1u) != 0 ? (value >> 1) ^ 0xA001u : value >> 1;
    }
    table[i] = static_cast<std::uint16_t>(value);
  }
  return table;
}

constexpr std::array<std::uint16_t, 256> kCrc16Table = MakeCrc16Table();

}  // namespace

std::uint16_t Crc16Update(std::uint16_t crc, std::size_t length, const std::uint8_t* bytes) {
  for (std::size_t i = 0; i < length; ++i) {
    crc = static_cast<std::uint16_t>((crc >> 8) ^ kCrc16Table[(bytes[i] ^ crc) & 0xFFu]);
  }
  return crc;
}
