#include "display/handle_slot_index.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>

namespace {

// Random sets, moves and erases of handles drawn from a small range (so
// that erases hit and probe chains wrap the table) and from the extremes,
// checked against an ordered map after every step.
TEST(HandleSlotIndexTest, AgreesWithAMapThroughSetsAndErases) {
  std::mt19937_64 random(7);
  std::uniform_int_distribution<int> action(0, 9);
  std::uniform_int_distribution<FcHandle> small(0, 300);
  const FcHandle extremes[] = {0, 1, 0x8000000000000001ULL, ~FcHandle{0}};
  HandleSlotIndex index;
  std::map<FcHandle, int> expected;
  for (int step = 0; step < 20000; ++step) {
    const FcHandle handle = step % 97 == 0 ? extremes[step % 4] : small(random);
    const int what = action(random);
    if (what < 6) {
      index.Set(handle, step);
      expected[handle] = step;
    } else {
      index.Erase(handle);
      expected.erase(handle);
    }
    ASSERT_EQ(index.Size(), expected.size()) << "step " << step;
    const FcHandle probe = small(random);
    const auto found = expected.find(probe);
    ASSERT_EQ(index.Find(probe), found == expected.end() ? -1 : found->second) << "step " << step;
  }
  for (const auto& [handle, slot] : expected) EXPECT_EQ(index.Find(handle), slot);
  index.Clear();
  EXPECT_EQ(index.Find(expected.begin()->first), -1);
}

TEST(HandleSlotIndexTest, ReserveKeepsWhatIsThereAndNegativeSlotsAreNotStored) {
  HandleSlotIndex index;
  index.Set(5, 0);
  index.Set(6, -1);
  index.Reserve(100000);
  for (FcHandle h = 100; h < 200; ++h) index.Set(h, static_cast<int>(h));
  EXPECT_EQ(index.Find(5), 0);
  EXPECT_EQ(index.Find(6), -1);
  EXPECT_EQ(index.Find(150), 150);
  EXPECT_EQ(index.Size(), 101u);
}

}  // namespace
