#include "shell/command_registry.h"

#include <gtest/gtest.h>

#include <deque>
#include <future>
#include <string>
#include <vector>

#include "tests/support/command_lists_scope.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "database/undo_setting_items.h"
#include "platform/recording_frame_link.h"
#include "shell/command_view_link.h"
#include "shell/typed_input_parsers.h"
#include "shell/work_thread.h"

namespace {

int ReturnsDone() { return kStatusDone; }
int ReturnsSeven() { return 7; }
int ReturnsNotHandled() { return kCommandNotHandled; }

class FrameLinkScope {
 public:
  FrameLinkScope() { SetFrameLink(&link); }
  ~FrameLinkScope() { SetFrameLink(nullptr); }
  RecordingFrameLink link;
};

TEST(AddCommandTest, RefusesBadAndDuplicateNames) {
  struct Case {
    const char* name;
    CommandFunc function;
    FcAddCommandResult result;
  };
  using Result = FcAddCommandResult;
  const Case cases[] = {
      {"Line", ReturnsDone, Result::kDone},           {"", ReturnsDone, Result::kBadArgument},
      {"Arc", nullptr, Result::kBadArgument},         {"LINE", ReturnsSeven, Result::kDuplicate},
      {"line", ReturnsSeven, Result::kDuplicate},     {"Arc", ReturnsSeven, Result::kDone},
  };
  CommandList list;
  for (const Case& c : cases) EXPECT_EQ(AddCommand(list, c.name, c.function), c.result) << c.name;
  EXPECT_EQ(FindCommand(list, "lInE"), &ReturnsDone);
  EXPECT_EQ(FindCommand(list, "ARC"), &ReturnsSeven);
  EXPECT_EQ(FindCommand(list, "Circle"), nullptr);
  EXPECT_EQ(list.front().name, "Arc");
  FreeCommandList(list);
  EXPECT_TRUE(list.empty());
}

// A stand-in for the drawing's view: it answers each prompt with the next
// scripted line through the parsers of typed input, as a queued macro piece
// would be, and records the prompts and the completions.
class ScriptedView : public CommandViewLink, public TypedInputView {
 public:
  InputRequest& GetInputRequest() override { return request_; }
  AnswerGate& GetAnswerGate() override { return gate_; }
  int SendInputRequest(int wParam) override {
    if (wParam != 1) return 0;
    prompts.push_back(request_.prompt);
    std::string line = answers.empty() ? std::string() : answers.front();
    if (!answers.empty()) answers.pop_front();
    if (!DeliverInput(*this, line, false)) request_.answerKind = kAnswerCancel;
    return 2;
  }
  void PostCommandDone(int status) override { done_.set_value(status); }
  bool TakeQueuedPiece(std::string& piece) override {
    if (queued.empty()) return false;
    piece = queued.front();
    queued.pop_front();
    return true;
  }

  InputRequest& Request() override { return request_; }
  FcGraph& Drawing() override { return *graph; }
  bool CursorPoint(FcPoint2d&) override { return false; }
  void ShowRequestAgain() override {}
  void ShowPromptText(const std::string&) override {}
  void TrackPreview(const FcPoint2d&) override {}
  void ResumeCommandThread() override {}

  std::future<int> ExpectCompletion() {
    done_ = std::promise<int>();
    return done_.get_future();
  }

  FcGraph* graph = nullptr;
  std::deque<std::string> answers;
  std::deque<std::string> queued;
  std::vector<std::string> prompts;

 private:
  InputRequest request_;
  AnswerGate gate_;
  std::promise<int> done_;
};

class DrawingCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view_.graph = &thread_.GetGraph();
    thread_.SetOwnerView(&view_);
    thread_.Start();
  }
  void TearDown() override { thread_.SetReady(); }

  // Runs the name on the drawing's command thread with the scripted answers.
  int Run(const std::string& name, std::deque<std::string> answers) {
    view_.answers = std::move(answers);
    view_.prompts.clear();
    std::future<int> done = view_.ExpectCompletion();
    thread_.SetReady();
    EXPECT_EQ(thread_.PostCommand(WM_FC_RUN_COMMAND, name), 1);
    done.wait();
    thread_.WaitUntilNotRunning();
    return done.get();
  }

  FcSystemVar& Vars() { return thread_.GetGraph().GetSysVars(); }

  // No command rows: every name typed here is either a variable or nothing.
  CommandListsScope commands_{[] {}};
  FrameLinkScope frame_;
  ScriptedView view_;
  CWorkThread thread_;
};

