#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "core/matrix2d.h"
#include "database/graph.h"
#include "entities/ellipse.h"
#include "entities/geom_segment_ops.h"
#include "tests/support/curve_sink.h"
#include "tests/support/entity_record_support.h"

namespace {

constexpr double kDegree = 3.14159265358979323846 / 180.0;

FcEllipse MakeEllipse(FcPoint2d centre, FcPoint2d major, double ratio, double startDegrees = 0,
                      double endDegrees = 360) {
  FcEllipse ellipse;
  ellipse.SetCenter(centre);
  ellipse.SetMajorAxis(major);
  ellipse.SetRadiusRatio(ratio);
  ellipse.SetStartAngle(ellipse.GetRotation() + startDegrees * kDegree);
  ellipse.SetEndAngle(ellipse.GetRotation() + endDegrees * kDegree);
  return ellipse;
}

// How far the point lies off the ellipse, in units of its own radii: 0 on
// the curve.
double OffCurve(const FcEllipse& ellipse, const FcPoint2d& p) {
  const double dx = p.x - ellipse.GetCenter().x;
  const double dy = p.y - ellipse.GetCenter().y;
  const double c = std::cos(ellipse.GetRotation());
  const double s = std::sin(ellipse.GetRotation());
  const double u = (c * dx + s * dy) / ellipse.GetMajorRadius();
  const double v = (-s * dx + c * dy) / ellipse.GetMinorRadius();
  return std::fabs(std::hypot(u, v) - 1.0);
}

using GroupList = std::vector<std::pair<int, std::string>>;

GroupList EllipseGroups(const GroupList& own) {
  GroupList groups = {{5, "2A"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbEllipse"}};
  groups.insert(groups.end(), own.begin(), own.end());
  groups.push_back({0, "EOF"});
  return groups;
}

TEST(EllipseTest, ANewEllipseIsTheFullUnitCircleAndWritesAWholeTurn) {
  FcGraph graph;
  FcEllipse ellipse;
  EXPECT_EQ(ellipse.GetRecordName(), "ELLIPSE");
  EXPECT_EQ(ellipse.GetDwgType(), 35);
  EXPECT_EQ(ellipse.GetKind(), kEntityEllipse);
  EXPECT_TRUE(ellipse.IsFull());
  EXPECT_EQ(ellipse.GetLength(), 0.0);
  EXPECT_NEAR(ellipse.GetArea(), kPi, 1e-12);
  std::string text;
  ASSERT_NE(DxfRoundTrip(ellipse, FcFileKind::kAsciiDxf, graph, &text), nullptr);
  EXPECT_NE(text.find(Groups({{40, "1.0"}, {41, "0.0"}, {42, "6.283185307179586"}})), std::string::npos) << text;
}

TEST(EllipseTest, RecordsReadAsWorldCurves) {
  const GroupList axes = {{10, "1"}, {20, "2"}, {11, "4"}, {21, "0"}, {40, "0.5"}};
  struct Case {
    const char* name;
    GroupList extra;
    bool full;
    double startParameter;
    double endParameter;
  } cases[] = {
      {"no parameters: full", {}, true, 0, kTwoPi},
      {"quarter", {{41, "0"}, {42, "1.5707963267948966"}}, false, 0, kHalfPi},
      {"reversed extrusion runs the other way",
       {{41, "0"}, {42, "1.5707963267948966"}, {210, "0"}, {220, "0"}, {230, "-1"}}, false, 3 * kHalfPi, kTwoPi},
      {"crossing zero", {{41, "5"}, {42, "7"}}, false, 5, 7},
      {"equal parameters: full", {{41, "1"}, {42, "1"}}, true, 1, 1 + kTwoPi},
  };
  FcGraph graph;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GroupList groups = axes;
    groups.insert(groups.end(), c.extra.begin(), c.extra.end());
    FcEllipse ellipse;
    ASSERT_EQ(ReadFromGroups(ellipse, EllipseGroups(groups), graph), kFcStatusOk);
    ExpectPointEq(ellipse.GetCenter(), {1, 2});
    EXPECT_EQ(ellipse.GetMajorRadius(), 4);
    EXPECT_EQ(ellipse.GetMinorRadius(), 2);
    EXPECT_EQ(ellipse.IsFull(), c.full);
    double start = 0;
    double end = 0;
    ellipse.GetParams(start, end);
    EXPECT_NEAR(start, c.startParameter, 1e-12);
    EXPECT_NEAR(end, c.endParameter, 1e-12);
  }
}

// A ratio above 1 names the longer axis as the minor one; the axes are
// exchanged so that the same points are on the curve.
TEST(EllipseTest, ARatioAboveOneKeepsTheCurve) {
  FcGraph graph;
  FcEllipse ellipse;
  ASSERT_EQ(ReadFromGroups(ellipse,
                           EllipseGroups({{10, "0"}, {20, "0"}, {11, "1"}, {21, "0"}, {40, "2"}, {41, "0"},
                                          {42, "1.5707963267948966"}}),
                           graph),
            kFcStatusOk);
  EXPECT_EQ(ellipse.GetMajorRadius(), 2);
  EXPECT_EQ(ellipse.GetRadiusRatio(), 0.5);
  // The file's arc runs from (1, 0) to (0, 2).
  ExpectPointNear(ellipse.GetPointAtAngle(ellipse.GetStartAngle()), {1, 0}, 1e-12);
  ExpectPointNear(ellipse.GetPointAtAngle(ellipse.GetEndAngle()), {0, 2}, 1e-12);
}

TEST(EllipseTest, RecordsWithoutAnEllipseAreRefused) {
  struct Case {
    const char* name;
    GroupList groups;
  } cases[] = {
      {"zero axis", {{11, "0"}, {21, "0"}, {40, "0.5"}}},
      {"ratio 0", {{11, "1"}, {21, "0"}, {40, "0"}}},
      {"negative ratio", {{11, "1"}, {21, "0"}, {40, "-0.5"}}},
      {"ratio no number", {{11, "1"}, {21, "0"}, {40, "nan"}}},
      {"infinite centre", {{10, "1e999"}, {11, "1"}, {21, "0"}, {40, "0.5"}}},
      {"infinite parameter", {{11, "1"}, {21, "0"}, {40, "0.5"}, {42, "inf"}}},
  };
  FcGraph graph;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcEllipse ellipse;
    EXPECT_NE(ReadFromGroups(ellipse, EllipseGroups(c.groups), graph), kFcStatusOk);
  }
  FcEllipse broken = MakeEllipse({1, 1}, {2, 0}, 0.5);
  const std::vector<char> good = DwgBits([&](FcFilerDwg& filer) { broken.WriteDwgData(filer); });
  for (std::size_t length = 0; length + 1 < good.size(); ++length) {
    FcEllipse read;
    EXPECT_EQ(ReadDwgDataPrefix(read, good, length, FcFilerDwg::kVersion2000), kFcStatusReadError) << length;
  }
  // A DWG record whose ratio is no number.
  const std::vector<char> bad = DwgBits([](FcFilerDwg& filer) {
    for (double value : {0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 0.0, 1.0}) filer.WriteBitDouble(value);
    filer.WriteBitDouble(std::numeric_limits<double>::quiet_NaN());
    filer.WriteBitDouble(0.0);
    filer.WriteBitDouble(1.0);
  });
  FcEllipse read;
  EXPECT_EQ(ReadDwgDataPrefix(read, bad, bad.size(), FcFilerDwg::kVersion2000), kFcStatusReadError);
}

TEST(EllipseTest, RoundTripsThroughEveryForm) {
  FcGraph graph;
  FcEllipse full = MakeEllipse({1.5, -2.25}, {3, 4}, 0.375);
  FcEllipse arc = MakeEllipse({-3, 4}, {-1, 2}, 0.625, 300, 100);
  GiveCommonProperties(full, graph);
  GiveCommonProperties(arc, graph);
  const auto expectSame = [](const FcEllipse& read, const FcEllipse& written) {
    ExpectSameCommonProperties(read, written);
    ExpectPointNear(read.GetCenter(), written.GetCenter(), 1e-12);
    ExpectPointNear(read.GetMajorAxis(), written.GetMajorAxis(), 1e-12);
    EXPECT_NEAR(read.GetRadiusRatio(), written.GetRadiusRatio(), 1e-15);
    EXPECT_NEAR(read.GetStartAngle(), written.GetStartAngle(), 1e-12);
    EXPECT_NEAR(read.GetEndAngle(), written.GetEndAngle(), 1e-12);
  };
  for (FcEllipse* ellipse : {&full, &arc}) {
    for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
      SCOPED_TRACE(static_cast<int>(kind));
      const std::unique_ptr<FcEllipse> read = DxfRoundTrip(*ellipse, kind, graph);
      ASSERT_NE(read, nullptr);
      expectSame(*read, *ellipse);
    }
    const std::unique_ptr<FcEllipse> read = DwgRoundTrip(*ellipse, graph);
    ASSERT_NE(read, nullptr);
    expectSame(*read, *ellipse);
  }
}

