#include "platform/recording_frame_link.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

TEST(RecordingFrameLink, RecordsWhatTheServicesSend) {
  RecordingFrameLink link;
  SetFrameLink(&link);
  PrintMessage("Invalid fillet radius!");
  ShowPrompt("First point of line");
  ProgressStart("Regenerating...");
  ProgressPosition(40, true);
  ProgressEnd();
  SetFrameLink(nullptr);
  PrintMessage("not seen");

  std::vector<RecordingFrameLink::Call> calls = link.Calls();
  ASSERT_EQ(calls.size(), 5u);
  EXPECT_EQ(calls[0].message, FrameMessage::kCommandHistoryLine);
  EXPECT_EQ(calls[1].message, FrameMessage::kPromptText);
  EXPECT_EQ(calls[1].text, "First point of line");
  EXPECT_EQ(calls[2].text, "Regenerating...");
  EXPECT_EQ(calls[3].message, FrameMessage::kProgressPosition);
  EXPECT_EQ(calls[3].percent, 40);
  EXPECT_TRUE(calls[3].posted);
  EXPECT_EQ(calls[4].message, FrameMessage::kProgressEnd);
  EXPECT_EQ(link.HistoryLines(), std::vector<std::string>{"Invalid fillet radius!"});
  link.Clear();
  EXPECT_TRUE(link.Calls().empty());
}

TEST(RecordingFrameLink, TakesCallsFromManyThreads) {
  RecordingFrameLink link;
  SetFrameLink(&link);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([] {
      for (int i = 0; i < 500; ++i) PrintMessage("line");
    });
  for (std::thread& thread : threads) thread.join();
  SetFrameLink(nullptr);
  EXPECT_EQ(link.HistoryLines().size(), 2000u);
}

}  // namespace
