#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "core/matrix2d.h"
#include "database/graph.h"
#include "entities/polyline.h"
#include "entities/vertex_2d.h"
#include "filers/filer_dwg.h"
#include "platform/thread_slot.h"

namespace {

struct V {
  double x, y, bulge;
};

FcPolyline Make(std::initializer_list<V> vertices, bool closed) {
  FcPolyline polyline;
  for (const V& v : vertices) polyline.AppendVertex({v.x, v.y}, 0.0, 0.0, v.bulge);
  polyline.SetClosed(closed);
  return polyline;
}

TEST(PolylineTest, LengthCountsArcsAndTheClosingSegmentOnlyWhenClosed) {
  struct Case {
    bool closed;
    double bulgeOfLast;
    double expected;
  } cases[] = {
      {true, 1.0, 30.0 + 5.0 * std::numbers::pi},
      {true, 0.0, 40.0},
      // The last vertex's bulge of an open polyline belongs to no segment.
      {false, 1.0, 30.0},
  };
  for (const Case& c : cases) {
    FcPolyline square = Make({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, c.bulgeOfLast}}, c.closed);
    EXPECT_NEAR(square.GetLength(), c.expected, 1e-9) << c.closed << " " << c.bulgeOfLast;
  }
}

TEST(PolylineTest, ReverseMovesEachBulgeToTheReversedSegmentWithTheOtherSign) {
  FcPolyline open = Make({{0, 0, 0.5}, {10, 0, -0.25}, {20, 0, 0.75}}, false);
  open.SetVertexWidths(0, 1.0, 3.0);
  open.Reverse();
  const std::vector<PolylineVertex>& v = open.GetVertices();
  ASSERT_EQ(v.size(), 3u);
  EXPECT_EQ(v[0].x, 20.0);
  EXPECT_DOUBLE_EQ(v[0].bulge, 0.25);
  EXPECT_DOUBLE_EQ(v[1].bulge, -0.5);
  EXPECT_EQ(v[1].startWidth, 3.0);
  EXPECT_EQ(v[1].endWidth, 1.0);
  // Open: the new last vertex keeps its own values.
  EXPECT_DOUBLE_EQ(v[2].bulge, 0.5);

  FcPolyline closed = Make({{0, 0, 0}, {10, 0, 0}, {10, 10, 0.4}}, true);
  closed.Reverse();
  EXPECT_DOUBLE_EQ(closed.GetVertices()[2].bulge, -0.4);
  EXPECT_DOUBLE_EQ(closed.GetVertices()[0].bulge, 0.0);
}

TEST(PolylineTest, TransformKeepsArcsThroughTheImagesOfEndsAndMidpoint) {
  FcPolyline polyline = Make({{0, 0, 0.3}, {10, 0, -1.0}, {20, 0, 0}}, false);
  FcMatrix2d mirror;
  MirrorMatrix(0, 0, 0, 1, mirror);
  polyline.Transform(mirror);
  EXPECT_NEAR(polyline.GetVertices()[0].bulge, -0.3, 1e-12);
  EXPECT_NEAR(polyline.GetVertices()[1].bulge, 1.0, 1e-12);

  FcPolyline semicircle = Make({{0, 0, 1.0}, {10, 0, 0}}, false);
  FcMatrix2d stretch;
  ScaleMatrix(2.0, 1.0, stretch);
  semicircle.Transform(stretch);
  // The arc through (0,0), (10,-5) and (20,0).
  EXPECT_NEAR(semicircle.GetVertices()[0].bulge, 0.5, 1e-12);
}

TEST(PolylineTest, CurveFitWithOneSegmentPerSpanGivesTheVertices) {
  FcPolyline polyline = Make({{0, 0, 0}, {10, 5, 0}, {20, 0, 0}, {30, 8, 0}}, false);
  polyline.SetVertexWidths(0, 1.0, 3.0);
  ASSERT_TRUE(polyline.CurveFit());
  // Without a current drawing the fit takes a new drawing's eight points
  // per span: every vertex is among them, with the taper's start width.
  const std::vector<PolylineVertex>& fit = polyline.GetFitVertices();
  ASSERT_EQ(fit.size(), 3u * 8u + 1u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(fit[static_cast<std::size_t>(i * 8)].x, polyline.GetVertices()[static_cast<std::size_t>(i)].x, 1e-9);
    EXPECT_NEAR(fit[static_cast<std::size_t>(i * 8)].y, polyline.GetVertices()[static_cast<std::size_t>(i)].y, 1e-9);
  }
  for (const PolylineVertex& v : fit) {
    EXPECT_EQ(v.startWidth, 1.0);
    EXPECT_EQ(v.endWidth, 1.0);
  }
  EXPECT_EQ(polyline.GetVertices()[0].endWidth, 3.0);
  EXPECT_EQ(polyline.GetRecordName(), "POLYLINE");
  polyline.Decurve();
  EXPECT_EQ(polyline.GetRecordName(), "LWPOLYLINE");
}

