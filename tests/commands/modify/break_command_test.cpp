#include <string>
#include <vector>

#include "entities/ellipse.h"
#include "entities/text.h"
#include "tests/commands/modify/edge_command_fixture.h"

namespace {

constexpr double kNear = 1e-7;

using BreakCommandTest = EdgeCommandTest;

TEST_F(BreakCommandTest, ALineSplitsAtOnePointLosesAPieceOrStaysWholeAtItsEnd) {
  FcLine* split = AddLine({100, 100}, {300, 100});
  Change([&](FcGraph& graph) {
    split->SetLayer(graph.FindOrCreateLayer("Walls"));
    split->SetColor(3);
  });
  const FcLine* cut = AddLine({100, 200}, {300, 200});
  const FcLine* whole = AddLine({100, 250}, {300, 250});
  ASSERT_TRUE(Run("break", {"150,101", "@"}));
  ASSERT_TRUE(Run("break", {"150,200", "350,200"}));
  ASSERT_TRUE(Run("break", {"300,250", "@"}));
  EXPECT_TRUE(Contains(Prompts(), "Enter second point (or F for first point)"));
  const std::vector<const FcLine*> lines = EntitiesOf<FcLine>();
  ASSERT_EQ(lines.size(), 4u);
  ExpectPointNear(split->GetEndPoint(), {150, 100}, kNear);
  const FcLine* piece = lines.back();
  ExpectPointNear(piece->GetStartPoint(), {150, 100}, kNear);
  ExpectPointNear(piece->GetEndPoint(), {300, 100}, kNear);
  EXPECT_NE(piece->GetHandle(), split->GetHandle());
  EXPECT_EQ(piece->GetLayer()->GetName(), "Walls");
  EXPECT_EQ(piece->GetColor(), 3);
  ExpectPointNear(cut->GetStartPoint(), {100, 200}, kNear);
  ExpectPointNear(cut->GetEndPoint(), {150, 200}, kNear);
  ExpectPointNear(whole->GetStartPoint(), {100, 250}, kNear);
  ExpectPointNear(whole->GetEndPoint(), {300, 250}, kNear);

  ASSERT_TRUE(Run("undo", {}));
  EXPECT_EQ(LastPrinted(), "Undo : Lengthen");
  ExpectPointNear(cut->GetEndPoint(), {300, 200}, kNear);
}

TEST_F(BreakCommandTest, ACircleOrEllipseLosesThePartCounterClockwiseFromTheFirstPointToTheSecond) {
  AddCircle({200, 150}, 50);
  const FcEllipse* ellipse = Draw<FcEllipse>("ellipse", {"100,250", "300,250", "20"});
  ASSERT_TRUE(Run("break", {"200,270", "100,250"}));
  EXPECT_NEAR(ellipse->GetStartAngle(), kPi, kNear);
  EXPECT_NEAR(ellipse->GetEndAngle(), kPi / 2 + kTwoPi, kNear);

  ASSERT_TRUE(Run("break", {"200,200", "@"}));
  ASSERT_TRUE(EntitiesOf<FcArc>().empty());
  ASSERT_TRUE(Run("break", {"200,200", "150,150"}));
  const std::vector<const FcArc*> arcs = EntitiesOf<FcArc>();
  ASSERT_EQ(arcs.size(), 1u);
  EXPECT_EQ(EntitiesOf<FcCircle>().size(), 1u);
  EXPECT_NEAR(arcs[0]->GetStartAngle(), kPi, kNear);
  EXPECT_NEAR(arcs[0]->GetEndAngle(), kPi / 2 + kTwoPi, kNear);
}

// The second point off the arc takes the piece on its side of the gap; a
// first point on the arc's start leaves the rest of the arc, not a whole
// turn.
TEST_F(BreakCommandTest, AnArcLosesThePieceTowardsTheSecondPointOffIt) {
  const FcPoint2d centre{200, 150};
  const auto at = [&](double deg) { return PointText(PointAtPolar(centre, 50, deg * kDegToRad)); };
  struct Case {
    const char* what;
    std::vector<std::string> answers;
    double start, end;
  };
  const Case cases[] = {
      {"second point in the gap half next to the start", {at(90), at(300)}, 90, 180},
      {"second point in the gap half next to the end", {at(90), at(200)}, 0, 90},
      {"first point on the start", {at(0), at(90)}, 90, 180},
  };
  for (const Case& c : cases) {
    const FcArc* arc = AddArc(centre, 50, 0, 180);
    ASSERT_TRUE(Run("break", c.answers)) << c.what;
    EXPECT_EQ(EntitiesOf<FcArc>().size(), 1u) << c.what;
    EXPECT_NEAR(arc->GetStartAngle(), c.start * kDegToRad, kNear) << c.what;
    EXPECT_NEAR(arc->GetEndAngle(), c.end * kDegToRad, kNear) << c.what;
    // The break, then the arc.
    ASSERT_TRUE(Run("undo", {}));
    ASSERT_TRUE(Run("undo", {}));
  }
}

TEST_F(BreakCommandTest, UnboundedLinesKeepTheirOutsidePiecesAsRaysAndALine) {
  AddXLine({200, 150}, {210, 150});
  const FcRay* ray = AddRay({100, 250}, {110, 250});
  ASSERT_TRUE(Run("break", {"150,150", "250,150"}));
  ASSERT_TRUE(Run("break", {"150,250", "200,250"}));
  EXPECT_TRUE(EntitiesOf<FcXLine>().empty());
  const std::vector<const FcRay*> rays = EntitiesOf<FcRay>();
  ASSERT_EQ(rays.size(), 3u);
  ExpectPointNear(rays[1]->GetBasePoint(), {150, 150}, kNear);
  ExpectPointNear(rays[1]->GetDirection(), {-1, 0}, kNear);
  ExpectPointNear(rays[2]->GetBasePoint(), {250, 150}, kNear);
  ExpectPointNear(rays[2]->GetDirection(), {1, 0}, kNear);
  ExpectPointNear(ray->GetBasePoint(), {200, 250}, kNear);
  const std::vector<const FcLine*> lines = EntitiesOf<FcLine>();
  ASSERT_EQ(lines.size(), 1u);
  ExpectPointNear(lines[0]->GetStartPoint(), {100, 250}, kNear);
  ExpectPointNear(lines[0]->GetEndPoint(), {150, 250}, kNear);
}

TEST_F(BreakCommandTest, AClosedPolylineBecomesTwoOpenOnesMeetingAtItsFirstVertex) {
  const FcPolyline* square = Draw<FcPolyline>("pline", {"100,100", "200,100", "200,200", "100,200", "Close"});
  ASSERT_TRUE(Run("break", {"200,150", "150,200"}));
  const std::vector<const FcPolyline*> polylines = EntitiesOf<FcPolyline>();
  ASSERT_EQ(polylines.size(), 2u);
  EXPECT_FALSE(square->IsClosed());
  ExpectVertices(*square, {{100, 100}, {200, 100}, {200, 150}}, "up to the first point");
  ExpectVertices(*polylines[1], {{150, 200}, {100, 200}, {100, 100}}, "from the second point");
}

TEST_F(BreakCommandTest, NothingUnderThePickOrAnObjectOfAnotherKindIsAskedAgain) {
  const FcText* text = Draw<FcText>("dtext", {"300,250", "10", "0", "ABC", ""});
  ASSERT_NE(text, nullptr);
  const std::array<FcPoint2d, 4> box = text->GetBox();
  ASSERT_TRUE(Run("break", {"50,50", PointText(MidPoint(box[0], box[1])), kEsc}));
  const std::vector<std::string> printed = Printed();
  ASSERT_GE(printed.size(), 2u);
  EXPECT_EQ(std::vector<std::string>(printed.end() - 2, printed.end()),
            (std::vector<std::string>{"No object found", "Object can't be broken."}));
  EXPECT_EQ(UndoNames().back(), "DText");
}

}  // namespace
