#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "entities/arc.h"
#include "entities/circle.h"
#include "entities/hatch.h"
#include "entities/line.h"
#include "entities/polyline.h"
#include "platform/program_settings.h"
#include "tests/support/pickable_script.h"

namespace {

// The scripted window shows (0,0)-(400,300); the pattern file is the
// program's own.
class HatchCommandTest : public PickableScriptTest {
 protected:
  HatchCommandTest() : savedPath_(GetProgramSettings().search_path) {
    GetProgramSettings().search_path = std::string(KOVRA_SOURCE_DIR) + "/Support";
  }
  ~HatchCommandTest() override { GetProgramSettings().search_path = savedPath_; }

  void Draw(const std::vector<std::vector<std::string>>& commands) {
    for (const std::vector<std::string>& command : commands) {
      ASSERT_TRUE(RunScript(script_, command[0], {command.begin() + 1, command.end()})) << command[0];
    }
  }

  // Four separate lines around (100,100)-(200,180), drawn out of order and
  // in both directions.
  void DrawBox() {
    Draw({{"line", "200,180", "100,180", ""},
          {"line", "100,100", "200,100", ""},
          {"line", "100,100", "100,180", ""},
          {"line", "200,100", "200,180", ""}});
  }

  std::string savedPath_;
};

// The area inside a loop, from its points.
double LoopArea(const FcHatchEdge& loop) {
  std::vector<FcPoint2d> points;
  EXPECT_TRUE(loop.AppendPoints(1e-4, points));
  double twice = 0.0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const FcPoint2d& a = points[i];
    const FcPoint2d& b = points[(i + 1) % points.size()];
    twice += a.x * b.y - b.x * a.y;
  }
  return std::fabs(twice) / 2.0;
}

// The loop as its chain of edges, head to tail.
void ExpectClosedChainOfLines(const FcHatchEdge& loop, std::size_t edges) {
  const auto* chain = dynamic_cast<const FcOtherEdge*>(&loop);
  ASSERT_NE(chain, nullptr);
  ASSERT_EQ(chain->GetEdges().size(), edges);
  std::vector<FcPoint2d> points;
  EXPECT_TRUE(chain->AppendPoints(0.1, points));
}

TEST_F(HatchCommandTest, SelectedLinesInAnyOrderChainIntoOneLoop) {
  DrawBox();
  ASSERT_TRUE(RunScript(script_, "hatch", {"select", "all", "", "pattern", "ansi31", "1", "0", ""}));
  const std::vector<const FcHatch*> hatches = EntitiesOf<FcHatch>();
  ASSERT_EQ(hatches.size(), 1u);
  ASSERT_EQ(hatches[0]->GetLoops().GetCount(), 1);
  ExpectClosedChainOfLines(hatches[0]->GetLoops().GetAt(0), 4);
  EXPECT_EQ(hatches[0]->GetPattern().GetName(), "ansi31");
  EXPECT_FALSE(hatches[0]->IsSolid());
  EXPECT_EQ(UndoNames().back(), "Hatch");
}

TEST_F(HatchCommandTest, APickedPointFindsTheBoundaryAndSolidFillsIt) {
  DrawBox();
  ASSERT_TRUE(RunScript(script_, "hatch", {"pattern", "solid", "", "", "pick", "150,140", "", ""}));
  const std::vector<const FcHatch*> hatches = EntitiesOf<FcHatch>();
  ASSERT_EQ(hatches.size(), 1u);
  EXPECT_TRUE(hatches[0]->IsSolid());
  ASSERT_EQ(hatches[0]->GetLoops().GetCount(), 1);
  ASSERT_EQ(hatches[0]->GetSeedPoints().size(), 1u);
  ExpectPointNear(hatches[0]->GetSeedPoints()[0], {150, 140}, 1e-9);
  // The boundary found around the point was lent for the command only.
  EXPECT_TRUE(EntitiesOf<FcPolyline>().empty());
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 4u);
}

// A box with a circle in it, made a block, referenced from a second block,
// whose reference is mirrored, scaled by 3 and turned by 30 degrees: a
// point picked inside the box, or inside the circle, finds the boundary
// where the references put it.
TEST_F(HatchCommandTest, APickedPointFindsTheBoundaryAlongNestedTurnedAndMirroredBlockReferences) {
  Draw({{"line", "0,0", "10,0", ""},
        {"line", "10,8", "10,0", ""},
        {"line", "10,8", "0,8", ""},
        {"line", "0,0", "0,8", ""},
        {"circle", "5,4", "2"},
        {"-block", "BOX", "0,0", "all", ""},
        {"-insert", "BOX", "0,0", "1", "1", "0"},
        {"-block", "NEST", "0,0", "all", ""},
        {"-insert", "NEST", "100,100", "-3", "3", "30"}});
  const double c = std::cos(kPi / 6);
  const double s = std::sin(kPi / 6);
  const auto place = [&](double x, double y) {
    const double u = -3 * x;
    const double v = 3 * y;
    return std::to_string(100 + c * u - s * v) + "," + std::to_string(100 + s * u + c * v);
  };
  const struct {
    const char* name;
    std::string pick;
    double area;
  } cases[] = {
      {"between box and circle", place(1, 1), 30.0 * 24.0},
      {"inside the circle", place(5, 4.5), kPi * 36.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(RunScript(script_, "hatch", {"pattern", "solid", "", "", "pick", c.pick, "", ""}));
    const std::vector<const FcHatch*> hatches = EntitiesOf<FcHatch>();
    ASSERT_EQ(hatches.size(), 1u);
    ASSERT_EQ(hatches[0]->GetLoops().GetCount(), 1);
    EXPECT_NEAR(LoopArea(hatches[0]->GetLoops().GetAt(0)), c.area, 1e-2);
    ASSERT_TRUE(script_.Run({"undo"}));
  }
}

TEST_F(HatchCommandTest, APointOutsideEveryBoundarySaysSo) {
  DrawBox();
  ASSERT_TRUE(RunScript(script_, "hatch", {"pick", "300,250", "", ""}));
  const std::vector<std::string> printed = Printed();
  EXPECT_NE(std::find(printed.begin(), printed.end(), "Can not find the closed boundary."), printed.end());
  EXPECT_EQ(LastPrinted(), "There isn't any edge to hatch.");
  EXPECT_TRUE(EntitiesOf<FcHatch>().empty());
}

TEST_F(HatchCommandTest, DeletingTheBoundaryIsTakenBackWithTheHatchByOneUndo) {
  DrawBox();
  ASSERT_TRUE(RunScript(script_, "hatch", {"delete", "yes", "select", "all", "", ""}));
  EXPECT_EQ(EntitiesOf<FcHatch>().size(), 1u);
  EXPECT_TRUE(EntitiesOf<FcLine>().empty());
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_TRUE(EntitiesOf<FcHatch>().empty());
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 4u);
}

