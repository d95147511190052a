#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "entities/point_entity.h"
#include "files/drawing_file.h"
#include "tests/support/corner_drawing.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

namespace {

// The scripted window shows (0,0)-(400,300); a pick takes what lies within
// 5 units of it.
class FilletCommandTest : public CornerDrawingTest {
 protected:
  double FilletRadius() {
    return script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().filletrad; });
  }
  void ExpectArc(const FcArc* arc, const FcPoint2d& centre, double radius, double start, double end) {
    ASSERT_NE(arc, nullptr);
    ExpectPointNear(arc->GetCenter(), centre, 1e-9);
    EXPECT_NEAR(arc->GetRadius(), radius, 1e-9);
    EXPECT_NEAR(arc->GetStartAngle(), start * kDegToRad, 1e-9);
    EXPECT_NEAR(arc->GetEndAngle(), end * kDegToRad, 1e-9);
  }
};

// Neither line reaches the corner at (90,100): both are drawn out to the
// arc, the file keeps the arc as made, and Undo and Redo take the whole
// fillet back and forth.
TEST_F(FilletCommandTest, TwoLinesGetTheArcAndReachItAsOneUndoStep) {
  const FcLine* across = AddLine({120, 100}, {200, 100});
  const FcLine* up = AddLine({90, 130}, {90, 200});
  ASSERT_TRUE(RunScript(script_, "fillet", {"r", "10", "150,100", "90,160"}));
  EXPECT_EQ(Printed().front(), "(TRIM mode) Current fillet radius = 5.0000");
  const std::vector<std::string> prompts = Prompts();
  EXPECT_EQ(std::vector<std::string>(prompts.end() - 4, prompts.end()),
            (std::vector<std::string>{"Polyline/Radius/Trim/<Select first object>", "Enter fillet radius <5.0000>",
                                      "Polyline/Radius/Trim/<Select first object>", "Select second object"}));
  EXPECT_EQ(FilletRadius(), 10.0);
  ASSERT_EQ(EntitiesOf<FcArc>().size(), 1u);
  ExpectArc(EntitiesOf<FcArc>()[0], {100, 110}, 10, 180, 270);
  ExpectPointNear(across->GetStartPoint(), {100, 100}, 1e-9);
  ExpectPointNear(across->GetEndPoint(), {200, 100}, 1e-9);
  ExpectPointNear(up->GetStartPoint(), {90, 110}, 1e-9);
  ExpectPointNear(up->GetEndPoint(), {90, 200}, 1e-9);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Fillet"}));

  TempDir folder;
  const std::string path = folder.path() + "fillet.dxf";
  ASSERT_TRUE(script_.OnWindowThread([&] {
    return SaveDrawing(script_.Drawing(), path, FcFileKind::kAsciiDxf, false, false) == FcSaveResult::kDone;
  }));
  const CommandResult read = RunCommand("/usr/bin/python3 '" + LibraryScript() + "' curves '" + path + "'");
  EXPECT_EQ(read.status, 0) << read.output;
  EXPECT_EQ(read.output, "ARC 100,110 r 10 from 90,110 to 100,100\n");

  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_TRUE(EntitiesOf<FcArc>().empty());
  std::vector<const FcLine*> lines = EntitiesOf<FcLine>();
  ASSERT_EQ(lines.size(), 2u);
  ExpectPointNear(lines[0]->GetStartPoint(), {120, 100}, 1e-9);
  ExpectPointNear(lines[1]->GetStartPoint(), {90, 130}, 1e-9);
  ASSERT_TRUE(script_.Run({"redo"}));
  EXPECT_EQ(EntitiesOf<FcArc>().size(), 1u);
  lines = EntitiesOf<FcLine>();
  ASSERT_EQ(lines.size(), 2u);
  ExpectPointNear(lines[0]->GetStartPoint(), {100, 100}, 1e-9);
}

