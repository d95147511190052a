#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "core/point_ops.h"
#include "database/block.h"
#include "database/dim_style.h"
#include "database/graph.h"
#include "entities/arc.h"
#include "entities/dim_angular.h"
#include "entities/dimension_text.h"
#include "entities/line.h"
#include "entities/mtext.h"
#include "entities/solid.h"
#include "files/object_registrations.h"
#include "tests/support/dimension_blocks.h"
#include "tests/support/point_expect.h"

namespace {

class AngularDimensionTest : public DimensionBlockTest {
 protected:
  FcDim2LAng* TwoLines(FcPoint2d p13, FcPoint2d p14, FcPoint2d p15, FcPoint2d p10, FcPoint2d p16) {
    auto* dimension = new FcDim2LAng;
    dimension->SetDefPoint13(p13);
    dimension->SetDefPoint14(p14);
    dimension->SetDefPoint15(p15);
    dimension->SetDefPoint10(p10);
    dimension->SetDefPoint16(p16);
    return Add(dimension);
  }
  FcDim3PAng* ThreePoints(FcPoint2d vertex, FcPoint2d p13, FcPoint2d p14, FcPoint2d arcPoint) {
    auto* dimension = new FcDim3PAng;
    dimension->SetDefPoint15(vertex);
    dimension->SetDefPoint13(p13);
    dimension->SetDefPoint14(p14);
    dimension->SetDefPoint10(arcPoint);
    return Add(dimension);
  }
  // The right angle at the origin from (10, 0) to (0, 10), its arc
  // through radius r at 45 degrees.
  FcDim3PAng* RightAngle(double r) { return ThreePoints({0, 0}, {10, 0}, {0, 10}, {r / std::sqrt(2.0), r / std::sqrt(2.0)}); }

  static const FcMText* Text(const FcDimension& dimension) {
    const std::vector<FcMText*> texts = InBlock<FcMText>(dimension);
    return texts.size() == 1 ? texts[0] : nullptr;
  }
  // The sum of the sweeps of the block's arcs.
  static double ArcSweep(const FcDimension& dimension) {
    double sum = 0.0;
    for (const FcArc* arc : InBlock<FcArc>(dimension)) sum += arc->GetEndAngle() - arc->GetStartAngle();
    return sum;
  }
  // Every point of the block is finite.
  static bool AllFinite(const FcDimension& dimension) {
    bool finite = true;
    auto check = [&finite](const FcPoint2d& p) { finite = finite && std::isfinite(p.x) && std::isfinite(p.y); };
    for (const FcLine* line : InBlock<FcLine>(dimension)) check(line->GetStartPoint()), check(line->GetEndPoint());
    for (const FcArc* arc : InBlock<FcArc>(dimension)) check(arc->GetCenter()), check({arc->GetRadius(), arc->GetEndAngle()});
    for (const FcSolid* solid : InBlock<FcSolid>(dimension)) {
      for (int i = 0; i < 4; ++i) check(solid->GetCorner(i));
    }
    check(dimension.GetTextMidpoint());
    return finite;
  }

};

// Two lines crossing at the origin, the first along the x axis, the
// second at 45 degrees. The arc point picks one of the four angles (they
// add up to a full turn); a point on a ray belongs to the angle starting
// there. Every rebuild moves the arc point to a third of the sweep (two
// thirds with DIMJUST 2) on the same radius, so a second rebuild measures
// the same angle. An extension line starts at the centre on a reversed
// side, at the line point nearer the arc on a side the arc meets beyond
// the line's points, and is left out where the arc meets the line between
// its points.
TEST_F(AngularDimensionTest, TwoLinesMeasureTheAngleTheArcPointPicks) {
  struct Case {
    FcPoint2d p16;
    double start;
    double sweep;
    std::vector<FcPoint2d> origins;
  };
  const double q = kPi / 4.0;
  const Case cases[] = {
      {{5, 1}, 0.0, q, {}},
      {{0, 5}, q, 3.0 * q, {{0, 0}}},
      {{-5, -1}, kPi, q, {{0, 0}, {0, 0}}},
      {{1, -5}, 5.0 * q, 3.0 * q, {{0, 0}}},
      {{5, 0}, 0.0, q, {}},
      {{12, 1}, 0.0, q, {{10, 0}, {5, 5}}},
  };
  double fullTurn = 0.0;
  for (const int just : {0, 2}) {
    Style().dimjust = static_cast<std::uint8_t>(just);
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << "p16 " << c.p16.x << "," << c.p16.y << " DIMJUST " << just);
      FcDim2LAng* dimension = TwoLines({2, 0}, {10, 0}, {1, 1}, {5, 5}, c.p16);
      EXPECT_NEAR(dimension->GetMeasurement(), c.sweep, 1e-12);
      EXPECT_NEAR(dimension->ComputeDimLine(), c.sweep, 1e-12);
      const double radius = std::hypot(c.p16.x, c.p16.y);
      const double share = just == 2 ? 2.0 / 3.0 : 1.0 / 3.0;
      ExpectPointNear(dimension->GetDefPoint16(), PointAtPolar({0, 0}, radius, c.start + share * c.sweep), 1e-9);
      ExpectPointNear(dimension->GetArcStart(), PointAtPolar({0, 0}, radius, c.start), 1e-9);
      const std::vector<FcLine*> lines = InBlock<FcLine>(*dimension);
      ASSERT_EQ(lines.size(), c.origins.size());
      for (std::size_t i = 0; i < lines.size(); ++i) {
        // The line leaves its origin by DIMEXO.
        EXPECT_NEAR(DistanceBetween(lines[i]->GetStartPoint(), c.origins[i]), 0.0625, 1e-9);
      }
      const FcPoint2d moved = dimension->GetDefPoint16();
      dimension->RebuildBlock();
      EXPECT_NEAR(dimension->GetMeasurement(), c.sweep, 1e-12);
      ExpectPointNear(dimension->GetDefPoint16(), moved, 1e-9);
      if (just == 0 && &c < cases + 4) fullTurn += dimension->GetMeasurement();
    }
  }
  EXPECT_NEAR(fullTurn, kTwoPi, 1e-12);
}

