#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/resbuf.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "entities/boundary_search.h"
#include "entities/circle.h"
#include "entities/ellipse.h"
#include "entities/line.h"
#include "entities/polyline.h"
#include "entities/spline.h"
#include "platform/thread_slot.h"

namespace {

struct Found {
  int status = 0;
  std::vector<PolylineVertex> vertices;
  bool closed = false;
};

class BoundarySearchTest : public testing::Test {
 protected:
  void SetUp() override { CurrentThreadSlot().graph = &graph; }
  void TearDown() override {
    candidates.RemoveAll(true);
    CurrentThreadSlot() = {};
  }

  void AddLine(FcPoint2d a, FcPoint2d b) {
    auto* line = new FcLine;
    line->SetStartPoint(a);
    line->SetEndPoint(b);
    candidates.Add(line);
  }

  // Four separate lines around a box, each drawn either way.
  void AddBox(FcPoint2d low, FcPoint2d high, bool reversed) {
    const FcPoint2d corners[] = {low, {high.x, low.y}, high, {low.x, high.y}};
    for (int i = 0; i < 4; ++i) {
      const FcPoint2d& a = corners[i];
      const FcPoint2d& b = corners[(i + 1) % 4];
      reversed ? AddLine(b, a) : AddLine(a, b);
    }
  }

  Found Search(FcPoint2d pick) {
    FcEntitySets result(16);
    Found found;
    found.status = BuildHatchBoundaryLoops(pick, candidates, result);
    if (result.GetCount() == 1) {
      auto* polyline = dynamic_cast<FcPolyline*>(result.GetAt(0));
      if (polyline != nullptr) {
        found.vertices = polyline->GetVertices();
        found.closed = polyline->IsClosed();
      }
    }
    result.RemoveAll(true);
    return found;
  }

  FcGraph graph;
  FcEntitySets candidates{16};
};

void ExpectVertices(const Found& found, const std::vector<FcPoint2d>& points, const std::vector<double>& bulges) {
  ASSERT_EQ(found.status, kStatusDone);
  EXPECT_TRUE(found.closed);
  ASSERT_EQ(found.vertices.size(), points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    EXPECT_NEAR(found.vertices[i].x, points[i].x, 1e-9) << i;
    EXPECT_NEAR(found.vertices[i].y, points[i].y, 1e-9) << i;
    EXPECT_NEAR(found.vertices[i].bulge, bulges[i], 1e-9) << i;
  }
}

TEST_F(BoundarySearchTest, FourLinesGiveACounterClockwiseLoopFromTheRaysHit) {
  for (bool reversed : {false, true}) {
    SCOPED_TRACE(reversed);
    candidates.RemoveAll(true);
    AddBox({0, 0}, {10, 10}, reversed);
    ExpectVertices(Search({5, 5}), {{10, 5}, {10, 10}, {0, 10}, {0, 0}, {10, 0}, {10, 5}}, {0, 0, 0, 0, 0, 0});
  }
}

TEST_F(BoundarySearchTest, ACircleGivesItsArcPiecesAsBulges) {
  auto* circle = new FcCircle;
  circle->SetCenter({0, 0});
  circle->SetRadius(2);
  candidates.Add(circle);
  // The ray from the point meets the upper half at t; the loop runs from
  // there over the top, along the lower half and back up to t.
  const double t = std::asin(0.25);
  const FcPoint2d hit{2 * std::cos(t), 0.5};
  ExpectVertices(Search({0.5, 0.5}), {hit, {-2, 0}, {2, 0}, hit}, {std::tan((kPi - t) / 4), 1, std::tan(t / 4), 0});
}

// Curves without arcs of their own give their chords: the loop around a
// point inside an ellipse runs along it, counter-clockwise.
TEST_F(BoundarySearchTest, AnEllipseGivesALoopAlongItsChords) {
  auto* ellipse = new FcEllipse;
  ellipse->SetCenter({0, 0});
  ellipse->SetMajorAxis({4, 0});
  ellipse->SetRadiusRatio(0.5);
  candidates.Add(ellipse);
  const Found found = Search({0.5, 0.2});
  ASSERT_EQ(found.status, kStatusDone);
  ASSERT_GT(found.vertices.size(), 20u);
  double area = 0.0;
  for (std::size_t i = 0; i + 1 < found.vertices.size(); ++i) {
    const PolylineVertex& a = found.vertices[i];
    const PolylineVertex& b = found.vertices[i + 1];
    area += a.x * b.y - b.x * a.y;
    EXPECT_NEAR(a.x * a.x / 16 + a.y * a.y / 4, 1.0, 1e-2);
  }
  EXPECT_NEAR(area / 2, kPi * 4 * 2, 0.1);
}

// A spline takes no part in a boundary: three sides of a box closed by a
// spline close nothing.
TEST_F(BoundarySearchTest, ASplineClosesNoBoundary) {
  for (bool spline : {false, true}) {
    SCOPED_TRACE(spline);
    candidates.RemoveAll(true);
    AddLine({0, 10}, {0, 0});
    AddLine({0, 0}, {10, 0});
    AddLine({10, 0}, {10, 10});
    if (spline) {
      auto* top = new FcSPline;
      top->AppendFitPoint({10, 10});
      top->AppendFitPoint({5, 12});
      top->AppendFitPoint({0, 10});
      candidates.Add(top);
    } else {
      AddLine({10, 10}, {0, 10});
    }
    EXPECT_EQ(Search({5, 5}).status, spline ? 5000 : kStatusDone);
  }
}

TEST_F(BoundarySearchTest, ARegionBesideThePointIsPassedForTheOneAroundIt) {
  AddBox({0, 0}, {10, 10}, false);
  // A closed box to the right of the point, which the ray meets first.
  AddBox({6, 4}, {8, 6}, true);
  ExpectVertices(Search({5, 5}), {{10, 5}, {10, 10}, {0, 10}, {0, 0}, {10, 0}, {10, 5}}, {0, 0, 0, 0, 0, 0});
}

TEST_F(BoundarySearchTest, CrossingRectanglesGiveTheirCommonPart) {
  AddBox({0, 0}, {6, 4}, false);
  AddBox({3, 2}, {9, 8}, false);
  ExpectVertices(Search({4, 3}), {{6, 3}, {6, 4}, {3, 4}, {3, 2}, {6, 2}, {6, 3}}, {0, 0, 0, 0, 0, 0});
}

TEST_F(BoundarySearchTest, PointsOutsideEveryClosedAreaFindNothing) {
  const struct {
    const char* name;
    FcPoint2d pick;
    bool gap;
  } cases[] = {
      {"outside", {20, 5}, false},
      {"beside", {-5, 5}, false},
      // The right side stops short of the top.
      {"gap", {5, 5}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    candidates.RemoveAll(true);
    AddLine({0, 0}, {10, 0});
    AddLine({10, 0}, {10, c.gap ? 9.9 : 10});
    AddLine({10, 10}, {0, 10});
    AddLine({0, 10}, {0, 0});
    const Found found = Search(c.pick);
    EXPECT_EQ(found.status, 5000);
    EXPECT_TRUE(found.vertices.empty());
  }
  candidates.RemoveAll(true);
  EXPECT_EQ(Search({0, 0}).status, 5000);
}

}  // namespace
