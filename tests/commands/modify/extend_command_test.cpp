#include <string>
#include <vector>

#include "tests/commands/modify/edge_command_fixture.h"

namespace {

constexpr double kNear = 1e-7;

using ExtendCommandTest = EdgeCommandTest;

TEST_F(ExtendCommandTest, ALineGrowsAtTheEndNearerThePickAndAtItsEndWhenPickedHalfway) {
  AddLine({50, 50}, {50, 250});
  AddLine({350, 50}, {350, 250});
  const FcLine* halfway = AddLine({100, 100}, {200, 100});
  const FcLine* nearStart = AddLine({100, 200}, {200, 200});
  ASSERT_TRUE(Run("extend", {"50,60", "350,60", "", "150,100", "110,200", ""}));
  EXPECT_TRUE(Contains(Prompts(), "<Select object to extend>/Edge"));
  ExpectPointNear(halfway->GetStartPoint(), {100, 100}, kNear);
  ExpectPointNear(halfway->GetEndPoint(), {350, 100}, kNear);
  ExpectPointNear(nearStart->GetStartPoint(), {50, 200}, kNear);
  ExpectPointNear(nearStart->GetEndPoint(), {200, 200}, kNear);
  EXPECT_EQ(UndoNames().back(), "Extend");

  ASSERT_TRUE(Run("undo", {}));
  EXPECT_EQ(LastPrinted(), "Undo : Extend");
  ExpectPointNear(halfway->GetEndPoint(), {200, 100}, kNear);
  ExpectPointNear(nearStart->GetStartPoint(), {100, 200}, kNear);
}

TEST_F(ExtendCommandTest, ABoundaryMissedByTheExtensionStopsItOnlyInTheExtendMode) {
  AddLine({300, 200}, {300, 250});
  const FcLine* line = AddLine({100, 100}, {200, 100});
  ASSERT_TRUE(Run("extend", {"300,240", "", "190,100", ""}));
  ExpectPointNear(line->GetEndPoint(), {200, 100}, kNear);
  EXPECT_EQ(UndoNames().back(), "Line");
  ASSERT_TRUE(Run("extend", {"300,240", "", "edge", "extend", "190,100", ""}));
  ExpectPointNear(line->GetEndPoint(), {300, 100}, kNear);
}

// The concentric boundary circle meets the arc's circle nowhere.
TEST_F(ExtendCommandTest, AnArcGrowsClockwiseFromItsStartOrCounterClockwiseFromItsEnd) {
  AddLine({50, 150}, {350, 150});
  AddCircle({200, 150}, 100);
  const FcArc* arc = AddArc({200, 150}, 80, 30, 150);
  ASSERT_TRUE(Run("extend", {"60,150", "200,50", "", PointText(PointAtPolar({200, 150}, 80, 60 * kDegToRad)),
                             PointText(PointAtPolar({200, 150}, 80, 140 * kDegToRad)), ""}));
  EXPECT_NEAR(arc->GetStartAngle(), 0.0, kNear);
  EXPECT_NEAR(arc->GetEndAngle(), kPi, kNear);
}

TEST_F(ExtendCommandTest, AnArcThatMeetsItsOwnOtherEndBecomesACircleWithTheCurrentProperties) {
  AddLine({200, 50}, {200, 150});
  FcArc* arc = AddArc({200, 150}, 50, 0, 270);
  Change([&](FcGraph& graph) {
    arc->SetLayer(graph.FindOrCreateLayer("Walls"));
    arc->SetColor(3);
  });
  ASSERT_TRUE(Run("extend", {"200,60", "", PointText(PointAtPolar({200, 150}, 50, 30 * kDegToRad)), ""}));
  EXPECT_TRUE(EntitiesOf<FcArc>().empty());
  const std::vector<const FcCircle*> circles = EntitiesOf<FcCircle>();
  ASSERT_EQ(circles.size(), 1u);
  ExpectPointNear(circles[0]->GetCenter(), {200, 150}, kNear);
  EXPECT_NEAR(circles[0]->GetRadius(), 50, kNear);
  ASSERT_NE(circles[0]->GetLayer(), nullptr);
  EXPECT_EQ(circles[0]->GetLayer()->GetName(), "0");
  EXPECT_EQ(circles[0]->GetColor(), script_.OnWindowThread([&] { return script_.Drawing().GetSysVars().cecolor; }));

  ASSERT_TRUE(Run("undo", {}));
  const std::vector<const FcArc*> arcs = EntitiesOf<FcArc>();
  ASSERT_EQ(arcs.size(), 1u);
  EXPECT_EQ(arcs[0]->GetLayer()->GetName(), "Walls");
  EXPECT_NEAR(arcs[0]->GetEndAngle(), 270 * kDegToRad, kNear);
}

TEST_F(ExtendCommandTest, ARayGrowsOnlyBackwardsFromItsBase) {
  AddLine({100, 50}, {100, 250});
  AddLine({300, 50}, {300, 250});
  const FcRay* ray = AddRay({200, 150}, {210, 150});
  ASSERT_TRUE(Run("extend", {"100,60", "300,60", "", "250,150", ""}));
  ExpectPointNear(ray->GetBasePoint(), {100, 150}, kNear);
  ExpectPointNear(ray->GetDirection(), {1, 0}, kNear);
}

}  // namespace

