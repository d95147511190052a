#include <cmath>
#include <string>
#include <vector>

#include "core/point_ops.h"
#include "entities/ellipse.h"
#include "tests/commands/modify/edge_command_fixture.h"

namespace {

constexpr double kNear = 1e-7;
const std::string kTrimPrompt = "<Select object to trim>/Edge";

using TrimCommandTest = EdgeCommandTest;

TEST_F(TrimCommandTest, ALineCrossedOnceLosesThePieceOnThePickedSideAndUndoTakesTheRunBackInOneStep) {
  AddLine({150, 50}, {150, 250});
  const FcLine* left = AddLine({100, 100}, {200, 100});
  const FcLine* right = AddLine({100, 200}, {200, 200});
  ASSERT_TRUE(Run("trim", {"150,60", "", "120,100", "180,200", ""}));
  ExpectPointNear(left->GetStartPoint(), {150, 100}, kNear, "picked before the crossing");
  ExpectPointNear(left->GetEndPoint(), {200, 100}, kNear);
  ExpectPointNear(right->GetStartPoint(), {100, 200}, kNear, "picked after the crossing");
  ExpectPointNear(right->GetEndPoint(), {150, 200}, kNear);
  EXPECT_TRUE(Contains(Prompts(), "Select objects"));
  EXPECT_TRUE(Contains(Prompts(), kTrimPrompt));
  EXPECT_EQ(UndoNames().size(), 4u);
  EXPECT_EQ(UndoNames().back(), "Trim");

  ASSERT_TRUE(Run("undo", {}));
  EXPECT_EQ(LastPrinted(), "Undo : Trim");
  const std::vector<const FcLine*> lines = EntitiesOf<FcLine>();
  ASSERT_EQ(lines.size(), 3u);
  ExpectPointNear(lines[1]->GetStartPoint(), {100, 100}, kNear);
  ExpectPointNear(lines[1]->GetEndPoint(), {200, 100}, kNear);
  ExpectPointNear(lines[2]->GetEndPoint(), {200, 200}, kNear);
}

TEST_F(TrimCommandTest, ALinePickedBetweenTwoCrossingsBecomesTwoLinesWithTheSameProperties) {
  AddLine({150, 50}, {150, 150});
  AddLine({250, 50}, {250, 150});
  FcLine* walls = AddLine({100, 100}, {300, 100});
  Change([&](FcGraph& graph) {
    walls->SetLayer(graph.FindOrCreateLayer("Walls"));
    walls->SetColor(3);
  });
  // Starts on the first edge and crosses nothing else: its end is no cut.
  const FcLine* touching = AddLine({150, 140}, {200, 140});

  ASSERT_TRUE(Run("trim", {"150,60", "250,60", "", "200,100", "175,140", ""}));
  const std::vector<const FcLine*> lines = EntitiesOf<FcLine>();
  ASSERT_EQ(lines.size(), 5u);
  ExpectPointNear(walls->GetStartPoint(), {100, 100}, kNear);
  ExpectPointNear(walls->GetEndPoint(), {150, 100}, kNear);
  const FcLine* piece = lines.back();
  ExpectPointNear(piece->GetStartPoint(), {250, 100}, kNear);
  ExpectPointNear(piece->GetEndPoint(), {300, 100}, kNear);
  EXPECT_NE(piece->GetHandle(), walls->GetHandle());
  EXPECT_NE(piece->GetHandle(), 0u);
  ASSERT_NE(piece->GetLayer(), nullptr);
  EXPECT_EQ(piece->GetLayer()->GetName(), "Walls");
  EXPECT_EQ(piece->GetColor(), 3);
  ExpectPointNear(touching->GetStartPoint(), {150, 140}, kNear);
  ExpectPointNear(touching->GetEndPoint(), {200, 140}, kNear);

  ASSERT_TRUE(Run("undo", {}));
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 4u);
  ExpectPointNear(walls->GetEndPoint(), {300, 100}, kNear);
}