// Radius 0 joins the lines at their corner in Trim mode; without trimming
// the same picks have nothing to do and leave no undo step.
TEST_F(FilletCommandTest, ZeroRadiusJoinsTheCornerOnlyWhenTrimming) {
  struct Case {
    const char* trimAnswer;
    double y;
    bool joined;
    std::vector<std::string> undo;
  };
  const Case cases[] = {
      {"t", 40, true, {"Fillet"}},
      {"n", 160, false, {"Fillet"}},
  };
  for (const Case& c : cases) {
    const FcLine* across = AddLine({120, c.y}, {200, c.y});
    const FcLine* up = AddLine({90, c.y + 30}, {90, c.y + 90});
    ASSERT_TRUE(RunScript(script_, "fillet", {"r", "0", "t", c.trimAnswer, "150," + std::to_string(c.y),
                                              "90," + std::to_string(c.y + 60)}));
    EXPECT_TRUE(EntitiesOf<FcArc>().empty()) << c.trimAnswer;
    ExpectPointNear(across->GetStartPoint(), c.joined ? FcPoint2d{90, c.y} : FcPoint2d{120, c.y}, 1e-9, c.trimAnswer);
    ExpectPointNear(up->GetStartPoint(), c.joined ? FcPoint2d{90, c.y} : FcPoint2d{90, c.y + 30}, 1e-9, c.trimAnswer);
    EXPECT_EQ(UndoNames(), c.undo) << c.trimAnswer;
  }
}

// Each refused pair leaves the drawing and the undo list as they were.
TEST_F(FilletCommandTest, RefusedPairsSayWhyAndChangeNothing) {
  AddLine({20, 20}, {80, 20});
  AddLine({20, 40}, {80, 40});
  AddLine({20, 60}, {80, 60});
  AddCircle({150, 40}, 10);
  AddPolyline({{200, 20}, {260, 20}, {260, 60}});
  AddPolyline({{20, 120}, {80, 120}, {80, 160}, {20, 160}});
  AddLine({100, 130}, {140, 130});
  AddPolyline({{200, 120}, {260, 120}, {260, 160}}, true);
  AddPolyline({{20, 220}, {60, 220}, {60, 250}, {100, 250}, {100, 290}});
  AddUnbounded<FcXLine>({300, 280}, {1, 0});
  AddUnbounded<FcRay>({300, 200}, {1, 0});
  struct Case {
    const char* first;
    const char* second;
    const char* message;
  };
  const Case cases[] = {
      {"50,20", "50,40", "Invalid fillet radius!"},
      {"30,60", "70,60", "Cannot fillet an entity with itself."},
      {"160,40", "230,20", "Cannot fillet between these two entities."},
      {"230,20", "230,20", "Cannot fillet between these two entities."},
      {"120,130", "80,140", "Lines diverge."},
      {"120,130", "230,120", "Lines diverge."},
      {"40,220", "100,270", "Lines belonging to polylines must be consecutive or separated by one segment"},
      {"320,280", "380,280", "Invalid fillet radius!"},
      {"350,200", "230,20", "Cannot fillet between these two entities."},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(RunScript(script_, "fillet", {c.first, c.second})) << c.first;
    EXPECT_EQ(LastPrinted(), c.message) << c.first << " " << c.second;
  }
  EXPECT_TRUE(UndoNames().empty());
  EXPECT_TRUE(EntitiesOf<FcArc>().empty());
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 4u);
  EXPECT_EQ(EntitiesOf<FcXLine>().size(), 1u);
}

TEST_F(FilletCommandTest, PromptsRefuseWhatTheyCannotTake) {
  Add<FcPointEnt>([](FcPointEnt& point) { point.SetLocation({50, 50}); });
  ASSERT_TRUE(RunScript(script_, "fillet", {"50,50", "r", "-3", "", "r", "0", "t", "n", kEsc}));
  EXPECT_EQ(Printed(), (std::vector<std::string>{"(TRIM mode) Current fillet radius = 5.0000",
                                                 "Fillet requires 2 lines, arcs, or circles.",
                                                 "Can't input negative number!"}));
  const std::string first = "Polyline/Radius/Trim/<Select first object>";
  EXPECT_EQ(Prompts(), (std::vector<std::string>{first, first, "Enter fillet radius <5.0000>", first,
                                                 "Enter fillet radius <5.0000>", first, "Trim/No trim <Trim>", first}));
  EXPECT_EQ(FilletRadius(), 0.0);

  ASSERT_TRUE(RunScript(script_, "fillet", {"t", "", kEsc}));
  EXPECT_EQ(Printed().back(), "(NOTRIM mode) Current fillet radius = 0.0000");
  EXPECT_EQ(Prompts().end()[-2], "Trim/No trim <No trim>");
  AddLine({100, 100}, {200, 100});
  ASSERT_TRUE(RunScript(script_, "fillet", {"150,100", "50,50", "300,300", kEsc}));
  EXPECT_EQ(Printed().back(), "Fillet requires 2 lines, arcs, or circles.");
  const std::vector<std::string> prompts = Prompts();
  EXPECT_EQ(std::vector<std::string>(prompts.end() - 3, prompts.end()),
            (std::vector<std::string>{"Select second object", "Select second object", "Select second object"}));
  EXPECT_TRUE(UndoNames().empty());
}

