#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "database/graph.h"
#include "entities/line.h"
#include "tests/support/pickable_script.h"

namespace {

// The scripted window shows (0,0)-(400,300). The array kind is remembered
// for the whole program run, so each test names the kind it wants.
class ArrayCommandTest : public PickableScriptTest {
 protected:
  // The start points of the lines, in the order they were made.
  std::vector<FcPoint2d> Starts() {
    std::vector<FcPoint2d> starts;
    for (const FcLine* line : EntitiesOf<FcLine>()) starts.push_back(line->GetStartPoint());
    return starts;
  }

  // The directions, in whole degrees in (-180, 180], of the start points
  // of the copies seen from the origin.
  std::vector<long> CopyAngles() {
    std::vector<long> angles;
    const std::vector<FcPoint2d> starts = Starts();
    for (std::size_t i = 1; i < starts.size(); ++i)
      angles.push_back(std::lround(std::atan2(starts[i].y, starts[i].x) * 180.0 / kPi));
    return angles;
  }

  bool Prompted(const std::string& prompt) {
    const std::vector<std::string> prompts = script_.Frame().Prompts();
    return std::find(prompts.begin(), prompts.end(), prompt) != prompts.end();
  }
};

TEST_F(ArrayCommandTest, RectangularArrayRunsColumnsAlongTheUcsXAxisAndUndoesInOneStep) {
  ASSERT_TRUE(script_.Run({"line", "100,100", "110,100", ""}));
  // The UCS x axis points along the world y axis.
  script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().SetUcs({0, 0}, {0, 1}, {-1, 0}); });
  ASSERT_TRUE(script_.Run({"array", "all", "", "r", "2", "3", "20", "30"}));
  std::vector<FcPoint2d> starts = Starts();
  ASSERT_EQ(starts.size(), 6u);
  // Column c, row r lies at (c*30, r*20) in the UCS: world (-r*20, c*30).
  const FcPoint2d expected[] = {{100, 100}, {80, 100}, {100, 130}, {80, 130}, {100, 160}, {80, 160}};
  for (std::size_t i = 0; i < starts.size(); ++i) ExpectPointNear(starts[i], expected[i], 1e-9);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Line", "Array"}));

  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(Starts().size(), 1u);
  ASSERT_TRUE(script_.Run({"redo"}));
  EXPECT_EQ(Starts().size(), 6u);
}

TEST_F(ArrayCommandTest, OneRowAsksForTheColumnSpacingOnlyAndTakesItNegative) {
  ASSERT_TRUE(script_.Run({"line", "100,100", "110,100", ""}));
  ASSERT_TRUE(script_.Run({"array", "all", "", "r", "", "3", "-40"}));
  EXPECT_FALSE(Prompted("distance between rows (---)"));
  const std::vector<FcPoint2d> starts = Starts();
  ASSERT_EQ(starts.size(), 3u);
  ExpectPointNear(starts[1], {60, 100}, 1e-9);
  ExpectPointNear(starts[2], {20, 100}, 1e-9);
}

// A polar array of four copies of a line on the positive x axis, about
// the origin: the fill angle decides the angle between the items.
TEST_F(ArrayCommandTest, PolarFillAngleDividesByTheItemsForAFullCircleElseByTheGaps) {
  const struct {
    const char* name;
    std::vector<std::string> angleAnswers;
    std::vector<long> angles;
  } cases[] = {
      {"Enter is the full circle", {""}, {90, 180, -90}},
      {"360 typed is the full circle too", {"360"}, {90, 180, -90}},
      {"180 is divided among three gaps", {"180"}, {60, 120, 180}},
      {"a minus sign turns clockwise", {"-90"}, {-30, -60, -90}},
      {"0 asks the angle between items, where 0 is refused", {"0", "0", "45"}, {45, 90, 135}},
      {"a clockwise angle between items", {"0", "-30"}, {-30, -60, -90}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(script_.Run({"line", "100,0", "120,0", ""}));
    std::vector<std::string> answers{"all", "", "p", "0,0", "4"};
    answers.insert(answers.end(), c.angleAnswers.begin(), c.angleAnswers.end());
    answers.push_back("");
    ASSERT_TRUE(RunScript(script_, "array", answers));
    EXPECT_EQ(CopyAngles(), c.angles);
    ASSERT_TRUE(script_.Run({"undo"}));
    ASSERT_TRUE(script_.Run({"undo"}));
  }
  EXPECT_TRUE(RefusedWith("Can't input zero!", "Angle between items (+=ccw, -=cw)"));
}

// The centre is answered in the UCS, whose origin here lies at world
// (50,0); the copies turn about that world point.
TEST_F(ArrayCommandTest, ThePolarCentreIsTakenFromTheUcs) {
  ASSERT_TRUE(script_.Run({"line", "100,0", "120,0", ""}));
  script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().SetUcs({50, 0}, {51, 0}, {50, 1}); });
  ASSERT_TRUE(script_.Run({"array", "all", "", "p", "0,0", "2", "180", ""}));
  const std::vector<const FcLine*> lines = EntitiesOf<FcLine>();
  ASSERT_EQ(lines.size(), 2u);
  ExpectPointNear(lines[1]->GetStartPoint(), {0, 0}, 1e-9);
  ExpectPointNear(lines[1]->GetEndPoint(), {-20, 0}, 1e-9);
}