TEST(EllipseTest, TransformMovesTheArcEndsWithTheCurve) {
  FcMatrix2d rotation;
  RotationMatrix(1, 1, 0.7, rotation);
  FcMatrix2d mirror;
  MirrorMatrix(0, 0, 1, 1, mirror);
  FcMatrix2d scale;
  ScaleAboutPointMatrix(2, -1, 2.5, scale);
  FcMatrix2d move;
  TranslationMatrix(-4, 7, move);
  struct Case {
    const char* name;
    FcMatrix2d matrix;
  } cases[] = {{"rotation", rotation}, {"mirror", mirror}, {"scale", scale}, {"move", move}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcEllipse arc = MakeEllipse({2, 1}, {3, 1}, 0.5, 20, 200);
    FcPoint2d start = arc.GetPointAtAngle(arc.GetStartAngle());
    FcPoint2d end = arc.GetPointAtAngle(arc.GetEndAngle());
    FcPoint2d middle = arc.GetPointAtAngle((arc.GetStartAngle() + arc.GetEndAngle()) / 2);
    TransformPoint(c.matrix, start);
    TransformPoint(c.matrix, end);
    TransformPoint(c.matrix, middle);
    arc.Transform(c.matrix);
    // A mirror turns the run round: the old end is the new start.
    const bool mirrored = c.matrix.a * c.matrix.e - c.matrix.b * c.matrix.d < 0;
    ExpectPointNear(arc.GetPointAtAngle(arc.GetStartAngle()), mirrored ? end : start, 1e-9);
    ExpectPointNear(arc.GetPointAtAngle(arc.GetEndAngle()), mirrored ? start : end, 1e-9);
    EXPECT_LT(OffCurve(arc, middle), 1e-9);
    EXPECT_EQ(arc.GetRadiusRatio(), 0.5);
  }
}

