#include <gtest/gtest.h>

#include "core/matrix2d.h"
#include "entities/geom_segment_ops.h"

namespace {

TEST(GeomSegmentOpsTest, ArcsUnderAMatrix) {
  struct Case {
    const char* name;
    FcMatrix2d matrix;
    double start;
    double end;
    FcPoint2d centre;
    double radius;
    double mappedStart;
    double mappedEnd;
  };
  FcMatrix2d mirror;
  FlipXMatrix(mirror);
  FcMatrix2d quarter;
  RotationMatrix(0, 0, kHalfPi, quarter);
  FcMatrix2d scale;
  ScaleMatrix(2, 2, scale);
  const Case cases[] = {
      {"identity", FcMatrix2d{}, 0.0, kHalfPi, {1, 0}, 1.0, 0.0, kHalfPi},
      {"mirror exchanges the ends", mirror, 0.0, kHalfPi, {-1, 0}, 1.0, kHalfPi, kPi},
      {"end below start is raised a turn", quarter, kPi, kPi + kHalfPi, {0, 1}, 1.0,
       kPi + kHalfPi, kTwoPi},
      {"scale", scale, 0.0, kPi, {2, 0}, 2.0, 0.0, kPi},
      {"full turn stays full", quarter, 0.0, kTwoPi, {0, 1}, 1.0, kHalfPi, kHalfPi + kTwoPi},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GeomSegment arc;
    arc.type = kGeomSegmentArc;
    arc.centre = {1, 0};
    arc.radius = 1.0;
    arc.startAngle = c.start;
    arc.endAngle = c.end;
    TransformArcSegment(arc, c.matrix);
    EXPECT_NEAR(arc.centre.x, c.centre.x, 1e-12);
    EXPECT_NEAR(arc.centre.y, c.centre.y, 1e-12);
    EXPECT_NEAR(arc.radius, c.radius, 1e-12);
    EXPECT_NEAR(arc.startAngle, c.mappedStart, 1e-9);
    EXPECT_NEAR(arc.endAngle, c.mappedEnd, 1e-9);
  }
}

}  // namespace
