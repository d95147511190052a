#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "commands/modify/polyline_edits.h"
#include "core/point2d.h"
#include "entities/arc.h"
#include "entities/line.h"
#include "entities/polyline.h"
#include "tests/support/polyline_expect.h"

namespace {

struct V {
  double x, y, bulge = 0.0, startWidth = 0.0, endWidth = 0.0;
};

std::unique_ptr<FcPolyline> MakePolyline(const std::vector<V>& vertices, bool closed = false) {
  auto polyline = std::make_unique<FcPolyline>();
  for (const V& v : vertices) polyline->AppendVertex({v.x, v.y}, v.startWidth, v.endWidth, v.bulge);
  polyline->SetClosed(closed);
  return polyline;
}

std::vector<std::pair<double, double>> Widths(const FcPolyline& polyline) {
  std::vector<std::pair<double, double>> widths;
  for (const PolylineVertex& v : polyline.GetVertices()) widths.emplace_back(v.startWidth, v.endWidth);
  return widths;
}

void ExpectWidths(const FcPolyline& polyline, const std::vector<std::pair<double, double>>& expected,
                  const std::string& what) {
  const auto widths = Widths(polyline);
  ASSERT_EQ(widths.size(), expected.size()) << what;
  for (std::size_t i = 0; i < widths.size(); ++i) {
    EXPECT_NEAR(widths[i].first, expected[i].first, 1e-9) << what << " start " << i;
    EXPECT_NEAR(widths[i].second, expected[i].second, 1e-9) << what << " end " << i;
  }
}

TEST(TaperPolylineTest, WidthsGrowWithTheLengthAlongThePolyline) {
  const double quarter = kPi / 2 * 10;  // a quarter circle of radius 10
  struct Case {
    const char* what;
    std::vector<V> vertices;
    bool closed;
    double a, b;
    std::vector<std::pair<double, double>> widths;
  };
  const Case cases[] = {
      {"two equal segments", {{0, 0}, {10, 0}, {20, 0}}, false, 0, 2, {{0, 1}, {1, 2}, {0, 0}}},
      {"narrowing", {{0, 0}, {10, 0}, {20, 0}}, false, 4, 0, {{4, 2}, {2, 0}, {0, 0}}},
      // The arc counts with its own length, not its chord.
      {"an arc then a line as long",
       {{0, 0, std::tan(kPi / 8)}, {10, 10}, {10, 10 + quarter}},
       false,
       0,
       2,
       {{0, 1}, {1, 2}, {0, 0}}},
      {"closing segment included", {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true, 0, 4, {{0, 1}, {1, 2}, {2, 3}, {3, 4}}},
      // Through zero a width keeps its size, not its sign.
      {"from negative to positive", {{0, 0}, {10, 0}, {20, 0}}, false, -2, 2, {{2, 0}, {0, 2}, {0, 0}}},
      // All on one point: no length to share out, and no NaN either.
      {"no length", {{5, 5}, {5, 5}}, false, 1, 3, {{1, 1}, {0, 0}}},
  };
  for (const Case& c : cases) {
    auto polyline = MakePolyline(c.vertices, c.closed);
    TaperPolyline(*polyline, c.a, c.b);
    ExpectWidths(*polyline, c.widths, c.what);
  }
}

TEST(StraightenBetweenTest, VerticesBetweenGoAndTheLowVertexLosesItsArc) {
  auto polyline = MakePolyline({{0, 0}, {10, 0}, {20, 0, 0.5}, {30, 5}, {40, 0}, {50, 0}, {60, 0}});
  StraightenBetween(*polyline, 2, 5);
  ExpectVertices(*polyline, {{0, 0, 0}, {10, 0, 0}, {20, 0, 0}, {50, 0, 0}, {60, 0, 0}});
}

TEST(BreakBetweenTest, RemovesTheSegmentsBetweenOrSplitsKeepingAClosedPolylinesClosingSegment) {
  const std::vector<V> square = {{0, 0}, {10, 0, 0.5}, {10, 10}, {0, 10, -0.5}};
  struct Case {
    const char* what;
    bool closed;
    int low, high;
    std::vector<VertexXYB> kept;
    std::vector<VertexXYB> piece;  // empty: no piece
  };
  const Case cases[] = {
      {"open, same vertex in the middle", false, 1, 1, {{0, 0, 0}, {10, 0, 0.5}}, {{10, 0, 0.5}, {10, 10, 0}, {0, 10, -0.5}}},
      {"open, up to the last vertex", false, 1, 3, {{0, 0, 0}, {10, 0, 0.5}}, {}},
      {"open, from vertex 0", false, 0, 2, {{10, 10, 0}, {0, 10, -0.5}}, {}},
      {"open, inside", false, 1, 2, {{0, 0, 0}, {10, 0, 0.5}}, {{10, 10, 0}, {0, 10, -0.5}}},
      {"closed, same vertex",
       true,
       2,
       2,
       {{0, 0, 0}, {10, 0, 0.5}, {10, 10, 0}},
       {{10, 10, 0}, {0, 10, -0.5}, {0, 0, 0}}},
      {"closed, up to the last vertex", true, 1, 3, {{0, 10, -0.5}, {0, 0, 0}, {10, 0, 0.5}}, {}},
      {"closed, from vertex 0", true, 0, 2, {{10, 10, 0}, {0, 10, -0.5}, {0, 0, 0}}, {}},
      {"closed, inside", true, 1, 2, {{0, 0, 0}, {10, 0, 0.5}}, {{10, 10, 0}, {0, 10, -0.5}, {0, 0, 0}}},
  };
  for (const Case& c : cases) {
    auto polyline = MakePolyline(square, c.closed);
    std::unique_ptr<FcPolyline> piece;
    ASSERT_TRUE(BreakBetween(*polyline, c.low, c.high, piece)) << c.what;
    EXPECT_FALSE(polyline->IsClosed()) << c.what;
    ExpectVertices(*polyline, c.kept, c.what);
    if (c.piece.empty()) {
      EXPECT_EQ(piece, nullptr) << c.what;
      continue;
    }
    ASSERT_NE(piece, nullptr) << c.what;
    EXPECT_FALSE(piece->IsClosed()) << c.what;
    ExpectVertices(*piece, c.piece, c.what + std::string(", piece"));
  }
}

TEST(BreakBetweenTest, IsRefusedAtTheEndsOfAnOpenPolylineAndWhereOneVertexWouldBeLeft) {
  const std::pair<int, int> refused[] = {{0, 0}, {3, 3}, {0, 3}};
  for (const auto& [low, high] : refused) {
    auto polyline = MakePolyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    std::unique_ptr<FcPolyline> piece;
    EXPECT_FALSE(BreakBetween(*polyline, low, high, piece)) << low << "-" << high;
    EXPECT_EQ(polyline->GetVertexCount(), 4);
    EXPECT_EQ(piece, nullptr);
  }
  auto closed = MakePolyline({{0, 0}, {10, 0}, {10, 10}}, true);
  std::unique_ptr<FcPolyline> piece;
  EXPECT_FALSE(BreakBetween(*closed, 0, 0, piece));
  EXPECT_TRUE(closed->IsClosed());
}

TEST(JoinPieceTest, APieceContinuesThePolylineFromTheEndItTouches) {
  // The polyline runs from (0,0) to (10,0); the arc is the upper half
  // circle between (10,0) and (20,0), counter-clockwise from (20,0).
  FcLine line;
  FcArc arc;
  arc.SetCenter({15, 0});
  arc.SetRadius(5);
  arc.SetStartAngle(0);
  arc.SetEndAngle(kPi);
  auto forward = MakePolyline({{10, 0, 0, 1, 2}, {20, 0, 0.5, 3, 4}, {30, 0}});
  struct Case {
    const char* what;
    const FcEntity* piece;
    FcPoint2d lineStart, lineEnd;
    std::vector<VertexXYB> joined;
  };
  const Case cases[] = {
      {"line from the last vertex", &line, {10, 0}, {10, 5}, {{0, 0, 0}, {10, 0, 0}, {10, 5, 0}}},
      {"line to the last vertex", &line, {10, 5}, {10, 0}, {{0, 0, 0}, {10, 0, 0}, {10, 5, 0}}},
      {"line from the first vertex", &line, {0, 0}, {0, 5}, {{0, 5, 0}, {0, 0, 0}, {10, 0, 0}}},
      {"line to the first vertex", &line, {0, 5}, {0, 0}, {{0, 5, 0}, {0, 0, 0}, {10, 0, 0}}},
      // The arc ends on the polyline's last vertex: it is walked backwards.
      {"arc ending on the last vertex", &arc, {}, {}, {{0, 0, 0}, {10, 0, -1}, {20, 0, 0}}},
  };
  for (const Case& c : cases) {
    line.SetStartPoint(c.lineStart);
    line.SetEndPoint(c.lineEnd);
    auto polyline = MakePolyline({{0, 0}, {10, 0}});
    EXPECT_EQ(JoinPiece(*polyline, *c.piece), 1) << c.what;
    ExpectVertices(*polyline, c.joined, c.what);
  }

  // A polyline joined backwards: bulges turn over and widths swap ends.
  auto polyline = MakePolyline({{40, 0}, {30, 0}});
  EXPECT_EQ(JoinPiece(*polyline, *forward), 2);
  ExpectVertices(*polyline, {{40, 0, 0}, {30, 0, -0.5}, {20, 0, 0}, {10, 0, 0}});
  ExpectWidths(*polyline, {{0, 0}, {4, 3}, {2, 1}, {0, 0}}, "reversed polyline");

  line.SetStartPoint({50, 50});
  line.SetEndPoint({60, 50});
  auto untouched = MakePolyline({{0, 0}, {10, 0}});
  auto closedPiece = MakePolyline({{10, 0}, {20, 0}, {20, 10}}, true);
  EXPECT_EQ(JoinPiece(*untouched, line), 0);
  EXPECT_EQ(JoinPiece(*untouched, *closedPiece), 0);
  EXPECT_EQ(JoinPiece(*untouched, *untouched), 0);
  EXPECT_EQ(untouched->GetVertexCount(), 2);
}

}  // namespace