TEST(EllipseTest, MinorGripBeyondTheMajorRadiusExchangesTheAxes) {
  FcEllipse arc = MakeEllipse({0, 0}, {2, 0}, 0.5, 0, 180);
  // Grips: centre, start, end, then the axis ends at 0, 90 and 180 degrees.
  const std::vector<FcPoint2d> grips = GripsOf(arc);
  ASSERT_EQ(grips.size(), 6u);
  ExpectPointNear(grips[4], {0, 1}, 1e-12);
  arc.MoveGripPoints(Indices({4}), {0, 2});
  EXPECT_NEAR(arc.GetMajorRadius(), 3, 1e-12);
  EXPECT_NEAR(arc.GetMinorRadius(), 2, 1e-12);
  EXPECT_NEAR(arc.GetRotation(), kHalfPi, 1e-12);
  // The arc keeps its ends and still runs over the top.
  ExpectPointNear(arc.GetPointAtAngle(arc.GetStartAngle()), {2, 0}, 1e-12);
  ExpectPointNear(arc.GetPointAtAngle(arc.GetEndAngle()), {-2, 0}, 1e-12);
  ExpectPointNear(arc.GetPointAtAngle((arc.GetStartAngle() + arc.GetEndAngle()) / 2), {0, 3}, 1e-12);

  FcEllipse full = MakeEllipse({1, 1}, {2, 0}, 0.5);
  // Within the major radius the ratio follows; along the major axis the
  // axis lengthens and stays horizontal.
  full.MoveGripPoints(Indices({2}), {0, 0.5});
  EXPECT_NEAR(full.GetRadiusRatio(), 0.75, 1e-12);
  full.MoveGripPoints(Indices({1}), {1, 0});
  ExpectPointEq(full.GetMajorAxis(), {3, 0});
  // A minor grip dropped on the centre changes nothing; the centre grip
  // wins over any other and moves the whole ellipse.
  full.MoveGripPoints(Indices({4}), {0, 2.25});
  EXPECT_NEAR(full.GetRadiusRatio(), 0.75, 1e-12);
  full.MoveGripPoints(Indices({1, 0}), {1, 1});
  ExpectPointEq(full.GetCenter(), {2, 2});
  ExpectPointEq(full.GetMajorAxis(), {3, 0});
  // An arc's end follows the direction of its moved grip.
  FcEllipse quarter = MakeEllipse({0, 0}, {2, 0}, 0.5, 0, 90);
  quarter.MoveStretchPoints(Indices({2}), {-1, -1});
  EXPECT_NEAR(quarter.GetEndAngle(), kPi, 1e-12);
}

