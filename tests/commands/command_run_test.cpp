#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/command_script.h"
#include "commands/undo_section.h"
#include "core/resbuf.h"
#include "entities/line.h"
#include "shell/command_registry.h"
#include "shell/work_thread.h"

namespace {

using CommandRunTest = CommandScriptTest;

// Opens a one-step section, draws two lines in it and fails.
int FailInsideSection() {
  FcUndoSection section(*CurrentGraph(), "Broken", FcUndoSection::Steps::kWholeRun);
  section.AddNew<FcLine>([](FcLine& line) { line.SetEndPoint({1, 0}); });
  section.AddNew<FcLine>([](FcLine& line) { line.SetEndPoint({0, 1}); });
  throw std::runtime_error("failed half-way");
}

// Opens a one-step section and fails before recording anything.
int FailBeforeRecording() {
  FcUndoSection section(*CurrentGraph(), "Broken", FcUndoSection::Steps::kWholeRun);
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

TEST_F(CommandRunTest, AFailedCommandIsReportedAndItsOpenSectionUndoesAsOne) {
  AddCommand(DrawingCommands(), "FailInsideSection", FailInsideSection);
  ASSERT_TRUE(script_.Run({"FailInsideSection"}));
  EXPECT_EQ(LastPrinted(), kUnknownErrorMessage);
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"Broken"});

  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(LastPrinted(), "Undo : Broken");
  EXPECT_TRUE(EntitiesOf<FcLine>().empty());

  ASSERT_TRUE(script_.Run({"line", "0,0", "2,2", ""}));
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 1u);
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"Line"});
}

TEST_F(CommandRunTest, ASectionLeftEmptyByAFailedCommandLeavesNoUndoStep) {
  AddCommand(DrawingCommands(), "FailBeforeRecording", FailBeforeRecording);
  ASSERT_TRUE(script_.Run({"line", "0,0", "2,2", ""}));
  ASSERT_TRUE(script_.Run({"FailBeforeRecording"}));
  EXPECT_EQ(LastPrinted(), kUnknownErrorMessage);
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"Line"});
  const bool grouping = script_.OnWindowThread([this] { return script_.Drawing().GetUndoList().IsGrouping(); });
  EXPECT_FALSE(grouping);
}

// A run that changed nothing must not cost the user what Redo could bring
// back, whether it ended at a prompt or by failing.
TEST_F(CommandRunTest, ARunThatChangedNothingKeepsTheRedoHistory) {
  AddCommand(DrawingCommands(), "FailBeforeRecording", FailBeforeRecording);
  ASSERT_TRUE(script_.Run({"line", "0,0", "2,2", ""}));
  ASSERT_TRUE(script_.Run({"undo"}));
  for (const std::vector<std::string>& run :
       {std::vector<std::string>{"point", kEsc}, {"trace", "", "0,0", kEsc}, {"FailBeforeRecording"}}) {
    ASSERT_TRUE(RunScript(script_, run[0], {run.begin() + 1, run.end()})) << run[0];
  }
  ASSERT_TRUE(script_.Run({"redo"}));
  EXPECT_EQ(LastPrinted(), "Redo : Line");
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 1u);
}

}  // namespace
