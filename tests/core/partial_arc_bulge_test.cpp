#include "core/partial_arc_bulge.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/point_ops.h"

namespace {

constexpr double kEps = 1e-9;

PolylineVertex VertexAt(const FcPoint2d& p, double bulge) {
  PolylineVertex v;
  v.x = p.x;
  v.y = p.y;
  v.bulge = bulge;
  return v;
}

// Arcs on the unit circle about the origin, given by the angles (degrees)
// of their ends and cut point; the kept part's bulge is the tangent of a
// quarter of its sweep, with the old arc's sign.
TEST(SetPartialArcBulge, KeepsThePartOnTheSameCircleAndDirection) {
  struct Case {
    const char* what;
    double startDeg, endDeg, cutDeg;
    double sweepDeg;  // signed: negative for a clockwise arc
    ArcPart part;
    double keptDeg;
  } cases[] = {
      {"half circle, first quarter", 0, 180, 90, 180, ArcPart::kVertexToCut, 90},
      {"half circle, second quarter", 0, 180, 90, 180, ArcPart::kCutToNext, 90},
      {"three quarters cut past half", 0, 270, 225, 270, ArcPart::kVertexToCut, 225},
      {"three quarters, short tail", 0, 270, 225, 270, ArcPart::kCutToNext, 45},
      {"three quarters cut at half", 0, 270, 180, 270, ArcPart::kVertexToCut, 180},
      {"clockwise, first part", 0, 90, -90, -270, ArcPart::kVertexToCut, -90},
      {"clockwise, long rest", 0, 90, -90, -270, ArcPart::kCutToNext, -180},
      {"clockwise cut near the end", 0, 90, 100, -270, ArcPart::kVertexToCut, -260},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const FcPoint2d start = PointAtPolar({}, 1.0, c.startDeg * kDegToRad);
    const FcPoint2d next = PointAtPolar({}, 1.0, c.endDeg * kDegToRad);
    const FcPoint2d cut = PointAtPolar({}, 1.0, c.cutDeg * kDegToRad);
    PolylineVertex v = VertexAt(start, std::tan(c.sweepDeg * kDegToRad / 4.0));
    SetPartialArcBulge(v, next, cut, c.part);
    EXPECT_NEAR(v.bulge, std::tan(c.keptDeg * kDegToRad / 4.0), kEps);
    // The point stays where it was: moving it is the caller's part.
    EXPECT_EQ(v.x, start.x);
  }
}

TEST(SetPartialArcBulge, ANoLengthPartIsStraightAndAStraightSegmentIsLeftAlone) {
  PolylineVertex arc = VertexAt({1, 0}, 1.0);
  SetPartialArcBulge(arc, {-1, 0}, {-1, 0}, ArcPart::kCutToNext);
  EXPECT_EQ(arc.bulge, 0.0);

  arc = VertexAt({1, 0}, 1.0);
  SetPartialArcBulge(arc, {-1, 0}, {1, 0}, ArcPart::kVertexToCut);
  EXPECT_EQ(arc.bulge, 0.0);

  PolylineVertex line = VertexAt({0, 0}, 0.0);
  SetPartialArcBulge(line, {2, 0}, {1, 0}, ArcPart::kVertexToCut);
  EXPECT_EQ(line.bulge, 0.0);
}

}  // namespace
