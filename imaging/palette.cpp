#include "imaging/palette.h"

#include <array>

namespace {

CPalette MakeDefaultPalette16() {
  static constexpr std::array<std::uint32_t, 16> kColours = {
      0x000000, 0x0000AA, 0x00AA00, 0x00AAAA, 0xAA0000, 0xAA00AA, 0xAA5500, 0xAAAAAA,
      0x555555, 0x5555FF, 0x55FF55, 0x55FFFF, 0xFF5555, 0xFF55FF, 0xFFFF55, 0xFFFFFF};
  CPalette palette;
  for (std::uint32_t rgb : kColours) {
    palette.entries.push_back({static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                               static_cast<std::uint8_t>(rgb), 0});
  }
  return palette;
}

CPalette MakeHalftonePalette() {
  CPalette palette;
  for (int r = 0; r < 6; ++r) {
    for (int g = 0; g < 6; ++g) {
      for (int b = 0; b < 6; ++b) {
        palette.entries.push_back({static_cast<std::uint8_t>(r * 51), static_cast<std::uint8_t>(g * 51),
                                   static_cast<std::uint8_t>(b * 51), 0});
      }
    }
  }
  for (int i = 0; i < 40; ++i) {
    const auto grey = static_cast<std::uint8_t>(i * 255 / 39);
    palette.entries.push_back({grey, grey, grey, 0});
  }
  return palette;
}

}  // namespace

const CPalette& DefaultPalette16() {
  static const CPalette palette = MakeDefaultPalette16();
  return palette;
}

const CPalette& HalftonePalette() {
  static const CPalette palette = MakeHalftonePalette();
  return palette;
}

std::size_t NearestPaletteIndex(const std::vector<PaletteEntry>& entries, std::uint8_t red, std::uint8_t green,
                                std::uint8_t blue) {
  std::size_t best = 0;
  int best_distance = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const int dr = entries[i].red - red;
    const int dg = entries[i].green - green;
    const int db = entries[i].blue - blue;
    const int distance = dr * dr + dg * dg + db * db;
    if (i == 0 || distance < best_distance) {
      best = i;
      best_distance = distance;
      if (distance == 0) break;
    }
  }
  return best;
}