namespace {

using ExtendPolylineTest = EdgeCommandTest;

TEST_F(ExtendPolylineTest, APolylineGrowsOnlyAtThePickedEndSegmentAndATwoVertexOneAtTheNearerEnd) {
  AddLine({50, 20}, {50, 280});
  AddLine({350, 20}, {350, 280});
  const FcPolyline* longer = Draw<FcPolyline>("pline", {"100,100", "150,100", "200,100", "250,100", ""});
  const FcPolyline* halfway = Draw<FcPolyline>("pline", {"100,150", "200,150", ""});
  const FcPolyline* nearStart = Draw<FcPolyline>("pline", {"100,200", "200,200", ""});
  ASSERT_TRUE(Run("extend", {"50,30", "350,30", "", "225,100", "175,100", "125,100", "150,150", "120,200", ""}));
  ExpectVertices(*longer, {{50, 100}, {150, 100}, {200, 100}, {350, 100}}, "first and last segments picked");
  ExpectVertices(*halfway, {{50, 150}, {350, 150}}, "picked halfway");
  ExpectVertices(*nearStart, {{50, 200}, {200, 200}}, "picked near its start");
  EXPECT_EQ(UndoNames().back(), "Extend");
}

// The tapers go on at their rate; one that would pass zero stops at zero.
// The arc goes on round its circle.
TEST_F(ExtendPolylineTest, EndSegmentsKeepTheirTaperAndTheirArc) {
  AddLine({350, 20}, {350, 280});
  AddLine({50, 100}, {150, 100});
  const FcPolyline* narrowing = Draw<FcPolyline>("pline", {"150,250", "Width", "10", "0", "250,250", ""});
  const FcPolyline* widening = Draw<FcPolyline>("pline", {"150,200", "Width", "0", "10", "250,200", ""});
  const FcPoint2d centre{200, 100};
  const FcPolyline* arc = Draw<FcPolyline>("pline", {PointText(PointAtPolar(centre, 50, 30 * kDegToRad)), "Arc",
                                                     "SecondPt", "200,150",
                                                     PointText(PointAtPolar(centre, 50, 150 * kDegToRad)), ""});
  ASSERT_TRUE(Run("extend", {"350,30", "60,100", "", "240,250", "240,200",
                             PointText(PointAtPolar(centre, 50, 140 * kDegToRad)), ""}));
  ExpectVertices(*narrowing, {{150, 250}, {350, 250}}, "narrowing");
  EXPECT_NEAR(narrowing->GetVertices()[0].endWidth, 0, 1e-9);
  EXPECT_NEAR(narrowing->GetVertices()[0].startWidth, 10, 1e-9);
  ExpectVertices(*widening, {{150, 200}, {350, 200}}, "widening");
  EXPECT_NEAR(widening->GetVertices()[0].endWidth, 20, 1e-9);
  const FcPoint2d start = PointAtPolar(centre, 50, 30 * kDegToRad);
  ExpectVertices(*arc, {{start.x, start.y, std::tan(150 * kDegToRad / 4)}, {150, 100}}, "arc");
}

TEST_F(ExtendPolylineTest, AClosedOrFittedPolylineIsNeverExtended) {
  AddLine({50, 20}, {50, 280});
  const FcPolyline* closed = Draw<FcPolyline>("pline", {"100,100", "200,100", "200,50", "Close"});
  FcPolyline* fitted = Draw<FcPolyline>("pline", {"100,200", "200,250", "300,200", ""});
  Change([&](FcGraph& graph) {
    fitted->CurveFit();
    graph.RedrawEntity(fitted);
  });
  ASSERT_TRUE(Run("extend", {"50,30", "", "150,100", "100,200", ""}));
  ExpectVertices(*closed, {{100, 100}, {200, 100}, {200, 50}}, "closed");
  ExpectVertices(*fitted, {{100, 200}, {200, 250}, {300, 200}}, "fitted");
  EXPECT_NE(UndoNames().back(), "Extend");
}

}  // namespace
