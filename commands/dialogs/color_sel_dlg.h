#pragma once

#include <optional>

#include "shell/modal_dialog.h"

// The chooser of one index colour: 1 to 255, ByLayer (256) or ByBlock (0).
// It reads nothing from the drawing; the caller fills the members, runs it
// and reads m_nColor back after OK. The caller checks the value for its own
// needs.
class CColorSelDlg : public CModalDialog {
 public:
  short m_nColor = 256;
  // What the sample shows while m_nColor is ByLayer or ByBlock.
  short m_nLayerColor = 7;
  // Whether the ByLayer and ByBlock buttons can be pressed.
  short m_bEnableLogical = 1;
};

// The colour the sample swatch shows for a selection.
short ColorSelSample(short color, short layerColor);

// The two palette areas under each other that together show the colours 10
// to 249: every column holds one group of ten, its even colours in the
// upper area and its odd ones in the lower.
enum class PaletteArea { kUpper, kLower };

inline constexpr int kPaletteAreaWidth = 450;
inline constexpr int kPaletteAreaHeight = 95;
inline constexpr int kPaletteAreaGap = 2;
inline constexpr int kPaletteRows = 5;
inline constexpr int kPaletteColumns = 24;
// A cell reaches from its left and top edges kPaletteCellExtent pixels on,
// both edges included; the next one starts kPaletteCellStep further.
inline constexpr int kPaletteCellStep = 18;
inline constexpr int kPaletteCellExtent = 16;

int PaletteCellLeft(int column);
int PaletteCellTop(PaletteArea area, int row);
short PaletteCellColor(PaletteArea area, int row, int column);
// The colour of the cell under a point of the area; nothing in the gaps
// between cells and outside the grid.
std::optional<short> PaletteColorAt(PaletteArea area, int x, int y);
