#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "imaging/dib_layout.h"
#include "imaging/palette.h"

// A palette of at most max_colours colours for the picture, built with an
// octree of colour_bits levels (at most 8) that is reduced, deepest level
// first, whenever it holds more leaves than allowed. Pixels are added row
// by row in stored order, left to right; each leaf gives the mean of its
// pixels, leaves collected depth first. None for a compressed picture, no
// colours allowed or more than 8 colour bits.
std::optional<CPalette> BuildOctreePalette(const std::uint8_t* block, const DibLayout& layout, int max_colours,
                                           int colour_bits);

// BuildOctreePalette of a packed DIB; none when the block is not a valid DIB.
std::optional<CPalette> CreateDibPalette(const std::vector<std::uint8_t>& dib, int max_colours, int colour_bits);
