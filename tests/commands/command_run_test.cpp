#include <stdexcept>
#include <string>
#include <vector>

#include "command_script.h"
#include "core/resbuf.h"
#include "entities/line.h"
#include "shell/command_registry.h"
#include "shell/work_thread.h"

namespace {

using CommandRunTest = CommandScriptTest;

// Opens an undo group, draws a line into it and fails.
int FailInsideGroup() {
  FcGraph& graph = *CurrentGraph();
  graph.GetUndoList().BeginGroup("Broken");
  FcLine* line = new FcLine;
  line->SetEndPoint({1, 0});
  AddEntityWithOwnUndo(graph, line, "Line");
  throw std::runtime_error("failed half-way");
}

// Opens an undo group and fails before recording anything.
int FailBeforeRecording() {
  CurrentGraph()->GetUndoList().BeginGroup("Broken");
  throw std::runtime_error("failed at once");
}

TEST_F(CommandRunTest, NamesThatAreNotOfferedSaySo) {
  struct Case {
    const char* typed;
    const char* printed;
  };
  const Case cases[] = {
      {"xyz", "Unknown command or system variable \"xyz\"."},
      {"tablet", "KOVRA doesn't support \"Tablet\" command at present!"},
      {"SKETCH", "KOVRA doesn't support \"Sketch\" command at present!"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(script_.Run({c.typed})) << c.typed;
    EXPECT_EQ(LastPrinted(), c.printed);
  }
}

TEST_F(CommandRunTest, AFailedCommandIsReportedAndItsOpenGroupUndoesAsOne) {
  AddCommand(DrawingCommands(), "FailInsideGroup", FailInsideGroup);
  ASSERT_TRUE(script_.Run({"FailInsideGroup"}));
  EXPECT_EQ(LastPrinted(), kUnknownErrorMessage);
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"Broken"});

  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(LastPrinted(), "Undo : Broken");
  EXPECT_TRUE(EntitiesOf<FcLine>().empty());

  ASSERT_TRUE(script_.Run({"line", "0,0", "2,2", ""}));
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 1u);
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"Line"});
}

TEST_F(CommandRunTest, AGroupLeftEmptyByAFailedCommandLeavesNoUndoStep) {
  AddCommand(DrawingCommands(), "FailBeforeRecording", FailBeforeRecording);
  ASSERT_TRUE(script_.Run({"line", "0,0", "2,2", ""}));
  ASSERT_TRUE(script_.Run({"FailBeforeRecording"}));
  EXPECT_EQ(LastPrinted(), kUnknownErrorMessage);
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"Line"});
  const bool grouping = script_.OnWindowThread([this] { return script_.Drawing().GetUndoList().IsGrouping(); });
  EXPECT_FALSE(grouping);
}

}  // namespace
