#include "database/point_chain_drawing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/curve_sink.h"

namespace {

// Keeps what a glyph draws: its pens, polylines and filled ring sets.
class GlyphSink : public CurveSink {
 public:
  GlyphSink() : CurveSink(nullptr, 0.0) {}
  void SetPen(const FcPen& pen) override { colours.push_back(pen.color); }
  void SetContinuousLinetype() override { ++continuous; }
  void AddPolyPolygon(const FcPoint2d*, const std::int32_t* ringCounts, int ringCount, FcHandle, int) override {
    ringSets.emplace_back(ringCounts, ringCounts + ringCount);
    order.push_back('R');
  }
  void AddPolyline(const FcPoint2d* points, int count, bool closed, FcHandle handle, int subIndex) override {
    CurveSink::AddPolyline(points, count, closed, handle, subIndex);
    order.push_back('P');
  }
  void AddStrokes(const FcPoint2d* points, const std::int32_t* counts, int strokeCount, FcHandle, int) override {
    strokeSets.emplace_back(counts, counts + strokeCount);
    lastStrokePoint = points[0];
    order.push_back('S');
  }

  std::vector<std::int16_t> colours;
  int continuous = 0;
  std::vector<std::vector<std::int32_t>> ringSets;
  std::vector<std::vector<std::int32_t>> strokeSets;
  FcPoint2d lastStrokePoint;
  std::string order;
};

PointChain Strokes(std::int16_t colour, double x) {
  PointChain node;
  node.kind = PointChain::kStrokes;
  node.colour = colour;
  node.AddPoint(0, x, 0);
  node.AddPoint(PointChain::kCloseContour, x, 1);
  node.AddPoint(PointChain::kCloseContour, x, 2);
  node.AddPoint(0, x, 3);
  return node;
}

TEST(PointChainDrawingTest, StrokesDrawPerContourAndRingsFillTogether) {
  PointChain strokes;
  strokes.kind = PointChain::kStrokes;
  strokes.colour = 3;
  strokes.AddPoint(0, 0, 0);
  strokes.AddPoint(PointChain::kCloseContour, 1, 0);
  strokes.AddPoint(0, 0, 1);
  strokes.AddPoint(0, 1, 1);
  strokes.AddPoint(PointChain::kCloseContour, 2, 1);
  strokes.AddPoint(0, 9, 9);
  strokes.AddPoint(0, 8, 8);
  GlyphSink sink;
  DrawPointChain(sink, strokes, 7);
  ASSERT_EQ(sink.polylines.size(), 2u) << "the open contour is not drawn";
  EXPECT_EQ(sink.polylines[1].points.size(), 3u);
  EXPECT_EQ(sink.polylines[1].points[2].x, 2.0);
  EXPECT_EQ(sink.colours, std::vector<std::int16_t>{3});
  EXPECT_EQ(sink.continuous, 1);

  PointChain rings;
  for (int i = 0; i < 4; ++i) rings.AddPoint(i == 3 ? PointChain::kCloseContour : 0, i, i * i);
  for (int i = 0; i < 3; ++i) rings.AddPoint(i == 2 ? PointChain::kCloseContour : 0, i, 1);
  GlyphSink filled;
  DrawPointChain(filled, rings, 7);
  EXPECT_TRUE(filled.polylines.empty());
  ASSERT_EQ(filled.ringSets.size(), 1u);
  EXPECT_EQ(filled.ringSets[0], (std::vector<std::int32_t>{4, 3}));
  EXPECT_TRUE(filled.colours.empty()) << "colour -1 keeps the current colour";
}

// Strokes in the current colour join the run before them; a node with a
// colour of its own or filled rings ends the run and draws as before.
TEST(PointChainDrawingTest, ATextsStrokesInTheCurrentColourGoAsOneSet) {
  PointChain rings;
  for (int i = 0; i < 3; ++i) rings.AddPoint(i == 2 ? PointChain::kCloseContour : 0, i, 1);
  const std::vector<PointChain> nodes = {Strokes(-1, 1), Strokes(-1, 2), Strokes(4, 3), rings, Strokes(-1, 5)};
  GlyphSink sink;
  DrawPointChains(sink, nodes, 7);
  EXPECT_EQ(sink.order, "SPPRS");
  EXPECT_EQ(sink.strokeSets, (std::vector<std::vector<std::int32_t>>{{2, 1, 2, 1}, {2, 1}}));
  EXPECT_EQ(sink.lastStrokePoint.x, 5.0);
  EXPECT_EQ(sink.colours, std::vector<std::int16_t>{4});
  EXPECT_EQ(sink.continuous, 5);
}

}  // namespace