// The vertex at the origin: the sweep from one end point counter-clockwise
// to the other that holds the arc point, the reflex one when the arc point
// lies opposite both; ends in the same direction measure 0 under a whole
// circle.
TEST_F(AngularDimensionTest, ThreePointsMeasureTheSweepThatHoldsTheArcPoint) {
  struct Case {
    const char* name;
    FcPoint2d p13, p14, arcPoint;
    double start;
    double sweep;
  };
  const Case cases[] = {
      {"quarter", {10, 0}, {0, 10}, {5, 5}, 0.0, kHalfPi},
      {"reflex", {10, 0}, {0, 10}, {-5, -5}, kHalfPi, 3.0 * kHalfPi},
      {"arc point towards the second end", {10, 0}, {0, 10}, {0, 7}, 0.0, kHalfPi},
      {"ends in one direction", {10, 0}, {20, 0}, {0, 5}, 0.0, 0.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcDim3PAng* dimension = ThreePoints({0, 0}, c.p13, c.p14, c.arcPoint);
    EXPECT_NEAR(dimension->GetMeasurement(), c.sweep, 1e-12);
    EXPECT_NEAR(dimension->ComputeDimLine(), c.sweep, 1e-12);
    const double radius = std::hypot(c.arcPoint.x, c.arcPoint.y);
    ExpectPointNear(dimension->GetArcStart(), PointAtPolar({0, 0}, radius, c.start), 1e-9);
    ExpectPointNear(dimension->GetDefPoint10(), PointAtPolar({0, 0}, radius, c.start + c.sweep / 3.0), 1e-9);
    // Both extension lines, from the end points to the arc.
    EXPECT_EQ(InBlock<FcLine>(*dimension).size(), 2u);
    if (c.sweep == 0.0) EXPECT_GT(ArcSweep(*dimension), 1.9 * kPi);
  }
}

// Where the text of the right angle goes and how the arc is drawn around
// it, as the arc shrinks and the style changes: on the arc (the arc in two
// pieces), lifted off it (one piece), towards an end but never past the
// middle, or outside beyond the arc start.
TEST_F(AngularDimensionTest, TextGoesWhereTheArcLeavesRoom) {
  struct Case {
    const char* name;
    double radius;
    int tad, just, tix, tih;
    double textRadius;  // negative: below the x axis, beyond the arc start
    double textAngle;
    std::size_t arcs;
    bool arrowsInside;
  };
  const double middle = kPi / 4.0;
  const Case cases[] = {
      {"centred", 5.0, 0, 0, 0, 0, 5.0, middle, 2, true},
      {"lifted", 5.0, 1, 0, 0, 0, 5.18, middle, 1, true},
      {"towards the end", 5.0, 0, 1, 0, 0, 5.0, kHalfPi - (0.18 + 0.09 + 0.5) / 5.0, 2, true},
      {"towards the start", 5.0, 0, 2, 0, 0, 5.0, (0.18 + 0.09 + 0.5) / 5.0, 2, true},
      // Arrowheads outside, with their stubs of arc.
      {"kept inside at the middle", 0.9, 0, 1, 1, 0, 0.9, middle, 4, false},
      {"outside", 0.5, 0, 0, 0, 0, -1.0, 0.0, 2, true},
      // A horizontal text lifts only where it is pushed towards an end: the
      // centred one would need a horizontal chord. The arc crosses the
      // horizontal box's top and bottom edges, 0.36 x sqrt 2 apart.
      {"horizontal, centred", 5.0, 1, 0, 0, 1, 5.0, middle, 2, true},
      {"horizontal, towards the end", 5.0, 1, 1, 0, 1, 5.18, kHalfPi - (0.18 + 0.09 + 0.18 * std::sqrt(2.0)) / 5.0, 1,
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Style().dimtad = static_cast<std::uint8_t>(c.tad);
    Style().dimjust = static_cast<std::uint8_t>(c.just);
    Style().dimtix = static_cast<std::uint8_t>(c.tix);
    Style().dimtih = static_cast<std::uint8_t>(c.tih);
    const FcDim3PAng* dimension = RightAngle(c.radius);
    const FcMText* text = Text(*dimension);
    ASSERT_NE(text, nullptr);
    const FcPoint2d at = text->GetInsertionPoint();
    ExpectPointEq(at, dimension->GetTextMidpoint());
    if (c.textRadius > 0.0) {
      EXPECT_NEAR(std::hypot(at.x, at.y), c.textRadius, 0.02);
      EXPECT_NEAR(std::atan2(at.y, at.x), c.textAngle, 0.02);
    } else {
      EXPECT_LT(at.y, 0.0);
    }
    EXPECT_EQ(InBlock<FcArc>(*dimension).size(), c.arcs);
    const std::vector<FcSolid*> arrows = InBlock<FcSolid>(*dimension);
    ASSERT_EQ(arrows.size(), 2u);
    // An inside arrowhead at the arc start has its base above the x axis.
    const FcSolid& first = *arrows[0];
    EXPECT_EQ((first.GetCorner(0).y + first.GetCorner(1).y) / 2.0 > 0.0, c.arrowsInside);
  }
}

// A text the user put far from the arc: DIMTMOVE 1 draws a leader from the
// arc's middle, 0 and 2 none; the arc stays whole. Moving the arc grip
// puts the text back at its computed place.
TEST_F(AngularDimensionTest, MovedTextAndItsLeader) {
  for (const int move : {0, 1, 2}) {
    SCOPED_TRACE(move);
    Style().dimtmove = static_cast<std::int16_t>(move);
    auto* dimension = new FcDim3PAng;
    dimension->SetDefPoint15({0, 0});
    dimension->SetDefPoint13({10, 0});
    dimension->SetDefPoint14({0, 10});
    dimension->SetDefPoint10({3.5355, 3.5355});
    dimension->SetTextMidpoint({12, 12});
    dimension->SetDimType(static_cast<std::uint8_t>(kDimTypeAngular3Point | kDimUserText));
    Add(dimension);
    ExpectPointNear(Text(*dimension)->GetInsertionPoint(), {12, 12}, 1e-12);
    EXPECT_EQ(InBlock<FcArc>(*dimension).size(), 1u);
    const std::vector<FcLine*> lines = InBlock<FcLine>(*dimension);
    ASSERT_EQ(lines.size(), move == 1 ? 4u : 2u);
    if (move == 1) ExpectPointNear(lines[2]->GetStartPoint(), PointAtPolar({0, 0}, 5.0, kPi / 4.0), 1e-3);
    CIntArray arcGrip;
    arcGrip.Add(3);
    const FcPoint2d moved = dimension->GetDefPoint10() + FcPoint2d{0.1, 0.1};
    dimension->MoveGripPoints(arcGrip, {0.1, 0.1});
    EXPECT_FALSE(dimension->IsUserText());
    const FcPoint2d at = Text(*dimension)->GetInsertionPoint();
    EXPECT_NEAR(std::hypot(at.x, at.y), std::hypot(moved.x, moved.y), 1e-9);
    EXPECT_NEAR(std::atan2(at.y, at.x), kPi / 4.0, 1e-9);
  }
}

// Definition points that give no angle are refused without a crash: the
// two-line kind leaves an empty block for parallel lines and keeps its
// block for a line of two equal points, the three-point kind keeps its
// block when the vertex lies on an end point; an arc point on the vertex
// gives no arc, huge style sizes and points that are not numbers give no
// geometry that is not finite.
TEST_F(AngularDimensionTest, BadInputIsRefusedCleanly) {
  FcDim2LAng* parallel = TwoLines({0, 0}, {10, 0}, {0, 5}, {10, 5}, {5, 2});
  ASSERT_NE(parallel->GetDimBlock(), nullptr);
  EXPECT_EQ(parallel->GetDimBlock()->GetEntities().GetCount(), 0);
  EXPECT_EQ(parallel->ComputeDimLine(), 0.0);
  EXPECT_EQ(TwoLines({1, 1}, {1, 1}, {0, 5}, {10, 5}, {5, 2})->GetDimBlock(), nullptr);
  EXPECT_EQ(ThreePoints({10, 0}, {10, 0}, {0, 10}, {5, 5})->GetDimBlock(), nullptr);

  const FcDim3PAng* onVertex = ThreePoints({0, 0}, {10, 0}, {0, 10}, {0, 0});
  EXPECT_TRUE(InBlock<FcArc>(*onVertex).empty());
  EXPECT_EQ(Text(*onVertex), nullptr);
  EXPECT_TRUE(AllFinite(*onVertex));

  const double nan = std::numeric_limits<double>::quiet_NaN();
  Style().dimasz = 1e300;
  EXPECT_TRUE(AllFinite(*RightAngle(5.0)));
  Style().dimasz = 0.18;
  Style().dimscale = 0.0;
  EXPECT_TRUE(AllFinite(*RightAngle(5.0)));
  Style().dimscale = 1.0;
  EXPECT_EQ(ThreePoints({0, 0}, {nan, 0}, {0, 10}, {5, 5})->GetDimBlock(), nullptr);
}

}  // namespace
