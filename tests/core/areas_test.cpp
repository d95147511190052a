#include "core/areas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/arcs.h"
#include "core/bulged_areas.h"

namespace {

constexpr double kEps = 1e-9;

std::vector<PolylineVertex> Vertices(std::initializer_list<std::array<double, 3>> xyb) {
  std::vector<PolylineVertex> out;
  for (const auto& v : xyb) {
    PolylineVertex vertex;
    vertex.x = v[0];
    vertex.y = v[1];
    vertex.bulge = v[2];
    out.push_back(vertex);
  }
  return out;
}

// The outline with every arc replaced by many short chords, as an
// independent measure of a bulged outline's area.
std::vector<FcPoint2d> Densify(const std::vector<PolylineVertex>& loop) {
  std::vector<FcPoint2d> points;
  for (std::size_t k = 0; k < loop.size(); ++k) {
    FcPoint2d from{loop[k].x, loop[k].y};
    const PolylineVertex& next = loop[(k + 1) % loop.size()];
    points.push_back(from);
    FcPoint2d centre;
    double radius = 0.0;
    if (ArcFromChordBulge(from, loop[k].bulge, {next.x, next.y}, centre, nullptr, &radius) == 0) {
      continue;
    }
    double sweep = 4.0 * std::atan(loop[k].bulge);
    double start = std::atan2(from.y - centre.y, from.x - centre.x);
    const int steps = 600;
    for (int i = 1; i < steps; ++i) {
      double a = start + sweep * i / steps;
      points.push_back({centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)});
    }
  }
  return points;
}

