#include "fonts/point_chain.h"

#include <gtest/gtest.h>

namespace {

TEST(PointChainTest, GrowsInStepsOfSixtyFour) {
  PointChain chain;
  chain.AddPoint(0, 1, 1);
  EXPECT_EQ(chain.PointCapacity(), 64);
  PointChain large;
  large.Grow(100);
  EXPECT_EQ(large.PointCapacity(), 164);
  for (int i = 0; i < 63; ++i) chain.AddPoint(0, i, i);
  EXPECT_EQ(chain.PointCapacity(), 128);
}

TEST(PointChainTest, ContoursCountTheirPointsAndExtentsCoverThem) {
  PointChain chain;
  FcPoint2d min{5, 5}, max{5, 5};
  chain.GetExtents(min, max);
  EXPECT_EQ(min.x, 0.0);
  EXPECT_EQ(max.y, 0.0);
  chain.AddPoint(0, -1, 2);
  chain.AddPoint(PointChain::kCloseContour, 3, -4);
  chain.AddPoint(0, 0, 7);
  EXPECT_EQ(chain.contourSizes, std::vector<int>{2});
  EXPECT_EQ(chain.openCount, 1);
  chain.GetExtents(min, max);
  EXPECT_EQ(min.x, -1.0);
  EXPECT_EQ(min.y, -4.0);
  EXPECT_EQ(max.x, 3.0);
  EXPECT_EQ(max.y, 7.0);
  FcMatrix2d shift;
  TranslationMatrix(10, 0, shift);
  EXPECT_EQ(chain.Transform(shift), 3);
  EXPECT_EQ(chain.points[0].x, 9.0);
  EXPECT_EQ(chain.Scale(2.0), 3);
  EXPECT_EQ(chain.points[2].y, 14.0);
}

}  // namespace
