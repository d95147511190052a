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
