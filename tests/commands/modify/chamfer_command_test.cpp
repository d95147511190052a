#include <string>
#include <vector>

#include "tests/support/corner_drawing.h"

namespace {

// The scripted window shows (0,0)-(400,300); a pick takes what lies within
// 5 units of it.
class ChamferCommandTest : public CornerDrawingTest {
 protected:
  FcSystemVar Vars() {
    return script_.OnWindowThread([this] { return script_.Drawing().GetSysVars(); });
  }
  std::string At(double x, double y) { return std::to_string(x) + "," + std::to_string(y); }
};

// The first distance goes to the line picked first, whichever it is; both
// lines end at the chamfer line, and Undo takes the chamfer back whole.
TEST_F(ChamferCommandTest, TwoDistancesGoToTheLinesInTheOrderPicked) {
  ASSERT_TRUE(RunScript(script_, "chamfer", {"d", "10", "20"}));
  EXPECT_EQ(Prompts(), (std::vector<std::string>{"Polyline/Distance/Angle/Trim/Method/<Select first line>",
                                                 "Enter first chamfer distance <0.5000>",
                                                 "Enter second chamfer distance<10.0000>"}));
  for (const bool acrossFirst : {true, false}) {
    const double y = acrossFirst ? 40 : 160;
    const FcLine* across = AddLine({120, y}, {200, y});
    const FcLine* up = AddLine({90, y + 30}, {90, y + 90});
    if (acrossFirst) {
      ASSERT_TRUE(RunScript(script_, "chamfer", {At(150, y), At(90, y + 60)}));
    } else {
      ASSERT_TRUE(RunScript(script_, "chamfer", {At(90, y + 60), At(150, y)}));
    }
    EXPECT_EQ(Printed().back(), "(TRIM mode) Current chamfer Dist1 = 10.0000, Dist2 = 20.0000");
    const FcPoint2d onAcross{acrossFirst ? 100.0 : 110.0, y};
    const FcPoint2d onUp{90, y + (acrossFirst ? 20 : 10)};
    ExpectPointNear(across->GetStartPoint(), onAcross, 1e-9);
    ExpectPointNear(across->GetEndPoint(), {200, y}, 1e-9);
    ExpectPointNear(up->GetStartPoint(), onUp, 1e-9);
    const FcLine* chamfer = EntitiesOf<FcLine>().back();
    ExpectPointNear(chamfer->GetStartPoint(), acrossFirst ? onAcross : onUp, 1e-9);
    ExpectPointNear(chamfer->GetEndPoint(), acrossFirst ? onUp : onAcross, 1e-9);
  }
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Chamfer", "Chamfer"}));
  ASSERT_TRUE(script_.Run({"undo"}));
  const std::vector<const FcLine*> lines = EntitiesOf<FcLine>();
  ASSERT_EQ(lines.size(), 5u);
  ExpectPointNear(lines[3]->GetStartPoint(), {120, 160}, 1e-9);
  ExpectPointNear(lines[4]->GetStartPoint(), {90, 190}, 1e-9);
}

TEST_F(ChamferCommandTest, OptionsSetTheDistancesTheLengthTheAngleAndTheMethod) {
  ASSERT_TRUE(RunScript(script_, "chamfer", {"d", "7", "3"}));
  ASSERT_TRUE(RunScript(script_, "chamfer", {"d", "-4", ""}));
  FcSystemVar vars = Vars();
  EXPECT_EQ(vars.chamfera, 7.0);
  EXPECT_EQ(vars.chamferb, 7.0);
  ASSERT_TRUE(RunScript(script_, "chamfer", {"a", "15", "30"}));
  vars = Vars();
  EXPECT_EQ(vars.chamferc, 15.0);
  EXPECT_NEAR(vars.chamferd, 30 * kDegToRad, 1e-12);
  EXPECT_EQ(vars.chammode, 1);
  ASSERT_TRUE(RunScript(script_, "chamfer", {"m", "", "t", "n", kEsc}));
  EXPECT_EQ(Printed().back(), "(TRIM mode) Current chamfer Length = 15.0000, Angle = 30.0000");
  const std::vector<std::string> prompts = Prompts();
  EXPECT_EQ(std::vector<std::string>(prompts.end() - 4, prompts.end() - 1),
            (std::vector<std::string>{"Distance/Angle <Angle>", "Polyline/Distance/Angle/Trim/Method/<Select first line>",
                                      "Trim/No trim <Trim>"}));
  ASSERT_TRUE(RunScript(script_, "chamfer", {"m", "d", kEsc}));
  EXPECT_EQ(Printed().back(), "(NOTRIM mode) Current chamfer Length = 15.0000, Angle = 30.0000");
  EXPECT_EQ(Vars().chammode, 0);
  EXPECT_EQ(Vars().TrimMode, 0);
  EXPECT_TRUE(UndoNames().empty());
}

// Length 10 on the line picked first and 45 degrees from it; an angle that
// turns the chamfer away from the other line is refused.
TEST_F(ChamferCommandTest, LengthAndAngleCutFromTheFirstLine) {
  const FcLine* across = AddLine({120, 100}, {200, 100});
  const FcLine* up = AddLine({90, 130}, {90, 200});
  ASSERT_TRUE(RunScript(script_, "chamfer", {"a", "10", "45"}));
  ASSERT_TRUE(RunScript(script_, "chamfer", {"150,100", "90,160"}));
  ExpectPointNear(across->GetStartPoint(), {100, 100}, 1e-9);
  ExpectPointNear(up->GetStartPoint(), {90, 110}, 1e-9);

  AddLine({220, 200}, {300, 200});
  AddLine({210, 220}, {210, 290});
  ASSERT_TRUE(RunScript(script_, "chamfer", {"a", "10", "135"}));
  ASSERT_TRUE(RunScript(script_, "chamfer", {"250,200", "210,260"}));
  EXPECT_EQ(LastPrinted(), "Invalid chamfer angle.");
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Chamfer"}));
}

// Zero distances draw the lines out to their corner in Trim mode; without
// trimming the same picks change nothing and leave no undo step.
TEST_F(ChamferCommandTest, ZeroDistancesJoinTheCornerOnlyWhenTrimming) {
  ASSERT_TRUE(RunScript(script_, "chamfer", {"d", "0", "0"}));
  for (const bool trim : {true, false}) {
    const double y = trim ? 40 : 160;
    const FcLine* across = AddLine({120, y}, {200, y});
    const FcLine* up = AddLine({90, y + 30}, {90, y + 90});
    ASSERT_TRUE(RunScript(script_, "chamfer", {"t", trim ? "t" : "n", At(150, y), At(90, y + 60)}));
    EXPECT_EQ(EntitiesOf<FcLine>().size(), trim ? 2u : 4u);
    ExpectPointNear(across->GetStartPoint(), trim ? FcPoint2d{90, y} : FcPoint2d{120, y}, 1e-9);
    ExpectPointNear(up->GetStartPoint(), trim ? FcPoint2d{90, y} : FcPoint2d{90, y + 30}, 1e-9);
  }
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Chamfer"}));
}

TEST_F(ChamferCommandTest, RefusedPairsSayWhyAndChangeNothing) {
  AddLine({20, 20}, {80, 20});
  AddLine({20, 40}, {80, 40});
  AddLine({20, 60}, {80, 60});
  AddLine({20, 80}, {25, 85});
  AddCircle({150, 40}, 10);
  AddPolyline({{200, 20}, {260, 20}, {260, 60}});
  AddPolyline({{200, 120}, {260, 120}, {260, 160}, {200, 160}});
  FcPolyline* bent = AddPolyline({{20, 220}, {60, 220}, {60, 260}});
  script_.OnWindowThread([&] {
    bent->SetVertexBulge(0, 0.5);
    script_.Drawing().RedrawEntity(bent);
    return true;
  });
  AddUnbounded<FcRay>({300, 280}, {1, 0});
  struct Case {
    std::vector<std::string> answers;
    const char* message;
  };
  const std::vector<Case> cases = {
      {{"50,20", "50,40"}, "Lines are parallel."},
      {{"30,60", "70,60"}, "Cannot chamfer an entity with itself."},
      {{"d", "50", "50"}, nullptr},
      {{"50,60", "22,82"}, "Invalid chamfer distance."},
      {{"160,40", kEsc}, "Chamfer requires 2 lines (not arc segments)."},
      {{"350,280", "230,20"}, "Cannot chamfer between these two entities."},
      {{"230,20", "230,120"}, "  Cannot chamfer polyline segments from different polylines."},
      {{"230,120", "230,160"}, "Lines diverge."},
      {{"40,212", "60,240"}, "Cannot chamfer polyline arc segments."},
      {{"230,20", "230,20"}, "Cannot chamfer an entity with itself."},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(RunScript(script_, "chamfer", c.answers)) << c.answers[0];
    if (c.message != nullptr) EXPECT_EQ(LastPrinted(), c.message) << c.answers[0] << " " << c.answers[1];
  }
  EXPECT_TRUE(UndoNames().empty());
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 4u);
}

