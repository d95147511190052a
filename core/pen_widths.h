#pragma once

#include <array>

// One entry of the printing pen-width table, indexed by colour index.
struct PenWidth {
  double width = 0.0;    // in inches
  int device_width = 0;  // in device units, from ScalePenWidths
};

using PenWidthTable = std::array<PenWidth, 256>;

// Sets every device width to the width times the scale, rounded to the
// nearest whole unit (held within the range of int).
void ScalePenWidths(double scale, PenWidthTable& table);
