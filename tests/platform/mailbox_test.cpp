#include "platform/mailbox.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/event.h"

namespace {

TEST(Mailbox, DeliversInOrderByValue) {
  Mailbox<std::string> mailbox;
  std::string name = "Line";
  EXPECT_TRUE(mailbox.Post(name));
  name = "Circle";
  EXPECT_TRUE(mailbox.Post(name));
  EXPECT_EQ(mailbox.Get(), "Line");
  EXPECT_EQ(mailbox.TryGet(), "Circle");
  EXPECT_EQ(mailbox.TryGet(), std::nullopt);
}

TEST(Mailbox, QuitDrainsThenEnds) {
  Mailbox<int> mailbox;
  mailbox.Post(1);
  mailbox.Quit();
  EXPECT_FALSE(mailbox.Post(2));
  EXPECT_EQ(mailbox.Get(), 1);
  EXPECT_EQ(mailbox.Get(), std::nullopt);
}

TEST(Mailbox, QuitWakesABlockedReceiver) {
  Mailbox<int> mailbox;
  Event ended(Event::ResetMode::kManual);
  std::thread receiver([&] {
    EXPECT_EQ(mailbox.Get(), std::nullopt);
    ended.Set();
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(10));
  mailbox.Quit();
  receiver.join();
  EXPECT_TRUE(ended.TryWait());
}

TEST(Mailbox, ManySendersOneReceiver) {
  constexpr int kSenders = 4;
  constexpr int kEach = 2000;
  Mailbox<std::pair<int, int>> mailbox;
  std::vector<std::thread> senders;
  for (int sender = 0; sender < kSenders; ++sender)
    senders.emplace_back([&mailbox, sender] {
      for (int i = 0; i < kEach; ++i) mailbox.Post({sender, i});
    });
  std::vector<int> next(kSenders, 0);
  int received = 0;
  bool in_order = true;
  while (received < kSenders * kEach) {
    std::optional<std::pair<int, int>> message = mailbox.Get();
    ASSERT_TRUE(message);
    in_order = in_order && message->second == next[message->first];
    ++next[message->first];
    ++received;
  }
  for (std::thread& sender : senders) sender.join();
  EXPECT_TRUE(in_order);
  EXPECT_EQ(mailbox.TryGet(), std::nullopt);
}

}  // namespace
