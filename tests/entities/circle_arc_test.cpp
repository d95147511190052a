#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "core/matrix2d.h"
#include "database/graph.h"
#include "entities/arc.h"
#include "entities/circle.h"
#include "entities/geom_segment_ops.h"
#include "tests/support/entity_record_support.h"

namespace {

constexpr double kDegree = 3.14159265358979323846 / 180.0;

FcArc MakeArc(FcPoint2d centre, double radius, double startDegrees, double endDegrees) {
  FcArc arc;
  arc.SetCenter(centre);
  arc.SetRadius(radius);
  arc.SetStartAngle(startDegrees * kDegree);
  arc.SetEndAngle(endDegrees * kDegree);
  return arc;
}

FcCircle MakeCircle(FcPoint2d centre, double radius) {
  FcCircle circle;
  circle.SetCenter(centre);
  circle.SetRadius(radius);
  return circle;
}

using GroupList = std::vector<std::pair<int, std::string>>;

GroupList ArcGroups(const char* start, const char* end, const GroupList& extrusion) {
  GroupList groups = {{5, "2A"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbCircle"},
                      {10, "2"}, {20, "1"},          {30, "0"}, {40, "3"}};
  groups.insert(groups.end(), extrusion.begin(), extrusion.end());
  groups.insert(groups.end(), {{100, "AcDbArc"}, {50, start}, {51, end}, {0, "EOF"}});
  return groups;
}

const GroupList kUp = {{210, "0"}, {220, "0"}, {230, "1"}};
const GroupList kDown = {{210, "0"}, {220, "0"}, {230, "-1"}};

TEST(CircleArcTest, ClassConstants) {
  std::unique_ptr<FcObject> circle(FcCircle::Create());
  std::unique_ptr<FcObject> arc(FcArc::Create());
  EXPECT_EQ(circle->GetRecordName(), "CIRCLE");
  EXPECT_EQ(circle->GetDwgType(), 18);
  EXPECT_EQ(dynamic_cast<FcEntity&>(*circle).GetKind(), kEntityCircle);
  EXPECT_EQ(arc->GetRecordName(), "ARC");
  EXPECT_EQ(arc->GetDwgType(), 17);
  EXPECT_EQ(dynamic_cast<FcEntity&>(*arc).GetKind(), kEntityArc);
}

// A reversed extrusion means the arc was drawn seen from below: its x axis
// is world -x, so the world curve is the mirror image about the y axis.
TEST(CircleArcTest, ArcRecordsReadAsWorldArcs) {
  struct Case {
    const char* name;
    GroupList groups;
    FcPoint2d centre;
    double start;
    double end;
  } cases[] = {
      {"crossing zero", ArcGroups("350", "10", {}), {2, 1}, 350, 370},
      {"equal angles make a full turn", ArcGroups("45", "45", {}), {2, 1}, 45, 405},
      {"extrusion up", ArcGroups("0", "90", kUp), {2, 1}, 0, 90},
      {"extrusion down", ArcGroups("0", "90", kDown), {-2, 1}, 90, 180},
      {"extrusion down crossing zero", ArcGroups("300", "30", kDown), {-2, 1}, 150, 240},
  };
  FcGraph graph;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcArc arc;
    ASSERT_EQ(ReadFromGroups(arc, c.groups, graph), kFcStatusOk);
    ExpectPointNear(arc.GetCenter(), c.centre, 1e-12);
    EXPECT_NEAR(arc.GetStartAngle(), c.start * kDegree, 1e-12);
    EXPECT_NEAR(arc.GetEndAngle(), c.end * kDegree, 1e-12);
  }
}

TEST(CircleArcTest, ReversedArcKeepsItsWorldEndPoints) {
  // Seen from below, (2, 1) is world (-2, 1) and the point at 0 degrees
  // lies to its world left.
  FcGraph graph;
  FcArc arc;
  ASSERT_EQ(ReadFromGroups(arc, ArcGroups("0", "90", kDown), graph), kFcStatusOk);
  ExpectPointNear(arc.GetEndPoint(), {-5, 1}, 1e-12);
  ExpectPointNear(arc.GetStartPoint(), {-2, 4}, 1e-12);
  FcCircle circle;
  ASSERT_EQ(ReadFromGroups(circle,
                           {{5, "2B"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbCircle"}, {10, "2"}, {20, "1"}, {40, "3"},
                            {210, "0"}, {220, "0"}, {230, "-1"}, {0, "EOF"}},
                           graph),
            kFcStatusOk);
  ExpectPointNear(circle.GetCenter(), {-2, 1}, 1e-12);
}

// DWG arcs and circles seen from below come in at the same world place as
// their DXF records: centre (2, 1) is world (-2, 1), 0..90 becomes 90..180.
TEST(CircleArcTest, DwgCurvesSeenFromBelowReadAsWorldCurves) {
  const auto circleBits = [](double extrusionZ) {
    return [extrusionZ](FcFilerDwg& filer) {
      for (const double value : {2.0, 1.0, 0.0, 3.0}) filer.WriteBitDouble(value);
      filer.WriteBit(1);
      filer.WriteBit(0);
      for (const double value : {0.0, 0.0, extrusionZ}) filer.WriteBitDouble(value);
    };
  };
  struct Case {
    const char* name;
    double extrusionZ;
    FcPoint2d centre;
    double start;
    double end;
  } cases[] = {
      {"seen from above", 1, {2, 1}, 0, 90},
      {"seen from below", -1, {-2, 1}, 90, 180},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<char> circleOnly = DwgBits(circleBits(c.extrusionZ));
    FcCircle circle;
    ASSERT_EQ(ReadDwgDataPrefix(circle, circleOnly, circleOnly.size(), FcFilerDwg::kVersion2000), kFcStatusOk);
    ExpectPointNear(circle.GetCenter(), c.centre, 1e-12);
    const std::vector<char> arcBits = DwgBits([&](FcFilerDwg& filer) {
      circleBits(c.extrusionZ)(filer);
      filer.WriteBitDouble(0.0);
      filer.WriteBitDouble(kHalfPi);
    });
    FcArc arc;
    ASSERT_EQ(ReadDwgDataPrefix(arc, arcBits, arcBits.size(), FcFilerDwg::kVersion2000), kFcStatusOk);
    ExpectPointNear(arc.GetCenter(), c.centre, 1e-12);
    EXPECT_NEAR(arc.GetStartAngle(), c.start * kDegree, 1e-12);
    EXPECT_NEAR(arc.GetEndAngle(), c.end * kDegree, 1e-12);
  }
}

TEST(CircleArcTest, RecordsWithoutACurveAreRefused) {
  FcGraph graph;
  for (const char* radius : {"-1", "1e999"}) {
    SCOPED_TRACE(radius);
    FcCircle circle;
    EXPECT_NE(ReadFromGroups(circle, {{5, "2B"}, {100, "AcDbEntity"}, {100, "AcDbCircle"}, {40, radius}, {0, "EOF"}}, graph),
              kFcStatusOk);
  }
  FcArc arc;
  GroupList wrongMarker = ArcGroups("0", "90", {});
  wrongMarker[8].second = "AcDbLine";
  EXPECT_NE(ReadFromGroups(arc, wrongMarker, graph), kFcStatusOk);
  // A DWG circle with a radius that is no number.
  FcCircle broken = MakeCircle({1, 1}, std::numeric_limits<double>::quiet_NaN());
  const std::vector<char> bytes = DwgBits([&](FcFilerDwg& filer) { broken.WriteDwgData(filer); });
  FcCircle read;
  EXPECT_EQ(ReadDwgDataPrefix(read, bytes, bytes.size(), FcFilerDwg::kVersion2000), kFcStatusReadError);
}

TEST(CircleArcTest, DwgDataRefusesShortData) {
  FcArc arc = MakeArc({1.5, -2}, 3, 10, 100);
  const std::vector<char> bytes = DwgBits([&](FcFilerDwg& filer) { arc.WriteDwgData(filer); });
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    FcArc read;
    const int result = ReadDwgDataPrefix(read, bytes, length, FcFilerDwg::kVersion2000);
    if (result == kFcStatusOk) continue;  // the last byte may hold only padding
    EXPECT_EQ(result, kFcStatusReadError) << length;
  }
  FcArc read;
  ASSERT_EQ(ReadDwgDataPrefix(read, bytes, bytes.size(), FcFilerDwg::kVersion2000), kFcStatusOk);
  EXPECT_NEAR(read.GetEndAngle(), 100 * kDegree, 1e-15);
}

class CircleArcRecordTest : public testing::Test {
 protected:
  FcGraph graph;
};

TEST_F(CircleArcRecordTest, RoundTripsThroughEveryForm) {
  FcCircle circle = MakeCircle({1.5, -2.25}, 7.125);
  FcArc arc = MakeArc({-3, 4}, 0.5, 350, 10);
  GiveCommonProperties(circle, graph);
  GiveCommonProperties(arc, graph);
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    SCOPED_TRACE(static_cast<int>(kind));
    std::string text;
    const std::unique_ptr<FcCircle> readCircle = DxfRoundTrip(circle, kind, graph);
    const std::unique_ptr<FcArc> readArc = DxfRoundTrip(arc, kind, graph, &text);
    ASSERT_NE(readCircle, nullptr);
    ASSERT_NE(readArc, nullptr);
    ExpectSameCommonProperties(*readCircle, circle);
    ExpectSameCommonProperties(*readArc, arc);
    ExpectPointNear(readCircle->GetCenter(), circle.GetCenter(), 1e-12);
    EXPECT_EQ(readCircle->GetRadius(), circle.GetRadius());
    ExpectPointNear(readArc->GetCenter(), arc.GetCenter(), 1e-12);
    EXPECT_NEAR(readArc->GetStartAngle(), arc.GetStartAngle(), 1e-14);
    EXPECT_NEAR(readArc->GetEndAngle(), arc.GetEndAngle(), 1e-14);
    if (kind == FcFileKind::kAsciiDxf) {
      EXPECT_NE(text.find(Groups({{100, "AcDbCircle"}, {10, "-3.0"}, {20, "4.0"}, {40, "0.5"}, {100, "AcDbArc"},
                                  {50, "350.0"}, {51, "370.0"}})),
                std::string::npos)
          << text;
    }
  }
  const std::unique_ptr<FcCircle> dwgCircle = DwgRoundTrip(circle, graph);
  const std::unique_ptr<FcArc> dwgArc = DwgRoundTrip(arc, graph);
  ASSERT_NE(dwgCircle, nullptr);
  ASSERT_NE(dwgArc, nullptr);
  ExpectPointNear(dwgCircle->GetCenter(), circle.GetCenter(), 1e-12);
  EXPECT_EQ(dwgCircle->GetRadius(), circle.GetRadius());
  EXPECT_EQ(dwgArc->GetStartAngle(), arc.GetStartAngle());
  EXPECT_EQ(dwgArc->GetEndAngle(), arc.GetEndAngle());
  EXPECT_EQ(dwgArc->GetRadius(), arc.GetRadius());
}