// The boundary found around a point is the command's own: deleting the
// boundary does not make Undo bring it into the drawing.
TEST_F(HatchCommandTest, UndoAfterDeletingAPickedBoundaryBringsBackNoBorrowedLoop) {
  DrawBox();
  ASSERT_TRUE(RunScript(script_, "hatch", {"delete", "yes", "pick", "150,140", "", ""}));
  EXPECT_EQ(EntitiesOf<FcHatch>().size(), 1u);
  EXPECT_TRUE(EntitiesOf<FcPolyline>().empty());
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_TRUE(EntitiesOf<FcHatch>().empty());
  EXPECT_TRUE(EntitiesOf<FcPolyline>().empty());
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 4u);
}

TEST_F(HatchCommandTest, HatchEditTurnsAPatternSolidAndUndoTurnsItBack) {
  DrawBox();
  ASSERT_TRUE(RunScript(script_, "hatch", {"pattern", "u", "5", "yes", "30", "select", "all", "", ""}));
  ASSERT_EQ(EntitiesOf<FcHatch>().size(), 1u);
  EXPECT_EQ(EntitiesOf<FcHatch>()[0]->GetPattern().GetType(), kPatternUserDefined);
  ASSERT_TRUE(RunScript(script_, "hatchedit", {"300,250", "150,140", "Solid", "", ""}));
  ASSERT_EQ(EntitiesOf<FcHatch>().size(), 1u);
  EXPECT_TRUE(EntitiesOf<FcHatch>()[0]->IsSolid());
  EXPECT_EQ(UndoNames().back(), "HatchEdit");
  ASSERT_TRUE(script_.Run({"undo"}));
  ASSERT_EQ(EntitiesOf<FcHatch>().size(), 1u);
  EXPECT_FALSE(EntitiesOf<FcHatch>()[0]->IsSolid());
  EXPECT_TRUE(EntitiesOf<FcHatch>()[0]->GetPattern().IsDouble());
}

TEST_F(HatchCommandTest, Arc2CircleReplacesTheArcAndUndoBringsItBack) {
  Draw({{"arc", "150,100", "200,150", "150,200"}, {"line", "10,10", "20,10", ""}});
  ASSERT_TRUE(RunScript(script_, "arc2circle", {"15,10", "200,150"}));
  EXPECT_EQ(LastPrinted(), "Object selected isnot arc or ellipse.");
  const std::vector<const FcCircle*> circles = EntitiesOf<FcCircle>();
  ASSERT_EQ(circles.size(), 1u);
  EXPECT_EQ(dynamic_cast<const FcArc*>(circles[0]), nullptr);
  EXPECT_NEAR(circles[0]->GetRadius(), 50, 1e-9);
  ASSERT_TRUE(script_.Run({"undo"}));
  const std::vector<const FcCircle*> after = EntitiesOf<FcCircle>();
  ASSERT_EQ(after.size(), 1u);
  EXPECT_NE(dynamic_cast<const FcArc*>(after[0]), nullptr);
}

TEST_F(HatchCommandTest, MatchPropGivesTheSelectionTheSourcesColour) {
  Draw({{"line", "10,10", "50,10", ""}, {"line", "10,100", "50,100", ""}});
  script_.OnWindowThread([this] {
    const_cast<FcLine*>(EntitiesIn<FcLine>(script_)[0])->SetColor(3);
    return true;
  });
  ASSERT_TRUE(RunScript(script_, "matchprop", {"30,10", "30,100", ""}));
  const std::vector<std::string> printed = Printed();
  EXPECT_TRUE(std::any_of(printed.begin(), printed.end(), [](const std::string& line) {
    return line.rfind("Properties: Layer 0, Color ", 0) == 0 && line.find("Linetype ByLayer") != std::string::npos;
  })) << testing::PrintToString(printed);
  for (const FcLine* line : EntitiesOf<FcLine>()) EXPECT_EQ(line->GetColor(), 3);
  EXPECT_EQ(UndoNames().back(), "MatchProp");
}

}  // namespace
