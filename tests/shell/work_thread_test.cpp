#include "shell/work_thread.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "platform/frame_link.h"
#include "platform/mailbox.h"
#include "platform/recording_frame_link.h"
#include "platform/thread_slot.h"
#include "shell/command_view_link.h"
#include "tests/support/test_command.h"

namespace {

// The view side reduced to its completion messages, which arrive in a
// mailbox for the test to take; the test plays the view's part of setting
// ready once it has taken one.
class CompletionRecorder : public CommandViewLink {
 public:
  InputRequest& GetInputRequest() override { return request_; }
  AnswerGate& GetAnswerGate() override { return gate_; }
  int SendInputRequest(int) override { return 0; }
  void PostCommandDone(int status) override { done_.Post(status); }
  bool TakeQueuedPiece(std::string&) override { return false; }

  int NextStatus() { return done_.Get().value_or(0); }

 private:
  InputRequest request_;
  AnswerGate gate_;
  Mailbox<int> done_;
};

class WorkThreadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetFrameLink(&printed_);
    thread_.SetOwnerView(&owner_);
  }
  void TearDown() override { SetFrameLink(nullptr); }

  // Waits for the completion, then does what the view does with it.
  int Finish() {
    const int status = owner_.NextStatus();
    thread_.WaitUntilNotRunning();
    thread_.SetReady();
    return status;
  }

  RecordingFrameLink printed_;
  CompletionRecorder owner_;
  CWorkThread thread_;
};

TEST_F(WorkThreadTest, TakesTheFirstCommandRightAfterStart) {
  CWorkThread* ranOn = nullptr;
  FcGraph* drawing = nullptr;
  UseTestCommand([&] {
    ranOn = CWorkThread::Current();
    drawing = CurrentGraph();
    return 42;
  });
  thread_.Start();
  ASSERT_EQ(thread_.PostCommand(WM_FC_RUN_COMMAND, "testbody"), 1);
  EXPECT_EQ(Finish(), 42);
  EXPECT_EQ(ranOn, &thread_);
  EXPECT_EQ(drawing, &thread_.GetGraph());
  EXPECT_EQ(thread_.GetGraph().GetWorkThread(), &thread_);
  EXPECT_EQ(CWorkThread::Current(), nullptr);
}

TEST_F(WorkThreadTest, RefusesWhileACommandRunsAndUntilItsCompletionIsProcessed) {
  Event inside(Event::ResetMode::kManual);
  Event release(Event::ResetMode::kManual);
  UseTestCommand([&] {
    inside.Set();
    release.Wait();
    return kStatusDone;
  });
  thread_.Start();
  ASSERT_EQ(thread_.PostCommand(WM_FC_RUN_COMMAND, "TestBody"), 1);
  inside.Wait();
  EXPECT_TRUE(thread_.IsRunning());
  EXPECT_EQ(thread_.PostCommand(WM_FC_RUN_COMMAND, "TestBody"), 0);

  release.Set();
  EXPECT_EQ(owner_.NextStatus(), kStatusDone);
  thread_.WaitUntilNotRunning();
  // Completed, but the view has not processed the completion yet.
  EXPECT_EQ(thread_.PostCommand(WM_FC_RUN_COMMAND, "TestBody"), 0);
  thread_.SetReady();
  EXPECT_EQ(thread_.PostCommand(WM_FC_RUN_COMMAND, "TestBody"), 1);
  EXPECT_EQ(Finish(), kStatusDone);
}

TEST_F(WorkThreadTest, AThrowingCommandEndsWithOneLineAndTheNextRuns) {
  UseTestCommand([]() -> int { throw std::runtime_error("broken"); });
  thread_.Start();
  ASSERT_EQ(thread_.PostCommand(WM_FC_RUN_COMMAND, "TestBody"), 1);
  EXPECT_EQ(Finish(), kStatusDone);
  EXPECT_EQ(printed_.HistoryLines(), std::vector<std::string>{kUnknownErrorMessage});

  UseTestCommand([] { return 7; });
  ASSERT_EQ(thread_.PostCommand(WM_FC_RUN_COMMAND, "TestBody"), 1);
  EXPECT_EQ(Finish(), 7);
}

TEST_F(WorkThreadTest, OtherThreadMessagesCompleteWithDone) {
  thread_.Start();
  ASSERT_EQ(thread_.PostCommand(0x0400), 1);
  EXPECT_EQ(Finish(), kStatusDone);
}

TEST_F(WorkThreadTest, QuittingAnIdleThreadEndsIt) {
  thread_.Start();
  EXPECT_EQ(thread_.PostCommand(WM_QUIT), 1);
  thread_.Join();
  EXPECT_FALSE(thread_.IsStarted());
  EXPECT_EQ(thread_.PostCommand(WM_FC_RUN_COMMAND, "TestBody"), 0);
}

TEST_F(WorkThreadTest, RefusesBeforeItWasStarted) { EXPECT_EQ(thread_.PostCommand(WM_FC_RUN_COMMAND, "TestBody"), 0); }

}  // namespace
