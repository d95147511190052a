#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "database/block.h"
#include "database/dim_style.h"
#include "database/graph.h"
#include "entities/dim_linear.h"
#include "entities/dim_ordinate.h"
#include "entities/dim_radial.h"
#include "entities/dimension_text.h"
#include "entities/line.h"
#include "entities/point_entity.h"
#include "entities/solid.h"
#include "files/object_registrations.h"
#include "tests/support/dimension_blocks.h"
#include "tests/support/point_expect.h"

namespace {

class DimensionLayoutTest : public DimensionBlockTest {
 protected:
  FcDimRotate* Rotated(FcPoint2d p13, FcPoint2d p14, FcPoint2d p10, double rotation) {
    auto* dimension = new FcDimRotate;
    dimension->SetDefPoint13(p13);
    dimension->SetDefPoint14(p14);
    dimension->SetDefPoint10(p10);
    dimension->SetRotation(rotation);
    return Add(dimension);
  }
};

// The examples of the linear kinds: the measurement and where the
// dimension line ends on each extension line.
TEST_F(DimensionLayoutTest, LinearKindsMeasureAndFindTheirDimensionLine) {
  struct Case {
    const char* name;
    bool aligned;
    double rotation;
    double measurement;
    FcPoint2d d1;
    FcPoint2d d2;
  };
  const FcPoint2d p14{10, 5};
  // The aligned line runs parallel to p13-p14 through (0, 8), its ends
  // where the perpendiculars through p13 and p14 meet it.
  const Case cases[] = {
      {"aligned", true, 0.0, std::sqrt(125.0), {-3.2, 6.4}, {6.8, 11.4}},
      {"rotated 0", false, 0.0, 10.0, {0, 8}, {10, 8}},
      {"rotated 90", false, kHalfPi, 5.0, {0, 0}, {0, 5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcDimAligned* dimension = nullptr;
    if (c.aligned) {
      dimension = new FcDimAligned;
      dimension->SetDefPoint13({0, 0});
      dimension->SetDefPoint14(p14);
      dimension->SetDefPoint10({0, 8});
      Add(dimension);
    } else {
      dimension = Rotated({0, 0}, p14, {0, 8}, c.rotation);
    }
    EXPECT_NEAR(dimension->GetMeasurement(), c.measurement, 1e-9);
    FcPoint2d d1;
    FcPoint2d d2;
    ASSERT_TRUE(dimension->ComputeDimLine(d1, d2));
    ExpectPointNear(d1, c.d1, 1e-9);
    ExpectPointNear(d2, c.d2, 1e-9);
    // Every rebuild leaves definition point 10 on extension line 2.
    ExpectPointNear(dimension->GetDefPoint10(), c.d2, 1e-9);
    // The definition points lie on the non-plotting layer.
    const std::vector<FcPointEnt*> points = InBlock<FcPointEnt>(*dimension);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0]->GetLayer()->GetName(), "Defpoints");
    EXPECT_FALSE(points[0]->GetLayer()->IsPlottable());
  }
}

// Arrow size 0.18, gap 0.09 and a text 0.82 wide that runs along the line
// (with both gaps 1.0): where the text and the arrowheads go as the
// distance between the extension lines shrinks.
TEST_F(DimensionLayoutTest, TextAndArrowheadsFitAsTheRoomAllows) {
  struct Case {
    double length;
    int atfit;
    double textX;  // the text's centre; the dimension line is y = 1
    bool arrowsInside;
  };
  const Case cases[] = {
      {2.0, 3, 1.0, true},            {1.541, 0, 0.7705, true},          {1.2, 3, 0.6, false},
      {1.2, 1, 0.6, false},           {1.2, 0, 1.2 + 0.18 + 0.5, true}, {1.2, 2, 1.2 + 0.18 + 0.5, true},
      {0.8, 3, 0.8 + 0.18 + 0.5, true}, {0.54, 3, 0.54 + 0.18 + 0.5, true}, {0.5, 3, 0.5 + 0.36 + 0.5, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "L " << c.length << " DIMATFIT " << c.atfit);
    Style().dimatfit = static_cast<std::int16_t>(c.atfit);
    const FcDimRotate* dimension = Rotated({0, 0}, {c.length, 0}, {0, 1}, 0.0);
    ExpectPointNear(dimension->GetTextMidpoint(), {c.textX, 1.0}, 1e-9);
    const std::vector<FcSolid*> arrows = InBlock<FcSolid>(*dimension);
    ASSERT_EQ(arrows.size(), 2u);
    for (const FcSolid* arrow : arrows) {
      const FcPoint2d tip = arrow->GetCorner(2);
      const double base = (arrow->GetCorner(0).x + arrow->GetCorner(1).x) / 2.0;
      const bool pointsOutward = tip.x < 1e-9 ? base > tip.x : base < tip.x;
      EXPECT_EQ(pointsOutward, c.arrowsInside) << "tip " << tip.x;
    }
  }
}

// An extension line that leaves its origin at a slant keeps its offset
// and overshoot measured square to the dimension line, whichever side it
// slants to and whichever side of its origin the dimension line lies.
TEST_F(DimensionLayoutTest, SlantedExtensionLinesKeepTheirSquareLengths) {
  Style().dimexe = 1.0;
  Style().dimexo = 0.5;
  Style().dimse2 = 1;
  struct Case {
    double oblique;
    double lineY;
    double divisor;
  };
  const double cos30 = std::cos(kPi / 6.0);
  const Case cases[] = {
      {kPi / 3.0, 5.0, cos30}, {2.0 * kPi / 3.0, 5.0, cos30}, {kPi / 3.0, -5.0, cos30},
      {2.0 * kPi / 3.0, -5.0, cos30}, {0.0, 5.0, 1.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "oblique " << c.oblique << " line at " << c.lineY);
    auto* dimension = new FcDimRotate;
    dimension->SetDefPoint14({10, 0});
    dimension->SetDefPoint10({0, c.lineY});
    dimension->SetObliqueAngle(c.oblique);
    Add(dimension);
    FcPoint2d d1;
    FcPoint2d d2;
    ASSERT_TRUE(dimension->ComputeDimLine(d1, d2));
    const FcLine* extension = nullptr;
    for (const FcLine* line : InBlock<FcLine>(*dimension)) {
      if (std::hypot(line->GetStartPoint().x, line->GetStartPoint().y) < 1.0) extension = line;
    }
    ASSERT_NE(extension, nullptr);
    EXPECT_NEAR(std::hypot(extension->GetStartPoint().x, extension->GetStartPoint().y), 0.5 / c.divisor, 1e-9);
    const FcPoint2d beyond = extension->GetEndPoint() - d1;
    EXPECT_NEAR(std::hypot(beyond.x, beyond.y), 1.0 / c.divisor, 1e-9);
  }
}

TEST_F(DimensionLayoutTest, OrdinateMeasuresFromTheDatum) {
  struct Case {
    FcPoint2d feature;
    bool x;
    double measurement;
  };
  const Case cases[] = {{{5, 3}, true, 5.0}, {{5, 3}, false, 3.0}, {{-5, -3}, true, -5.0}, {{-5, -3}, false, -3.0}};
  for (const Case& c : cases) {
    auto* dimension = new FcDimOrdinate;
    dimension->SetMeasuresX(c.x);
    dimension->SetDefPoint13(c.feature);
    dimension->SetDefPoint14(c.feature + FcPoint2d{1, 2});
    Add(dimension);
    EXPECT_NEAR(dimension->GetMeasurement(), c.measurement, 1e-12) << c.feature.x << (c.x ? " X" : " Y");
    EXPECT_EQ(InBlock<FcPointEnt>(*dimension).size(), 2u);
  }
}

// With DIMASZ 0.18 (a jog of 0.36) and a leader end 2 above and 1 right of
// the feature, the jog rises from 1.28 to 1.64 above it.
TEST_F(DimensionLayoutTest, OrdinateLeaderJogs) {
  Style().dimexe = 0.0;
  auto* dimension = new FcDimOrdinate;
  dimension->SetDefPoint13({0, 0});
  dimension->SetDefPoint14({1, 2});
  dimension->SetTextOverride(" ");
  Add(dimension);
  const std::vector<FcLine*> lines = InBlock<FcLine>(*dimension);
  ASSERT_EQ(lines.size(), 3u);
  ExpectPointNear(lines[0]->GetStartPoint(), {0, 0}, 1e-9);
  ExpectPointNear(lines[0]->GetEndPoint(), {0, 1.28}, 1e-9);
  ExpectPointNear(lines[1]->GetEndPoint(), {1, 1.64}, 1e-9);
  ExpectPointNear(lines[2]->GetEndPoint(), {1, 2}, 1e-9);
}

// A diameter without text and with a centre mark: arrowheads outside, the
// cross at the centre, and with a negative DIMCEN the centre lines from
// twice the mark to the mark's length past the circle.
TEST_F(DimensionLayoutTest, CentreMarks) {
  for (const double dimcen : {2.5, -2.5}) {
    SCOPED_TRACE(dimcen);
    Style().dimcen = dimcen;
    auto* dimension = new FcDimDiameter;
    dimension->SetDefPoint15({-10, 0});
    dimension->SetDefPoint10({10, 0});
    dimension->SetTextOverride(" ");
    Add(dimension);
    EXPECT_NEAR(dimension->GetMeasurement(), 20.0, 1e-12);
    std::vector<std::pair<FcPoint2d, FcPoint2d>> lines;
    for (const FcLine* line : InBlock<FcLine>(*dimension)) lines.emplace_back(line->GetStartPoint(), line->GetEndPoint());
    // Two stubs, the cross and, for centre lines, four more.
    ASSERT_EQ(lines.size(), dimcen > 0 ? 4u : 8u);
    ExpectPointNear(lines[2].first, {-2.5, 0}, 1e-9);
    ExpectPointNear(lines[2].second, {2.5, 0}, 1e-9);
    ExpectPointNear(lines[3].first, {0, -2.5}, 1e-9);
    ExpectPointNear(lines[3].second, {0, 2.5}, 1e-9);
    if (dimcen < 0) {
      ExpectPointNear(lines[4].first, {5, 0}, 1e-9);
      ExpectPointNear(lines[4].second, {12.5, 0}, 1e-9);
    }
  }
}

// Degenerate points and absurd style values build a block without a crash
// and without a coordinate that is not finite.
TEST_F(DimensionLayoutTest, BadInputGivesFiniteBlocks) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    const char* name;
    FcPoint2d p13, p14, p10;
    double dimasz, dimscale, dimgap;
  };
  const Case cases[] = {
      {"coincident points", {0, 0}, {0, 0}, {0, 0}, 0.18, 1.0, 0.09},
      {"zero-length extension lines", {0, 0}, {10, 0}, {0, 0}, 0.18, 1.0, 0.09},
      {"huge arrows", {0, 0}, {10, 0}, {0, 5}, 1e300, 1.0, 0.09},
      {"scale 0", {0, 0}, {10, 0}, {0, 5}, 0.18, 0.0, 0.09},
      {"infinite gap", {0, 0}, {10, 0}, {0, 5}, 0.18, 1.0, -std::numeric_limits<double>::infinity()},
      {"not a number", {nan, 0}, {10, 0}, {0, 5}, nan, 1.0, 0.09},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Style().dimasz = c.dimasz;
    Style().dimscale = c.dimscale;
    Style().dimgap = c.dimgap;
    for (const bool aligned : {false, true}) {
      FcDimAligned* dimension = aligned ? new FcDimAligned : new FcDimRotate;
      dimension->SetDefPoint13(c.p13);
      dimension->SetDefPoint14(c.p14);
      dimension->SetDefPoint10(c.p10);
      Add(dimension);
      auto* radius = new FcDimRadius;
      radius->SetDefPoint10(c.p13);
      radius->SetDefPoint15(c.p14);
      Add(radius);
      for (const FcDimension* each : {static_cast<FcDimension*>(dimension), static_cast<FcDimension*>(radius)}) {
        for (const FcLine* line : InBlock<FcLine>(*each)) {
          EXPECT_TRUE(std::isfinite(line->GetStartPoint().x + line->GetStartPoint().y + line->GetEndPoint().x +
                                    line->GetEndPoint().y));
        }
        for (const FcSolid* solid : InBlock<FcSolid>(*each)) {
          for (int i = 0; i < 4; ++i) EXPECT_TRUE(std::isfinite(solid->GetCorner(i).x + solid->GetCorner(i).y));
        }
        EXPECT_TRUE(std::isfinite(each->GetTextMidpoint().x + each->GetTextMidpoint().y));
      }
    }
  }
}

}  // namespace
