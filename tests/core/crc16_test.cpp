#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "core/crc16.h"

namespace {

std::uint16_t CrcOf(const char* text, std::uint16_t seed = 0) {
  return Crc16Update(seed, std::strlen(text), reinterpret_cast<const std::uint8_t*>(text));
}

}  // namespace

TEST(Crc16Test, KnownValues) {
  EXPECT_EQ(CrcOf("123456789"), 0xBB3D);
  EXPECT_EQ(CrcOf("", 0xC0C1), 0xC0C1);  // no bytes change nothing
  EXPECT_EQ(CrcOf("A"), 0x30C0);
  // The seed is used as given, with no XOR before or after.
  EXPECT_EQ(CrcOf("123456789", 0xFFFF), 0x4B37);
}

TEST(Crc16Test, ChainsAndCoversMoreThan64KiB) {
  std::vector<std::uint8_t> bytes(70000);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    bytes[i] = static_cast<std::uint8_t>(i * 31 + 7);
  }
  const std::uint16_t whole = Crc16Update(0xC0C1, bytes.size(), bytes.data());
  const std::uint16_t head = Crc16Update(0xC0C1, 65536, bytes.data());
  EXPECT_EQ(Crc16Update(head, bytes.size() - 65536, bytes.data() + 65536), whole);
  EXPECT_NE(whole, head);  // the bytes past 65535 count
}

// The table-driven update folds several bytes at a time; every length and
// alignment, the leftover bytes included, must give the CRC that the
// polynomial defines bit by bit.
TEST(Crc16Test, EveryLengthAndStartMatchesTheBitwiseDefinition) {
  const auto bitwise = [](std::uint16_t crc, std::size_t length, const std::uint8_t* bytes) {
    for (std::size_t i = 0; i < length; ++i) {
      crc ^= bytes[i];
      for (int bit = 0; bit < 8; ++bit) {
        crc = static_cast<std::uint16_t>((crc & 1u) != 0 ? (crc >> 1) ^ 0xA001u : crc >> 1);
      }
    }
    return crc;
  };
  std::vector<std::uint8_t> bytes(64);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    bytes[i] = static_cast<std::uint8_t>(i * 151 + 29);
  }
  for (const std::uint16_t seed : {std::uint16_t{0}, std::uint16_t{0xC0C1}, std::uint16_t{0xFFFF}}) {
    for (std::size_t start = 0; start < 8; ++start) {
      for (std::size_t length = 0; start + length <= bytes.size(); ++length) {
        EXPECT_EQ(Crc16Update(seed, length, bytes.data() + start), bitwise(seed, length, bytes.data() + start))
            << "seed " << seed << " start " << start << " length " << length;
      }
    }
  }
}
