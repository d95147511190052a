#pragma once

#include "display/display_device.h"

// The program's 256-entry colour-index table: 1 red, 2 yellow, 3 green,
// 4 cyan, 5 blue, 6 magenta, 7 white, 8 and 9 greys, then 24 hues in ten
// shades each and six greys. Indices outside 0 to 255 give black.
FcColorRef ColorIndexRgb(int index);

// 0.299 red + 0.587 green + 0.114 blue, truncated.
int ColorLuminance(FcColorRef color);
// Luminance of at least 128.
inline bool IsBrightColor(FcColorRef color) { return ColorLuminance(color) >= 128; }
