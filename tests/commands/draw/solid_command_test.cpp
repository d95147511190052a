#include <string>
#include <vector>

#include "tests/support/command_script.h"
#include "entities/solid.h"

namespace {

using SolidCommandTest = CommandScriptTest;

void ExpectCorners(const FcCornerEntity& entity, const FcCornerEntity::Corners& expected, const std::string& where) {
  for (int i = 0; i < FcCornerEntity::kCornerCount; ++i)
    ExpectPointNear(entity.GetCorner(i), expected[i], 1e-9, where + " corner " + std::to_string(i));
}

TEST_F(SolidCommandTest, PiecesContinueFromTheLastTwoCorners) {
  struct Case {
    const char* name;
    std::vector<std::string> answers;
    std::vector<FcCornerEntity::Corners> solids;
  };
  const Case cases[] = {
      {"triangle", {"0,0", "1,0", "0,1", "", ""}, {{{{0, 0}, {1, 0}, {0, 1}, {0, 1}}}}},
      {"two pieces",
       {"0,0", "1,0", "0,1", "1,1", "2,0", "2,1", ""},
       {{{{0, 0}, {1, 0}, {0, 1}, {1, 1}}}, {{{0, 1}, {1, 1}, {2, 0}, {2, 1}}}}},
      {"ended at the second corner", {"0,0", ""}, {}},
  };
  for (const Case& c : cases) {
    ScriptedView script;
    ASSERT_TRUE(RunScript(script, "solid", c.answers)) << c.name;
    const std::vector<const FcSolid*> solids = EntitiesIn<FcSolid>(script);
    ASSERT_EQ(solids.size(), c.solids.size()) << c.name;
    for (std::size_t i = 0; i < solids.size(); ++i) ExpectCorners(*solids[i], c.solids[i], c.name);
  }
}

TEST_F(SolidCommandTest, EnterAtTheFourthCornerAsksForTheThirdAgain) {
  ASSERT_TRUE(script_.Run({"solid", "0,0", "1,0", "0,1", "", ""}));
  EXPECT_EQ(script_.Frame().Prompts(), (std::vector<std::string>{"Input 1st point", "Input 2nd point",
                                                                 "Input 3rd point", "Input 4th point or <exit>",
                                                                 "Input 3rd point"}));
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"Solid"});
}

}  // namespace
