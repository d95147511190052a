#include "display/primitive_builders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "database/linetype.h"
#include "tests/support/surface_fixture.h"

namespace {

// The primitives the builders filed in the surface's only group.
FcDsGroupEnts& OnlyGroup(FcDisplaySurface& surface) {
  EXPECT_EQ(surface.GetGroupCount(), 1);
  return *surface.GetGroup(0);
}

TEST(PrimitiveBuildersTest, CircleSegmentCounts) {
  struct Case {
    const char* name;
    double radius;
    bool xorMode;
    bool highPrecision;
    int vertices;
  };
  const Case cases[] = {
      {"tiny circle", 0.1, false, false, 9},
      {"zero radius", 0.0, false, false, 9},
      {"large circle in a rubber band", 5000.0, true, false, 65},
      {"large circle on screen", 1e7, false, false, 6401},
      {"large circle printed", 1e9, false, true, 320001},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SurfaceFixture f;
    f.device->xorMode = c.xorMode;
    f.surface.highPrecision = c.highPrecision;
    AddCurveToSurface(&f.surface, {0, 0}, c.radius, 7, 0);
    const auto* polyline = dynamic_cast<FcDsPolyline*>(OnlyGroup(f.surface).GetPrimitive(0));
    ASSERT_NE(polyline, nullptr);
    ASSERT_EQ(static_cast<int>(polyline->GetPoints().size()), c.vertices);
    EXPECT_DOUBLE_EQ(polyline->GetPoints().front().x, polyline->GetPoints().back().x);
  }
}

TEST(PrimitiveBuildersTest, ArcSegmentCapInHighPrecision) {
  SurfaceFixture f;
  f.surface.highPrecision = true;
  AddArcToSurface(&f.surface, {0, 0}, 1e9, 0.0, 3.0, 7, 0);
  const auto* polyline = dynamic_cast<FcDsPolyline*>(OnlyGroup(f.surface).GetPrimitive(0));
  ASSERT_NE(polyline, nullptr);
  EXPECT_EQ(polyline->GetPoints().size(), 25601u);
}

TEST(PrimitiveBuildersTest, LineDashing) {
  struct Case {
    const char* name;
    const char* pattern;
    double scale;
    FcPoint2d end;
    bool dashed;
  };
  // "A,.5,-.25" repeats every 19.05 world units.
  const Case cases[] = {
      {"long line", "A,.5,-.25", 1.0, {100, 0}, true},
      {"pattern longer than the line", "A,.5,-.25", 1.0, {10, 0}, false},
      {"dots only: dashed even when the pattern is longer", "A,0,-.5", 1.0, {10, 0}, true},
      {"pattern below an eighth of a pixel", "A,.5,-.25", 0.006, {100, 0}, false},
      {"too many repetitions", "A,.5,-.25", 1.0, {200000, 0}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SurfaceFixture f;
    FcLineType linetype;
    ASSERT_TRUE(linetype.SetPattern(c.pattern));
    f.surface.currentLinetype = &linetype;
    f.surface.entityLinetypeScale = c.scale;
    AddLineToSurface(&f.surface, {0, 0}, c.end, 3, 7);
    const FcDsGroupEnts& group = OnlyGroup(f.surface);
    const bool solid = group.GetCount() == 1 && dynamic_cast<FcDsLine*>(group.GetPrimitive(0)) != nullptr;
    EXPECT_EQ(!solid, c.dashed);
    EXPECT_EQ(group.GetPrimitive(0)->partTag, 3);
  }
}

TEST(PrimitiveBuildersTest, InsertMatrixAndColourAreApplied) {
  SurfaceFixture f;
  ScaleMatrix(2.0, 3.0, f.surface.insertMatrix);
  f.surface.currentColorIndex = 3;
  AddLineToSurface(&f.surface, {1, 1}, {2, 2}, 0, 7);
  const auto* line = dynamic_cast<FcDsLine*>(OnlyGroup(f.surface).GetPrimitive(0));
  ASSERT_NE(line, nullptr);
  EXPECT_DOUBLE_EQ(line->first.x, 2.0);
  EXPECT_DOUBLE_EQ(line->second.y, 6.0);
  EXPECT_EQ(line->colorIndex, 3);
}

TEST(PrimitiveBuildersTest, BadGeometryIsDropped) {
  SurfaceFixture f;
  AddLineToSurface(&f.surface, {NAN, 0}, {1, 1}, 0, 7);
  AddRayToSurface(&f.surface, {0, 0}, {0, 0}, 7, 0);
  AddCurveToSurface(&f.surface, {0, 0}, INFINITY, 7, 0);
  AddPolylineToSurface(&f.surface, nullptr, 3, false, 7, 0);
  EXPECT_EQ(f.surface.GetGroupCount(), 0);
}

// A device that draws circles and arcs as curves of its own.
class CurveRecordingDevice : public RecordingDevice {
 public:
  bool DrawsCurves() const override { return true; }
};

// The chords of a curve for such a device wait until something needs them:
// a curve across the view's edge still draws them, and they are the very
// chords every other device gets at once.
TEST(PrimitiveBuildersTest, CurveChordsWaitUntilNeeded) {
  struct Case {
    const char* name;
    FcPoint2d centre;
    double radius;
    bool full;
    const char* drawnAs;  // the device call that draws it; empty when none
  };
  const Case cases[] = {
      {"circle in view", {200, 150}, 50, true, "Circle"},
      {"arc in view", {200, 150}, 50, false, "Arc"},
      {"circle across the edge", {390, 150}, 50, true, "Polyline"},
      {"arc across the edge", {370, 150}, 50, false, "Polyline"},
      {"arc beside the view, its circle across the edge", {390, 150}, 50, false, ""},
      {"circle out of view", {900, 900}, 50, true, ""},
  };
  const auto add = [](FcDisplaySurface& surface, const Case& c) {
    TranslationMatrix(-5.0, 5.0, surface.insertMatrix);
    if (c.full) {
      AddCurveToSurface(&surface, c.centre, c.radius, 7, 0);
    } else {
      AddArcToSurface(&surface, c.centre, c.radius, -1.0, 1.0, 7, 0);
    }
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SurfaceFixture eager;
    add(eager.surface, c);
    SurfaceFixture f;
    auto recording = std::make_unique<CurveRecordingDevice>();
    RecordingDevice& device = *recording;
    f.surface.SetDevice(std::move(recording));
    add(f.surface, c);
    FcDsEntity& curve = *OnlyGroup(f.surface).GetPrimitive(0);
    curve.Draw(f.surface);
    const auto drawn = std::find_if(device.calls.begin(), device.calls.end(), [](const std::string& call) {
      return call.starts_with("Circle") || call.starts_with("Arc") || call.starts_with("Polyline");
    });
    EXPECT_EQ(drawn == device.calls.end() ? "" : drawn->substr(0, drawn->find(' ')), c.drawnAs);
    const auto& chords = dynamic_cast<FcDsPolyline&>(curve).GetPoints();
    const auto& expected = dynamic_cast<FcDsPolyline&>(*OnlyGroup(eager.surface).GetPrimitive(0)).GetPoints();
    ASSERT_EQ(chords.size(), expected.size());
    for (std::size_t i = 0; i < chords.size(); ++i) {
      EXPECT_EQ(chords[i].x, expected[i].x);
      EXPECT_EQ(chords[i].y, expected[i].y);
    }
  }
}

PolylineVertex Vertex(double x, double y, double width, int index) {
  PolylineVertex v;
  v.x = x;
  v.y = y;
  v.startWidth = width;
  v.endWidth = width;
  v.index = index;
  return v;
}

TEST(PrimitiveBuildersTest, WidePolylineOutlines) {
  SurfaceFixture f;
  // Thin segment, then two collinear wide ones.
  const PolylineVertex vertices[4] = {Vertex(0, 0, 0.01, 0), Vertex(10, 0, 2, 1), Vertex(20, 0, 2, 2),
                                      Vertex(30, 0, 0, 3)};
  AddWidePolylineToSurface(&f.surface, vertices, 4, false, 7);
  const FcDsGroupEnts& group = OnlyGroup(f.surface);
  ASSERT_EQ(group.GetCount(), 3);
  EXPECT_NE(dynamic_cast<FcDsLine*>(group.GetPrimitive(0)), nullptr);
  const auto* first = dynamic_cast<FcDsConvexPolygon*>(group.GetPrimitive(1));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->partTag, 1);
  // Collinear neighbours: square ends, counterclockwise from start left.
  const std::vector<FcPoint2d>& corners = first->GetPoints();
  ASSERT_EQ(corners.size(), 4u);
  EXPECT_NEAR(corners[0].x, 10, 1e-12);
  EXPECT_NEAR(corners[0].y, 1, 1e-12);
  EXPECT_NEAR(corners[1].y, -1, 1e-12);
  EXPECT_NEAR(corners[2].x, 20, 1e-12);
  EXPECT_NEAR(corners[2].y, -1, 1e-12);
  EXPECT_NEAR(corners[3].y, 1, 1e-12);
}

TEST(PrimitiveBuildersTest, WideCornerIsMitred) {
  SurfaceFixture f;
  const PolylineVertex vertices[3] = {Vertex(0, 0, 2, 0), Vertex(10, 0, 2, 1), Vertex(10, 10, 2, 2)};
  AddWidePolylineToSurface(&f.surface, vertices, 3, false, 7);
  const auto* first = dynamic_cast<FcDsConvexPolygon*>(OnlyGroup(f.surface).GetPrimitive(0));
  ASSERT_NE(first, nullptr);
  // The end corners meet the next segment's edges at (9, 1) and (11, -1).
  EXPECT_NEAR(first->GetPoints()[2].x, 11, 1e-9);
  EXPECT_NEAR(first->GetPoints()[2].y, -1, 1e-9);
  EXPECT_NEAR(first->GetPoints()[3].x, 9, 1e-9);
  EXPECT_NEAR(first->GetPoints()[3].y, 1, 1e-9);
}

TEST(PrimitiveBuildersTest, ClosedWideTriangleDrawsItsClosingSegment) {
  SurfaceFixture f;
  const PolylineVertex vertices[3] = {Vertex(0, 0, 0, 0), Vertex(10, 0, 0, 1), Vertex(5, 8, 2, 2)};
  AddVertexArrayToSurface(&f.surface, vertices, 3, true, 7, 0);
  const FcDsGroupEnts& group = OnlyGroup(f.surface);
  ASSERT_EQ(group.GetCount(), 2);
  const auto* thin = dynamic_cast<FcDsPolyline*>(group.GetPrimitive(0));
  ASSERT_NE(thin, nullptr);
  EXPECT_EQ(thin->GetPoints().size(), 3u);
  EXPECT_NE(dynamic_cast<FcDsConvexPolygon*>(group.GetPrimitive(1)), nullptr);
}

TEST(PrimitiveBuildersTest, MiterPoint) {
  struct Case {
    const char* name;
    FcPoint2d p1, q1, p2, q2;
    bool found;
    FcPoint2d expected;
  };
  const Case cases[] = {
      {"crossing", {0, 0}, {10, 0}, {5, -5}, {5, 5}, true, {5, 0}},
      {"parallel", {0, 0}, {10, 0}, {0, 1}, {10, 1}, false, {}},
      {"just within reach", {0, 0}, {10, 0}, {13.5, -5}, {13.5, 5}, true, {13.5, 0}},
      {"too far beyond the end", {0, 0}, {10, 0}, {13.6, -5}, {13.6, 5}, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcPoint2d out{-1, -1};
    EXPECT_EQ(MiterPoint(c.p1, c.q1, c.p2, c.q2, out), c.found);
    if (!c.found) continue;
    EXPECT_NEAR(out.x, c.expected.x, 1e-12);
    EXPECT_NEAR(out.y, c.expected.y, 1e-12);
  }
}

TEST(PrimitiveBuildersTest, DashedDotOnAWideLineIsAStrokeAcross) {
  SurfaceFixture f;
  FcLineType linetype;
  ASSERT_TRUE(linetype.SetPattern("A,.5,-.25,0,-.25"));
  f.surface.currentLinetype = &linetype;
  const PolylineVertex vertices[2] = {Vertex(0, 0, 2, 0), Vertex(100, 0, 2, 1)};
  AddWidePolylineToSurface(&f.surface, vertices, 2, false, 7);
  bool strokeFound = false;
  const FcDsGroupEnts& group = OnlyGroup(f.surface);
  for (int i = 0; i < group.GetCount(); ++i) {
    const auto* line = dynamic_cast<FcDsLine*>(group.GetPrimitive(i));
    if (line == nullptr) continue;
    strokeFound = true;
    EXPECT_NEAR(line->first.x, line->second.x, 1e-9);
    EXPECT_NEAR(std::fabs(line->first.y - line->second.y), 2.0, 1e-9);
  }
  EXPECT_TRUE(strokeFound);
}

TEST(PrimitiveBuildersTest, RubberBandsGoStraightToTheDevice) {
  SurfaceFixture f;
  DragDrawLine(&f.surface, {1, 2}, {3.5, 4.5});
  DragDrawCircle(&f.surface, {10, 10}, 5.4);
  const std::vector<std::string> expected = {"MoveTo 1 2", "LineTo 4 4", "Circle 10 10 5"};
  EXPECT_EQ(f.device->calls, expected);
  EXPECT_EQ(f.surface.GetGroupCount(), 0);
}

}  // namespace
