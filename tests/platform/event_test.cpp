#include "platform/event.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

namespace {

using std::chrono::milliseconds;
using Mode = Event::ResetMode;

// Long enough that a test only waits this long when something is broken.
constexpr milliseconds kGenerous{2000};

TEST(Event, SetBeforeWaitIsKept) {
  for (Mode mode : {Mode::kManual, Mode::kAuto}) {
    Event event(mode);
    event.Set();
    EXPECT_TRUE(event.Wait(milliseconds(0)));
    // A manual-reset event stays set; an auto-reset one was consumed.
    EXPECT_EQ(event.TryWait(), mode == Mode::kManual);
  }
}

TEST(Event, ResetAndInitialState) {
  Event event(Mode::kManual, true);
  EXPECT_TRUE(event.TryWait());
  event.Reset();
  EXPECT_FALSE(event.TryWait());
  Event unset(Mode::kAuto);
  EXPECT_FALSE(unset.TryWait());
}

TEST(Event, WaitTimesOutWhenNeverSet) {
  for (Mode mode : {Mode::kManual, Mode::kAuto}) {
    Event event(mode);
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(event.Wait(milliseconds(30)));
    EXPECT_GE(std::chrono::steady_clock::now() - start, milliseconds(30));
  }
}

// One Set lets exactly one waiter of an auto-reset event through, and every
// waiter of a manual-reset one.
TEST(Event, SetReleasesWaitersByResetMode) {
  struct Case {
    Mode mode;
    int expected;
  } cases[] = {{Mode::kAuto, 1}, {Mode::kManual, 4}};
  for (const Case& c : cases) {
    Event event(c.mode);
    std::atomic<int> through{0};
    std::vector<std::thread> waiters;
    for (int i = 0; i < 4; ++i)
      waiters.emplace_back([&] {
        if (event.Wait(milliseconds(300))) ++through;
      });
    std::this_thread::sleep_for(milliseconds(20));
    event.Set();
    for (std::thread& waiter : waiters) waiter.join();
    EXPECT_EQ(through.load(), c.expected);
  }
}

// Pairs of threads hand a turn back and forth; a lost wake-up shows as a
// wait that times out.
TEST(Event, PingPongLosesNoWakeUp) {
  constexpr int kPairs = 4;
  constexpr int kRounds = 2000;
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  std::vector<std::unique_ptr<Event>> events;
  for (int pair = 0; pair < kPairs; ++pair) {
    events.push_back(std::make_unique<Event>(Mode::kAuto));
    events.push_back(std::make_unique<Event>(Mode::kAuto));
    Event& ping = *events[events.size() - 2];
    Event& pong = *events.back();
    threads.emplace_back([&] {
      for (int i = 0; i < kRounds; ++i) {
        ping.Set();
        if (!pong.Wait(kGenerous)) ++failures;
      }
    });
    threads.emplace_back([&] {
      for (int i = 0; i < kRounds; ++i) {
        if (!ping.Wait(kGenerous)) ++failures;
        pong.Set();
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(failures.load(), 0);
}

}  // namespace
