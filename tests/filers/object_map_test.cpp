#include <gtest/gtest.h>

#include <vector>

#include "filers/object_map.h"

namespace {

std::vector<FcHandle> Handles(const FcObjectMap& map) {
  std::vector<FcHandle> handles;
  for (const FcObjectMapEntry& entry : map.Entries()) {
    handles.push_back(entry.handle);
  }
  return handles;
}

TEST(ObjectMapTest, InsertKeepsHandleOrderAndFindSearchesIt) {
  FcObjectMap map;
  map.Insert(5, 500);
  map.Insert(3, 300);
  map.Insert(4, 400);
  map.Insert(UINT64_MAX, 900);
  map.Insert(1, 100);
  EXPECT_EQ(Handles(map), (std::vector<FcHandle>{1, 3, 4, 5, UINT64_MAX}));
  EXPECT_EQ(map.Find(4), 400);
  EXPECT_EQ(map.Find(UINT64_MAX), 900);
  EXPECT_EQ(map.Find(6), -1);
  EXPECT_EQ(map.Find(0), -1);
  EXPECT_EQ(FcObjectMap().Find(1), -1);
}

TEST(ObjectMapTest, AnEqualHandleLandsBeforeTheLastOfItsKind) {
  FcObjectMap map;
  map.Insert(2, 20);
  map.Insert(7, 70);
  map.Insert(7, 71);
  ASSERT_EQ(Handles(map), (std::vector<FcHandle>{2, 7, 7}));
  EXPECT_EQ(map.Entries()[1].offset, 71);
  EXPECT_EQ(map.Entries()[2].offset, 70);
}

}  // namespace
