#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/point2d.h"

// Both coordinates equal as EXPECT_DOUBLE_EQ compares them (within a few
// units in the last place).
inline void ExpectPointEq(const FcPoint2d& actual, const FcPoint2d& expected, const std::string& where = {}) {
  EXPECT_DOUBLE_EQ(actual.x, expected.x) << where;
  EXPECT_DOUBLE_EQ(actual.y, expected.y) << where;
}

// Both coordinates within the tolerance.
inline void ExpectPointNear(const FcPoint2d& actual, const FcPoint2d& expected, double tolerance,
                            const std::string& where = {}) {
  EXPECT_NEAR(actual.x, expected.x, tolerance) << where;
  EXPECT_NEAR(actual.y, expected.y, tolerance) << where;
}