// The line is cut back to the arc on the side it was picked; the circle
// stays whole, whichever of the two was picked first.
TEST_F(FilletCommandTest, ALineWithACircleKeepsThePickedPartAndTheWholeCircle) {
  const double x = 200 + std::sqrt(800.0);
  for (const bool circleFirst : {false, true}) {
    const double y = circleFirst ? 150 : 0;
    const FcLine* line = AddLine({100, 100 + y}, {300, 100 + y});
    const FcCircle* circle = AddCircle({200, 150 + y}, 30);
    const std::string linePick = "260," + std::to_string(100 + y);
    const std::string circlePick = "200," + std::to_string(120 + y);
    if (circleFirst) {
      ASSERT_TRUE(RunScript(script_, "fillet", {"r", "15", circlePick, linePick}));
    } else {
      ASSERT_TRUE(RunScript(script_, "fillet", {"r", "15", linePick, circlePick}));
    }
    ExpectPointNear(line->GetStartPoint(), {x, 100 + y}, 1e-9);
    ExpectPointNear(line->GetEndPoint(), {300, 100 + y}, 1e-9);
    EXPECT_EQ(circle->GetRadius(), 30.0);
    const std::vector<const FcArc*> arcs = EntitiesOf<FcArc>();
    ASSERT_EQ(arcs.size(), circleFirst ? 2u : 1u);
    ExpectPointNear(arcs.back()->GetCenter(), {x, 115 + y}, 1e-9);
    EXPECT_EQ(arcs.back()->GetRadius(), 15.0);
  }
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Fillet", "Fillet"}));
}

// The lower half of a circle above a line: the arc keeps the part that
// runs on from the fillet, and the file holds the three pieces joined.
TEST_F(FilletCommandTest, AnArcNextToTheFilletEndsWhereTheFilletTouchesIt) {
  AddLine({100, 100}, {300, 100});
  const FcArc* arc = AddArc({200, 150}, 30, 180, 360);
  ASSERT_TRUE(RunScript(script_, "fillet", {"r", "15", "260,100", "200,120"}));
  const FcPoint2d centre{200 + std::sqrt(800.0), 115};
  const double touch = std::atan2(centre.y - 150, centre.x - 200) + 2 * kPi;
  EXPECT_NEAR(arc->GetStartAngle(), touch, 1e-9);
  EXPECT_NEAR(arc->GetEndAngle(), 2 * kPi, 1e-9);
  const std::vector<const FcArc*> arcs = EntitiesOf<FcArc>();
  ASSERT_EQ(arcs.size(), 2u);
  ExpectPointNear(arcs[1]->GetStartPoint(), arc->GetStartPoint(), 1e-9);
  ExpectPointNear(arcs[1]->GetEndPoint(), {centre.x, 100}, 1e-9);
}

