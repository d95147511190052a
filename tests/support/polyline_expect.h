#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "entities/polyline.h"

// A polyline vertex as a test writes it down: its point and bulge.
struct VertexXYB {
  double x, y, bulge;
};

// The polyline has exactly these vertices, each within 1e-9.
inline void ExpectVertices(const FcPolyline& polyline, const std::vector<VertexXYB>& expected,
                           const std::string& where = {}) {
  ASSERT_EQ(polyline.GetVertexCount(), static_cast<int>(expected.size())) << where;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const PolylineVertex& v = polyline.GetVertices()[i];
    EXPECT_NEAR(v.x, expected[i].x, 1e-9) << where << " vertex " << i;
    EXPECT_NEAR(v.y, expected[i].y, 1e-9) << where << " vertex " << i;
    EXPECT_NEAR(v.bulge, expected[i].bulge, 1e-9) << where << " vertex " << i;
  }
}
