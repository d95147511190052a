#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "database/block.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "entities/mtext.h"
#include "entities/mtext_layout.h"
#include "entities/polyline.h"
#include "tests/support/curve_sink.h"
#include "tests/support/point_expect.h"

namespace {

// Multiline texts one unit high in the standard style (txt.shx, whose
// capitals are exactly the height), top left at the origin.
class MTextLayoutTest : public ::testing::Test {
 protected:
  FcMText& Make(const std::string& contents, double width = 0.0) {
    texts.emplace_back(std::make_unique<FcMText>());
    FcMText& text = *texts.back();
    text.SetLayer(graph.GetCurrentLayer());
    text.SetHeight(1.0);
    text.SetReferenceWidth(width);
    text.SetContents(contents);
    return text;
  }

  std::array<FcPoint2d, 4> Measure(FcMText& text) {
    std::array<FcPoint2d, 4> box{};
    MTextRenderRequest request;
    request.box = &box;
    RenderMText(text, request);
    return box;
  }

  // The contours of the exploded text.
  std::vector<std::vector<FcPoint2d>> Contours(FcMText& text) {
    FcEntitySets pieces{16};
    text.Explode(pieces);
    std::vector<std::vector<FcPoint2d>> contours;
    for (int i = 0; i < pieces.GetCount(); ++i) {
      const auto* polyline = dynamic_cast<const FcPolyline*>(pieces.GetAt(i));
      std::vector<FcPoint2d> points;
      for (int k = 0; k < polyline->GetVertexCount(); ++k) {
        points.push_back({polyline->GetVertex(k)->x, polyline->GetVertex(k)->y});
      }
      contours.push_back(points);
    }
    pieces.RemoveAll(true);
    return contours;
  }

