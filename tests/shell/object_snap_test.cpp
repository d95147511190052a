#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "database/graph.h"
#include "display/display_surface.h"
#include "entities/arc.h"
#include "entities/circle.h"
#include "entities/geom_segment_ops.h"
#include "entities/line.h"
#include "entities/point_entity.h"
#include "entities/polyline.h"
#include "entities/solid.h"
#include "entities/ray.h"
#include "platform/program_settings.h"
#include "shell/object_snap.h"
#include "shell/snap_segment.h"
#include "tests/support/point_expect.h"
#include "core/intersections.h"
#include "tests/support/recording_device.h"
#include "tests/support/test_entity.h"

namespace {

using MakeEntity = std::function<FcEntity*()>;

MakeEntity Line(FcPoint2d start, FcPoint2d end) {
  return [=] {
    auto* line = new FcLine;
    line->SetStartPoint(start);
    line->SetEndPoint(end);
    return line;
  };
}

MakeEntity Circle(FcPoint2d centre, double radius) {
  return [=] {
    auto* circle = new FcCircle;
    circle->SetCenter(centre);
    circle->SetRadius(radius);
    return circle;
  };
}

MakeEntity Arc(FcPoint2d centre, double radius, double startDegrees, double endDegrees) {
  return [=] {
    auto* arc = new FcArc;
    arc->SetCenter(centre);
    arc->SetRadius(radius);
    arc->SetStartAngle(startDegrees * std::numbers::pi / 180.0);
    arc->SetEndAngle(endDegrees * std::numbers::pi / 180.0);
    return arc;
  };
}

MakeEntity Ray(FcPoint2d base, FcPoint2d direction) {
  return [=] {
    auto* ray = new FcRay;
    ray->SetBasePoint(base);
    ray->SetDirection(direction);
    return ray;
  };
}

// Vertices with the bulge of the segment each one starts.
MakeEntity Polyline(std::vector<std::pair<FcPoint2d, double>> vertices) {
  return [=] {
    auto* polyline = new FcPolyline;
    for (const auto& [point, bulge] : vertices) polyline->AppendVertex(point, 0, 0, bulge);
    return polyline;
  };
}

MakeEntity Solid(FcPoint2d a, FcPoint2d b, FcPoint2d c, FcPoint2d d) {
  return [=] {
    auto* solid = new FcSolid;
    for (int k = 0; k < 4; ++k) solid->SetCorner(k, std::array<FcPoint2d, 4>{a, b, c, d}[k]);
    return solid;
  };
}

MakeEntity Node(FcPoint2d location) {
  return [=] {
    auto* point = new FcPointEnt;
    point->SetLocation(location);
    return point;
  };
}

// An entity drawn as one line that stands for the kinds object snap treats
// apart: a curve only it can answer for, or a block reference whose line
// belongs to an inner entity the drawing does not hold.
class StandIn : public TestEntity {
 public:
  enum class Kind { kLine, kCurve, kBlockReference };
  static constexpr FcHandle kInnerHandle = 0xABCDEF;

  StandIn(Kind kind, FcPoint2d from, FcPoint2d to) : kind_(kind), from_(from), to_(to) { point = from; }