TEST_F(DrawingCommandTest, NamesThatAreNoCommandEditSystemVariables) {
  struct Case {
    const char* typed;
    const char* answer;
    int status;
    const char* prompt;  // null: nothing is asked
    const char* line;    // null: nothing is printed
  };
  const Case cases[] = {
      {"dimscale", "", kStatusDone, nullptr, "Value of DIMSCALE is 1.0000.(Readonly)"},
      {"textstyle", "", kStatusDone, nullptr, "Value of TEXTSTYLE is standard.(Readonly)"},
      {"ucsorg", "", kStatusDone, nullptr, "Value of UCSORG is 0.0000,0.0000.(Readonly)"},
      {"dimunit", "", kStatusDone, nullptr, nullptr},
      {"limmax", "20,30", kStatusDone, "New value for LIMMAX<420.0000,297.0000>", nullptr},
      {"lunits", "3", kStatusDone, "New value for LUNITS<2>", nullptr},
      {"LUnits", "9", kStatusDone, "New value for LUNITS<3>", nullptr},
      {"lunits", "", kStatusDone, "New value for LUNITS<3>", nullptr},
      {"angdir", "1", kStatusDone, "New value for ANGDIR<0>", nullptr},
      {"celtype", "", kStatusDone, nullptr, "Value of CELTYPE is ByLayer.(Readonly)"},
      {"ltscale", "2.5", kStatusDone, "New value for LTSCALE<1.0000>", nullptr},
      {"nosuchthing", "", kCommandNotHandled, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    frame_.link.Clear();
    EXPECT_EQ(Run(c.typed, {c.answer}), c.status) << c.typed;
    std::vector<std::string> prompts;
    if (c.prompt) prompts.push_back(c.prompt);
    EXPECT_EQ(view_.prompts, prompts) << c.typed;
    std::vector<std::string> lines;
    if (c.line) lines.push_back(c.line);
    EXPECT_EQ(frame_.link.HistoryLines(), lines) << c.typed;
  }
  EXPECT_EQ(Vars().lunits, 3);
  EXPECT_EQ(Vars().angdir, 1);
  EXPECT_EQ(Vars().ltscale, 2.5);
  EXPECT_EQ(Vars().limmax.x, 20.0);
  EXPECT_EQ(Vars().limmax.y, 30.0);
  // Each change is one undo step holding the value from before it.
  auto* last = dynamic_cast<FcSysVarUndoItem*>(thread_.GetGraph().GetUndoList().GetCurrent());
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->GetName(), "setvar");
  ASSERT_EQ(last->GetCount(), 1);
  EXPECT_EQ(last->GetEntry(0).value.realValue, 1.0);
}

// A point variable is shown and typed in the current UCS and kept in world
// coordinates.
TEST_F(DrawingCommandTest, PointVariableGoesThroughTheUcs) {
  ASSERT_TRUE(Vars().SetUcs({10, 10}, {11, 10}, {10, 11}));
  EXPECT_EQ(Run("limmin", {"1,2"}), kStatusDone);
  EXPECT_EQ(view_.prompts, std::vector<std::string>{"New value for LIMMIN<-10.0000,-10.0000>"});
  EXPECT_EQ(Vars().limmin.x, 11.0);
  EXPECT_EQ(Vars().limmin.y, 12.0);
}

TEST_F(DrawingCommandTest, ApplicationCommandTakesAnArgumentFromTheActiveView) {
  FcGraph* drawing = &thread_.GetGraph();
  SetActiveGraphQuery([drawing](FcGraph** result) {
    *result = drawing;
    return 0;
  });
  view_.queued = {"OSnap"};
  std::string argument;
  EXPECT_TRUE(PopCommandArgument(argument));
  EXPECT_EQ(argument, "OSnap");
  EXPECT_FALSE(PopCommandArgument(argument));
  SetActiveGraphQuery(nullptr);
  view_.queued = {"x"};
  EXPECT_FALSE(PopCommandArgument(argument));
}

TEST_F(DrawingCommandTest, HandlerThatDoesNotHandleFallsThroughToVariables) {
  AddCommand(DrawingCommands(), "luprec", ReturnsNotHandled);
  AddCommand(DrawingCommands(), "Seven", ReturnsSeven);
  EXPECT_EQ(Run("luprec", {"2"}), kStatusDone);
  EXPECT_EQ(Vars().luprec, 2);
  EXPECT_EQ(Run("seven", {}), 7);
}

}  // namespace
