#include "database/point_chain_drawing.h"

#include <gtest/gtest.h>

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
  }

  std::vector<std::int16_t> colours;
  int continuous = 0;
  std::vector<std::vector<std::int32_t>> ringSets;
};

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

}  // namespace