// Two segments of one polyline: in Trim mode the polyline gets the chamfer
// as a segment of its own, across the closure too; otherwise a separate
// line with the polyline's properties.
TEST_F(ChamferCommandTest, PolylineSegmentsGetTheChamferAsASegment) {
  const FcPolyline* open = AddPolyline({{20, 20}, {120, 20}, {120, 120}});
  const FcPolyline* closed = AddPolyline({{200, 100}, {300, 100}, {300, 200}, {200, 200}}, true);
  const FcPolyline* kept = AddPolyline({{20, 200}, {120, 200}, {120, 280}});
  ASSERT_TRUE(RunScript(script_, "chamfer", {"d", "10", "20"}));
  ASSERT_TRUE(RunScript(script_, "chamfer", {"70,20", "120,70"}));
  ASSERT_TRUE(RunScript(script_, "chamfer", {"250,100", "200,150"}));
  ExpectVertices(open, {{20, 20}, {110, 20}, {120, 40}, {120, 120}});
  ExpectVertices(closed, {{210, 100}, {300, 100}, {300, 200}, {200, 200}, {200, 120}});
  ASSERT_TRUE(RunScript(script_, "chamfer", {"t", "n", "70,200", "120,250"}));
  ExpectVertices(kept, {{20, 200}, {120, 200}, {120, 280}});
  const std::vector<const FcLine*> lines = EntitiesOf<FcLine>();
  ASSERT_EQ(lines.size(), 1u);
  ExpectPointNear(lines[0]->GetStartPoint(), {110, 200}, 1e-9);
  ExpectPointNear(lines[0]->GetEndPoint(), {120, 220}, 1e-9);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Chamfer", "Chamfer", "Chamfer"}));
}

