#include <cmath>
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

}  // namespace