  FcGraph graph;
  std::vector<std::unique_ptr<FcMText>> texts;
};

// The second baseline lies 5/3 x height x line-spacing factor below the
// bottom of the first line, whose top is at the insertion point.
TEST_F(MTextLayoutTest, ParagraphsAreALineAdvanceApart) {
  for (const double factor : {1.0, 2.0}) {
    SCOPED_TRACE(factor);
    FcMText& text = Make("H\\PH");
    text.SetLineSpacingFactor(factor);
    const auto box = Measure(text);
    EXPECT_NEAR(box[1].y, 0.0, 1e-9);
    EXPECT_NEAR(text.GetLaidOutHeight(), 1.0 + factor * 5.0 / 3.0, 1e-9);
  }
}

TEST_F(MTextLayoutTest, WordsWrapAtTheReferenceWidth) {
  FcMText& word = Make("HHHH");
  Measure(word);
  const double w = word.GetLaidOutWidth();
  struct Case {
    const char* name;
    std::string contents;
    double width;
    int lines;
  };
  const Case cases[] = {
      {"three words in two and a half", "HHHH HHHH HHHH", 2.5 * w, 2},
      {"each word on its own line", "HHHH HHHH HHHH", 1.2 * w, 3},
      {"no width, no wrap", "HHHH HHHH HHHH", 0.0, 1},
      {"a long word runs past the width", "HHHHHHHHHHHH", w, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcMText& text = Make(c.contents, c.width);
    Measure(text);
    // Capitals sit on their baselines, 5/3 apart.
    EXPECT_NEAR(text.GetLaidOutHeight(), 1.0 + (c.lines - 1) * 5.0 / 3.0, 1e-9);
    if (c.width > 0.0 && c.lines > 1) EXPECT_LE(text.GetLaidOutWidth(), c.width);
  }
}

// A fraction stacks its parts about a bar as wide as the wider part; a
// diagonal fraction draws a slash; without a separator the code is text.
TEST_F(MTextLayoutTest, StackedFractions) {
  const auto isHorizontal = [](const std::vector<FcPoint2d>& c) {
    return c.size() == 2 && std::fabs(c[0].y - c[1].y) < 1e-12 && std::fabs(c[0].x - c[1].x) > 1e-6;
  };
  const auto isSlanted = [](const std::vector<FcPoint2d>& c) {
    return c.size() == 2 && std::fabs(c[0].y - c[1].y) > 1e-6 && std::fabs(c[0].x - c[1].x) > 1e-6;
  };
  const auto fraction = Contours(Make("\\S1/22;"));
  int bars = 0;
  double barY = 0.0;
  for (const auto& contour : fraction) {
    if (!isHorizontal(contour)) continue;
    ++bars;
    barY = contour[0].y;
  }
  ASSERT_EQ(bars, 1);
  int above = 0;
  int below = 0;
  for (const auto& contour : fraction) {
    if (isHorizontal(contour)) continue;
    bool up = true;
    bool down = true;
    for (const FcPoint2d& p : contour) {
      up = up && p.y > barY;
      down = down && p.y < barY;
    }
    above += up ? 1 : 0;
    below += down ? 1 : 0;
  }
  EXPECT_GT(above, 0);
  EXPECT_GT(below, above);

  const auto diagonal = Contours(Make("\\S1#2;"));
  int slashes = 0;
  for (const auto& contour : diagonal) slashes += isSlanted(contour) ? 1 : 0;
  EXPECT_GE(slashes, 1);

  EXPECT_EQ(Contours(Make("\\S12;")).size(), Contours(Make("12;")).size());
}

// Codes that the layout drops or consumes leave the same text as the
// plain characters they stand before.
TEST_F(MTextLayoutTest, CodesTakeTheirArgumentsAndDropTheUnknown) {
  struct Case {
    const char* coded;
    const char* plain;
  };
  const Case cases[] = {
      {"\\pxi3;text", "xi3;text"}, {"\\H0;x", "x"},   {"\\C1;x", "x"},       {"\\T0.1;x", "x"},
      {"\\Lx\\l", "x"},           {"{\\A0;x}", "x"},     {"x}", "x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.coded);
    FcMText& coded = Make(c.coded);
    FcMText& plain = Make(c.plain);
    Measure(coded);
    Measure(plain);
    EXPECT_NEAR(coded.GetLaidOutWidth(), plain.GetLaidOutWidth(), 1e-9);
    EXPECT_NEAR(coded.GetLaidOutHeight(), plain.GetLaidOutHeight(), 1e-9);
  }
}

// "{" saves the format at most eight deep: the ninth saves nothing, so its
// "}" already brings back the state from before the eighth.
TEST_F(MTextLayoutTest, NestingIsLimitedToEightGroups) {
  FcMText& eight = Make("{{{{{{{\\H2;{\\H3;}H");
  FcMText& nine = Make("{{{{{{{{\\H2;{\\H3;}H");
  Measure(eight);
  Measure(nine);
  EXPECT_NEAR(eight.GetLaidOutHeight(), 2.0, 1e-9);
  EXPECT_NEAR(nine.GetLaidOutHeight(), 1.0, 1e-9);
  FcMText& doubled = Make("{\\H2x;H}H");
  Measure(doubled);
  EXPECT_NEAR(doubled.GetLaidOutHeight(), 2.0, 1e-9);
}

// The pen colour of each stroke a drawn text hands the sink.
class PenSink : public CurveSink {
 public:
  using CurveSink::CurveSink;
  void SetPen(const FcPen& pen) override { colour_ = pen.color; }
  void AddPolyline(const FcPoint2d* points, int count, bool closed, FcHandle handle, int part) override {
    CurveSink::AddPolyline(points, count, closed, handle, part);
    colours.push_back(colour_);
  }
  std::vector<std::int16_t> colours;

 private:
  std::int16_t colour_ = -1;
};

// A red text on a green layer, drawn through a block reference of blue:
// "\C0" follows the reference and "\C256" the layer, not the text's own
// red; without a reference ByBlock falls back on the layer.
TEST_F(MTextLayoutTest, ColourCodesByBlockAndByLayer) {
  FcLayer* layer = graph.GetCurrentLayer();
  layer->SetColor(3);
  FcBlock block;
  block.SetByBlockColor(5);
  struct Case {
    const char* contents;
    FcBlock* block;
    std::int16_t colour;
  };
  const Case cases[] = {
      {"\\C0;I", &block, 5}, {"\\C0;I", nullptr, 3}, {"\\C256;I", &block, 3},
      {"\\C1;I", &block, 1}, {"\\C2;I", nullptr, 2}, {"\\C999;I", nullptr, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.contents);
    FcMText& text = Make(c.contents);
    text.SetColor(1);
    if (c.block != nullptr) c.block->AddEntity(&text);
    PenSink sink(&graph, 0.01);
    text.Draw(&sink);
    if (c.block != nullptr) c.block->RemoveEntity(&text);
    ASSERT_FALSE(sink.colours.empty());
    for (const std::int16_t colour : sink.colours) EXPECT_EQ(colour, c.colour);
  }
}

TEST_F(MTextLayoutTest, AttachmentPlacesTheBlockAndEmptyTextMeasuresNothing) {
  FcMText& text = Make("HH\\PH");
  text.SetAttachment(kMTextMiddleCenter);
  text.SetInsertionPoint({10, 20});
  const auto box = Measure(text);
  ExpectPointNear({(box[0].x + box[2].x) / 2.0, (box[0].y + box[2].y) / 2.0}, {10, 20}, 1e-9);

  FcMText& empty = Make("");
  std::array<FcPoint2d, 4> untouched{FcPoint2d{7, 7}, FcPoint2d{7, 7}, FcPoint2d{7, 7}, FcPoint2d{7, 7}};
  MTextRenderRequest request;
  request.box = &untouched;
  RenderMText(empty, request);
  ExpectPointNear(untouched[2], {7, 7}, 0.0);
  GeomSegmentList segments;
  empty.GetBoundarySegments(FcMatrix2d{}, segments);
  EXPECT_TRUE(segments.empty());
}

}  // namespace
