#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "core/matrix2d.h"
#include "database/graph.h"
#include "database/system_var.h"
#include "entities/spline.h"
#include "tests/support/curve_sink.h"
#include "tests/support/entity_record_support.h"

namespace {

using GroupList = std::vector<std::pair<int, std::string>>;

FcSPline FitSpline(std::initializer_list<FcPoint2d> points) {
  FcSPline spline;
  for (const FcPoint2d& p : points) spline.AppendFitPoint(p);
  return spline;
}

// A clamped cubic over the control points, weights given.
FcSPline ControlSpline(std::initializer_list<FcPoint2d> points, std::vector<double> weights = {}) {
  FcSPline spline;
  for (const FcPoint2d& p : points) spline.AppendControlPoint(p);
  spline.MakeUniformKnots();
  for (std::size_t i = 0; i < weights.size(); ++i) spline.SetWeight(weights[i], static_cast<int>(i));
  return spline;
}

GroupList SplineGroups(const GroupList& own) {
  GroupList groups = {{5, "2A"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbSpline"}};
  groups.insert(groups.end(), own.begin(), own.end());
  groups.push_back({0, "EOF"});
  return groups;
}

// Four control points of a cubic with its eight knots, then extra groups.
GroupList CubicGroups(const GroupList& knotsAndExtra) {
  GroupList groups = {{70, "8"}, {71, "3"}, {72, "8"}, {73, "4"}};
  groups.insert(groups.end(), knotsAndExtra.begin(), knotsAndExtra.end());
  for (const char* x : {"0", "1", "2", "3"}) {
    groups.push_back({10, x});
    groups.push_back({20, x[0] == '1' || x[0] == '2' ? "1" : "0"});
  }
  return groups;
}

const GroupList kCubicKnots = {{40, "0"}, {40, "0"}, {40, "0"}, {40, "0"}, {40, "1"}, {40, "1"}, {40, "1"}, {40, "1"}};

TEST(SplineTest, TwoFitPointsMakeTheStraightCubic) {
  FcSPline spline = FitSpline({{1, 1}, {5, 4}});
  spline.ComputeControlPoints();
  const std::vector<FcPoint2d>& control = spline.GetControlPoints();
  ASSERT_EQ(control.size(), 4u);
  ExpectPointNear(control[0], {1, 1}, 1e-12);
  ExpectPointNear(control[1], {2, 1.75}, 1e-12);
  ExpectPointNear(control[2], {4, 3.25}, 1e-12);
  ExpectPointNear(control[3], {5, 4}, 1e-12);
  EXPECT_EQ(spline.GetKnots(), (std::vector<double>{0, 0, 0, 0, 5, 5, 5, 5}));
  EXPECT_EQ(spline.GetWeights(), (std::vector<double>{1, 1, 1, 1}));
  // Two fit points stay two: removing one, or a duplicate pass, does
  // nothing.
  spline.RemoveFitPoint(0);
  spline.RemoveDuplicateFitPoints();
  EXPECT_EQ(spline.GetFitPoints().size(), 2u);
}

TEST(SplineTest, DrawnCurvePassesThroughTheFitPoints) {
  FcGraph graph;
  FcSPline spline = FitSpline({{0, 0}, {2, 3}, {2, 3}, {5, 1}, {8, 4}});
  spline.SetLayer(graph.GetCurrentLayer());
  graph.GetSysVars().splframe = 1;
  CurveSink sink(&graph, 1e-4);
  spline.Draw(&sink);
  ASSERT_EQ(sink.curves.size(), 1u);
  const std::vector<FcPoint2d>& points = sink.curves[0].points;
  ExpectPointNear(points.front(), {0, 0}, 1e-12);
  ExpectPointNear(points.back(), {8, 4}, 1e-12);
  for (const FcPoint2d& fit : spline.GetFitPoints()) {
    double nearest = 1e9;
    for (const FcPoint2d& p : points) nearest = std::min(nearest, std::hypot(p.x - fit.x, p.y - fit.y));
    EXPECT_LT(nearest, 0.01) << fit.x << "," << fit.y;
  }
  // The duplicate fit point is left alone by drawing but not used.
  EXPECT_EQ(spline.GetFitPoints().size(), 5u);
  EXPECT_EQ(spline.GetControlPoints().size(), 6u);
  ASSERT_EQ(sink.polylines.size(), 1u);
  EXPECT_EQ(sink.polylines[0].points.size(), 6u);
}

TEST(SplineTest, WeightsAreReadAndWrittenOnlyWhenTheyMatter) {
  FcGraph graph;
  FcSPline rational;
  ASSERT_EQ(ReadFromGroups(rational,
                           SplineGroups(CubicGroups({{40, "0"}, {40, "0"}, {40, "0"}, {40, "0"}, {40, "1"}, {40, "1"},
                                                     {40, "1"}, {40, "1"}, {41, "1"}, {41, "2"}, {41, "2"}, {41, "1"}})),
                           graph),
            kFcStatusOk);
  EXPECT_EQ(rational.GetWeights(), (std::vector<double>{1, 2, 2, 1}));
  EXPECT_EQ(rational.GetFlags(), 8);

  FcSPline plain = ControlSpline({{0, 0}, {1, 1}, {2, 1}, {3, 0}});
  std::string text;
  ASSERT_NE(DxfRoundTrip(plain, FcFileKind::kAsciiDxf, graph, &text), nullptr);
  EXPECT_EQ(text.find("\n 41\n"), std::string::npos) << text;
  // An interior weight of 0 is taken; one at an end is not.
  plain.SetWeight(0.0, 0);
  plain.SetWeight(0.0, 3);
  plain.SetWeight(0.0, 2);
  plain.SetWeight(-1.0, 1);
  EXPECT_EQ(plain.GetWeights(), (std::vector<double>{1, 1, 0, 1}));
  EXPECT_EQ(plain.GetFlags() & kSplineRational, kSplineRational);
  ASSERT_NE(DxfRoundTrip(plain, FcFileKind::kAsciiDxf, graph, &text), nullptr);
  EXPECT_NE(text.find(Groups({{41, "1.0"}, {41, "1.0"}, {41, "0.0"}, {41, "1.0"}})), std::string::npos) << text;
}

// Control data that make no curve: refused when nothing else gives the
// curve, dropped (and derived again) when fit points do.
TEST(SplineTest, ControlDataThatMakeNoCurve) {
  struct Case {
    const char* name;
    GroupList groups;
  } cases[] = {
      {"knots missing", CubicGroups({})},
      {"one knot short", CubicGroups(GroupList(kCubicKnots.begin(), kCubicKnots.end() - 1))},
      {"knots going down", CubicGroups({{40, "0"}, {40, "0"}, {40, "0"}, {40, "0"}, {40, "1"}, {40, "1"}, {40, "0.5"},
                                        {40, "1"}})},
      {"all knots equal", CubicGroups({{40, "1"}, {40, "1"}, {40, "1"}, {40, "1"}, {40, "1"}, {40, "1"}, {40, "1"},
                                       {40, "1"}})},
      {"degree 0", {{71, "0"}, {40, "0"}, {40, "1"}, {10, "0"}, {20, "0"}, {10, "1"}, {20, "1"}}},
      {"degree above the points", {{71, "5"}, {40, "0"}, {40, "0"}, {40, "0"}, {40, "0"}, {40, "0"}, {40, "0"},
                                   {40, "1"}, {40, "1"}, {40, "1"}, {40, "1"}, {10, "0"}, {20, "0"}, {10, "1"},
                                   {20, "1"}, {10, "2"}, {20, "0"}, {10, "3"}, {20, "1"}}},
      {"huge degree", CubicGroups({{71, "30000"}})},
  };
  FcGraph graph;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcSPline refused;
    EXPECT_EQ(ReadFromGroups(refused, SplineGroups(c.groups), graph), kFcStatusReadError);
    GroupList withFit = c.groups;
    withFit.insert(withFit.end(), {{11, "0"}, {21, "0"}, {11, "4"}, {21, "2"}, {11, "8"}, {21, "0"}});
    FcSPline repaired;
    ASSERT_EQ(ReadFromGroups(repaired, SplineGroups(withFit), graph), kFcStatusOk);
    EXPECT_EQ(repaired.GetFitPoints().size(), 3u);
    EXPECT_TRUE(repaired.GetControlPoints().empty());
    CurveSink sink(&graph, 1e-3);
    repaired.SetLayer(graph.GetCurrentLayer());
    repaired.Draw(&sink);
    ASSERT_EQ(sink.curves.size(), 1u);
    ExpectPointNear(sink.curves[0].points.back(), {8, 0}, 1e-12);
  }
}

TEST(SplineTest, DwgDataRefusesShortOrBrokenData) {
  FcSPline spline = ControlSpline({{0, 0}, {1, 2}, {3, 2}, {4, 0}, {6, 1}}, {1, 1.5, 1, 1, 1});
  const std::vector<char> bytes = DwgBits([&](FcFilerDwg& filer) { spline.WriteDwgData(filer); });
  for (std::size_t length = 0; length + 1 < bytes.size(); ++length) {
    FcSPline read;
    EXPECT_EQ(ReadDwgDataPrefix(read, bytes, length, FcFilerDwg::kVersion2000), kFcStatusReadError) << length;
  }
  // Counts far beyond the data end the read where the data end.
  const std::vector<char> huge = DwgBits([](FcFilerDwg& filer) {
    filer.WriteBitShort(1);
    filer.WriteBitShort(3);
    filer.WriteBit(0);
    filer.WriteBit(0);
    filer.WriteBit(0);
    filer.WriteBitDouble(0.0);
    filer.WriteBitDouble(0.0);
    filer.WriteBitLong(2000000000);
    filer.WriteBitLong(2000000000);
    filer.WriteBit(0);
    filer.WriteBitDouble(0.0);
  });
  FcSPline read;
  EXPECT_EQ(ReadDwgDataPrefix(read, huge, huge.size(), FcFilerDwg::kVersion2000), kFcStatusReadError);
}

class SplineRecordTest : public testing::Test {
 protected:
  void ExpectSameCurve(const FcSPline& read, const FcSPline& written) {
    ExpectSameCommonProperties(read, written);
    EXPECT_EQ(read.GetFitPoints().size(), written.GetFitPoints().size());
    for (std::size_t i = 0; i < std::min(read.GetFitPoints().size(), written.GetFitPoints().size()); ++i) {
      ExpectPointEq(read.GetFitPoints()[i], written.GetFitPoints()[i]);
    }
    ExpectPointEq(read.GetStartTangent(), written.GetStartTangent());
    ExpectPointEq(read.GetEndTangent(), written.GetEndTangent());
    EXPECT_EQ(read.GetDegree(), written.GetDegree());
    EXPECT_EQ(read.GetFlags(), written.GetFlags());
    if (!written.GetFitPoints().empty()) return;
    EXPECT_EQ(read.GetKnots(), written.GetKnots());
    EXPECT_EQ(read.GetWeights(), written.GetWeights());
    ASSERT_EQ(read.GetControlPoints().size(), written.GetControlPoints().size());
    for (std::size_t i = 0; i < read.GetControlPoints().size(); ++i) {
      ExpectPointEq(read.GetControlPoints()[i], written.GetControlPoints()[i]);
    }
  }

  FcGraph graph;
};

TEST_F(SplineRecordTest, RoundTripsThroughEveryForm) {
  FcSPline rational = ControlSpline({{0, 0}, {1.5, 2}, {3, 2.25}, {4, 0}, {6, -1}}, {1, 2.5, 0.5, 1, 1});
  FcSPline fitted = FitSpline({{0, 0}, {2, 3}, {5, 1}, {8, 4}});
  fitted.SetStartTangent({0, 1});
  fitted.SetEndTangent({1, -1});
  GiveCommonProperties(rational, graph);
  GiveCommonProperties(fitted, graph);
  for (FcSPline* spline : {&rational, &fitted}) {
    for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
      SCOPED_TRACE(static_cast<int>(kind));
      const std::unique_ptr<FcSPline> read = DxfRoundTrip(*spline, kind, graph);
      ASSERT_NE(read, nullptr);
      ExpectSameCurve(*read, *spline);
    }
    const std::unique_ptr<FcSPline> read = DwgRoundTrip(*spline, graph);
    ASSERT_NE(read, nullptr);
    ExpectSameCurve(*read, *spline);
  }
  // A fit-point spline read back draws the control points its writer had.
  fitted.ComputeControlPoints();
  const std::unique_ptr<FcSPline> read = DxfRoundTrip(fitted, FcFileKind::kAsciiDxf, graph);
  ASSERT_NE(read, nullptr);
  ASSERT_EQ(read->GetControlPoints().size(), fitted.GetControlPoints().size());
  for (std::size_t i = 0; i < read->GetControlPoints().size(); ++i) {
    ExpectPointNear(read->GetControlPoints()[i], fitted.GetControlPoints()[i], 1e-12);
  }
  // An empty spline writes nothing at all.
  FcSPline empty;
  FcFiler filer;
  StartMemory(filer, FcFileKind::kAsciiDxf, &graph);
  EXPECT_EQ(empty.WriteDxf(filer), kFcStatusOk);
  EXPECT_EQ(Contents(filer), "");
}

TEST_F(SplineRecordTest, DuplicateFitPointsGoOnReading) {
  FcSPline read;
  ASSERT_EQ(ReadFromGroups(read,
                           SplineGroups({{74, "3"}, {11, "0"}, {21, "0"}, {11, "2"}, {21, "2"}, {11, "2"}, {21, "2"},
                                         {11, "4"}, {21, "0"}}),
                           graph),
            kFcStatusOk);
  EXPECT_EQ(read.GetFitPoints().size(), 3u);
  FcSPline pair;
  ASSERT_EQ(ReadFromGroups(pair, SplineGroups({{11, "1"}, {21, "1"}, {11, "1"}, {21, "1"}}), graph), kFcStatusOk);
  EXPECT_EQ(pair.GetFitPoints().size(), 2u);
}

TEST(SplineTest, CloseAndOpen) {
  FcSPline line = ControlSpline({{0, 0}, {1, 0}, {2, 0}, {3, 0}});
  EXPECT_FALSE(line.CanClose());
  line.Close();
  EXPECT_FALSE(line.IsClosed());

  FcSPline arch = ControlSpline({{0, 0}, {0, 2}, {4, 2}, {4, 0}});
  ASSERT_TRUE(arch.CanClose());
  arch.Close();
  EXPECT_TRUE(arch.IsClosed());
  ASSERT_EQ(arch.GetControlPoints().size(), 7u);
  ExpectPointEq(arch.GetControlPoints().back(), {0, 0});
  // The extensions below the ends never meet above them: the two new
  // points are the extensions themselves.
  ExpectPointEq(arch.GetControlPoints()[4], {4, -2});
  ExpectPointEq(arch.GetControlPoints()[5], {0, -2});
  EXPECT_EQ(arch.GetKnots().size(), 11u);
  EXPECT_EQ(arch.GetKnots().back(), 1 + 4);
  EXPECT_EQ(arch.GetWeights().size(), 7u);
  arch.Open();
  EXPECT_FALSE(arch.IsClosed());
  EXPECT_EQ(arch.GetControlPoints().size(), 4u);
  EXPECT_EQ(arch.GetKnots(), (std::vector<double>{0, 0, 0, 0, 1, 1, 1, 1}));
}

TEST(SplineTest, GripsFollowTheFrameSetting) {
  FcGraph graph;
  FcSPline spline = FitSpline({{0, 0}, {2, 3}, {5, 1}});
  spline.SetLayer(graph.GetCurrentLayer());
  EXPECT_EQ(GripsOf(spline).size(), 3u);
  graph.GetSysVars().splframe = 1;
  const std::vector<FcPoint2d> grips = GripsOf(spline);
  ASSERT_EQ(grips.size(), 8u);
  // The first control point is the first fit point, and stays.
  spline.MoveGripPoints(Indices({3}), {1, 1});
  EXPECT_EQ(spline.GetFitPoints().size(), 3u);
  ExpectPointEq(spline.GetControlPoints().front(), {0, 0});
  // An inner control point moved makes it a control-point spline.
  spline.MoveGripPoints(Indices({4}), {1, 1});
  EXPECT_TRUE(spline.GetFitPoints().empty());
  ExpectPointNear(spline.GetControlPoints()[1], grips[4] + FcPoint2d{1, 1}, 1e-12);

  // A fit point moved recomputes the curve; two fit points may not meet.
  graph.GetSysVars().splframe = 0;
  FcSPline pair = FitSpline({{0, 0}, {4, 0}});
  pair.SetLayer(graph.GetCurrentLayer());
  pair.MoveGripPoints(Indices({1}), {-4, 0});
  ExpectPointEq(pair.GetFitPoints()[1], {4, 0});
  pair.MoveGripPoints(Indices({1}), {0, 4});
  ExpectPointEq(pair.GetFitPoints()[1], {4, 4});
  ASSERT_EQ(pair.GetControlPoints().size(), 4u);
  ExpectPointNear(pair.GetControlPoints()[2], {3, 3}, 1e-12);
}

TEST(SplineTest, TransformTurnsTheEndTangents) {
  FcSPline spline = FitSpline({{0, 0}, {2, 3}, {5, 1}});
  spline.SetStartTangent({1, 0});
  FcMatrix2d quarter;
  RotationMatrix(0, 0, kHalfPi, quarter);
  FcSPline turned(spline);
  turned.Transform(quarter);
  ExpectPointNear(turned.GetStartTangent(), {0, 1}, 1e-15);
  // The curve derived after the turn is the turned curve.
  spline.ComputeControlPoints();
  turned.ComputeControlPoints();
  for (std::size_t i = 0; i < spline.GetControlPoints().size(); ++i) {
    FcPoint2d expected = spline.GetControlPoints()[i];
    TransformPoint(quarter, expected);
    ExpectPointNear(turned.GetControlPoints()[i], expected, 1e-12);
  }
}

class SplineListTest : public EntityListTest {};

TEST_F(SplineListTest, ANeverDrawnFitSplineListsTheKnotsItWillUse) {
  FcSPline spline = FitSpline({{0, 0}, {3, 4}});
  spline.SetStartTangent({1, 0});
  const std::vector<std::string> lines = OwnLines(spline, 16);
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "    Order : 4", "Properties: Planar, Non-Rational, Non-Periodic",
                       "Parametric Range: Start  0.0000", "                    End  5.0000",
                       "Control Points Number: 4", "Control Points : ", "    X = 0.0000  , Y = 0.0000",
                       "    X = 0.7500  , Y = 1.0000", "    X = 2.2500  , Y = 3.0000", "    X = 3.0000  , Y = 4.0000",
                       "Fit Points Number: 2", "User Data: Fit Points", "    X = 0.0000  , Y = 0.0000",
                       "    X = 3.0000  , Y = 4.0000", "Start Tangent", "    X = 1.0000  , Y = 0.0000"}));
}

TEST(SplineTest, AreaOfAClosedOutline) {
  // The two-point cubic is its chord: no area.
  EXPECT_NEAR(FitSpline({{0, 0}, {4, 0}}).GetArea(), 0.0, 1e-12);
  const FcSPline arch = ControlSpline({{0, 0}, {0, 3}, {4, 3}, {4, 0}});
  // The arch is the Bezier curve x = 12t^2 - 8t^3, y = 9t(1 - t): the
  // integral of y dx is 216 / 30.
  EXPECT_NEAR(arch.GetArea(), 7.2, 0.002);
}

}  // namespace