// Two circles only receive the arc between them, also when trimming; two
// arcs each end where it touches them.
TEST_F(FilletCommandTest, CirclesStayWholeAndArcsEndAtTheFillet) {
  AddCircle({100, 100}, 20);
  AddCircle({150, 100}, 20);
  const FcArc* left = AddArc({100, 220}, 20, 0, 180);
  const FcArc* right = AddArc({150, 220}, 20, 0, 180);
  ASSERT_TRUE(RunScript(script_, "fillet", {"r", "10", "100,120", "150,120"}));
  ASSERT_TRUE(RunScript(script_, "fillet", {"100,240", "150,240"}));
  const double h = std::sqrt(900.0 - 625.0);
  const std::vector<const FcCircle*> circles = EntitiesOf<FcCircle>();
  ASSERT_EQ(circles.size(), 6u);  // arcs are circles too
  EXPECT_EQ(circles[0]->GetRadius(), 20.0);
  EXPECT_EQ(circles[1]->GetRadius(), 20.0);
  const std::vector<const FcArc*> arcs = EntitiesOf<FcArc>();
  ASSERT_EQ(arcs.size(), 4u);
  ExpectPointNear(arcs[2]->GetCenter(), {125, 100 + h}, 1e-9);
  ExpectPointNear(arcs[3]->GetCenter(), {125, 220 + h}, 1e-9);
  EXPECT_NEAR(left->GetStartAngle(), std::atan2(h, 25), 1e-9);
  EXPECT_NEAR(left->GetEndAngle(), kPi, 1e-9);
  EXPECT_NEAR(right->GetStartAngle(), 0, 1e-9);
  EXPECT_NEAR(right->GetEndAngle(), kPi - std::atan2(h, 25), 1e-9);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Fillet", "Fillet"}));
}

// A ray that starts beyond the corner is drawn back to the arc; a
// construction line becomes a ray from the arc away from the corner.
TEST_F(FilletCommandTest, RaysAndConstructionLinesEndAtTheArc) {
  const FcLine* line = AddLine({100, 100}, {200, 100});
  const FcRay* ray = AddUnbounded<FcRay>({50, 150}, {0, 1});
  const FcLine* other = AddLine({250, 200}, {350, 200});
  AddUnbounded<FcXLine>({220, 250}, {0, -1});
  ASSERT_TRUE(RunScript(script_, "fillet", {"r", "10", "150,100", "50,200"}));
  ExpectPointNear(ray->GetBasePoint(), {50, 110}, 1e-9);
  ExpectPointNear(ray->GetDirection(), {0, 1}, 1e-9);
  ExpectPointNear(line->GetStartPoint(), {60, 100}, 1e-9);

  ASSERT_TRUE(RunScript(script_, "fillet", {"300,200", "220,260"}));
  EXPECT_TRUE(EntitiesOf<FcXLine>().empty());
  const std::vector<const FcRay*> rays = EntitiesOf<FcRay>();
  ASSERT_EQ(rays.size(), 2u);
  ExpectPointNear(rays[1]->GetBasePoint(), {220, 210}, 1e-9);
  ExpectPointNear(rays[1]->GetDirection(), {0, 1}, 1e-9);
  ExpectPointNear(other->GetStartPoint(), {230, 200}, 1e-9);

  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(EntitiesOf<FcXLine>().size(), 1u);
  EXPECT_EQ(EntitiesOf<FcRay>().size(), 1u);
}

// Two segments of one polyline become one polyline with an arc segment;
// on a closed one the last and the first segment meet across the closure.
TEST_F(FilletCommandTest, PolylineSegmentsGetAnArcSegmentOfTheirOwn) {
  const FcPolyline* open = AddPolyline({{20, 20}, {120, 20}, {120, 120}});
  const FcPolyline* closed = AddPolyline({{200, 100}, {300, 100}, {300, 200}, {200, 200}}, true);
  ASSERT_TRUE(RunScript(script_, "fillet", {"r", "10", "70,20", "120,70"}));
  ASSERT_TRUE(RunScript(script_, "fillet", {"200,150", "250,100"}));
  ExpectVertices(open, {{20, 20}, {110, 20}, {120, 30}, {120, 120}});
  const double quarter = std::tan(kPi / 8);
  EXPECT_NEAR(open->GetVertices()[1].bulge, quarter, 1e-9);
  EXPECT_EQ(open->GetVertices()[2].bulge, 0.0);
  const std::vector<FcPoint2d> ring = VerticesOf(closed);
  ASSERT_EQ(ring.size(), 5u);
  ExpectPointNear(ring[0], {210, 100}, 1e-9);
  ExpectPointNear(ring[4], {200, 110}, 1e-9);
  EXPECT_NEAR(closed->GetVertices()[4].bulge, quarter, 1e-9);
  EXPECT_TRUE(EntitiesOf<FcArc>().empty());
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Fillet", "Fillet"}));

  // Without trimming the polyline stays and the arc is an entity of its
  // own, with the polyline's colour.
  FcPolyline* kept = AddPolyline({{20, 200}, {120, 200}, {120, 290}});
  script_.OnWindowThread([&] {
    kept->SetColor(5);
    return true;
  });
  ASSERT_TRUE(RunScript(script_, "fillet", {"t", "n", "70,200", "120,250"}));
  ExpectVertices(kept, {{20, 200}, {120, 200}, {120, 290}});
  const std::vector<const FcArc*> arcs = EntitiesOf<FcArc>();
  ASSERT_EQ(arcs.size(), 1u);
  ExpectPointNear(arcs[0]->GetCenter(), {110, 210}, 1e-9);
  EXPECT_EQ(arcs[0]->GetColor(), 5);
}