// Option Polyline cuts every corner, also in No-trim mode; a polyline of
// arc segments only is left alone with no undo step.
TEST_F(ChamferCommandTest, OptionPolylineCutsEveryStraightCorner) {
  const FcPolyline* box = AddPolyline({{100, 100}, {200, 100}, {200, 200}, {100, 200}}, true);
  FcPolyline* round = AddPolyline({{250, 50}, {350, 50}, {350, 150}});
  script_.OnWindowThread([&] {
    round->SetVertexBulge(0, 0.4);
    round->SetVertexBulge(1, 0.4);
    script_.Drawing().RedrawEntity(round);
    return true;
  });
  ASSERT_TRUE(RunScript(script_, "chamfer", {"d", "10", "20"}));
  ASSERT_TRUE(RunScript(script_, "chamfer", {"t", "n", "p", "150,100"}));
  ExpectVertices(box, {{120, 100}, {190, 100}, {200, 120}, {200, 190}, {180, 200}, {110, 200}, {100, 180},
                       {100, 110}});
  ASSERT_TRUE(RunScript(script_, "chamfer", {"p", "370,100"}));
  EXPECT_EQ(VerticesOf(round).size(), 3u);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Chamfer"}));

  // Length 10 and 45 degrees cut each square corner by 10 on both sides.
  const FcPolyline* square = AddPolyline({{20, 200}, {80, 200}, {80, 260}, {20, 260}}, true);
  ASSERT_TRUE(RunScript(script_, "chamfer", {"a", "10", "45"}));
  ASSERT_TRUE(RunScript(script_, "chamfer", {"p", "50,200"}));
  ExpectVertices(square, {{30, 200}, {70, 200}, {80, 210}, {80, 250}, {70, 260}, {30, 260}, {20, 250}, {20, 210}});
}

