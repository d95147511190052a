#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "fonts/shape_info.h"
#include "tests/fonts/shape_font_builder.h"

namespace {

using Bytes = ShapeFontBuilder::Bytes;
constexpr int kShape = 65;
constexpr int kSubshape = 66;

// One contour as the test expects it: its size and its ends, in glyph
// units (the builder's "above" of 10 font units is 100).
struct ContourExpect {
  int points;
  FcPoint2d first;
  FcPoint2d last;
};

struct DrawnCase {
  const char* name;
  Bytes shape;
  Bytes subshape;
  std::vector<ContourExpect> contours;
  double advance;
  double minY;
  double maxY;
};

ShapeGlyph GlyphOf(const Bytes& shape, const Bytes& subshape = {}) {
  ShapeFontBuilder builder;
  builder.Shape(kShape, shape);
  if (!subshape.empty()) builder.Shape(kSubshape, subshape);
  CShapeInfo font;
  EXPECT_TRUE(font.LoadBytes(builder.Regular(), "test.shx", nullptr));
  return font.GetGlyph(kShape, CShapeInfo::kPrimaryPart);
}

void ExpectPoint(const FcPoint2d& actual, const FcPoint2d& expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-9);
  EXPECT_NEAR(actual.y, expected.y, 1e-9);
}

TEST(ShapeInterpreterTest, DrawsTheShapeCodes) {
  const std::uint8_t kCw = 0x80;
  const DrawnCase cases[] = {
      {"an octant arc with count 0 is a full circle",
       {2, 8, 5, 0, 1, 10, 5, 0x00, 2}, {}, {{61, {50, 0}, {50, 0}}}, 50, -50, 50},
      {"a clockwise quarter from octant 2 is emitted counter-clockwise",
       {10, 5, static_cast<std::uint8_t>(kCw | 0x22)}, {}, {{61, {50, -50}, {0, 0}}}, 50, -50, 0},
      {"bulge 127 is a counter-clockwise semicircle below its chord",
       {12, 10, 0, 127}, {}, {{61, {0, 0}, {100, 0}}}, 100, -50, 0},
      {"bulge -127 is a clockwise semicircle above its chord",
       {12, 10, 0, 0x81}, {}, {{61, {100, 0}, {0, 0}}}, 100, 0, 50},
      {"bulge 0 is a straight two-point piece", {12, 10, 0, 0}, {}, {{2, {0, 0}, {100, 0}}}, 100, 0, 0},
      {"code 14 consumes the vector after it",
       {2, 14, 0x40, 1, 0x40}, {}, {{2, {0, 0}, {40, 0}}}, 40, 0, 0},
      {"a 14 after a 14 is not consumed but consumes the next command",
       {2, 14, 14, 0x40, 0x40, 1, 0x40}, {}, {{2, {40, 0}, {80, 0}}}, 80, 0, 0},
      {"code 14 consumes a whole bulge list up to its end pair",
       {2, 14, 13, 5, 0, 0, 5, 0, 10, 0, 0, 1, 0x40}, {}, {{2, {0, 0}, {40, 0}}}, 40, 0, 0},
      {"code 14 consumes a pen code and a subshape call",
       {2, 14, 1, 0x40, 14, 7, kSubshape, 1, 0x40}, {2, 1, 0x40}, {{2, {40, 0}, {80, 0}}}, 80, 0, 0},
      {"vectors before any pen-down code draw from their first end only",
       {0x40, 0x40, 2}, {}, {{2, {40, 0}, {80, 0}}}, 80, 0, 0},
      {"scale codes multiply and divide the moves after them",
       {2, 4, 2, 1, 0x40, 3, 4, 0x40}, {}, {{3, {0, 0}, {100, 0}}}, 100, 0, 0},
      {"a subshape draws at the caller's scale and leaves the caller's pen up",
       {2, 4, 2, 7, kSubshape, 0x10}, {2, 1, 0x20}, {{2, {0, 0}, {40, 0}}}, 60, 0, 0},
      {"a restored position continues the open polyline without a point",
       {5, 0x40, 6, 0x44}, {}, {{2, {40, 0}, {0, 40}}}, 0, 0, 40},
  };
  for (const DrawnCase& c : cases) {
    SCOPED_TRACE(c.name);
    const ShapeGlyph glyph = GlyphOf(c.shape, c.subshape);
    ASSERT_EQ(glyph.status, ShapeGlyphStatus::kDrawn);
    EXPECT_EQ(glyph.chain.kind, PointChain::kStrokes);
    ASSERT_EQ(glyph.chain.ContourCount(), static_cast<int>(c.contours.size()));
    int start = 0;
    for (std::size_t i = 0; i < c.contours.size(); ++i) {
      const int size = glyph.chain.contourSizes[i];
      EXPECT_EQ(size, c.contours[i].points);
      ExpectPoint(glyph.chain.points[start], c.contours[i].first);
      ExpectPoint(glyph.chain.points[start + size - 1], c.contours[i].last);
      start += size;
    }
    EXPECT_NEAR(glyph.advance, c.advance, 1e-9);
    FcPoint2d min, max;
    glyph.chain.GetExtents(min, max);
    EXPECT_NEAR(min.y, c.minY, 1e-9);
    EXPECT_NEAR(max.y, c.maxY, 1e-9);
  }
}

TEST(ShapeInterpreterTest, FullCircleStaysOnItsRadius) {
  const ShapeGlyph glyph = GlyphOf({2, 8, 5, 0, 1, 10, 5, 0x00});
  for (const FcPoint2d& p : glyph.chain.points) EXPECT_NEAR(std::hypot(p.x, p.y), 50.0, 1e-9);
}

// Shape bytes that break the format draw nothing instead of reading past
// the shape, dividing by zero or recursing without end.
TEST(ShapeInterpreterTest, MalformedShapesDrawNothing) {
  const struct {
    const char* name;
    Bytes shape;
  } cases[] = {
      {"arguments past the shape's end", {8, 5}},
      {"a code-9 list without its end pair", {9, 1, 1}},
      {"a code-13 list cut inside a triple", {13, 5, 0}},
      {"an arc cut before its octant byte", {10, 5}},
      {"a fractional arc cut short", {11, 0, 0, 0, 5}},
      {"a subshape number cut short", {7}},
      {"a scale divided by 0", {3, 0}},
      {"a scale multiplied by 0", {4, 0}},
      {"a bulge beyond 127", {12, 5, 0, 0x80}},
      {"a subshape that calls itself", {7, kShape}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ShapeGlyph glyph = GlyphOf(c.shape);
    EXPECT_EQ(glyph.status, ShapeGlyphStatus::kDamaged);
    EXPECT_EQ(glyph.chain.PointCount(), 0);
  }
}

TEST(ShapeInterpreterTest, ZeroChordBulgeAndZeroRadiusArcMoveNothing) {
  const ShapeGlyph glyph = GlyphOf({12, 0, 0, 64, 10, 0, 0x00, 0x40, 0x40});
  ASSERT_EQ(glyph.status, ShapeGlyphStatus::kDrawn);
  EXPECT_EQ(glyph.chain.ContourCount(), 1);
  EXPECT_NEAR(glyph.advance, 80, 1e-9);
}

}  // namespace