TEST(EllipseTest, SnapRecordsTangentsAndCrossings) {
  FcEllipse arc = MakeEllipse({0, 0}, {2, 0}, 0.5, 0, 180);
  FcMatrix2d identity;
  GeomSegmentList segments;
  arc.GetSnapSegments(0, {}, 0, identity, segments);
  ASSERT_EQ(segments.size(), 7u);
  EXPECT_EQ(segments[0]->type, kGeomSegmentCurve);
  EXPECT_EQ(segments[0]->snapModes, 288);
  EXPECT_EQ(segments[0]->entity, &arc);
  EXPECT_EQ(segments[1]->snapModes, kOsnapCenter);
  EXPECT_EQ(segments[2]->snapModes, kOsnapEndpoint);
  ExpectPointNear(segments[3]->point, {-2, 0}, 1e-12);
  EXPECT_EQ(segments[6]->snapModes, kOsnapQuadrant);

  // The tangents from (0, 2) touch the full ellipse at y = 0.5; on the
  // upper arc both remain, and the one nearer the pick point is taken.
  const FcPoint2d base{0, 2};
  FcPoint2d out;
  int mode = kOsnapTangent;
  arc.GetTangentPoints(&base, {-3, 0}, 0, identity, out, mode);
  EXPECT_EQ(mode, kOsnapTangent);
  EXPECT_NEAR(out.y, 0.5, 1e-9);
  EXPECT_LT(out.x, 0);
  // Seen from below the arc the tangent points are off it.
  const FcPoint2d below{0, -2};
  mode = kOsnapTangent;
  arc.GetTangentPoints(&below, {-3, 0}, 0, identity, out, mode);
  EXPECT_EQ(mode, 0);

  GeomSegment line;
  line.type = kGeomSegmentLine;
  line.first = {-5, 0.5};
  line.second = {5, 0.5};
  ASSERT_TRUE(arc.IntersectWithSegment({3, 0}, 0, identity, line, out));
  ExpectPointNear(out, {std::sqrt(3.0), 0.5}, 1e-9);
  const FcMatrix2d stretch{2, 0, 0, 0, 1, 0};
  EXPECT_FALSE(arc.IntersectWithSegment({3, 0}, 0, stretch, line, out));
  mode = kOsnapTangent;
  arc.GetTangentPoints(&base, {-3, 0}, 0, stretch, out, mode);
  EXPECT_EQ(mode, kOsnapTangent);
}

TEST(EllipseTest, DrawsOnePolylineOnTheCurve) {
  FcGraph graph;
  struct Case {
    const char* name;
    FcEllipse ellipse;
    bool closed;
  } cases[] = {
      {"full", MakeEllipse({3, 4}, {-2, 5}, 0.25), true},
      {"arc crossing the major axis", MakeEllipse({3, 4}, {-2, 5}, 0.25, 300, 60), false},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.ellipse.SetLayer(graph.GetCurrentLayer());
    CurveSink sink(&graph, 0.01);
    c.ellipse.Draw(&sink);
    ASSERT_EQ(sink.curves.size(), 1u);
    const CurveSink::Curve& curve = sink.curves[0];
    EXPECT_EQ(curve.closed, c.closed);
    ASSERT_GT(curve.points.size(), 16u);
    for (const FcPoint2d& p : curve.points) ASSERT_LT(OffCurve(c.ellipse, p), 1e-12);
    if (c.closed) continue;
    ExpectPointNear(curve.points.front(), c.ellipse.GetPointAtAngle(c.ellipse.GetStartAngle()), 1e-12);
    ExpectPointNear(curve.points.back(), c.ellipse.GetPointAtAngle(c.ellipse.GetEndAngle()), 1e-12);
  }
}

class EllipseListTest : public EntityListTest {};

TEST_F(EllipseListTest, AFullEllipseListsItsAreaAnArcItsEnds) {
  FcEllipse full = MakeEllipse({1, 2}, {0, 2}, 0.5);
  EXPECT_EQ(OwnLines(full, 7), (std::vector<std::string>{
                                   "  Center point: X= 1.0000    Y= 2.0000",
                                   "  Major axis vector: X= 0.0000    Y= 2.0000",
                                   "  Minor axis vector: X= -1.0000    Y= 0.0000",
                                   "  Major axis length: 2.0000",
                                   "  Minor axis length: 1.0000",
                                   "  Minor/Major axis ratio: 0.5000",
                                   "  area 6.2832",
                               }));
  FcEllipse arc = MakeEllipse({0, 0}, {2, 0}, 0.5, 0, 90);
  const std::vector<std::string> lines = OwnLines(arc, 4);
  EXPECT_EQ(lines, (std::vector<std::string>{"  Start point: X= 2.0000    Y= 0.0000",
                                              "  End point: X= 0.0000    Y= 1.0000", "  Start angle: 0.0000",
                                              "  End angle: 90.0000"}));
}

}  // namespace