TEST(PolygonArea, IsAbsoluteShoelaceArea) {
  const std::vector<FcPoint2d> ccw{{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  const std::vector<FcPoint2d> cw{{0, 0}, {0, 1}, {1, 1}, {1, 0}};
  const std::vector<FcPoint2d> eight{{0, 0}, {2, 2}, {2, 0}, {0, 2}};
  EXPECT_DOUBLE_EQ(PolygonArea(ccw), 1.0);
  EXPECT_DOUBLE_EQ(PolygonArea(cw), 1.0);
  EXPECT_EQ(PolygonArea(std::span<const FcPoint2d>(ccw).first(2)), 0.0);
  EXPECT_EQ(PolygonArea(eight), 0.0);
}

TEST(SelfCrossingPolygonArea, AddsTheLoopsInsteadOfCancellingThem) {
  struct Case {
    std::vector<FcPoint2d> outline;
    double area;
  } cases[] = {
      {{{0, 0}, {2, 2}, {2, 0}, {0, 2}}, 2.0},
      {{{0, 0}, {1, 0}, {1, 1}, {0, 1}}, 1.0},
      // Crosses twice: loops of 5/6, 2/3 and 5/6.
      {{{0, 0}, {1, 0}, {2, 1}, {3, 0}, {4, 0}, {4, 1}, {2, 0}, {0, 1}}, 7.0 / 3.0},
      {{{0, 0}, {1, 1}}, 0.0},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(SelfCrossingPolygonArea(c.outline), c.area, kEps);
  }
}

TEST(SplitPolygonAtCrossings, CutsAFigureEightIntoTwoTriangles) {
  const std::vector<FcPoint2d> eight{{0, 0}, {2, 2}, {2, 0}, {0, 2}};
  LoopList<FcPoint2d> loops;
  SplitPolygonAtCrossings(eight, loops);
  ASSERT_EQ(loops.sizes, (std::vector<int>{3, 3}));
  const FcPoint2d expected[] = {{0, 0}, {1, 1}, {0, 2}, {2, 2}, {2, 0}, {1, 1}};
  for (int i = 0; i < 6; ++i) {
    EXPECT_NEAR(loops.points[i].x, expected[i].x, kEps);
    EXPECT_NEAR(loops.points[i].y, expected[i].y, kEps);
  }
}

TEST(PolylineArea, AddsOrRemovesTheCircularSegments) {
  const double segment = 0.78125 * (4 * std::atan(0.5) - std::sin(4 * std::atan(0.5)));
  struct Case {
    std::vector<PolylineVertex> loop;
    double area;
  } cases[] = {
      {Vertices({{0, 0, 1}, {2, 0, 1}}), kPi},
      {Vertices({{0, 0, 1}, {2, 0, 0}, {2, 2, 0}, {0, 2, 0}}), 4 + kPi / 2},
      {Vertices({{0, 0, -1}, {2, 0, 0}, {2, 2, 0}, {0, 2, 0}}), 4 - kPi / 2},
      {Vertices({{0, 0, 0.5}, {2, 0, 0}, {2, 2, 0}, {0, 2, 0}}), 4 + segment},
      {Vertices({{0, 0, -0.5}, {2, 0, 0}, {2, 2, 0}, {0, 2, 0}}), 4 - segment},
      // Clockwise outline: the signs of the bulges swap roles.
      {Vertices({{0, 0, 0}, {0, 2, 0}, {2, 2, 0}, {2, 0, -1}}), 4 + kPi / 2},
      {Vertices({{0, 0, 0}, {2, 2, 0}, {2, 0, 0}, {0, 2, 0}}), 2.0},
      {Vertices({{0, 0, 1}}), 0.0},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(PolylineArea(c.loop), c.area, kEps);
  }
}

TEST(PolylineArea, MatchesTheDensifiedOutline) {
  const std::vector<PolylineVertex> outlines[] = {
      // An arc over a notch whose edges cross the arc's chord.
      Vertices({{0, 0, -1}, {2, 0, 0}, {1.5, -1, 0}, {1, 0.5, 0}, {0.5, -1, 0}}),
      // Figure eights whose crossing lies on lines, on a line and an arc,
      // and on two arcs.
      Vertices({{0, 0, 0}, {2, 2, 0.2}, {2, 0, 0}, {0, 2, -0.2}}),
      Vertices({{0, 0, 0.1}, {2, 2, 0}, {2, 0, 0}, {0, 2, 0}}),
      Vertices({{0, 0, 0.1}, {2, 2, 0}, {2, 0, 0.1}, {0, 2, 0}}),
      // Adjacent arcs crossing away from their shared vertex.
      Vertices({{0, 0, 0}, {4, 0, 0}, {4, 3, 1.5}, {2, 3, -1.5}, {0, 3, 0}}),
      // Two large arcs on one chord.
      Vertices({{0, 0, 2}, {2, 0, 2}}),
  };
  for (const auto& outline : outlines) {
    SCOPED_TRACE(outline.size());
    EXPECT_NEAR(PolylineArea(outline), SelfCrossingPolygonArea(Densify(outline)), 1e-4);
  }
}

TEST(PrepareBulgedLoop, HalvesOnlyArcsWhoseChordIsCrossed) {
  auto loop = Vertices({{0, 0, -1}, {2, 0, 0}, {1.5, -1, 0}, {1, 0.5, 0}, {0.5, -1, 0}});
  PrepareBulgedLoop(loop);
  ASSERT_EQ(loop.size(), 6u);
  EXPECT_NEAR(loop[1].x, 1.0, kEps);
  EXPECT_NEAR(loop[1].y, 1.0, kEps);
  EXPECT_NEAR(loop[0].bulge, -std::tan(kPi / 8), kEps);
  EXPECT_NEAR(loop[1].bulge, -std::tan(kPi / 8), kEps);
  auto square = Vertices({{0, 0, 0.5}, {2, 0, 0}, {2, 2, 0}, {0, 2, 0}});
  PrepareBulgedLoop(square);
  EXPECT_EQ(square.size(), 4u);
}

TEST(EllipseArcArea, MeasuresBetweenArcAndChord) {
  struct Case {
    double start, end, area;
  } cases[] = {
      {0, kTwoPi, 2 * kPi},      {0.3, 0.3 + kTwoPi, 2 * kPi},  {0, kPi, kPi},
      {0, kHalfPi, kHalfPi - 1}, {0, 1.5 * kPi, 1.5 * kPi + 1}, {kHalfPi, kPi, kHalfPi - 1},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(EllipseArcArea(2, 1, c.start, c.end), c.area, kEps) << c.start << " " << c.end;
  }
}

TEST(PolygonHasInsideTriangleCentroid, FollowsTheWinding) {
  const std::vector<FcPoint2d> square{{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  const std::vector<FcPoint2d> squareCw{{0, 1}, {1, 1}, {1, 0}, {0, 0}};
  // The first centroid lies outside, under the notch.
  const std::vector<FcPoint2d> notched{{0, 0}, {2, 1}, {4, 0}, {2, 4}};
  const std::vector<FcPoint2d> notchedCw{{2, 4}, {4, 0}, {2, 1}, {0, 0}};
  EXPECT_TRUE(PolygonHasInsideTriangleCentroid(square));
  EXPECT_FALSE(PolygonHasInsideTriangleCentroid(squareCw));
  EXPECT_TRUE(PolygonHasInsideTriangleCentroid(notched));
  EXPECT_FALSE(PolygonHasInsideTriangleCentroid(notchedCw));
  EXPECT_TRUE(PolygonHasInsideTriangleCentroid(std::span<const FcPoint2d>(squareCw).first(2)));
}

}  // namespace