// Option Polyline rounds every corner the radius fits; a polyline without
// corners is left alone and leaves no undo step.
TEST_F(FilletCommandTest, OptionPolylineRoundsEveryCorner) {
  const FcPolyline* box = AddPolyline({{100, 100}, {200, 100}, {200, 200}, {100, 200}}, true);
  const FcPolyline* bent = AddPolyline({{250, 50}, {350, 50}, {350, 60}});
  const FcPolyline* straight = AddPolyline({{20, 250}, {80, 250}});
  ASSERT_TRUE(RunScript(script_, "fillet", {"r", "20", "p", "80,250"}));
  EXPECT_TRUE(UndoNames().empty());
  // Radius 0 without trimming has nothing to do at any corner.
  ASSERT_TRUE(RunScript(script_, "fillet", {"r", "0", "t", "n", "p", "150,100"}));
  EXPECT_TRUE(UndoNames().empty());
  EXPECT_EQ(VerticesOf(box).size(), 4u);
  ASSERT_TRUE(RunScript(script_, "fillet", {"r", "20", "t", "t", kEsc}));
  EXPECT_EQ(VerticesOf(straight).size(), 2u);

  ASSERT_TRUE(RunScript(script_, "fillet", {"p", "150,100"}));
  ExpectVertices(box, {{120, 100}, {180, 100}, {200, 120}, {200, 180},
                                                     {180, 200}, {120, 200}, {100, 180}, {100, 120}});
  for (int i = 0; i < 8; ++i) EXPECT_NEAR(box->GetVertices()[i].bulge, i % 2 == 1 ? std::tan(kPi / 8) : 0.0, 1e-9);
  // The short leg is too short for the radius.
  ASSERT_TRUE(RunScript(script_, "fillet", {"p", "300,50"}));
  EXPECT_EQ(VerticesOf(bent).size(), 3u);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Fillet"}));
}

// A line and the end segment of a polyline: the polyline's end vertex
// moves to the arc, and the line is drawn out to it.
TEST_F(FilletCommandTest, ALineMeetsThePolylinesEndSegment) {
  const FcPolyline* polyline = AddPolyline({{100, 100}, {200, 100}, {200, 200}});
  const FcLine* line = AddLine({80, 120}, {80, 250});
  ASSERT_TRUE(RunScript(script_, "fillet", {"r", "10", "80,200", "150,100"}));
  ExpectVertices(polyline, {{90, 100}, {200, 100}, {200, 200}});
  ExpectPointNear(line->GetStartPoint(), {80, 110}, 1e-9);
  ASSERT_EQ(EntitiesOf<FcArc>().size(), 1u);
  ExpectPointNear(EntitiesOf<FcArc>()[0]->GetCenter(), {90, 110}, 1e-9);
}

