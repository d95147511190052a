#include <gtest/gtest.h>

#include <cmath>

#include "core/intersections.h"
#include "tests/support/point_expect.h"

namespace {

constexpr double kNear = 1e-9;

// A line (p1, p2) of some kind against a curve's span [start, end], and the
// points expected in order.
struct LineCurveCase {
  const char* what;
  FcPoint2d p1, p2;
  short kind;
  double start, end;
  int count;
  FcPoint2d out0, out1;
};

void ExpectPoints(int n, const FcPoint2d (&out)[2], int count, const FcPoint2d& out0,
                  const FcPoint2d& out1, const char* what) {
  ASSERT_EQ(n, count) << what;
  if (n > 0) ExpectPointNear(out[0], out0, kNear, what);
  if (n > 1) ExpectPointNear(out[1], out1, kNear, what);
}

TEST(IntersectLines, FollowsKindsWindowAndParallelRules) {
  const FcPoint2d unset{-99, -99};
  struct Case {
    const char* what;
    short kind;
    FcPoint2d a1, a2, b1, b2;
    bool hit;
    FcPoint2d out;
  };
  const Case cases[] = {
      {"segments meeting at an end", 2, {0, 0}, {1, 0}, {1, -1}, {1, 1}, true, {1, 0}},
      {"segment just missed, crossing still written", 2, {0, 0}, {1, 0}, {1.0000002, -1},
       {1.0000002, 1}, false, {1.0000002, 0}},
      {"infinite lines beyond both segments", 0, {0, 0}, {1, 0}, {5, -1}, {5, 1}, true, {5, 0}},
      {"infinite A, segment B", 1, {0, 0}, {1, 0}, {5, -1}, {5, 1}, true, {5, 0}},
      {"infinite A, segment B missed", 1, {0, 0}, {1, 0}, {5, 1}, {5, 2}, false, {5, 0}},
      {"negative kind means segments", -3, {0, 0}, {1, 0}, {5, -1}, {5, 1}, false, {5, 0}},
      {"collinear overlap accepted by 10", 10, {0, 0}, {2, 0}, {5, 0}, {1, 0}, true, {1, 0}},
      {"collinear overlap refused by 2", 2, {0, 0}, {2, 0}, {5, 0}, {1, 0}, false, unset},
      {"collinear, b2 outside A", 10, {0, 0}, {2, 0}, {5, 0}, {3, 0}, false, unset},
      {"parallel apart", 11, {0, 0}, {2, 0}, {5, 1}, {1, 1}, false, unset},
      {"short perpendicular segments look parallel", 2, {0, 0}, {1e-4, 0}, {5e-5, -5e-5},
       {5e-5, 5e-5}, false, unset},
  };
  for (const Case& c : cases) {
    FcPoint2d out = unset;
    EXPECT_EQ(IntersectLines(c.kind, c.a1, c.a2, c.b1, c.b2, out), c.hit) << c.what;
    ExpectPointNear(out, c.out, kNear, c.what);
  }
}

TEST(IntersectRays, RespectTheWindowsOfBothLines) {
  const FcPoint2d unset{-99, -99};
  struct Case {
    const char* what;
    bool (*fn)(const FcPoint2d&, const FcPoint2d&, const FcPoint2d&, const FcPoint2d&,
               FcPoint2d&);
    FcPoint2d r1, r2, q1, q2;
    bool hit;
    FcPoint2d out;
  };
  const Case cases[] = {
      {"ray hits segment far out", IntersectRaySegment, {0, 0}, {1, 0}, {7, -1}, {7, 1}, true,
       {7, 0}},
      {"segment behind the ray", IntersectRaySegment, {0, 0}, {1, 0}, {-7, -1}, {-7, 1}, false,
       unset},
      {"ray misses segment", IntersectRaySegment, {0, 0}, {1, 0}, {7, 1}, {7, 2}, false, unset},
      {"ray parallel to segment", IntersectRaySegment, {0, 0}, {1, 0}, {0, 1}, {1, 1}, false,
       unset},
      {"rays meet", IntersectRays, {0, 0}, {1, 0}, {4, 4}, {4, 3}, true, {4, 0}},
      {"second ray points away", IntersectRays, {0, 0}, {1, 0}, {4, 4}, {4, 5}, false, unset},
      {"ray meets line behind its second point", IntersectRayLine, {0, 0}, {1, 0}, {4, 4},
       {4, 5}, true, {4, 0}},
      {"line behind the ray", IntersectRayLine, {0, 0}, {1, 0}, {-4, 4}, {-4, 5}, false, unset},
  };
  for (const Case& c : cases) {
    FcPoint2d out = unset;
    EXPECT_EQ(c.fn(c.r1, c.r2, c.q1, c.q2, out), c.hit) << c.what;
    ExpectPointNear(out, c.out, kNear, c.what);
  }
}

TEST(IsLineTangentToCircle, ReportsTheFootOfThePerpendicular) {
  FcPoint2d foot;
  EXPECT_TRUE(IsLineTangentToCircle({-5, 2}, {5, 2}, {0, 0}, 2.0, foot));
  ExpectPointNear(foot, {0, 2}, kNear, "tangent");
  EXPECT_FALSE(IsLineTangentToCircle({-5, 1}, {5, 1}, {0, 0}, 2.0, foot));
  ExpectPointNear(foot, {0, 1}, kNear, "secant");
  // A line far shorter than the crossing test's reach still gets its foot.
  EXPECT_TRUE(IsLineTangentToCircle({3, 1e-4}, {3 + 1e-4, 1e-4}, {3, 1e-4 + 1e-4}, 1e-4, foot));
  ExpectPointNear(foot, {3, 1e-4}, kNear, "short line");
}

TEST(IntersectLineArc, FiltersCandidatesByKind) {
  // Unit circle about the origin; the upper half is the arc [0, pi].
  const LineCurveCase cases[] = {
      {"infinite line, circle", {-5, 0}, {-4, 0}, 0, 0, 0, 2, {-1, 0}, {1, 0}},
      {"order follows p1 to p2", {5, 0}, {4, 0}, 0, 0, 0, 2, {1, 0}, {-1, 0}},
      {"segment with circle, both inside window", {-2, 0}, {2, 0}, 5, 0, 0, 2, {-1, 0}, {1, 0}},
      {"segment ending exactly on the circle", {-3, 0}, {-1, 0}, 5, 0, 0, 1, {-1, 0}, {}},
      {"tangent segment merges the foot", {-3, 1}, {3, 1}, 5, 0, 0, 1, {0, 1}, {}},
      {"segment with arc keeps the upper crossing", {0, -3}, {0, 3}, 1, 0, kPi, 1, {0, 1}, {}},
      {"infinite line with arc", {0, -3}, {0, -2}, 2, 0, kPi, 1, {0, 1}, {}},
      {"ray with arc, origin beyond the arc", {0, 3}, {0, 4}, 3, 0, kPi, 0, {}, {}},
      {"ray from the centre", {0, 0}, {0, -2}, 4, 0, 0, 1, {0, -1}, {}},
      {"line missing the circle", {-3, 2}, {3, 2}, 0, 0, 0, 0, {}, {}},
  };
  for (const LineCurveCase& c : cases) {
    FcPoint2d out[2];
    const int n = IntersectLineArc(c.p1, c.p2, {0, 0}, c.kind, c.start, c.end, 1.0, out);
    ExpectPoints(n, out, c.count, c.out0, c.out1, c.what);
  }
}

TEST(IntersectLineArc, DegenerateLineCountsOnlyAPointExactlyOnTheArc) {
  FcPoint2d out[2];
  EXPECT_EQ(IntersectLineArc({0, 2}, {0, 2}, {0, 0}, 1, 0, kPi, 2.0, out), 1);
  ExpectPointNear(out[0], {0, 2}, kNear, "on the arc");
  EXPECT_EQ(IntersectLineArc({0, -2}, {0, -2}, {0, 0}, 1, 0, kPi, 2.0, out), 0);
  EXPECT_EQ(IntersectLineArc({0, 2.00000001}, {0, 2.00000001}, {0, 0}, 0, 0, 0, 2.0, out), 0);
}

TEST(IntersectArcs, CrossingsTangenciesAndConcentricCircles) {
  struct Case {
    const char* what;
    FcPoint2d c1;
    double s1, e1, r1;
    FcPoint2d c2;
    double s2, e2, r2;
    short kind;
    int count;
    FcPoint2d out0, out1;
  };
  const Case cases[] = {
      {"two circles", {0, 0}, 0, 0, 1, {1, 0}, 0, 0, 1, 0, 2,
       {0.5, std::sqrt(0.75)}, {0.5, -std::sqrt(0.75)}},
      {"outer tangency", {0, 0}, 0, 0, 1, {3, 0}, 0, 0, 2, 0, 1, {1, 0}, {}},
      {"inner tangency on the far side", {0, 0}, 0, 0, 1, {-1, 0}, 0, 0, 2, 0, 1, {1, 0}, {}},
      {"too far apart", {0, 0}, 0, 0, 1, {5, 0}, 0, 0, 1, 0, 0, {}, {}},
      {"one inside the other", {0, 0}, 0, 0, 5, {1, 0}, 0, 0, 1, 0, 0, {}, {}},
      {"arcs keep the upper crossing", {0, 0}, 0, kPi, 1, {1, 0}, 0, kPi, 1, 1, 1,
       {0.5, std::sqrt(0.75)}, {}},
      {"arc with circle keeps what is on arc 1", {0, 0}, kPi, kTwoPi, 1, {1, 0}, 0, kHalfPi, 1,
       2, 1, {0.5, -std::sqrt(0.75)}, {}},
      {"equal concentric circles, kind 1", {0, 0}, 0, kPi, 1, {0, 0}, 0, kPi, 1, 1, 0, {}, {}},
      {"equal concentric, kind 3 takes end 1", {0, 0}, 0, kHalfPi, 1, {0, 0}, 1, 2, 1, 3, 1,
       {0, 1}, {}},
      {"equal concentric, kind 4 takes start 1", {0, 0}, 0, kHalfPi, 1, {0, 0}, kPi, kTwoPi - 1e-8,
       1, 4, 1, {1, 0}, {}},
      {"equal concentric, end 1 off arc 2", {0, 0}, 0, kHalfPi, 1, {0, 0}, kPi, 4.0, 1, 3, 0, {},
       {}},
      // Tangent at (1, 0), but arc 1 stops 1.5e-7 short of it and arc 2
      // starts 1.5e-7 past it: only their shared end point meets.
      {"shared end point", {0, 0}, kHalfPi, kTwoPi - 1.5e-7, 1, {2, 0}, kPi + 1.5e-7, 3 * kHalfPi,
       1, 1, 1, {2 - std::cos(1.5e-7), -std::sin(1.5e-7)}, {}},
      // Both ends are shared; the pairs are tried with arc 1's start first.
      {"other kinds use only end points", {0, 0}, 0, kHalfPi, 1, {1, 1}, kPi, 3 * kHalfPi, 1, 7, 1,
       {1, 0}, {}},
      {"other kinds without a shared end", {0, 0}, 0, kHalfPi, 1, {1, 0}, 0, kPi, 1, 7, 0, {},
       {}},
  };
  for (const Case& c : cases) {
    FcPoint2d out[2];
    const int n = IntersectArcs(c.c1, out, c.c2, c.kind, c.s1, c.e1, c.r1, c.s2, c.e2, c.r2);
    ExpectPoints(n, out, c.count, c.out0, c.out1, c.what);
  }
}

TEST(IntersectLineAxisEllipse, GivesBothPointsOrNone) {
  FcPoint2d out[2];
  ASSERT_EQ(IntersectLineAxisEllipse({1, 1}, 2, 1, out, {-5, 1}, {5, 1}), 2);
  ExpectPointNear(out[0], {-1, 1}, kNear, "first");
  ExpectPointNear(out[1], {3, 1}, kNear, "second");
  ASSERT_EQ(IntersectLineAxisEllipse({1, 1}, 2, 1, out, {-5, 2}, {5, 2}), 2);
  ExpectPointNear(out[0], {1, 2}, kNear, "touching");
  ExpectPointNear(out[1], {1, 2}, kNear, "touching");
  EXPECT_EQ(IntersectLineAxisEllipse({1, 1}, 2, 1, out, {-5, 3}, {5, 3}), 0);
  EXPECT_EQ(IntersectLineAxisEllipse({1, 1}, 2, 1, out, {3, 1}, {3, 1}), 0);
}

TEST(IntersectLineEllipse, FiltersByKind) {
  // Major axis pointing up from (1, 1): semi-axis 2 along y, 1 along x. The
  // elliptical arc [0, pi/2] runs from the top towards -x.
  const FcPoint2d centre{1, 1};
  const FcPoint2d major{0, 2};
  const LineCurveCase cases[] = {
      {"infinite line, full ellipse", {1, -5}, {1, 5}, 0, 0, 0, 2, {1, -1}, {1, 3}},
      {"segment with full ellipse", {1, -5}, {1, 0}, 5, 0, 0, 1, {1, -1}, {}},
      {"ray with full ellipse gives the first crossing", {1, -5}, {1, 5}, 4, 0, 0, 1, {1, -1},
       {}},
      {"ray from inside gives the second crossing", {1, 1}, {1, 5}, 4, 0, 0, 1, {1, 3}, {}},
      {"ray pointing away", {1, 5}, {1, 6}, 4, 0, 0, 0, {}, {}},
      {"infinite line with elliptical arc", {1, -5}, {1, 5}, 2, 0, kHalfPi, 1, {1, 3}, {}},
      {"segment with elliptical arc", {1, -5}, {1, 2}, 1, 0, kHalfPi, 0, {}, {}},
      {"ray with elliptical arc", {1, 1}, {1, 0}, 3, kHalfPi, kPi + 0.1, 1, {1, -1}, {}},
      {"kinds above 5 give nothing", {1, -5}, {1, 5}, 6, 0, 0, 0, {}, {}},
      {"a point on the ellipse as a line", {1, 3}, {1, 3}, 0, 0, 0, 1, {1, 3}, {}},
  };
  for (const LineCurveCase& c : cases) {
    FcPoint2d out[2];
    const int n = IntersectLineEllipse(out, centre, major, c.p1, c.p2, c.kind, 0.5, c.start, c.end);
    ExpectPoints(n, out, c.count, c.out0, c.out1, c.what);
  }
}

GeomSegment Line(FcPoint2d p, FcPoint2d q, int extent) {
  GeomSegment s;
  s.type = kGeomSegmentLine;
  s.first = p;
  s.second = q;
  s.extent = extent;
  return s;
}

GeomSegment Arc(FcPoint2d centre, double radius, double start, double end) {
  GeomSegment s;
  s.type = kGeomSegmentArc;
  s.centre = centre;
  s.radius = radius;
  s.startAngle = start;
  s.endAngle = end;
  return s;
}

TEST(IntersectGeomSegments, DispatchesByRecordTypeAndExtent) {
  GeomSegment point;
  point.type = kGeomSegmentPoint;
  GeomSegment curve;
  curve.type = kGeomSegmentCurve;
  const GeomSegment horizontal = Line({0, 0}, {1, 0}, kLineExtentSegment);
  const GeomSegment farSegment = Line({5, -1}, {5, 1}, kLineExtentSegment);
  const GeomSegment farLine = Line({5, -1}, {5, 1}, kLineExtentInfinite);
  const GeomSegment farRay = Line({5, 1}, {5, 2}, kLineExtentRay);
  const GeomSegment downRay = Line({5, 1}, {5, 0.5}, kLineExtentRay);
  const GeomSegment horizontalRay = Line({0, 0}, {1, 0}, kLineExtentRay);
  const GeomSegment horizontalLine = Line({0, 0}, {1, 0}, kLineExtentInfinite);
  const GeomSegment upperArc = Arc({0, 0}, 1, 0, kPi);
  struct Case {
    const char* what;
    const GeomSegment& s;
    const GeomSegment& t;
    int count;
    FcPoint2d out0;
  };
  const Case cases[] = {
      {"point record", point, horizontal, 0, {}},
      {"curve record", horizontal, curve, 0, {}},
      {"segments apart", horizontal, farSegment, 0, {}},
      {"infinite line and segment", horizontalLine, farSegment, 1, {5, 0}},
      {"segment and infinite line", farSegment, horizontalLine, 1, {5, 0}},
      {"segment and infinite line apart", horizontal, farLine, 0, {}},
      {"ray and segment", horizontalRay, farSegment, 1, {5, 0}},
      {"segment and ray", farSegment, horizontalRay, 1, {5, 0}},
      {"rays pointing apart", horizontalRay, farRay, 0, {}},
      {"ray and infinite line", horizontalRay, farLine, 1, {5, 0}},
      {"infinite line and ray", horizontalLine, downRay, 1, {5, 0}},
      {"ray and infinite line behind it", farRay, horizontalLine, 0, {}},
      {"infinite lines", horizontalLine, farLine, 1, {5, 0}},
      {"segment and arc", Line({0, -2}, {0, 2}, kLineExtentSegment), upperArc, 1, {0, 1}},
      {"arc and ray", upperArc, Line({0, 0}, {-1, 0}, kLineExtentRay), 1, {-1, 0}},
      {"arcs", upperArc, Arc({1, 0}, 1, 0, kPi), 1, {0.5, std::sqrt(0.75)}},
  };
  for (const Case& c : cases) {
    FcPoint2d out[2];
    ExpectPoints(IntersectGeomSegments(c.s, c.t, out), out, c.count, c.out0, {}, c.what);
  }
}

}  // namespace
