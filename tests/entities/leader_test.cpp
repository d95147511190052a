#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "database/dim_style.h"
#include "database/graph.h"
#include "database/layer.h"
#include "entities/leader.h"
#include "files/object_registrations.h"
#include "tests/support/entity_record_support.h"
#include "tests/support/primitive_sink.h"

namespace {

const FcPoint2d kA{0, 0};
const FcPoint2d kB{4, 3};
const FcPoint2d kC{9, 3};
const FcPoint2d kD{10, 3};

class LeaderTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterObjectFactories(); }
  void SetUp() override {
    style().dimasz = 0.18;
    style().dimscale = 2.0;
  }

  FcDimStyle& style() { return *graph.GetCurrentDimStyle(); }

  // A leader in the drawing through the points, with the current style.
  FcLeader* Add(const std::vector<FcPoint2d>& points) {
    auto* leader = new FcLeader;
    for (const FcPoint2d& p : points) leader->AppendVertex(p);
    leader->SetDimStyle(graph.GetCurrentDimStyle());
    leader->SetHookDirection(0);
    graph.AddEntity(leader, false);
    return leader;
  }

  FcGraph graph;
};

// The DWG record leaves the hook vertex out; the reader puts it back at
// DIMASZ x DIMSCALE from the last vertex, against the hook's run.
TEST_F(LeaderTest, DwgRecordLeavesOutAndRecreatesTheHookVertex) {
  struct Case {
    const char* name;
    std::int16_t hookLine;
    std::int16_t pathType;
    std::int16_t hookDirection;
    std::vector<FcPoint2d> expected;
  };
  const Case cases[] = {
      {"hook along the direction", 1, 0, 0, {kA, kB, {9.64, 3}, kD}},
      {"hook against the direction", 1, 0, 1, {kA, kB, {10.36, 3}, kD}},
      {"no hook line", 0, 0, 0, {kA, kB, kC, kD}},
      {"spline path", 1, 1, 0, {kA, kB, kC, kD}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcLeader* leader = Add({kA, kB, kC, kD});
    leader->SetHookLine(c.hookLine);
    leader->SetPathType(c.pathType);
    leader->SetHookDirection(c.hookDirection);
    const std::unique_ptr<FcLeader> read = DwgRoundTrip(*leader, graph);
    ASSERT_NE(read, nullptr);
    ASSERT_EQ(read->GetVertexCount(), static_cast<int>(c.expected.size()));
    for (std::size_t i = 0; i < c.expected.size(); ++i) ExpectPointNear(read->GetVertices()[i], c.expected[i], 1e-12);
    EXPECT_EQ(read->GetDimStyle(), leader->GetDimStyle());
  }
}

// Without a segment there is no direction for the arrowhead or the hook:
// nothing is drawn. A record of one hooked vertex gets its hook vertex in
// front of it.
TEST_F(LeaderTest, FewerThanTwoVerticesDrawNothingAndReadSafely) {
  for (const std::vector<FcPoint2d>& points : {std::vector<FcPoint2d>{}, std::vector<FcPoint2d>{kD}}) {
    FcLeader* leader = Add(points);
    leader->SetAnnotationWidth(1.0);
    PrimitiveSink sink(&graph);
    EXPECT_TRUE(leader->Draw(&sink));
    EXPECT_TRUE(sink.lines.empty() && sink.polygons.empty() && sink.polylines.empty());
    const std::unique_ptr<FcLeader> read = DwgRoundTrip(*leader, graph);
    ASSERT_NE(read, nullptr);
    const std::vector<FcPoint2d> expected =
        points.empty() ? std::vector<FcPoint2d>{} : std::vector<FcPoint2d>{{9.64, 3}, kD};
    ASSERT_EQ(read->GetVertexCount(), static_cast<int>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) ExpectPointNear(read->GetVertices()[i], expected[i], 1e-12);
  }
}

// The record holds A, B, D of a hooked A, B, C, D; every short read of it
// is refused.
TEST_F(LeaderTest, DwgDataHoldsThePointsWithoutTheHookVertex) {
  FcLeader* leader = Add({kA, kB, kC, kD});
  const std::vector<char> bytes = DwgBits([leader](FcFilerDwg& writer) { leader->WriteDwgData(writer); });
  for (std::size_t length = 0; length + 1 < bytes.size(); ++length) {
    FcLeader read;
    ASSERT_EQ(ReadDwgDataPrefix(read, bytes, length, FcFilerDwg::kVersion2000), kFcStatusReadError) << length;
  }
  FcLeader read;
  ASSERT_EQ(ReadDwgDataPrefix(read, bytes, bytes.size(), FcFilerDwg::kVersion2000), kFcStatusOk);
  EXPECT_EQ(read.GetVertices(), (std::vector<FcPoint2d>{kA, kB, kD}));
}

// The hook vertex is no grip: dragging the last grip takes it along.
TEST_F(LeaderTest, GripsSkipTheHookVertex) {
  FcLeader* hooked = Add({kA, kB, kC, kD});
  EXPECT_EQ(GripsOf(*hooked), (std::vector<FcPoint2d>{kA, kB, kD}));
  EXPECT_EQ(hooked->MoveGripPoints(Indices({2}), {1, 2}), 1);
  EXPECT_EQ(hooked->GetVertices(), (std::vector<FcPoint2d>{kA, kB, {10, 5}, {11, 5}}));
  hooked->MoveGripPoints(Indices({-1, 7}), {1, 2});
  EXPECT_EQ(hooked->GetVertices()[0], kA);

  FcLeader* plain = Add({kA, kB, kC, kD});
  plain->SetHookLine(0);
  EXPECT_EQ(GripsOf(*plain), (std::vector<FcPoint2d>{kA, kB, kC, kD}));
  plain->MoveGripPoints(Indices({2}), {1, 2});
  EXPECT_EQ(plain->GetVertices(), (std::vector<FcPoint2d>{kA, kB, {10, 5}, kD}));
}

// A straight path: one line per segment, the hook line as long as the
// annotation is wide, the arrowhead at the first vertex pointing away from
// the second, all in the style's line colour.
TEST_F(LeaderTest, StraightPathDrawsSegmentsHookAndArrow) {
  style().dimclrd = 3;
  FcLeader* leader = Add({kA, kB, kD});
  leader->SetAnnotationWidth(2.5);
  PrimitiveSink sink(&graph);
  leader->Draw(&sink);
  ASSERT_EQ(sink.polygons.size(), 1u);
  std::vector<FcPoint2d> back;
  for (const FcPoint2d& p : sink.polygons[0].points) {
    if (p != kA) back.push_back(p);
  }
  ASSERT_EQ(back.size(), 2u);
  ExpectPointNear({(back[0].x + back[1].x) / 2, (back[0].y + back[1].y) / 2}, {0.36 * 0.8, 0.36 * 0.6}, 1e-12);
  const std::vector<PrimitiveSink::Line>& lines = sink.lines;
  const PrimitiveSink::Line& hook = lines.back();
  EXPECT_EQ(hook.subIndex, 4);
  ExpectPointNear(hook.start, kD, 0.0);
  ExpectPointNear(hook.end, {12.5, 3}, 1e-12);
  const PrimitiveSink::Line& last = lines[lines.size() - 2];
  EXPECT_EQ(last.subIndex, 1);
  ExpectPointNear(last.start, kB, 0.0);
  ExpectPointNear(last.end, kD, 0.0);
  for (const PrimitiveSink::Line& line : lines) EXPECT_EQ(line.color, 3);
  EXPECT_EQ(sink.polygons[0].color, 3);

  // The arrowhead is drawn, never kept: no handle is used up, no layer
  // lists it.
  const FcHandle seed = graph.GetHandleSeed();
  const int members = graph.GetCurrentLayer()->GetEntityHandles().count;
  leader->Draw(&sink);
  EXPECT_EQ(graph.GetHandleSeed(), seed);
  EXPECT_EQ(graph.GetCurrentLayer()->GetEntityHandles().count, members);

  leader->SetHookDirection(1);
  leader->SetAnnotationWidth(0.0);
  PrimitiveSink reversed(&graph);
  leader->Draw(&reversed);
  ExpectPointNear(reversed.lines.back().end, kD, 0.0);
}

// A spline path through two vertices: one tessellated curve of at least
// six points from the first to exactly the last vertex.
TEST_F(LeaderTest, SplinePathEndsOnTheLastVertex) {
  FcLeader* leader = Add({kA, kD});
  leader->SetPathType(1);
  leader->SetHookLine(0);
  PrimitiveSink sink(&graph);
  leader->Draw(&sink);
  ASSERT_EQ(sink.polylines.size(), 1u);
  const std::vector<FcPoint2d>& points = sink.polylines[0].points;
  EXPECT_GE(points.size(), 6u);
  ExpectPointNear(points.front(), kA, 1e-9);
  EXPECT_EQ(points.back(), kD);
}

TEST_F(LeaderTest, TransformScalesTheAnnotationAndTurnsTheVectors) {
  FcLeader* leader = Add({kA, kB, kD});
  leader->SetAnnotationWidth(1.0);
  leader->SetAnnotationHeight(0.5);
  FcMatrix2d m;
  RotationMatrix(0.0, 0.0, kHalfPi, m);
  m.a *= 2, m.b *= 2, m.d *= 2, m.e *= 2, m.c = 5;
  leader->Transform(m);
  ExpectPointNear(leader->GetVertices()[1], {5 - 6, 8}, 1e-12);
  ExpectPointNear(leader->GetHorizontalDirection(), {0, 2}, 1e-12);
  EXPECT_NEAR(leader->GetAnnotationWidth(), 2.0, 1e-12);
  EXPECT_NEAR(leader->GetAnnotationHeight(), 1.0, 1e-12);
}

// Flags read as on or off, a style the drawing lacks gives the current
// one, the vertices come from the 10 groups whatever 76 says.
TEST_F(LeaderTest, DxfGroupsReadAsTheRecordMeansThem) {
  FcLeader leader;
  ASSERT_EQ(ReadFromGroups(leader,
                           {{5, "2C"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbLeader"}, {3, "NoSuchStyle"}, {72, "2"},
                            {75, "5"}, {76, "32000"}, {10, "1"}, {20, "2"}, {10, "3"}, {20, "4"}, {211, "0"},
                            {221, "1"}, {231, "0"}, {0, "EOF"}},
                           graph),
            kFcStatusOk);
  EXPECT_EQ(leader.GetPathType(), 1);
  EXPECT_EQ(leader.GetHookLine(), 1);
  EXPECT_EQ(leader.GetDimStyle(), graph.GetCurrentDimStyle());
  EXPECT_EQ(leader.GetVertices(), (std::vector<FcPoint2d>{{1, 2}, {3, 4}}));
  ExpectPointNear(leader.GetHorizontalDirection(), {0, 1}, 0.0);
  FcLeader unmarked;
  EXPECT_EQ(ReadFromGroups(unmarked, {{5, "2D"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbLine"}, {0, "EOF"}}, graph),
            kFcStatusEnd);
}

TEST_F(LeaderTest, DxfRecordRoundTrip) {
  FcLeader* leader = Add({kA, kB, kC, kD});
  leader->SetAnnotationWidth(1.5);
  leader->SetHookDirection(1);
  std::string written;
  const std::unique_ptr<FcLeader> read = DxfRoundTrip(*leader, FcFileKind::kAsciiDxf, graph, &written);
  ASSERT_NE(read, nullptr) << written;
  EXPECT_EQ(read->GetVertices(), leader->GetVertices());
  EXPECT_EQ(read->GetHookDirection(), 1);
  EXPECT_EQ(read->GetAnnotationWidth(), 1.5);
  EXPECT_EQ(read->GetDimStyle(), leader->GetDimStyle());
}

class LeaderListTest : public EntityListTest {};

TEST_F(LeaderListTest, ListsVerticesFlagsAndStyle) {
  FcLeader leader;
  leader.AppendVertex({1, 2});
  leader.SetDimStyle(graph.GetCurrentDimStyle());
  leader.SetPathType(1);
  EXPECT_EQ(OwnLines(leader, 6), (std::vector<std::string>{"Horizontal direction : X= 1.0000   Y=0.0000",
                                                             "  Vertex:   X= 1.0000   Y=2.0000", "Hook Line: On",
                                                             "Arrow:     On", "Path type: Spline",
                                                             "dimension style: " + graph.GetCurrentDimStyle()->GetName()}));
}

}  // namespace