// The arc takes what the two edges share, else the current setting.
TEST_F(FilletCommandTest, TheArcTakesTheSharedColourAndLinetypeScale) {
  struct Case {
    std::int16_t colour1, colour2;
    double scale1, scale2;
    std::int16_t colour;
    double scale;
  };
  const Case cases[] = {
      {1, 1, 2.0, 2.0, 1, 2.0},
      {1, 3, 2.0, 0.5, 256, 1.0},
  };
  double y = 50;
  for (const Case& c : cases) {
    FcLine* across = AddLine({120, y}, {200, y});
    FcLine* up = AddLine({90, y + 30}, {90, y + 90});
    script_.OnWindowThread([&] {
      across->SetColor(c.colour1);
      across->SetLinetypeScale(c.scale1);
      up->SetColor(c.colour2);
      up->SetLinetypeScale(c.scale2);
      return true;
    });
    ASSERT_TRUE(RunScript(script_, "fillet", {"150," + std::to_string(y), "90," + std::to_string(y + 60)}));
    const std::vector<const FcArc*> arcs = EntitiesOf<FcArc>();
    ASSERT_FALSE(arcs.empty());
    EXPECT_EQ(arcs.back()->GetColor(), c.colour);
    EXPECT_EQ(arcs.back()->GetLinetypeScale(), c.scale);
    y += 120;
  }
}

// With radius 0 there is no arc to tell the sides apart: the line keeps
// the part it was picked on, however it was drawn.
TEST_F(FilletCommandTest, ZeroRadiusNextToACircleKeepsThePickedPartOfTheLine) {
  const FcLine* line = AddLine({300, 100}, {100, 100});
  AddCircle({200, 100}, 30);
  ASSERT_TRUE(RunScript(script_, "fillet", {"r", "0", "280,100", "200,130"}));
  ExpectPointNear(line->GetStartPoint(), {300, 100}, 1e-9);
  ExpectPointNear(line->GetEndPoint(), {230, 100}, 1e-9);
  EXPECT_TRUE(EntitiesOf<FcArc>().empty());
}

// A polyline of one segment has both ends free: the one near the line is
// the one that meets it.
TEST_F(FilletCommandTest, ASinglePolylineSegmentMeetsALineAtItsNearerEnd) {
  const FcPolyline* polyline = AddPolyline({{100, 100}, {200, 100}});
  const FcLine* line = AddLine({220, 120}, {220, 250});
  ASSERT_TRUE(RunScript(script_, "fillet", {"r", "10", "150,100", "220,200"}));
  ExpectVertices(polyline, {{100, 100}, {210, 100}});
  ExpectPointNear(line->GetStartPoint(), {220, 110}, 1e-9);
  ASSERT_EQ(EntitiesOf<FcArc>().size(), 1u);
  ExpectPointNear(EntitiesOf<FcArc>()[0]->GetCenter(), {210, 110}, 1e-9);
}

// In a triangle the last side and the first meet at vertex 0, although
// only one side lies between them the other way round.
TEST_F(FilletCommandTest, TheLastAndFirstSidesOfATriangleMeetAtItsFirstVertex) {
  const FcPolyline* triangle = AddPolyline({{100, 100}, {200, 100}, {150, 200}}, true);
  ASSERT_TRUE(RunScript(script_, "fillet", {"r", "10", "150,100", "125,150"}));
  const double along = 10 / std::tan(std::atan2(2.0, 1.0) / 2);
  const double toApex = along / std::sqrt(5.0);
  ExpectVertices(triangle, {{100 + along, 100}, {200, 100}, {150, 200}, {100 + toApex, 100 + 2 * toApex}});
  EXPECT_GT(triangle->GetVertices()[3].bulge, 0.0);
}

// A pick on a fitted polyline's curve means the frame segment nearest to
// it; the curve follows the filleted frame.
TEST_F(FilletCommandTest, AFittedPolylineIsFilletedOnItsFrame) {
  const FcPolyline* polyline = Add<FcPolyline>([](FcPolyline& fitted) {
    for (const FcPoint2d& at : {FcPoint2d{20, 20}, {120, 20}, {120, 120}, {220, 120}}) fitted.AppendVertex(at, 0, 0, 0);
    fitted.CurveFit();
  });
  const std::vector<PolylineVertex> before = polyline->GetFitVertices();
  ASSERT_TRUE(RunScript(script_, "fillet", {"r", "10", "20,20", "120,120"}));
  ExpectVertices(polyline, {{20, 20}, {110, 20}, {120, 30}, {120, 120}, {220, 120}});
  EXPECT_TRUE(polyline->IsFitted());
  const std::vector<PolylineVertex> after = polyline->GetFitVertices();
  ASSERT_FALSE(after.empty());
  EXPECT_NE(after.size(), before.size());
}

}  // namespace
