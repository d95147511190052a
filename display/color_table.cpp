#include "display/color_table.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace {

// Each hue of the table comes in five brightness levels, each at full and
// at half saturation.
constexpr std::array<double, 5> kLevels = {255.0, 166.0, 128.0, 76.0, 38.0};
constexpr std::array<FcColorRef, 10> kFirstColors = {
    0x000000, 0x0000FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xFF00FF, 0xFFFFFF, 0x989898, 0xC0C0C0,
};
constexpr std::array<std::uint8_t, 6> kGreys = {84, 118, 152, 187, 221, 255};

// The red, green and blue shares (0 to 1) of a hue in degrees.
std::array<double, 3> HueShares(double degrees) {
  std::array<double, 3> shares{};
  for (int channel = 0; channel < 3; ++channel) {
    // Red peaks at 0 degrees, green at 120, blue at 240; the distance to
    // the channel's peak is measured the short way round, 0 to 180.
    const double distance = std::fabs(std::fmod(degrees - 120.0 * channel + 540.0, 360.0) - 180.0);
    shares[static_cast<std::size_t>(channel)] = distance <= 60.0 ? 1.0 : distance >= 120.0 ? 0.0 : (120.0 - distance) / 60.0;
  }
  return shares;
}

std::array<FcColorRef, 256> BuildTable() {
  std::array<FcColorRef, 256> table{};
  for (std::size_t i = 0; i < kFirstColors.size(); ++i) table[i] = kFirstColors[i];
  for (int index = 10; index < 250; ++index) {
    const int hue = (index - 10) / 10;
    const int shade = (index - 10) % 10;
    const double level = kLevels[static_cast<std::size_t>(shade / 2)];
    const bool pale = (shade % 2) != 0;
    const std::array<double, 3> shares = HueShares(hue * 15.0);
    std::array<std::uint8_t, 3> rgb{};
    for (std::size_t c = 0; c < 3; ++c) {
      const double share = pale ? 0.5 + shares[c] * 0.5 : shares[c];
      rgb[c] = static_cast<std::uint8_t>(std::lround(level * share));
    }
    table[static_cast<std::size_t>(index)] = MakeColorRef(rgb[0], rgb[1], rgb[2]);
  }
  for (std::size_t i = 0; i < kGreys.size(); ++i) table[250 + i] = MakeColorRef(kGreys[i], kGreys[i], kGreys[i]);
  return table;
}

}  // namespace

FcColorRef ColorIndexRgb(int index) {
  static const std::array<FcColorRef, 256> table = BuildTable();
  if (index < 0 || index > 255) return 0;
  return table[static_cast<std::size_t>(index)];
}

int ColorLuminance(FcColorRef color) {
  const double red = color & 0xFF;
  const double green = (color >> 8) & 0xFF;
  const double blue = (color >> 16) & 0xFF;
  return static_cast<int>(0.299 * red + 0.587 * green + 0.114 * blue);
}
