#include "core/pen_widths.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

namespace {

TEST(PenWidthsTest, RoundsScaledWidthsWithinIntRange) {
  struct Case {
    double width;
    int device_width;
  };
  const Case cases[] = {
      {0.0, 0},
      {0.01, 3},    // 3.0000000000000004
      {0.005, 2},   // 1.5 rounds up
      {0.0049, 1},  // 1.47
      {1e300, INT_MAX},
      {-1e300, INT_MIN},
      {std::numeric_limits<double>::quiet_NaN(), 0},
  };
  PenWidthTable table{};
  for (std::size_t i = 0; i < std::size(cases); ++i) table[i].width = cases[i].width;
  table.back().width = 1.0;
  ScalePenWidths(300.0, table);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(table[i].device_width, cases[i].device_width) << "width " << cases[i].width;
  }
  EXPECT_EQ(table.back().device_width, 300);
}

}  // namespace
