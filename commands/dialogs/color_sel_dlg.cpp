#include "commands/dialogs/color_sel_dlg.h"

namespace {

constexpr short kByBlock = 0;
constexpr short kByLayer = 256;

bool InCell(int start, int at) { return at >= start && at <= start + kPaletteCellExtent; }

}  // namespace

short ColorSelSample(short color, short layerColor) {
  return color == kByLayer || color == kByBlock ? layerColor : color;
}

int PaletteCellLeft(int column) { return 3 + kPaletteCellStep * column; }

int PaletteCellTop(PaletteArea area, int row) { return (area == PaletteArea::kUpper ? 4 : 2) + kPaletteCellStep * row; }

short PaletteCellColor(PaletteArea area, int row, int column) {
  const int group = 10 * (column + 1);
  return static_cast<short>(area == PaletteArea::kUpper ? group + 8 - 2 * row : group + 1 + 2 * row);
}

std::optional<short> PaletteColorAt(PaletteArea area, int x, int y) {
  for (int row = 0; row < kPaletteRows; ++row) {
    if (!InCell(PaletteCellTop(area, row), y)) continue;
    for (int column = 0; column < kPaletteColumns; ++column)
      if (InCell(PaletteCellLeft(column), x)) return PaletteCellColor(area, row, column);
  }
  return std::nullopt;
}