// The circle is one of the cutting edges too: trimming it deletes it while
// the edges are still lit.
TEST_F(TrimCommandTest, ACircleCutTwiceBecomesTheArcAwayFromThePickAndOnceCutStaysWhole) {
  AddLine({100, 150}, {300, 150});
  AddLine({300, 80}, {360, 80});
  AddCircle({200, 150}, 50);
  const FcCircle* touched = AddCircle({330, 60}, 20);
  ASSERT_TRUE(Run("trim", {"120,150", "350,80", "200,200", "", "330,40", "200,200", ""}));
  const std::vector<const FcArc*> arcs = EntitiesOf<FcArc>();
  ASSERT_EQ(arcs.size(), 1u);
  ExpectPointNear(arcs[0]->GetCenter(), {200, 150}, kNear);
  EXPECT_NEAR(arcs[0]->GetStartAngle(), kPi, kNear);
  EXPECT_NEAR(arcs[0]->GetEndAngle(), kTwoPi, kNear);
  const std::vector<const FcCircle*> circles = EntitiesOf<FcCircle>();
  ASSERT_EQ(circles.size(), 2u);  // the arc is a circle too
  EXPECT_EQ(circles[0], touched);

  ASSERT_TRUE(Run("undo", {}));
  EXPECT_TRUE(EntitiesOf<FcArc>().empty());
  EXPECT_EQ(EntitiesOf<FcCircle>().size(), 2u);
}

// Two cutting edges that meet on the circle cross it at one point: there
// is no arc to keep, and the circle must not turn into an arc of a whole
// turn.
TEST_F(TrimCommandTest, CrossingsThatAllFallOnOnePointLeaveTheCircleAlone) {
  AddLine({250, 150}, {300, 100});
  AddLine({250, 150}, {300, 200});
  const FcCircle* circle = AddCircle({200, 150}, 50);
  ASSERT_TRUE(Run("trim", {"290,110", "290,190", "", "150,150", ""}));
  EXPECT_TRUE(EntitiesOf<FcArc>().empty());
  const std::vector<const FcCircle*> circles = EntitiesOf<FcCircle>();
  ASSERT_EQ(circles.size(), 1u);
  EXPECT_EQ(circles[0], circle);
  EXPECT_EQ(UndoNames().back(), "Circle");
}

TEST_F(TrimCommandTest, AConstructionLineBecomesRaysPointingAwayFromThePick) {
  AddLine({100, 40}, {100, 200});
  AddLine({300, 100}, {300, 200});
  AddXLine({200, 150}, {250, 150});
  AddXLine({200, 50}, {250, 50});
  ASSERT_TRUE(Run("trim", {"100,180", "300,180", "", "200,150", "200,50", ""}));
  EXPECT_TRUE(EntitiesOf<FcXLine>().empty());
  const std::vector<const FcRay*> rays = EntitiesOf<FcRay>();
  ASSERT_EQ(rays.size(), 3u);
  struct Expected {
    FcPoint2d base, direction;
  };
  const Expected expected[] = {{{100, 150}, {-1, 0}}, {{300, 150}, {1, 0}}, {{100, 50}, {-1, 0}}};
  for (int i = 0; i < 3; ++i) {
    ExpectPointNear(rays[i]->GetBasePoint(), expected[i].base, kNear, "ray " + std::to_string(i));
    ExpectPointNear(rays[i]->GetDirection(), expected[i].direction, kNear, "ray " + std::to_string(i));
  }
}

TEST_F(TrimCommandTest, ARayLosesItsBaseSideOrBecomesALineFromItsBase) {
  AddLine({150, 100}, {150, 280});
  const FcRay* near = AddRay({50, 150}, {60, 150});
  AddRay({50, 250}, {60, 250});
  ASSERT_TRUE(Run("trim", {"150,120", "", "100,150", "250,250", ""}));
  const std::vector<const FcRay*> rays = EntitiesOf<FcRay>();
  ASSERT_EQ(rays.size(), 1u);
  EXPECT_EQ(rays[0], near);
  ExpectPointNear(near->GetBasePoint(), {150, 150}, kNear);
  const std::vector<const FcLine*> lines = EntitiesOf<FcLine>();
  ASSERT_EQ(lines.size(), 2u);
  ExpectPointNear(lines[1]->GetStartPoint(), {50, 250}, kNear);
  ExpectPointNear(lines[1]->GetEndPoint(), {150, 250}, kNear);
}

