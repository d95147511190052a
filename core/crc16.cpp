#include "core/crc16.h"

#include <array>

namespace {

// Table k gives the effect of a byte followed by k zero bytes, so that
// eight bytes are folded into the CRC with eight independent look-ups
// instead of a chain of eight dependent ones.
using Crc16Tables = std::array<std::array<std::uint16_t, 256>, 8>;

constexpr Crc16Tables MakeCrc16Tables() {
  Crc16Tables tables{};
  for (unsigned i = 0; i < 256; ++i) {
    unsigned value = i;
    for (int bit = 0; bit < 8; ++bit) {
      value = (value & 1u) != 0 ? (value >> 1) ^ 0xA001u : value >> 1;
    }
    tables[0][i] = static_cast<std::uint16_t>(value);
  }
  for (std::size_t k = 1; k < tables.size(); ++k) {
    for (unsigned i = 0; i < 256; ++i) {
      const std::uint16_t previous = tables[k - 1][i];
      tables[k][i] = static_cast<std::uint16_t>((previous >> 8) ^ tables[0][previous & 0xFFu]);
    }
  }
  return tables;
}

constexpr Crc16Tables kCrc16Tables = MakeCrc16Tables();

}  // namespace

std::uint16_t Crc16Update(std::uint16_t crc, std::size_t length, const std::uint8_t* bytes) {
  const auto& t = kCrc16Tables;
  std::size_t i = 0;
  for (; i + 8 <= length; i += 8) {
    const std::uint8_t* b = bytes + i;
    crc = static_cast<std::uint16_t>(t[7][(b[0] ^ crc) & 0xFFu] ^ t[6][(b[1] ^ (crc >> 8)) & 0xFFu] ^ t[5][b[2]] ^
                                     t[4][b[3]] ^ t[3][b[4]] ^ t[2][b[5]] ^ t[1][b[6]] ^ t[0][b[7]]);
  }
  for (; i < length; ++i) {
    crc = static_cast<std::uint16_t>((crc >> 8) ^ t[0][(bytes[i] ^ crc) & 0xFFu]);
  }
  return crc;
}
