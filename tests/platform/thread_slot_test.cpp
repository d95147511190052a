#include "platform/thread_slot.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(ThreadSlot, EachThreadHasItsOwn) {
  auto* graph = reinterpret_cast<FcGraph*>(0x1000);
  CurrentThreadSlot().graph = graph;
  FcGraph* seen_elsewhere = graph;
  std::thread other([&] { seen_elsewhere = CurrentThreadSlot().graph; });
  other.join();
  EXPECT_EQ(seen_elsewhere, nullptr);
  EXPECT_EQ(CurrentThreadSlot().graph, graph);
  CurrentThreadSlot() = {};
}

}  // namespace