TEST_F(TrimCommandTest, AnArcPickedBetweenTwoCrossingsBecomesTwoArcs) {
  AddLine({160, 150}, {160, 260});
  AddLine({240, 150}, {240, 260});
  const FcArc* arc = AddArc({200, 150}, 80, 0, 180);
  ASSERT_TRUE(Run("trim", {"160,160", "240,160", "", "200,230", ""}));
  const std::vector<const FcArc*> arcs = EntitiesOf<FcArc>();
  ASSERT_EQ(arcs.size(), 2u);
  EXPECT_EQ(arcs[0], arc);
  EXPECT_NEAR(arc->GetStartAngle(), 0.0, kNear);
  EXPECT_NEAR(arc->GetEndAngle(), kPi / 3, kNear);
  EXPECT_NEAR(arcs[1]->GetStartAngle(), 2 * kPi / 3, kNear);
  EXPECT_NEAR(arcs[1]->GetEndAngle(), kPi, kNear);
}

// An arc whose end lies on a cutting edge keeps its end there: the
// crossing computed at that end is no cut, even a hair off the end angle,
// so the piece picked runs from the other crossing to the end.
TEST_F(TrimCommandTest, AnArcEndingOnAnEdgeIsCutOnlyAtTheOtherCrossing) {
  const FcPoint2d centre{200, 100};
  const double end = 71.3 * kDegToRad;
  const FcPoint2d tip = PointAtPolar(centre, 80, end);
  AddLine({tip.x - 60, tip.y - 30}, {tip.x + 60, tip.y + 30});
  AddLine({150, 100}, {290, 100});
  const FcArc* arc = AddArc(centre, 80, -40, 71.3);
  ASSERT_TRUE(Run("trim", {PointText({tip.x - 50, tip.y - 25}), "160,100", "",
                           PointText(PointAtPolar(centre, 80, 35 * kDegToRad)), ""}));
  ASSERT_EQ(EntitiesOf<FcArc>().size(), 1u);
  EXPECT_NEAR(arc->GetStartAngle(), 320 * kDegToRad, kNear);
  EXPECT_NEAR(arc->GetEndAngle(), kTwoPi, kNear);
}

TEST_F(TrimCommandTest, TheEdgeModeLetsEdgesCountAsTheirWholeLinesAndLastsIntoTheNextRun) {
  AddLine({150, 200}, {150, 250});
  const FcLine* line = AddLine({100, 100}, {200, 100});
  ASSERT_TRUE(Run("trim", {"150,240", "", "120,100", "edge", "extend", "120,100", ""}));
  ExpectPointNear(line->GetStartPoint(), {150, 100}, kNear);
  EXPECT_TRUE(Contains(Prompts(), "Extend/No extend <No extend>"));
  EXPECT_EQ(ExtendEdgeMode(), 1);

  ASSERT_TRUE(Run("trim", {"150,240", "", "edge", "no", "180,100", ""}));
  EXPECT_TRUE(Contains(Prompts(), "Extend/No extend <Extend>"));
  EXPECT_EQ(ExtendEdgeMode(), 0);
  ExpectPointNear(line->GetEndPoint(), {200, 100}, kNear);
}

TEST_F(TrimCommandTest, ObjectsThatCannotBeEdgesAreCountedAndNoEdgeEndsTheCommand) {
  Draw<FcEllipse>("ellipse", {"30,50", "70,50", "10"});
  Draw<FcEllipse>("ellipse", {"30,250", "70,250", "10"});
  AddLine({150, 50}, {150, 250});
  const FcLine* line = AddLine({100, 150}, {200, 150});
  ASSERT_TRUE(Run("trim", {"30,50", "30,250", ""}));
  ASSERT_TRUE(Run("trim", {""}));
  ASSERT_TRUE(Run("trim", {"30,50", "150,60", "", "120,150", ""}));
  EXPECT_EQ(WithoutSelectionLines(Printed()), (std::vector<std::string>{"2 were not a valid edge.", "There isn't any valid edge.",
                                                 "There isn't any valid edge.", "1 was not a valid edge."}));
  ExpectPointNear(line->GetStartPoint(), {150, 150}, kNear);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Ellipse", "Ellipse", "Line", "Line", "Trim"}));
}

}  // namespace
