#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "core/matrix2d.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "entities/hatch.h"
#include "entities/line.h"
#include "platform/thread_slot.h"

namespace {

// The box of an edge's points sampled finely, which its extents must hold.
void ExpectBoxHoldsPoints(const FcHatchEdge& edge) {
  FcPoint2d min;
  FcPoint2d max;
  ASSERT_TRUE(edge.GetExtents(min, max));
  std::vector<FcPoint2d> points;
  ASSERT_TRUE(edge.AppendPoints(1e-6, points));
  FcPoint2d sampledMin = points[0];
  FcPoint2d sampledMax = points[0];
  for (const FcPoint2d& p : points) {
    sampledMin = {std::min(sampledMin.x, p.x), std::min(sampledMin.y, p.y)};
    sampledMax = {std::max(sampledMax.x, p.x), std::max(sampledMax.y, p.y)};
  }
  // As tight as the sampling and no tighter.
  EXPECT_NEAR(min.x, sampledMin.x, 1e-4);
  EXPECT_NEAR(min.y, sampledMin.y, 1e-4);
  EXPECT_NEAR(max.x, sampledMax.x, 1e-4);
  EXPECT_NEAR(max.y, sampledMax.y, 1e-4);
}

TEST(HatchEdgeTest, EllipticArcExtentsAreTheTrueBoxWhateverTheAxisTurn) {
  const struct {
    FcPoint2d axis;
    double start;
    double end;
    bool counterClockwise;
  } cases[] = {
      {{4, 0}, 0, kHalfPi, true},
      // A quarter arc of an ellipse turned 45 degrees: the circle of the
      // major radius over the same angles would miss its top.
      {{3, 3}, 0, kHalfPi, true},
      {{-2, 5}, 1, 4, true},
      {{3, 3}, 0, kTwoPi, true},
      {{1, -4}, kTwoPi - 2, kTwoPi - 0.5, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.axis.x);
    ExpectBoxHoldsPoints(FcEllipseEdge({1, 2}, c.axis, 0.4, c.start, c.end, c.counterClockwise));
  }
}

TEST(HatchEdgeTest, ArcsRunTheirWayAndReverseTwiceToThemselves) {
  // A clockwise arc from 90 to 0 degrees keeps the negated angles.
  FcArcEdge clockwise({0, 0}, 2, kTwoPi - kHalfPi, 0, false);
  FcPoint2d start;
  FcPoint2d end;
  ASSERT_TRUE(clockwise.StartPoint(start) && clockwise.EndPoint(end));
  EXPECT_NEAR(start.x, 0, 1e-12);
  EXPECT_NEAR(start.y, 2, 1e-12);
  EXPECT_NEAR(end.x, 2, 1e-12);
  std::vector<FcPoint2d> points;
  ASSERT_TRUE(clockwise.AppendPoints(10, points));
  ASSERT_EQ(points.size(), 7u);
  EXPECT_NEAR(points.front().y, 2, 1e-12);
  EXPECT_NEAR(points.back().x, 2, 1e-12);
  FcArcEdge twice = clockwise;
  twice.Reverse();
  ASSERT_TRUE(twice.StartPoint(start));
  EXPECT_NEAR(start.x, 2, 1e-12);
  twice.Reverse();
  EXPECT_NEAR(twice.GetStartAngle(), clockwise.GetStartAngle(), 1e-12);
  EXPECT_NEAR(twice.GetEndAngle(), clockwise.GetEndAngle(), 1e-12);
  EXPECT_EQ(twice.IsCounterClockwise(), clockwise.IsCounterClockwise());
}

std::unique_ptr<FcPLineEdge> Square(double size) {
  auto loop = std::make_unique<FcPLineEdge>();
  loop->AddVertex({0, 0}, 0);
  loop->AddVertex({size, 0}, 0);
  loop->AddVertex({size, size}, 0);
  loop->AddVertex({0, size}, 0);
  loop->SetClosed(true);
  return loop;
}

TEST(HatchTest, ExplodedLinesAndMovedSegmentsFollowThePattern) {
  FcGraph graph;
  CurrentThreadSlot().graph = &graph;
  FcHatch hatch;
  hatch.GetLoops().Append(Square(10));
  FcHPLine family;
  family.base = {0, 0.5};
  hatch.GetPattern().AddLine(family);
  hatch.SetLinetype(LinetypeByBlock());
  FcEntitySets lines(16);
  // A predefined pattern's lines are continuous whatever the hatch's
  // linetype; a user-defined one's keep it.
  for (std::int16_t type : {kPatternPredefined, kPatternUserDefined}) {
    hatch.GetPattern().SetType(type);
    ASSERT_TRUE(hatch.Explode(lines));
    ASSERT_EQ(lines.GetCount(), 10);
    for (FcEntity* line : lines) {
      EXPECT_EQ(line->GetLinetype(), type == kPatternPredefined ? nullptr : LinetypeByBlock());
    }
    lines.RemoveAll(true);
  }

  FcMatrix2d shift;
  TranslationMatrix(100, 0, shift);
  hatch.Transform(shift);
  ASSERT_EQ(hatch.GetSegments().size(), 10u);
  EXPECT_NEAR(hatch.GetSegments()[0].start.x, 100, 1e-9);
  FcPoint2dArray grips;
  hatch.GetGripPoints(grips);
  ASSERT_EQ(grips.count, 1);
  EXPECT_NEAR(grips[0].x, 105, 1e-9);

  hatch.SetSolid(true);
  EXPECT_FALSE(hatch.Explode(lines));
  CurrentThreadSlot() = {};
}

TEST(HatchTest, FillRingsLeaveOutLoopsThatDoNotClose) {
  FcHatch hatch;
  hatch.GetLoops().Append(Square(10));
  auto open = std::make_unique<FcOtherEdge>();
  open->AppendFlattened(std::make_unique<FcLineEdge>(FcPoint2d{2, 2}, FcPoint2d{4, 2}));
  open->AppendFlattened(std::make_unique<FcLineEdge>(FcPoint2d{4, 2.5}, FcPoint2d{2, 2}));
  hatch.GetLoops().Append(std::move(open));
  auto island = std::make_unique<FcOtherEdge>();
  island->AppendFlattened(std::make_unique<FcArcEdge>(FcPoint2d{5, 5}, 1.0, 0.0, kTwoPi, true));
  hatch.GetLoops().Append(std::move(island));
  hatch.BuildFillPolygons(10.0);
  EXPECT_EQ(hatch.GetFillRingCounts(), (std::vector<std::int32_t>{4, 7}));
  EXPECT_EQ(hatch.GetFillPoints().size(), 11u);
}

}  // namespace
