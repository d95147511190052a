#include <string>
#include <vector>

#include "tests/support/command_script.h"
#include "entities/trace.h"

namespace {

using TraceCommandTest = CommandScriptTest;
using Corners = FcCornerEntity::Corners;

void ExpectTraces(const std::vector<const FcTrace*>& traces, const std::vector<Corners>& expected,
                  const std::string& where) {
  ASSERT_EQ(traces.size(), expected.size()) << where;
  for (std::size_t t = 0; t < traces.size(); ++t)
    for (int i = 0; i < FcCornerEntity::kCornerCount; ++i)
      ExpectPointNear(traces[t]->GetCorner(i), expected[t][i], 1e-9, where + " piece " + std::to_string(t) + " corner " + std::to_string(i));
}

TEST_F(TraceCommandTest, PiecesHaveSquareEndsAndMitredJoints) {
  struct Case {
    const char* name;
    std::vector<std::string> answers;
    std::vector<Corners> pieces;
    double traceWidth;
  };
  const Case cases[] = {
      {"one piece", {"2", "0,0", "10,0", ""}, {{{{0, 1}, {0, -1}, {10, -1}, {10, 1}}}}, 2.0},
      {"width kept", {"", "0,0", "10,0", ""}, {{{{0, 0.5}, {0, -0.5}, {10, -0.5}, {10, 0.5}}}}, 1.0},
      {"width zero", {"0", "0,0", "10,0", ""}, {{{{0, 0}, {0, 0}, {10, 0}, {10, 0}}}}, 0.0},
      {"collinear",
       {"2", "0,0", "5,0", "10,0", ""},
       {{{{0, 1}, {0, -1}, {5, -1}, {5, 1}}}, {{{5, 1}, {5, -1}, {10, -1}, {10, 1}}}},
       2.0},
      {"left turn",
       {"2", "0,0", "10,0", "10,10", ""},
       {{{{0, 1}, {0, -1}, {11, -1}, {9, 1}}}, {{{9, 1}, {11, -1}, {11, 10}, {9, 10}}}},
       2.0},
      {"Esc finishes the last piece",
       {"2", "0,0", "10,0", "10,10", kEsc},
       {{{{0, 1}, {0, -1}, {11, -1}, {9, 1}}}, {{{9, 1}, {11, -1}, {11, 10}, {9, 10}}}},
       2.0},
      {"ended before a piece", {"2", "0,0", ""}, {}, 2.0},
  };
  for (const Case& c : cases) {
    ScriptedView script;
    ASSERT_TRUE(RunScript(script, "trace", c.answers)) << c.name;
    ExpectTraces(EntitiesIn<FcTrace>(script), c.pieces, c.name);
    EXPECT_DOUBLE_EQ(script.OnWindowThread([&] { return script.Drawing().GetSysVars().tracewid; }), c.traceWidth)
        << c.name;
  }
}

TEST_F(TraceCommandTest, AHairpinTurnExchangesTheSharedCornersForTheSecondPiece) {
  ASSERT_TRUE(script_.Run({"trace", "2", "0,0", "10,0", "0,1", ""}));
  const std::vector<const FcTrace*> traces = EntitiesOf<FcTrace>();
  ASSERT_EQ(traces.size(), 2u);
  ExpectPointNear(traces[1]->GetCorner(0), traces[0]->GetCorner(2), 1e-9, "start-left");
  ExpectPointNear(traces[1]->GetCorner(1), traces[0]->GetCorner(3), 1e-9, "start-right");
  // The left side of the piece going back lies below the way there.
  EXPECT_LT(traces[1]->GetCorner(0).y, 0.0);
}

TEST_F(TraceCommandTest, ANegativeWidthIsRefusedAndOneUndoTakesTheWholeTrace) {
  ASSERT_TRUE(script_.Run({"trace", "-1", "1", "0,0", "5,0", "10,0", "10,5", ""}));
  EXPECT_TRUE(RefusedWith("Can't input negative number!", "Input width<1.0000>"));
  EXPECT_EQ(EntitiesOf<FcTrace>().size(), 3u);
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"Trace"});

  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(LastPrinted(), "Undo : Trace");
  EXPECT_TRUE(EntitiesOf<FcTrace>().empty());
}

}  // namespace
