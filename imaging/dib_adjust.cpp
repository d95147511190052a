#include <algorithm>

#include "imaging/dib.h"

namespace {

// Brightness, contrast and fade of one channel, in this order, each result
// truncated. The parameters lie within 0 to 100, which keeps every result
// within 0 to 255.
int AdjustChannel(int v, int brightness, int contrast, int fade, int fade_channel) {
  if (brightness > 50) {
    const double w = (brightness - 50) * 0.02;
    v = static_cast<int>((255 - v) * w + v);
  } else if (brightness < 50) {
    v = static_cast<int>(v * brightness * 0.02);
  }
  const int t = (contrast - 50) * 2;
  if (contrast > 50) {
    if (v <= t) {
      v = 0;
    } else if (v >= 255 - t) {
      v = 255;
    } else {
      v = static_cast<int>((v - t) / ((255 - 2 * t) / 255.0));
    }
  } else if (contrast < 50) {
    v = static_cast<int>(v * (255 + 2 * t) / 255.0 - t);
  }
  if (fade >= 1) v = static_cast<int>(v + (fade_channel - v) * fade * 0.01);
  return v;
}

}  // namespace

bool CDib::AdjustImage(int brightness, int contrast, int fade, std::uint32_t fade_colour) {
  if (IsEmpty() || layout_.bit_count != 24) return false;
  brightness = std::clamp(brightness, 0, 100);
  contrast = std::clamp(contrast, 0, 100);
  fade = std::clamp(fade, 0, 100);
  // Stored order is blue, green, red; the colour holds red in its low byte.
  const int fade_channels[3] = {static_cast<int>((fade_colour >> 16) & 0xFF),
                                static_cast<int>((fade_colour >> 8) & 0xFF), static_cast<int>(fade_colour & 0xFF)};
  std::uint8_t* rows = memory_.data() + layout_.BitsOffset();
  for (std::int32_t y = 0; y < layout_.height; ++y) {
    std::uint8_t* pixel = rows + static_cast<std::size_t>(y) * layout_.stride;
    for (std::int32_t x = 0; x < layout_.width; ++x, pixel += 3) {
      for (int c = 0; c < 3; ++c) {
        pixel[c] = static_cast<std::uint8_t>(AdjustChannel(pixel[c], brightness, contrast, fade, fade_channels[c]));
      }
    }
  }
  CreatePalette();
  return true;
}