// A line with the end segment of a polyline: the polyline's end vertex and
// the line both end at the chamfer line between them.
TEST_F(ChamferCommandTest, ALineMeetsThePolylinesEndSegment) {
  const FcPolyline* polyline = AddPolyline({{100, 100}, {200, 100}, {200, 200}});
  const FcLine* line = AddLine({80, 120}, {80, 250});
  ASSERT_TRUE(RunScript(script_, "chamfer", {"d", "10", "20"}));
  ASSERT_TRUE(RunScript(script_, "chamfer", {"80,200", "150,100"}));
  ExpectVertices(polyline, {{100, 100}, {200, 100}, {200, 200}});
  ExpectPointNear(line->GetStartPoint(), {80, 110}, 1e-9);
  const std::vector<const FcLine*> lines = EntitiesOf<FcLine>();
  ASSERT_EQ(lines.size(), 2u);
  ExpectPointNear(lines[1]->GetStartPoint(), {80, 110}, 1e-9);
  ExpectPointNear(lines[1]->GetEndPoint(), {100, 100}, 1e-9);
}

// A construction line becomes a ray from the chamfer away from the corner;
// a ray through the corner keeps its base and becomes a line.
TEST_F(ChamferCommandTest, ConstructionLinesBecomeRaysAndRaysLines) {
  const FcLine* line = AddLine({250, 200}, {350, 200});
  AddUnbounded<FcXLine>({220, 250}, {0, -1});
  ASSERT_TRUE(RunScript(script_, "chamfer", {"d", "10", "10"}));
  ASSERT_TRUE(RunScript(script_, "chamfer", {"300,200", "220,260"}));
  EXPECT_TRUE(EntitiesOf<FcXLine>().empty());
  const std::vector<const FcRay*> rays = EntitiesOf<FcRay>();
  ASSERT_EQ(rays.size(), 1u);
  ExpectPointNear(rays[0]->GetBasePoint(), {220, 210}, 1e-9);
  ExpectPointNear(rays[0]->GetDirection(), {0, 1}, 1e-9);
  ExpectPointNear(line->GetStartPoint(), {230, 200}, 1e-9);

  AddUnbounded<FcRay>({300, 20}, {0, 1});
  AddLine({320, 100}, {390, 100});
  ASSERT_TRUE(RunScript(script_, "chamfer", {"300,50", "350,100"}));
  EXPECT_EQ(EntitiesOf<FcRay>().size(), 1u);
  const std::vector<const FcLine*> lines = EntitiesOf<FcLine>();
  ASSERT_EQ(lines.size(), 5u);
  ExpectPointNear(lines[2]->GetStartPoint(), {310, 100}, 1e-9);
  ExpectPointNear(lines[3]->GetStartPoint(), {300, 90}, 1e-9);
  ExpectPointNear(lines[3]->GetEndPoint(), {310, 100}, 1e-9);
  const FcLine* fromRay = lines[4];
  ExpectPointNear(fromRay->GetStartPoint(), {300, 20}, 1e-9);
  ExpectPointNear(fromRay->GetEndPoint(), {300, 90}, 1e-9);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Chamfer", "Chamfer"}));
}

}  // namespace