TEST_F(ArrayCommandTest, PolarCopiesKeepTheirOrientationWhenNotRotated) {
  ASSERT_TRUE(script_.Run({"line", "100,0", "120,0", ""}));
  const struct {
    const char* rotate;
    FcPoint2d start;
    FcPoint2d end;
  } cases[] = {
      // The middle (110,0) goes to (0,110); the line stays horizontal.
      {"No", {-10, 110}, {10, 110}},
      {"", {0, 100}, {0, 120}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rotate);
    ASSERT_TRUE(script_.Run({"array", "100,0", "", "p", "0,0", "2", "90", c.rotate}));
    const std::vector<const FcLine*> lines = EntitiesOf<FcLine>();
    ASSERT_GE(lines.size(), 2u);
    ExpectPointNear(lines.back()->GetStartPoint(), c.start, 1e-9);
    ExpectPointNear(lines.back()->GetEndPoint(), c.end, 1e-9);
    ASSERT_TRUE(script_.Run({"undo"}));
  }
}

TEST_F(ArrayCommandTest, TheOfferedKindFollowsTheLastChoice) {
  ASSERT_TRUE(script_.Run({"line", "100,100", "110,100", ""}));
  ASSERT_TRUE(RunScript(script_, "array", {"all", "", "polar", kEsc}));
  ASSERT_TRUE(RunScript(script_, "array", {"all", "", kEsc}));
  EXPECT_EQ(script_.Frame().Prompts().back(), "Rectangular or Polar array (R/P) <P>");
  // Enter takes the kind offered.
  ASSERT_TRUE(RunScript(script_, "array", {"all", "", "", kEsc}));
  EXPECT_EQ(script_.Frame().Prompts().back(), "Center point of array");
  ASSERT_TRUE(RunScript(script_, "array", {"all", "", "R", kEsc}));
  ASSERT_TRUE(RunScript(script_, "array", {"all", "", kEsc}));
  EXPECT_EQ(script_.Frame().Prompts().back(), "Rectangular or Polar array (R/P) <R>");
  EXPECT_EQ(Starts().size(), 1u);
}

// Nothing to copy, too much to copy, or a cancelled answer: no copy and
// no undo step.
TEST_F(ArrayCommandTest, RefusedAndCancelledArraysMakeNothing) {
  ASSERT_TRUE(script_.Run({"line", "100,100", "110,100", ""}));
  const struct {
    const char* name;
    std::vector<std::string> answers;
    const char* message;
  } cases[] = {
      {"one row and one column", {"r", "", ""}, "One-element array, nothing to do."},
      {"one polar item", {"p", "0,0", "1"}, "One-element array, nothing to do."},
      {"a million cells", {"r", "1000", "1000"}, "Can't make the array: it has too many copies."},
      {"a million polar items", {"p", "0,0", "1000000"}, "Can't make the array: it has too many copies."},
      {"Enter at a spacing", {"r", "2", "2", ""}, nullptr},
      {"Esc at a spacing", {"r", "2", "2", "10", kEsc}, nullptr},
      {"Enter at the number of items", {"p", "0,0", ""}, nullptr},
      {"Esc at the rotation question", {"p", "0,0", "3", "", kEsc}, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> answers{"all", ""};
    answers.insert(answers.end(), c.answers.begin(), c.answers.end());
    ASSERT_TRUE(RunScript(script_, "array", answers));
    if (c.message != nullptr) {
      EXPECT_EQ(LastPrinted(), c.message);
    }
    EXPECT_EQ(Starts().size(), 1u);
    EXPECT_EQ(UndoNames(), std::vector<std::string>{"Line"});
  }
}

}  // namespace
