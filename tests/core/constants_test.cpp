#include <gtest/gtest.h>

#include "core/point2d.h"

TEST(AngleConstants, AreTheNearestDoubles) {
  EXPECT_EQ(kPi, 3.141592653589793);
  EXPECT_EQ(kTwoPi, 6.283185307179586);
  EXPECT_EQ(kHalfPi, 1.5707963267948966);
  EXPECT_EQ(kDegToRad, 0.017453292519943295);
  EXPECT_EQ(kRadToDeg, 57.29577951308232);
}
