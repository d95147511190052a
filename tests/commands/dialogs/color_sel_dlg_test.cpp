#include "commands/dialogs/color_sel_dlg.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(ColorSelDlgTest, TheLogicalColoursShowTheLayerColourInTheSample) {
  EXPECT_EQ(ColorSelSample(256, 3), 3);
  EXPECT_EQ(ColorSelSample(0, 3), 3);
  EXPECT_EQ(ColorSelSample(7, 3), 7);
  EXPECT_EQ(ColorSelSample(255, 3), 255);
}

TEST(ColorSelDlgTest, ThePaletteShowsEachColourFrom10To249Once) {
  std::multiset<int> shown;
  for (PaletteArea area : {PaletteArea::kUpper, PaletteArea::kLower})
    for (int row = 0; row < kPaletteRows; ++row)
      for (int column = 0; column < kPaletteColumns; ++column) shown.insert(PaletteCellColor(area, row, column));
  ASSERT_EQ(shown.size(), 240u);
  for (int color = 10; color <= 249; ++color) EXPECT_EQ(shown.count(color), 1u) << color;
  // Both areas' cells lie inside them.
  EXPECT_LE(PaletteCellLeft(kPaletteColumns - 1) + kPaletteCellExtent, kPaletteAreaWidth - 1);
  EXPECT_LE(PaletteCellTop(PaletteArea::kUpper, kPaletteRows - 1) + kPaletteCellExtent, kPaletteAreaHeight - 1);
}

TEST(ColorSelDlgTest, AClickPicksTheCellUnderItEdgesIncluded) {
  struct Case {
    PaletteArea area;
    int x;
    int y;
    std::optional<short> color;
  };
  const Case cases[] = {
      {PaletteArea::kUpper, 3, 4, 18},
      {PaletteArea::kUpper, 10, 4 + 4 * 18 + 8, 10},
      {PaletteArea::kLower, 3 + 23 * 18 + 8, 2, 241},
      {PaletteArea::kLower, 3 + 23 * 18 + 16, 2 + 4 * 18 + 16, 249},
      // The right and bottom edge pixels belong to the cell; the gap after
      // them and the margins do not.
      {PaletteArea::kUpper, 3 + 16, 4 + 16, 18},
      {PaletteArea::kUpper, 3 + 17, 10, std::nullopt},
      {PaletteArea::kUpper, 10, 4 + 17, std::nullopt},
      {PaletteArea::kUpper, 3 + 18, 4 + 18, 26},
      {PaletteArea::kUpper, 2, 10, std::nullopt},
      {PaletteArea::kUpper, 10, 3, std::nullopt},
      {PaletteArea::kLower, 3 + 24 * 18, 10, std::nullopt},
      {PaletteArea::kLower, 10, 2 + 5 * 18, std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PaletteColorAt(c.area, c.x, c.y), c.color) << (c.area == PaletteArea::kUpper ? "upper " : "lower ")
                                                          << c.x << "," << c.y;
}

}  // namespace