TEST(CircleArcTest, TransformKeepsTheArcCounterClockwise) {
  struct Case {
    const char* name;
    FcMatrix2d matrix;
    FcPoint2d centre;
    double radius;
    double start;
    double end;
  } cases[] = {
      {"uniform scale", {2, 0, 0, 0, 2, 0}, {2, 0}, 2, 0, 90},
      {"scale in x only", {2, 0, 0, 0, 1, 0}, {2, 0}, 2, 0, 90},
      {"mirror about the y axis", {-1, 0, 0, 0, 1, 0}, {-1, 0}, 1, 90, 180},
      {"mirror about the x axis", {1, 0, 0, 0, -1, 0}, {1, 0}, 1, 270, 360},
      {"quarter turn", {0, -1, 0, 1, 0, 0}, {0, 1}, 1, 90, 180},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcArc arc = MakeArc({1, 0}, 1, 0, 90);
    arc.Transform(c.matrix);
    ExpectPointNear(arc.GetCenter(), c.centre, 1e-12);
    EXPECT_NEAR(arc.GetRadius(), c.radius, 1e-12);
    EXPECT_NEAR(arc.GetStartAngle(), c.start * kDegree, 1e-12);
    EXPECT_NEAR(arc.GetEndAngle(), c.end * kDegree, 1e-12);
    FcCircle circle = MakeCircle({1, 0}, 1);
    circle.Transform(c.matrix);
    ExpectPointNear(circle.GetCenter(), c.centre, 1e-12);
    EXPECT_NEAR(circle.GetRadius(), c.radius, 1e-12);
  }
}

