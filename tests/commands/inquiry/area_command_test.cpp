#include <numbers>
#include <string>
#include <vector>

#include "tests/support/pickable_script.h"

namespace {

class AreaCommandTest : public PickableScriptTest {
 protected:
  double AreaVariable() {
    return script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().area; });
  }
  std::vector<std::string> PromptsAfter(std::size_t count) {
    const std::vector<std::string> prompts = script_.Frame().Prompts();
    return {prompts.begin() + static_cast<std::ptrdiff_t>(count), prompts.end()};
  }
};

TEST_F(AreaCommandTest, CornersGiveOneAreaAndEndTheCommand) {
  ASSERT_TRUE(script_.Run({"area", "0,0", "10,0", "10,10", "0,10", ""}));
  EXPECT_EQ(script_.Frame().Prompts(), (std::vector<std::string>{
                                           "Specify first corner point or [Object/Add/Subtract]",
                                           "Specify next corner point or press ENTER for total",
                                           "Specify next corner point or press ENTER for total",
                                           "Specify next corner point or press ENTER for total",
                                           "Specify next corner point or press ENTER for total",
                                       }));
  EXPECT_EQ(Printed(), std::vector<std::string>{"  Area = 100.0000"});
  EXPECT_DOUBLE_EQ(AreaVariable(), 100.0);
  EXPECT_TRUE(UndoNames().empty());
}

TEST_F(AreaCommandTest, DegenerateAndSelfCrossingOutlines) {
  struct Case {
    std::vector<std::string> corners;
    const char* area;
    double value;
  };
  // The lobes of a figure eight add up: their signed areas would cancel.
  const Case cases[] = {
      {{"0,0", "10,0"}, "  Area = 0.0000", 0.0},
      {{"0,0", "10,10", "10,0", "0,10"}, "  Area = 50.0000", 50.0},
  };
  for (const Case& c : cases) {
    std::vector<std::string> answers = c.corners;
    answers.push_back("");
    ASSERT_TRUE(RunScript(script_, "area", answers));
    EXPECT_EQ(LastPrinted(), c.area);
    EXPECT_DOUBLE_EQ(AreaVariable(), c.value);
  }
}

TEST_F(AreaCommandTest, AddKeepsARunningTotalOverCornersAndObjects) {
  ASSERT_TRUE(script_.Run({"circle", "50,50", "1"}));
  const std::size_t drawingPrompts = script_.Frame().Prompts().size();
  ASSERT_TRUE(script_.Run({"area", "Add", "0,0", "10,0", "10,10", "0,10", "", "Object", "51,50", "", ""}));
  EXPECT_EQ(PromptsAfter(drawingPrompts), (std::vector<std::string>{
                                           "Specify first corner point or [Object/Add/Subtract]",
                                           "Specify first corner point or [Object/Subtract]",
                                           "Specify next corner point or press ENTER for total (ADD mode)",
                                           "Specify next corner point or press ENTER for total (ADD mode)",
                                           "Specify next corner point or press ENTER for total (ADD mode)",
                                           "Specify next corner point or press ENTER for total (ADD mode)",
                                           "Specify first corner point or [Object/Subtract]",
                                           "(ADD mode) Select Object",
                                           "(ADD mode) Select Object",
                                           "Specify first corner point or [Object/Subtract]",
                                       }));
  EXPECT_EQ(Printed(), (std::vector<std::string>{
                           "  Area = 100.0000",
                           " Total area = 100.0000",
                           "  Area = 3.1416",
                           " Total area = 103.1416",
                       }));
  EXPECT_NEAR(AreaVariable(), 100.0 + std::numbers::pi, 1e-9);
}

TEST_F(AreaCommandTest, SubtractTakesFromAZeroTotal) {
  ASSERT_TRUE(script_.Run({"area", "Subtract", "0,0", "2,0", "2,2", "0,2", "", kEsc}));
  EXPECT_EQ(Printed(), (std::vector<std::string>{"  Area = 4.0000", " Total area = -4.0000"}));
  EXPECT_EQ(script_.Frame().Prompts().back(), "Specify first corner point or [Object/Add]");
  EXPECT_DOUBLE_EQ(AreaVariable(), -4.0);
}

TEST_F(AreaCommandTest, ObjectWithoutAreaIsRefusedAndAnotherPickTaken) {
  ASSERT_TRUE(script_.Run({"line", "0,20", "10,20", ""}));
  ASSERT_TRUE(script_.Run({"circle", "50,50", "2"}));
  const std::size_t drawingPrompts = script_.Frame().Prompts().size();
  ASSERT_TRUE(script_.Run({"area", "Object", "5,20", "52,50"}));
  EXPECT_EQ(Printed(), (std::vector<std::string>{"Selected object does not have an area", "  Area = 12.5664"}));
  EXPECT_EQ(PromptsAfter(drawingPrompts), (std::vector<std::string>{
                                           "Specify first corner point or [Object/Add/Subtract]",
                                           "Select Object",
                                           "Select Object",
                                       }));
  EXPECT_NEAR(AreaVariable(), 4.0 * std::numbers::pi, 1e-9);
}

TEST_F(AreaCommandTest, CancelInsideAnOutlinePrintsNothingAndKeepsTheLastArea) {
  ASSERT_TRUE(script_.Run({"area", "0,0", "1,0", "1,1", ""}));
  ASSERT_TRUE(script_.Run({"area", "0,0", "5,0", "5,5", kEsc}));
  EXPECT_EQ(Printed(), std::vector<std::string>{"  Area = 0.5000"});
  EXPECT_DOUBLE_EQ(AreaVariable(), 0.5);
}

}  // namespace
