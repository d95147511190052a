#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "entities/dim_angular.h"
#include "tests/support/pickable_script.h"

namespace {

using DimAngularCommandTest = PickableScriptTest;

bool Prompted(ScriptedView& script, const std::string& prompt) {
  const std::vector<std::string> prompts = script.Frame().Prompts();
  return std::find(prompts.begin(), prompts.end(), prompt) != prompts.end();
}

// Enter at the first prompt asks for the vertex and both end points and
// always makes a three-point dimension.
TEST_F(DimAngularCommandTest, ThreePointsAfterEnter) {
  ASSERT_TRUE(RunScript(script_, "DimAngular", {"", "0,0", "10,0", "0,10", "5,5", ""}));
  const std::vector<const FcDim3PAng*> dimensions = EntitiesOf<FcDim3PAng>();
  ASSERT_EQ(dimensions.size(), 1u);
  const FcDim3PAng& dimension = *dimensions[0];
  EXPECT_NEAR(dimension.GetMeasurement(), kHalfPi, 1e-12);
  ExpectPointNear(dimension.GetDefPoint15(), {0, 0}, 1e-12);
  ExpectPointNear(dimension.GetDefPoint13(), {10, 0}, 1e-12);
  ExpectPointNear(dimension.GetDefPoint14(), {0, 10}, 1e-12);
  for (const char* prompt : {"Angle vertex", "First angle endpoint", "Second angle endpoint"}) {
    EXPECT_TRUE(Prompted(script_, prompt)) << prompt;
  }
  EXPECT_EQ(script_.Frame().Prompts().back().rfind("Dimension text <90", 0), 0u) << script_.Frame().Prompts().back();
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"DimAngular"}));
}

// Two picked lines give a two-line dimension whose location picks the
// angle; a picked arc measures its sweep; a picked circle measures from
// the picked point to a second end point about its centre.
TEST_F(DimAngularCommandTest, PickedObjects) {
  struct Case {
    const char* name;
    std::vector<std::vector<std::string>> drawn;
    std::vector<std::string> answers;
    bool twoLines;
    double measurement;
  };
  const std::vector<std::vector<std::string>> lines = {{"line", "50,150", "350,150", ""},
                                                       {"line", "100,50", "300,250", ""}};
  const Case cases[] = {
      {"lines, acute side", lines, {"320,150", "250,200", "300,170", ""}, true, kPi / 4.0},
      {"lines, obtuse side", lines, {"320,150", "250,200", "200,250", ""}, true, 3.0 * kPi / 4.0},
      {"arc", {{"arc", "250,150", "200,200", "150,150"}}, {"200,200", "200,230", ""}, false, kPi},
      {"circle", {{"circle", "200,150", "50"}}, {"250,150", "200,200", "240,190", ""}, false, kHalfPi},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedView script;
    ShowPickableWindow(script);
    for (const std::vector<std::string>& each : c.drawn) {
      ASSERT_TRUE(RunScript(script, each[0], std::vector<std::string>(each.begin() + 1, each.end())));
    }
    ASSERT_TRUE(RunScript(script, "DimAngular", c.answers));
    const std::vector<const FcDimAngle*> dimensions = EntitiesIn<FcDimAngle>(script);
    ASSERT_EQ(dimensions.size(), 1u);
    EXPECT_EQ((dimensions[0]->GetDimType() & 7) == kDimTypeAngular2Line, c.twoLines);
    EXPECT_NEAR(dimensions[0]->GetMeasurement(), c.measurement, 1e-9);
  }
}

// A circle picked at the second-line prompt is refused and the prompt
// repeats; Esc at the location makes nothing.
TEST_F(DimAngularCommandTest, RefusalsAndCancel) {
  ASSERT_TRUE(RunScript(script_, "line", {"50,150", "350,150", ""}));
  ASSERT_TRUE(RunScript(script_, "circle", {"200,250", "20"}));
  ASSERT_TRUE(RunScript(script_, "DimAngular", {"320,150", "220,250", kEsc}));
  EXPECT_EQ(LastPrinted(), "Object selected is not a line.");
  const std::vector<std::string> prompts = script_.Frame().Prompts();
  EXPECT_EQ(std::count(prompts.begin(), prompts.end(), "Second line"), 2);
  ASSERT_TRUE(RunScript(script_, "DimAngular", {"", "0,0", "10,0", "0,10", kEsc}));
  EXPECT_TRUE(EntitiesOf<FcDimAngle>().empty());
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Line", "Circle"}));
}

}  // namespace
