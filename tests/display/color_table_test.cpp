#include <gtest/gtest.h>

#include "display/color_table.h"

namespace {

// Rows of the table by index: the named colours, each hue at full
// strength (every 15 degrees from red), the darker levels and the paler
// odd indexes of a group, and the greys.
TEST(ColorTableTest, IndexesGiveTheirColours) {
  struct Case {
    int index;
    int red, green, blue;
  };
  const Case cases[] = {
      {0, 0, 0, 0},       {1, 255, 0, 0},       {2, 255, 255, 0},     {4, 0, 255, 255},   {5, 0, 0, 255},
      {7, 255, 255, 255}, {8, 152, 152, 152},   {9, 192, 192, 192},
      {10, 255, 0, 0},    {20, 255, 64, 0},     {30, 255, 128, 0},    {40, 255, 191, 0},  {50, 255, 255, 0},
      {70, 128, 255, 0},  {90, 0, 255, 0},      {130, 0, 255, 255},   {150, 0, 128, 255}, {170, 0, 0, 255},
      {210, 255, 0, 255}, {230, 255, 0, 128},   {240, 255, 0, 64},
      {11, 255, 128, 128}, {12, 166, 0, 0},     {13, 166, 83, 83},    {14, 128, 0, 0},    {15, 128, 64, 64},
      {16, 76, 0, 0},     {17, 76, 38, 38},     {18, 38, 0, 0},       {19, 38, 19, 19},
      {21, 255, 159, 128}, {131, 128, 255, 255}, {174, 0, 0, 128},    {249, 38, 19, 24},
      {250, 84, 84, 84},  {253, 187, 187, 187}, {255, 255, 255, 255},
      {-1, 0, 0, 0},      {256, 0, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ColorIndexRgb(c.index), MakeColorRef(static_cast<std::uint8_t>(c.red), static_cast<std::uint8_t>(c.green),
                                                   static_cast<std::uint8_t>(c.blue)))
        << c.index;
  }
}

}  // namespace
