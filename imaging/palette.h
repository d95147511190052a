#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct PaletteEntry {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t flags = 0;

  friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

// A logical palette: the colours a picture of 8 bits or less is drawn with.
struct CPalette {
  std::uint16_t version = 0x300;
  std::vector<PaletteEntry> entries;
};

// The 16 colours a 4-bit conversion falls back to: the 16 colours of the
// IBM CGA text modes (intensities 0x00, 0xAA and 0x55/0xFF, with brown in
// place of dark yellow), in their usual order from black to white.
const CPalette& DefaultPalette16();

// The 256 colours an 8-bit conversion falls back to: the 6 x 6 x 6 colour
// cube with channel steps of 51 (red slowest, blue fastest), followed by 40
// greys from black to white in equal steps.
const CPalette& HalftonePalette();

// The index of the entry nearest to the colour (smallest squared distance
// in red, green and blue; the first of equals). 0 for an empty table.
std::size_t NearestPaletteIndex(const std::vector<PaletteEntry>& entries, std::uint8_t red, std::uint8_t green,
                                std::uint8_t blue);