  bool Draw(FcDrawSink* sink) override {
    auto* surface = dynamic_cast<FcDisplaySurface*>(sink);
    if (surface == nullptr) return true;
    if (kind_ != Kind::kBlockReference) {
      // In dashes, as a linetype draws it: one unit of primitives.
      for (int k = 0; k < dashes; ++k) {
        const double t0 = static_cast<double>(k) / dashes;
        const double t1 = dashes == 1 ? 1.0 : (k + 0.5) / dashes;
        surface->AddLine(from_ + t0 * (to_ - from_), from_ + t1 * (to_ - from_), 0, GetHandle());
      }
      return true;
    }
    surface->OpenGroup(GetHandle());
    ++surface->nestingDepth;
    surface->AddLine(from_, to_, 0, kInnerHandle);
    --surface->nestingDepth;
    return true;
  }
  void GetSnapSegments(int, const FcPoint2d&, int subIndex, const FcMatrix2d&, GeomSegmentList& segments) override {
    ++asked;
    if (kind_ == Kind::kLine) {
      AppendSegment(segments, LineRecord(kSnapTagBoundedLine));
      return;
    }
    if (kind_ == Kind::kBlockReference) {
      if (subIndex != 0) return;
      // The insertion point.
      GeomSegment insertion;
      insertion.type = kGeomSegmentPoint;
      insertion.snapModes = kOsnapInsert;
      insertion.point = point;
      AppendSegment(segments, insertion);
      return;
    }
    GeomSegment curve;
    curve.type = kGeomSegmentCurve;
    curve.snapModes = kSnapTagCurve;
    curve.entity = this;
    AppendSegment(segments, curve);
  }
  void GetBlockSnapSegments(int, const FcPoint2d&, FcHandle subEntity, int, int, const FcMatrix2d&,
                            GeomSegmentList& segments) override {
    if (subEntity == kInnerHandle) AppendSegment(segments, LineRecord(kSnapTagBoundedLine));
  }
  int dashes = 1;
  int asked = 0;

  bool IntersectWithSegment(const FcPoint2d&, int, const FcMatrix2d&, const GeomSegment& other,
                            FcPoint2d& out) override {
    FcPoint2d crossings[2];
    if (IntersectGeomSegments(LineRecord(0), other, crossings) == 0) return false;
    out = crossings[0];
    return true;
  }

 private:
  GeomSegment LineRecord(int tag) const {
    GeomSegment line;
    line.type = kGeomSegmentLine;
    line.snapModes = tag;
    line.first = from_;
    line.second = to_;
    return line;
  }

  Kind kind_;
  FcPoint2d from_;
  FcPoint2d to_;
};

MakeEntity Standing(StandIn::Kind kind, FcPoint2d from, FcPoint2d to) {
  return [=] { return new StandIn(kind, from, to); };
}

// A drawing whose display list was drawn, as the screen shows it: the
// world window (0, 0) to (180, 240) on 90 x 120 pixels, so the aperture of
// 5 pixels reaches 10 units each way from the cursor.
struct SnapDrawing {
  explicit SnapDrawing(const std::vector<MakeEntity>& entities) {
    for (const MakeEntity& make : entities) graph.AddEntity(make(), false);
    Surface().SetDevice(std::make_unique<RecordingDevice>());
    graph.Redraw();
  }
  FcDisplaySurface& Surface() { return *graph.GetDisplaySurface(); }

  FcGraph graph;
};

class ObjectSnapTest : public testing::Test {
 protected:
  ObjectSnapTest() : savedBoxSize_(GetProgramSettings().snap_box_size) { GetProgramSettings().snap_box_size = 5; }
  ~ObjectSnapTest() override { GetProgramSettings().snap_box_size = savedBoxSize_; }

