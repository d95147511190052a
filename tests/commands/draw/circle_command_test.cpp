#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "display/drag_circle.h"
#include "entities/circle.h"
#include "shell/typed_input_parsers.h"
#include "tests/support/command_script.h"
#include "tests/support/pending_band.h"

namespace {

using CircleCommandTest = CommandScriptTest;

std::string Joined(const std::vector<std::string>& answers) {
  std::string joined;
  for (const std::string& answer : answers) joined += answer + " | ";
  return joined;
}

TEST_F(CircleCommandTest, EveryWayOfGivingTheCircleAndWhatCircleradKeeps) {
  struct Case {
    std::vector<std::string> answers;
    FcPoint2d centre;
    double radius;
    double circlerad;  // afterwards, from 1 before
  };
  const Case cases[] = {
      {{"3,4", "5"}, {3, 4}, 5, 5},
      {{"3,4", ""}, {3, 4}, 1, 1},
      {{"3,4", "d", "10"}, {3, 4}, 5, 1},
      {{"3,4", "8,4"}, {3, 4}, 5, 5},
      {{"2p", "0,0", "4,0"}, {2, 0}, 2, 1},
      {{"3p", "0,0", "4,0", "2,2"}, {2, 0}, 2, 1},
      {{"3Points", "1,0", "-1,0", "0,1"}, {0, 0}, 1, 1},
  };
  for (const Case& c : cases) {
    ScriptedView script;
    script.OnWindowThread([&] { return script.Drawing().GetSysVars().circlerad = 1.0; });
    ASSERT_TRUE(RunScript(script, "circle", c.answers)) << Joined(c.answers);
    const std::vector<const FcCircle*> circles = EntitiesIn<FcCircle>(script);
    ASSERT_EQ(circles.size(), 1u) << Joined(c.answers);
    ExpectPointNear(circles[0]->GetCenter(), c.centre, 1e-9, Joined(c.answers));
    EXPECT_NEAR(circles[0]->GetRadius(), c.radius, 1e-9) << Joined(c.answers);
    EXPECT_EQ(script.Drawing().GetSysVars().circlerad, c.circlerad) << Joined(c.answers);
  }
}

TEST_F(CircleCommandTest, TheLastRadiusBecomesTheDefault) {
  ASSERT_TRUE(script_.Run({"circle", "0,0", "", "0", "-2", "5"}));
  EXPECT_TRUE(RefusedWith(kNeedRealOrTwoPoints, "Enter radius[Diameter]"));
  EXPECT_TRUE(RefusedWith(kNoZero, "Enter radius[Diameter]"));
  EXPECT_TRUE(RefusedWith(kNoNegative, "Enter radius[Diameter]"));
  ASSERT_TRUE(script_.Run({"circle", "10,0", ""}));
  EXPECT_EQ(script_.Frame().Prompts().back(), "Enter radius[Diameter]<5.0000>");
  const std::vector<const FcCircle*> circles = EntitiesOf<FcCircle>();
  ASSERT_EQ(circles.size(), 2u);
  EXPECT_EQ(circles[1]->GetRadius(), 5.0);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Circle", "Circle"}));

  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(LastPrinted(), "Undo : Circle");
  EXPECT_EQ(EntitiesOf<FcCircle>().size(), 1u);
}

TEST_F(CircleCommandTest, PointsThatMakeNoCircleLeaveNothing) {
  const std::vector<std::string> cases[] = {
      {"3p", "0,0", "1,0", "2,0", kEsc},
      {"3p", "0,0", "0,0", kEsc},
      {"2p", "1,1", "1,1"},
      {"2p", "1,1", ""},
      {"3,4", kEsc},
      {""},
  };
  for (const std::vector<std::string>& answers : cases) {
    ScriptedView script;
    ASSERT_TRUE(RunScript(script, "circle", answers)) << Joined(answers);
    EXPECT_TRUE(EntitiesIn<FcCircle>(script).empty()) << Joined(answers);
    for (const std::string& line : script.Printed().HistoryLines()) EXPECT_EQ(line, "Invalid point!") << Joined(answers);
    const bool anyUndo = script.OnWindowThread([&] { return script.Drawing().GetUndoList().GetCurrent() != nullptr; });
    EXPECT_FALSE(anyUndo) << Joined(answers);
  }
}

// A point that can make no circle with those before it is refused where it
// is given, and the next one completes the circle.
TEST_F(CircleCommandTest, ThreePointsRefuseAPointThatMakesNoCircleAndAskAgain) {
  struct Case {
    std::vector<std::string> answers;
    std::vector<std::string> pointPrompts;
  };
  const Case cases[] = {
      {{"3p", "0,0", "4,0", "2,0", "8,0", "2,2"},
       {"Input 1st point", "Input 2nd point", "Input 3rd point", "Input 3rd point", "Input 3rd point"}},
      {{"3p", "0,0", "0,0", "4,0", "2,2"},
       {"Input 1st point", "Input 2nd point", "Input 2nd point", "Input 3rd point"}},
  };
  for (const Case& c : cases) {
    ScriptedView script;
    ASSERT_TRUE(RunScript(script, "circle", c.answers)) << Joined(c.answers);
    std::vector<std::string> prompts = script.Frame().Prompts();
    prompts.erase(prompts.begin(), std::find(prompts.begin(), prompts.end(), "Input 1st point"));
    EXPECT_EQ(prompts, c.pointPrompts) << Joined(c.answers);
    const std::size_t refusals = c.pointPrompts.size() - 3;
    EXPECT_EQ(script.Printed().HistoryLines(), std::vector<std::string>(refusals, "Invalid point!")) << Joined(c.answers);
    const std::vector<const FcCircle*> circles = EntitiesIn<FcCircle>(script);
    ASSERT_EQ(circles.size(), 1u) << Joined(c.answers);
    ExpectPointNear(circles[0]->GetCenter(), {2, 0}, 1e-9, Joined(c.answers));
    EXPECT_NEAR(circles[0]->GetRadius(), 2.0, 1e-9) << Joined(c.answers);
  }
}

TEST_F(CircleCommandTest, KeywordsHandOverToTheirCommands) {
  ASSERT_TRUE(RunScript(script_, "circle", {"x", "a", kEsc}));
  EXPECT_TRUE(RefusedWith(kExpectsPoint, "Input center or [3Points/2Points/Arc/Tangent,tan,radius]"));
  EXPECT_EQ(script_.Frame().Prompts().back(), "Select one arc to convert to circle");

  ASSERT_TRUE(RunScript(script_, "circle", {"t", kEsc}));
  EXPECT_EQ(script_.Frame().Prompts().back(), "Select 1st line, circle or arc");
}

TEST_F(CircleCommandTest, CentreIsTakenInTheCurrentUcs) {
  script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().SetUcs({5, 5}, {5, 6}, {4, 5}); });
  ASSERT_TRUE(script_.Run({"circle", "2p", "0,0", "2,0"}));
  const std::vector<const FcCircle*> circles = EntitiesOf<FcCircle>();
  ASSERT_EQ(circles.size(), 1u);
  ExpectPointNear(circles[0]->GetCenter(), {5, 6}, 1e-9);
  EXPECT_NEAR(circles[0]->GetRadius(), 1.0, 1e-9);
}

// At each prompt that fixes the circle's size the preview is the circle
// the answer would make.
TEST_F(CircleCommandTest, EachSizePromptPreviewsItsCircle) {
  struct Case {
    std::vector<std::string> typed;
    std::int32_t kind;
  };
  const Case cases[] = {
      {{"circle", "10,10"}, FcDragCircle::kCentreRadius},
      {{"circle", "10,10", "D"}, FcDragCircle::kCentreDiameter},
      {{"circle", "2P", "0,0"}, FcDragCircle::kTwoPoints},
      {{"circle", "3P", "0,0", "10,0"}, FcDragCircle::kThreePoints},
  };
  for (const Case& c : cases) {
    LookAtPendingBand<FcDragCircle>(script_, c.typed, [&](const FcDragCircle* band) {
      ASSERT_NE(band, nullptr) << c.typed.back();
      EXPECT_EQ(band->kind, c.kind) << c.typed.back();
    });
  }
}

}  // namespace