TEST(PolylineTest, SplineFitRunsFromTheFirstToTheLastVertex) {
  FcPolyline polyline = Make({{0, 0, 0.5}, {10, 5, 0}, {20, 0, 0}, {30, 8, 0}}, false);
  ASSERT_TRUE(polyline.SplineFit());
  const std::vector<PolylineVertex>& fit = polyline.GetFitVertices();
  ASSERT_GT(fit.size(), 4u);
  EXPECT_NEAR(fit.front().x, 0.0, 1e-9);
  EXPECT_NEAR(fit.back().x, 30.0, 1e-9);
  EXPECT_NEAR(fit.back().y, 8.0, 1e-9);
  EXPECT_EQ(polyline.GetVertices()[0].bulge, 0.0);
  EXPECT_EQ(polyline.GetCurveType(), kCurveCubic);
}

TEST(PolylineTest, ApplyFitOfAFitNotYetComputedKeepsTheCurve) {
  FcPolyline polyline = Make({{0, 0, 0}, {10, 5, 0}, {20, 0, 0}}, false);
  ASSERT_TRUE(polyline.CurveFit());
  const std::size_t fitCount = polyline.GetFitVertices().size();
  polyline.ApplyFit();
  EXPECT_EQ(polyline.GetVertices().size(), fitCount);
  EXPECT_FALSE(polyline.IsFitted());
}

TEST(PolylineTest, GripsGiveVerticesAndArcMidpointsAndAMovedMidpointBendsTheArc) {
  FcPolyline polyline = Make({{0, 0, 1.0}, {10, 0, 0}}, false);
  FcPoint2dArray grips;
  polyline.GetGripPoints(grips);
  ASSERT_EQ(grips.count, 3);
  EXPECT_NEAR(grips[1].x, 5.0, 1e-12);
  EXPECT_NEAR(grips[1].y, -5.0, 1e-12);
  CIntArray midpoint;
  midpoint.Add(1);
  polyline.MoveGripPoints(midpoint, {0.0, 5.0});
  EXPECT_EQ(polyline.GetVertices()[0].bulge, 0.0);
}

// A drawing's SPLINESEGS steers the fit: 1 gives the vertices themselves,
// and a value that would make more points than a fit may hold is refused,
// leaving the polyline as it was.
TEST(PolylineTest, SplinesegsOfTheDrawingSteersTheFitAndAnUnboundedFitIsRefused) {
  FcGraph graph;
  CurrentThreadSlot().graph = &graph;
  struct Case {
    short splinesegs;
    int vertices;
    bool fitted;
    std::size_t fitCount;
  } cases[] = {
      {1, 4, true, 4},
      {2, 4, true, 3 * 2 + 1},
      {32767, 40, false, 0},
  };
  for (const Case& c : cases) {
    graph.GetSysVars().SetSplineSegs(c.splinesegs);
    FcPolyline polyline;
    for (int i = 0; i < c.vertices; ++i) polyline.AppendVertex({10.0 * i, (i % 2) * 5.0}, 0.0, 0.0, 0.0);
    EXPECT_EQ(polyline.CurveFit(), c.fitted) << c.splinesegs;
    EXPECT_EQ(polyline.IsFitted(), c.fitted) << c.splinesegs;
    ASSERT_EQ(polyline.GetFitVertices().size(), c.fitCount) << c.splinesegs;
    if (c.splinesegs != 1) continue;
    for (int i = 0; i < c.vertices; ++i) {
      EXPECT_EQ(polyline.GetFitVertices()[static_cast<std::size_t>(i)].x, polyline.GetVertices()[static_cast<std::size_t>(i)].x);
      EXPECT_EQ(polyline.GetFitVertices()[static_cast<std::size_t>(i)].y, polyline.GetVertices()[static_cast<std::size_t>(i)].y);
    }
  }
  CurrentThreadSlot() = {};
}

// A DWG VERTEX record whose start width is negative stands for both widths.
TEST(PolylineTest, DwgVertexWithANegativeStartWidthReadsAsBothWidths) {
  const struct {
    double widths[2];
    int count;
    double start, end;
  } cases[] = {{{-2.0, 0.0}, 1, 2.0, 2.0}, {{1.0, 3.0}, 2, 1.0, 3.0}};
  for (const auto& c : cases) {
    FcFilerDwg writer;
    writer.AttachFile(std::make_unique<FcFile>(), FcFileKind::kDwg);
    writer.WriteRawByte(0);
    for (double v : {4.0, 5.0, 0.0}) writer.WriteBitDouble(v);
    for (int i = 0; i < c.count; ++i) writer.WriteBitDouble(c.widths[i]);
    writer.WriteBitDouble(0.5);
    writer.WriteBitDouble(0.0);
    while (writer.GetBitsWritten() % 8 != 0) writer.WriteBit(0);
    FcFilerDwg reader;
    reader.AttachFile(std::make_unique<FcFile>(writer.DetachFile()->TakeBytes()), FcFileKind::kDwg);
    Fc2DVertex vertex;
    ASSERT_EQ(vertex.ReadDwgData(reader), kFcStatusOk);
    EXPECT_EQ(vertex.x, 4.0);
    EXPECT_EQ(vertex.startWidth, c.start);
    EXPECT_EQ(vertex.endWidth, c.end);
    EXPECT_EQ(vertex.bulge, 0.5);
  }
}

}  // namespace