 private:
  int savedBoxSize_;
};

constexpr int kEveryMode = 0x3FF;
constexpr int kNone = 0;

TEST_F(ObjectSnapTest, FindsTheModesPointUnderTheAperture) {
  struct Case {
    const char* what;
    std::vector<MakeEntity> entities;
    int mask;
    FcPoint2d base;
    FcPoint2d cursor;
    int found;
    FcPoint2d point;
  };
  const double tangentY = 50.0 + std::sqrt(20.0 * 20.0 - 8.0 * 8.0);
  const Case cases[] = {
      {"switched off keeps its modes but searches nothing",
       {Line({0, 0}, {40, 0})},
       0x4000 | kOsnapEndpoint,
       {},
       {2, 0},
       kNone,
       {}},
      {"the nearer end", {Line({0, 0}, {40, 0})}, kOsnapEndpoint, {}, {36, 1}, kOsnapEndpoint, {40, 0}},
      {"a tie between end and middle goes to the end",
       {Line({0, 0}, {40, 0})},
       kOsnapEndpoint | kOsnapMidpoint,
       {},
       {10, 0},
       kOsnapEndpoint,
       {0, 0}},
      {"two crossing lines meet in the aperture",
       {Line({0, 0}, {40, 40}), Line({0, 40}, {40, 0})},
       kOsnapEndpoint | kOsnapIntersection,
       {},
       {21, 19},
       kOsnapIntersection,
       {20, 20}},
      {"a crossing outside the aperture still beats far ends",
       {Line({0, 0}, {100, 2}), Line({0, 10}, {100, 0})},
       kOsnapEndpoint | kOsnapIntersection,
       {},
       {70, 1.5},
       kOsnapIntersection,
       {250.0 / 3.0, 5.0 / 3.0}},
      {"perpendicular to the line's extension",
       {Line({0, 0}, {40, 0})},
       kOsnapPerpendicular,
       {60, 30},
       {35, 1},
       kOsnapPerpendicular,
       {60, 0}},
      {"no tangent from inside a circle", {Circle({50, 50}, 20)}, kOsnapTangent, {55, 50}, {70, 50}, kNone, {}},
      {"the nearer tangent from outside",
       {Circle({50, 50}, 20)},
       kOsnapTangent,
       {100, 50},
       {58, 67},
       kOsnapTangent,
       {58, tangentY}},
      {"no quadrant on an arc between them",
       {Arc({50, 50}, 20, 10, 80)},
       kOsnapQuadrant,
       {},
       {64, 64},
       kNone,
       {}},
      {"the quadrant an arc passes",
       {Arc({50, 50}, 20, 80, 100)},
       kOsnapQuadrant,
       {},
       {53, 69},
       kOsnapQuadrant,
       {50, 70}},
      {"the nearest point of a circle",
       {Circle({50, 50}, 20)},
       kOsnapNearest,
       {},
       {50, 72},
       kOsnapNearest,
       {50, 70}},
      {"a node", {Node({30, 30})}, kOsnapNode | kOsnapEndpoint, {}, {32, 31}, kOsnapNode, {30, 30}},
      {"a ray ends at its base only", {Ray({20, 20}, {1, 0})}, kOsnapEndpoint, {}, {25, 21}, kOsnapEndpoint, {20, 20}},
      // The part of a primitive under the aperture names the segment or edge.
      {"the middle of the polyline segment under the cursor",
       {Polyline({{{0, 0}, 0}, {{40, 0}, 0}, {{40, 40}, 0}})},
       kOsnapMidpoint,
       {},
       {41, 30},
       kOsnapMidpoint,
       {40, 20}},
      {"the quadrant of a polyline's arc segment",
       {Polyline({{{0, 100}, 0}, {{40, 100}, 1}, {{80, 100}, 0}})},
       kOsnapQuadrant,
       {},
       {59, 81},
       kOsnapQuadrant,
       {60, 80}},
      {"the middle of the solid's edge under the cursor",
       {Solid({0, 0}, {40, 0}, {0, 40}, {40, 40})},
       kOsnapMidpoint,
       {},
       {39, 25},
       kOsnapMidpoint,
       {40, 20}},
      {"nothing under the aperture", {Line({0, 0}, {40, 0})}, kEveryMode, {}, {100, 100}, kNone, {}},
      // Degenerate geometry: no division by zero, no endless loop.
      {"a line without length", {Line({30, 30}, {30, 30})}, kEveryMode, {30, 30}, {32, 30}, kOsnapEndpoint, {30, 30}},
      {"a circle without radius offers only its centre",
       {Circle({30, 30}, 0)},
       kEveryMode,
       {30, 30},
       {31, 30},
       kOsnapCenter,
       {30, 30}},
      {"an arc without radius, base on its centre",
       {Arc({30, 30}, 0, 0, 90)},
       kOsnapTangent | kOsnapPerpendicular,
       {30, 30},
       {31, 30},
       kNone,
       {}},
      {"the same line twice",
       {Line({0, 0}, {40, 0}), Line({0, 0}, {40, 0})},
       kOsnapIntersection,
       {},
       {10, 1},
       kNone,
       {}},
      {"a line through the centre of a circle, everything at the centre",
       {Line({50, 50}, {50, 50}), Circle({50, 50}, 20), Line({30, 50}, {70, 50})},
       kEveryMode,
       {50, 50},
       {50, 50},
       kOsnapEndpoint,
       {50, 50}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SnapDrawing drawing(c.entities);
    int mask = c.mask;
    FcPoint2d point{-1, -1};
    const bool found = SnapSearch(drawing.Surface(), nullptr, &c.base, c.cursor, mask, point);
    EXPECT_EQ(found, c.found != kNone);
    EXPECT_EQ(mask, c.found);
    if (c.found != kNone) ExpectPointNear(point, c.point, 1e-9);
    if (c.found == kNone) ExpectPointEq(point, {-1, -1});
  }
}

TEST_F(ObjectSnapTest, CurvesAndBlockReferencesAnswerThroughTheirEntities) {
  using Kind = StandIn::Kind;
  struct Case {
    const char* what;
    std::vector<MakeEntity> entities;
    int mask;
    FcPoint2d cursor;
    int found;
    FcPoint2d point;
  };
  const Case cases[] = {
      {"a curve crossing a line",
       {Standing(Kind::kCurve, {0, 0}, {40, 40}), Line({0, 40}, {40, 0})},
       kOsnapIntersection,
       {21, 19},
       kOsnapIntersection,
       {20, 20}},
      {"a line crossing a curve",
       {Line({0, 40}, {40, 0}), Standing(Kind::kCurve, {0, 0}, {40, 40})},
       kOsnapIntersection,
       {21, 19},
       kOsnapIntersection,
       {20, 20}},
      {"the insertion point of a block reference under any of its lines",
       {Standing(Kind::kBlockReference, {100, 100}, {140, 100})},
       kOsnapInsert | kOsnapEndpoint,
       {130, 101},
       kOsnapEndpoint,
       {140, 100}},
      {"the insertion point alone",
       {Standing(Kind::kBlockReference, {100, 100}, {140, 100})},
       kOsnapInsert,
       {130, 101},
       kOsnapInsert,
       {100, 100}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SnapDrawing drawing(c.entities);
    int mask = c.mask;
    FcPoint2d point;
    const FcPoint2d base;
    EXPECT_TRUE(SnapSearch(drawing.Surface(), nullptr, &base, c.cursor, mask, point));
    EXPECT_EQ(mask, c.found);
    ExpectPointNear(point, c.point, 1e-9);
  }
}

TEST_F(ObjectSnapTest, OnlyEntitiesUnderTheApertureAreAskedAndEachUnitOnce) {
  auto* dashed = new StandIn(StandIn::Kind::kLine, {0, 10}, {40, 10});
  dashed->dashes = 40;
  auto* far = new StandIn(StandIn::Kind::kLine, {0, 100}, {40, 100});
  SnapDrawing drawing({[=] { return dashed; }, [=] { return far; }});
  int mask = kOsnapEndpoint;
  FcPoint2d point;
  const FcPoint2d base;
  ASSERT_TRUE(SnapSearch(drawing.Surface(), nullptr, &base, {20, 10}, mask, point));
  EXPECT_EQ(dashed->asked, 1);
  EXPECT_EQ(far->asked, 0);
}

TEST_F(ObjectSnapTest, TheEntityBeingDrawnSnapsToItselfOnlyWhenGiven) {
  SnapDrawing drawing({});
  StandIn drawn(StandIn::Kind::kLine, {10, 10}, {50, 10});
  drawing.Surface().DrawXorEntity(&drawn);
  const FcPoint2d base;
  for (FcEntity* temp : {static_cast<FcEntity*>(&drawn), static_cast<FcEntity*>(nullptr)}) {
    int mask = kOsnapEndpoint;
    FcPoint2d point;
    EXPECT_EQ(SnapSearch(drawing.Surface(), temp, &base, {47, 11}, mask, point), temp != nullptr);
    if (temp != nullptr) ExpectPointEq(point, {50, 10});
  }
}

}  // namespace