TEST(CircleArcTest, LengthAndArea) {
  struct Case {
    const char* name;
    double start;
    double end;
    double length;
    double area;
  } cases[] = {
      {"half circle", 0, 180, 2 * kPi, 2 * kPi},
      {"quarter", 0, 90, kPi, kPi - 2},
      {"three quarters", 0, 270, 3 * kPi, 3 * kPi + 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FcArc arc = MakeArc({5, 5}, 2, c.start, c.end);
    EXPECT_NEAR(arc.GetLength(), c.length, 1e-12);
    EXPECT_NEAR(arc.GetArea(), c.area, 1e-12);
  }
  const FcCircle circle = MakeCircle({5, 5}, 2);
  EXPECT_NEAR(circle.GetLength(), 4 * kPi, 1e-12);
  EXPECT_NEAR(circle.GetArea(), 4 * kPi, 1e-12);
}

TEST(CircleArcTest, CircleGrips) {
  FcCircle circle = MakeCircle({1, 1}, 2);
  const std::vector<FcPoint2d> grips = GripsOf(circle);
  ASSERT_EQ(grips.size(), 5u);
  ExpectPointNear(grips[0], {1, 1}, 1e-12);
  ExpectPointNear(grips[2], {1, 3}, 1e-12);
  ExpectPointNear(grips[4], {1, -1}, 1e-12);
  // A quadrant dragged onto the centre keeps the radius.
  circle.MoveGripPoints(Indices({1}), {-2, 0});
  EXPECT_EQ(circle.GetRadius(), 2);
  circle.MoveGripPoints(Indices({2}), {0, 3});
  EXPECT_NEAR(circle.GetRadius(), 5, 1e-12);
  // The centre moves first; the quadrant is then taken about the new centre.
  circle.MoveGripPoints(Indices({0, 3}), {1, 0});
  ExpectPointNear(circle.GetCenter(), {2, 1}, 1e-12);
  EXPECT_NEAR(circle.GetRadius(), 4, 1e-12);
  circle.MoveStretchPoints(Indices({0}), {0, -1});
  ExpectPointNear(circle.GetCenter(), {2, 0}, 1e-12);
}

TEST(CircleArcTest, ArcGripsAndStretch) {
  FcArc arc = MakeArc({0, 0}, 1, 0, 180);
  // Two grips at once, or the middle dragged onto the chord, change nothing.
  arc.MoveGripPoints(Indices({0, 2}), {1, 1});
  arc.MoveGripPoints(Indices({1}), {0, -1});
  ExpectPointNear(arc.GetCenter(), {0, 0}, 1e-12);
  EXPECT_NEAR(arc.GetEndAngle(), kPi, 1e-12);
  // The middle raised to (0, 2): the arc through (1, 0), (0, 2), (-1, 0).
  arc.MoveGripPoints(Indices({1}), {0, 1});
  ExpectPointNear(arc.GetCenter(), {0, 0.75}, 1e-12);
  EXPECT_NEAR(arc.GetRadius(), 1.25, 1e-12);
  ExpectPointNear(arc.GetStartPoint(), {1, 0}, 1e-12);
  ExpectPointNear(arc.GetEndPoint(), {-1, 0}, 1e-12);
  // Both ends stretched: the arc moves.
  arc.MoveStretchPoints(Indices({0, 1}), {3, 0});
  ExpectPointNear(arc.GetCenter(), {3, 0.75}, 1e-12);
  EXPECT_NEAR(arc.GetRadius(), 1.25, 1e-12);
  // One end stretched: rebuilt through the moved end and the middle.
  FcArc quarter = MakeArc({0, 0}, 1, 0, 180);
  quarter.MoveStretchPoints(Indices({1}), {1, 0});
  ExpectPointNear(quarter.GetEndPoint(), {0, 0}, 1e-12);
  ExpectPointNear(quarter.GetStartPoint(), {1, 0}, 1e-12);
}

TEST(CircleArcTest, SegmentRecordsUnderMatrices) {
  FcMatrix2d identity;
  const FcMatrix2d mirror{-1, 0, 0, 0, 1, 0};
  const FcMatrix2d stretch{2, 0, 0, 0, 1, 0};
  FcCircle circle = MakeCircle({1, 1}, 2);
  FcArc arc = MakeArc({1, 1}, 2, 45, 200);

  GeomSegmentList segments;
  circle.GetSnapSegments(0, {}, 0, identity, segments);
  ASSERT_EQ(segments.size(), 1u);
  EXPECT_EQ(segments[0]->snapModes, kSnapTagCircle);
  EXPECT_NEAR(segments[0]->endAngle, kTwoPi, 1e-15);
  segments.clear();
  circle.GetBoundarySegments(identity, segments);
  EXPECT_EQ(segments.size(), 2u);

  // A mirrored circle still bounds a hatch; one stretched, even along
  // turned axes, does not.
  segments.clear();
  circle.GetBoundarySegments(mirror, segments);
  ASSERT_EQ(segments.size(), 2u);
  ExpectPointNear(segments[0]->centre, {-1, 1}, 1e-12);
  EXPECT_NEAR(segments[0]->radius, 2.0, 1e-12);
  EXPECT_NEAR(segments[1]->endAngle - segments[0]->startAngle, kTwoPi, 1e-12);
  segments.clear();
  const FcMatrix2d turnedStretch{0, -1, 0, 2, 0, 0};
  circle.GetBoundarySegments(turnedStretch, segments);
  arc.GetBoundarySegments(turnedStretch, segments);
  EXPECT_TRUE(segments.empty());
  circle.GetSnapSegments(0, {}, 0, mirror, segments);
  ASSERT_EQ(segments.size(), 5u);
  ExpectPointNear(segments[0]->point, {-1, 1}, 1e-12);
  EXPECT_EQ(segments[0]->snapModes, kOsnapCenter);
  ExpectPointNear(segments[1]->point, {-3, 1}, 1e-12);
  EXPECT_EQ(segments[1]->snapModes, kOsnapQuadrant);

  segments.clear();
  arc.GetSnapSegments(0, {}, 0, mirror, segments);
  ASSERT_EQ(segments.size(), 1u);
  EXPECT_EQ(segments[0]->type, kGeomSegmentArc);
  EXPECT_EQ(segments[0]->snapModes, kSnapTagArc);
  EXPECT_NEAR(segments[0]->startAngle, 340 * kDegree, 1e-12);
  EXPECT_NEAR(segments[0]->endAngle, 495 * kDegree, 1e-12);

  // Not circular: the centre and the quadrant points the arc passes, 90
  // and 180 degrees.
  segments.clear();
  arc.GetBoundarySegments(stretch, segments);
  EXPECT_TRUE(segments.empty());
  arc.GetSnapSegments(0, {}, 0, stretch, segments);
  ASSERT_EQ(segments.size(), 3u);
  ExpectPointNear(segments[0]->point, {2, 1}, 1e-12);
  ExpectPointNear(segments[1]->point, {2, 3}, 1e-12);
  ExpectPointNear(segments[2]->point, {-2, 1}, 1e-12);
}

class CircleArcListTest : public EntityListTest {};

TEST_F(CircleArcListTest, ListsCentreRadiusAndAngles) {
  FcCircle circle = MakeCircle({1, 2}, 2);
  EXPECT_EQ(OwnLines(circle, 4), (std::vector<std::string>{"  Center point: X= 1.0000    Y= 2.0000",
                                                          "  Radius  2.0000", "  Circumference  12.5664",
                                                          "  Area 12.5664"}));
  FcArc arc = MakeArc({1, 2}, 2, 350, 10);
  EXPECT_EQ(OwnLines(arc, 5), (std::vector<std::string>{"  Center point: X= 1.0000    Y= 2.0000",
                                                       "  Radius  2.0000", "  Start Angle\t350.0000",
                                                       "  End Angle\t10.0000", "  Length\t0.6981"}));
}

}  // namespace
