#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/matrix2d.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "entities/polyline.h"
#include "entities/text.h"
#include "tests/support/curve_sink.h"
#include "tests/support/point_expect.h"

namespace {

// Texts in the drawing's standard style, which draws with the program's
// txt.shx: capitals are exactly one height tall.
class TextLayoutTest : public ::testing::Test {
 protected:
  FcText& Make(const std::string& contents, double height = 1.0) {
    texts.emplace_back(std::make_unique<FcText>());
    FcText& text = *texts.back();
    text.SetLayer(graph.GetCurrentLayer());
    text.SetText(contents);
    text.SetHeight(height);
    return text;
  }

  std::vector<PointChain> Layout(FcText& text) {
    FcMatrix2d placement;
    std::vector<PointChain> chains = text.Layout(placement, &graph);
    for (PointChain& chain : chains) chain.Transform(placement);
    return chains;
  }

  FcGraph graph;
  std::vector<std::unique_ptr<FcText>> texts;
};

TEST_F(TextLayoutTest, CapitalsRiseToTheHeightFromTheInsertionPoint) {
  FcText& text = Make("HH", 2.0);
  text.SetInsertionPoint({5, 1});
  ASSERT_EQ(Layout(text).size(), 2u);
  const auto& box = text.GetBox();
  EXPECT_NEAR(box[0].y, 1.0, 1e-9);
  EXPECT_NEAR(box[1].y, 3.0, 1e-9);
  EXPECT_GT(box[3].x, box[0].x + 2.0);
  // Turned a quarter: the box turns about the insertion point.
  text.SetRotation(kHalfPi);
  Layout(text);
  EXPECT_NEAR(text.GetBox()[1].x, 5.0 - 2.0, 1e-9);
}

// Each justification puts its point of the text's box on the alignment
// point, and the insertion point goes to the box's lower-left corner.
TEST_F(TextLayoutTest, JustificationsPlaceTheBoxOnTheAlignmentPoint) {
  struct Case {
    const char* name;
    std::int16_t horizontal;
    std::int16_t vertical;
    double fx;  // fraction of the box width at the alignment point
    double fy;  // of its height; -1 for the baseline
  };
  const Case cases[] = {
      {"center", kTextCenter, kTextBaseline, 0.5, -1}, {"right", kTextRight, kTextBaseline, 1.0, -1},
      {"middle", kTextMiddle, kTextBaseline, 0.5, 0.5}, {"top center", kTextCenter, kTextTop, 0.5, 1.0},
      {"middle right", kTextRight, kTextVerticalMiddle, 1.0, 0.5}, {"bottom center", kTextCenter, kTextBottom, 0.5, 0.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcText& text = Make("Hy", 2.0);
    text.SetHorizontalJustification(c.horizontal);
    text.SetVerticalJustification(c.vertical);
    text.SetAlignmentPoint({10, 20});
    ASSERT_FALSE(Layout(text).empty());
    const auto& box = text.GetBox();
    EXPECT_NEAR(box[0].x + c.fx * (box[3].x - box[0].x), 10.0, 1e-9);
    if (c.fy >= 0.0) EXPECT_NEAR(box[0].y + c.fy * (box[1].y - box[0].y), 20.0, 1e-9);
    // "y" reaches below the baseline, which the baseline cases keep on 20.
    if (c.fy < 0.0) EXPECT_LT(box[0].y, 20.0);
    ExpectPointNear(text.GetInsertionPoint(), box[0], 1e-12);
  }
}

// Aligned text scales its height and fit text its width factor so that
// the glyphs span the baseline; a run without width or a baseline without
// length leaves the text its size.
TEST_F(TextLayoutTest, AlignedAndFitSpanTheirBaseline) {
  struct Case {
    const char* name;
    const char* contents;
    std::int16_t horizontal;
    FcPoint2d alignment;
    bool scaled;
  };
  const Case cases[] = {
      {"aligned", "HH", kTextAligned, {10, 0}, true},
      {"fit", "HH", kTextFit, {10, 0}, true},
      {"aligned, run without width", "|", kTextAligned, {10, 0}, false},
      {"fit, run without width", "|", kTextFit, {10, 0}, false},
      {"aligned, coincident points", "HH", kTextAligned, {0, 0}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcText& text = Make(c.contents, 1.0);
    text.SetHorizontalJustification(c.horizontal);
    text.SetAlignmentPoint(c.alignment);
    ASSERT_FALSE(Layout(text).empty());
    const auto& box = text.GetBox();
    for (const FcPoint2d& corner : box) ASSERT_TRUE(std::isfinite(corner.x) && std::isfinite(corner.y));
    EXPECT_GT(text.GetHeight(), 0.0);
    if (!c.scaled) {
      EXPECT_DOUBLE_EQ(text.GetHeight() * text.GetWidthFactor(), 1.0);
      continue;
    }
    EXPECT_NEAR(box[3].x - box[0].x, 10.0, 1e-9);
    if (c.horizontal == kTextFit) {
      EXPECT_DOUBLE_EQ(text.GetHeight(), 1.0);
      EXPECT_NEAR(box[1].y - box[0].y, 1.0, 1e-9);
    } else {
      EXPECT_DOUBLE_EQ(text.GetWidthFactor(), 1.0);
      EXPECT_NEAR(text.GetHeight(), box[1].y - box[0].y, 1e-9);
    }
    // The next layout finds the size already right.
    const double height = text.GetHeight();
    const double width = text.GetWidthFactor();
    Layout(text);
    EXPECT_NEAR(text.GetHeight(), height, 1e-12);
    EXPECT_NEAR(text.GetWidthFactor(), width, 1e-12);
  }
}

TEST_F(TextLayoutTest, UnderlineAndOverlineRunUnderTheirCharacters) {
  FcText& text = Make("%%uab%%u%%ocd", 1.0);
  const std::vector<PointChain> chains = Layout(text);
  std::vector<const PointChain*> lines;
  for (const PointChain& chain : chains) {
    if (chain.PointCount() == 2 && chain.points[0].y == chain.points[1].y) lines.push_back(&chain);
  }
  ASSERT_EQ(lines.size(), 2u);
  const PointChain& under = *lines[0];
  const PointChain& over = *lines[1];
  EXPECT_LT(under.points[0].y, 0.0);
  EXPECT_GT(over.points[0].y, 1.0);
  EXPECT_NEAR(under.points[0].x, 0.0, 1e-12);
  // The unclosed overline runs from where the underline ended to the end.
  EXPECT_NEAR(over.points[0].x, under.points[1].x, 1e-12);
  EXPECT_NEAR(over.points[1].x, text.GetBox()[3].x, 1e-9);
}

// The lines sit a twentieth of the "j"'s height above and below it, also
// when the first line starts after some characters.
TEST_F(TextLayoutTest, UnderlineAndOverlineSitByTheLetterJ) {
  const std::vector<PointChain> letter = Layout(Make("j", 1.0));
  ASSERT_EQ(letter.size(), 1u);
  FcPoint2d low, high;
  letter[0].GetExtents(low, high);
  const double margin = 0.05 * (high.y - low.y);
  for (const char* contents : {"%%uab%%u%%ocd", "ab%%ucd%%u%%oe"}) {
    SCOPED_TRACE(contents);
    std::vector<double> heights;
    for (const PointChain& chain : Layout(Make(contents, 1.0))) {
      if (chain.PointCount() == 2 && chain.points[0].y == chain.points[1].y) heights.push_back(chain.points[0].y);
    }
    ASSERT_EQ(heights.size(), 2u);
    EXPECT_NEAR(heights[0], low.y - margin, 1e-12);
    EXPECT_NEAR(heights[1], high.y + margin, 1e-12);
  }
}

TEST_F(TextLayoutTest, EmptyTextDrawsNothingUnlessACaretIsShown) {
  FcText& text = Make("", 1.0);
  CurveSink sink(&graph, 0.0);
  text.Draw(&sink);
  EXPECT_TRUE(sink.polylines.empty());
  text.SetCaret(true);
  text.Draw(&sink);
  EXPECT_FALSE(sink.polylines.empty());
}

TEST_F(TextLayoutTest, QuickTextDrawsTheBoxAndExplodeGivesPolylines) {
  FcText& text = Make("HI", 1.0);
  CurveSink sink(&graph, 0.0);
  text.Draw(&sink);
  // H has three strokes, I one.
  EXPECT_EQ(sink.polylines.size(), 4u);
  graph.GetSysVars().qtextmode = 1;
  CurveSink quick(&graph, 0.0);
  text.Draw(&quick);
  ASSERT_EQ(quick.polylines.size(), 1u);
  EXPECT_TRUE(quick.polylines[0].closed);
  EXPECT_EQ(quick.polylines[0].points.size(), 4u);

  FcEntitySets pieces{16};
  ASSERT_TRUE(text.Explode(pieces));
  ASSERT_EQ(pieces.GetCount(), 4);
  for (int i = 0; i < pieces.GetCount(); ++i) {
    const auto* polyline = dynamic_cast<const FcPolyline*>(pieces.GetAt(i));
    ASSERT_NE(polyline, nullptr);
    EXPECT_EQ(polyline->GetLayer(), graph.GetCurrentLayer());
  }
  pieces.RemoveAll(true);
}

// With MIRRTEXT off a mirrored left text stays readable: it starts at the
// far end of its mirrored box and keeps its direction.
TEST_F(TextLayoutTest, MirrorKeepsTextReadable) {
  graph.GetSysVars().mirrtext = 0;
  FcText& text = Make("HH", 1.0);
  text.SetInsertionPoint({1, 0});
  Layout(text);
  const double width = text.GetBox()[3].x - text.GetBox()[0].x;
  FcMatrix2d mirror;
  MirrorMatrix(0, 0, 0, 1, mirror);
  text.Transform(mirror);
  EXPECT_NEAR(text.GetRotation(), 0.0, 1e-12);
  ExpectPointNear(text.GetInsertionPoint(), {-1 - width, 0}, 1e-9);
  EXPECT_EQ(text.GetGenerationFlags(), 0);
}

}  // namespace
