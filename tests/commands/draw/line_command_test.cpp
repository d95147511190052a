#include <string>
#include <vector>

#include "tests/support/command_script.h"
#include "entities/line.h"

namespace {

using LineCommandTest = CommandScriptTest;

struct Segment {
  FcPoint2d start;
  FcPoint2d end;
};

void ExpectSegments(const std::vector<const FcLine*>& lines, const std::vector<Segment>& expected) {
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    ExpectPointNear(lines[i]->GetStartPoint(), expected[i].start, 1e-9, "start " + std::to_string(i));
    ExpectPointNear(lines[i]->GetEndPoint(), expected[i].end, 1e-9, "end " + std::to_string(i));
  }
}

TEST_F(LineCommandTest, CloseDrawsBackToTheFirstPointAndUndoTakesOneSegment) {
  ASSERT_TRUE(script_.Run({"line", "0,0", "10,0", "10,10", "c"}));
  const std::vector<Segment> closed = {{{0, 0}, {10, 0}}, {{10, 0}, {10, 10}}, {{10, 10}, {0, 0}}};
  ExpectSegments(EntitiesOf<FcLine>(), closed);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Line", "Line", "Line"}));
  EXPECT_EQ(script_.Frame().Prompts(),
            (std::vector<std::string>{"First point of line", "Second point", "Second point", "Second point[Close]"}));

  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(LastPrinted(), "Undo : Line");
  ExpectSegments(EntitiesOf<FcLine>(), {closed[0], closed[1]});

  ASSERT_TRUE(script_.Run({"redo"}));
  EXPECT_EQ(LastPrinted(), "Redo : Line");
  ExpectSegments(EntitiesOf<FcLine>(), closed);
}

TEST_F(LineCommandTest, EveryOtherAnswerEndsTheChainAndKeepsTheSegments) {
  struct Case {
    std::vector<std::string> answers;
    std::size_t segments;
  };
  const Case cases[] = {
      {{""}, 0},
      {{"0,0", ""}, 0},
      {{"0,0", "1,0", "2,0", ""}, 2},
      {{"0,0", "1,0", "2,0", "3,1", "4,0", ""}, 4},
  };
  for (const Case& c : cases) {
    ScriptedView script;
    ASSERT_TRUE(RunScript(script, "line", c.answers));
    EXPECT_EQ(EntitiesIn<FcLine>(script).size(), c.segments) << c.answers.size();
    const bool anyUndo = script.OnWindowThread([&] { return script.Drawing().GetUndoList().GetCurrent() != nullptr; });
    EXPECT_EQ(anyUndo, c.segments > 0) << c.answers.size();
  }
}

TEST_F(LineCommandTest, CloseIsRefusedBeforeTwoSegmentsExist) {
  ASSERT_TRUE(script_.Run({"line", "0,0", "1,0", "c", "1,1", ""}));
  EXPECT_TRUE(RefusedWith("Expects a point!", "Second point"));
  ExpectSegments(EntitiesOf<FcLine>(), {{{0, 0}, {1, 0}}, {{1, 0}, {1, 1}}});
}

TEST_F(LineCommandTest, PointsAreTakenInTheCurrentUcs) {
  script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().SetUcs({5, 5}, {5, 6}, {4, 5}); });
  ASSERT_TRUE(script_.Run({"line", "0,0", "2,0", ""}));
  ExpectSegments(EntitiesOf<FcLine>(), {{{5, 5}, {5, 7}}});
}

TEST_F(LineCommandTest, EscKeepsTheSegmentsAndTheNextCommandRuns) {
  ASSERT_TRUE(RunScript(script_, "line", {"0,0", "3,0", kEsc}));
  ExpectSegments(EntitiesOf<FcLine>(), {{{0, 0}, {3, 0}}});

  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_TRUE(EntitiesOf<FcLine>().empty());
}

}  // namespace
