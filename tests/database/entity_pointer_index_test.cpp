#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>
#include <vector>

#include "database/entity_pointer_index.h"

namespace {

// Entity addresses that are never dereferenced, spaced as the case says.
std::vector<const FcEntity*> Addresses(std::uintptr_t first, std::uintptr_t spacing, int count) {
  std::vector<const FcEntity*> addresses;
  for (int i = 0; i < count; ++i) {
    addresses.push_back(reinterpret_cast<const FcEntity*>(first + spacing * static_cast<std::uintptr_t>(i)));
  }
  return addresses;
}

void ExpectSame(const EntityPointerIndex& index, const std::multiset<const FcEntity*>& expected,
                const std::vector<const FcEntity*>& pool) {
  ASSERT_EQ(index.Size(), expected.size());
  for (const FcEntity* entity : pool) {
    ASSERT_EQ(index.Contains(entity), expected.count(entity) != 0) << entity;
  }
}

std::vector<const FcEntity*> Joined(std::vector<const FcEntity*> a, const std::vector<const FcEntity*>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Random inserts (duplicates included) and erasures (absent entities
// included) against a multiset. One case puts every entity on the last or
// the first home slot of each of the first table sizes (13, 31 and 61
// slots), so probes run round the end of the table and erasures must move
// runs back across it, but not the entries already at their home.
TEST(EntityPointerIndexTest, AnswersAsAMultiset) {
  struct Case {
    const char* name;
    std::vector<const FcEntity*> pool;
    int operations;
  };
  constexpr std::uintptr_t kFirstSizes = 13 * 31 * 61;
  const Case cases[] = {
      {"adjacent", Addresses(0x10000, 16, 400), 6000},
      {"round the end",
       Joined(Addresses(16 * (kFirstSizes - 1), 16 * kFirstSizes, 20), Addresses(16 * kFirstSizes, 16 * kFirstSizes, 20)),
       4000},
      {"allocation-like", Addresses(0x10000, 256, 3000), 20000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<const FcEntity*>& pool = c.pool;
    EntityPointerIndex index;
    std::multiset<const FcEntity*> expected;
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 1);
    for (int step = 0; step < c.operations; ++step) {
      const FcEntity* entity = pool[pick(random)];
      // Inserts win slightly, so the table grows through several sizes.
      if (random() % 5 < 3) {
        index.Insert(entity);
        expected.insert(entity);
      } else {
        index.Erase(entity);
        if (const auto found = expected.find(entity); found != expected.end()) expected.erase(found);
      }
      if (step % 97 == 0) ExpectSame(index, expected, pool);
    }
    ExpectSame(index, expected, pool);
    for (const FcEntity* entity : pool) {
      while (index.Contains(entity)) index.Erase(entity);
    }
    EXPECT_EQ(index.Size(), 0u);
  }
}

TEST(EntityPointerIndexTest, NullIsNeverHeldAndClearEmpties) {
  EntityPointerIndex index;
  EXPECT_FALSE(index.Contains(nullptr));
  index.Insert(nullptr);
  EXPECT_EQ(index.Size(), 0u);
  const std::vector<const FcEntity*> pool = Addresses(0x4000, 48, 100);
  for (const FcEntity* entity : pool) index.Insert(entity);
  index.Clear();
  EXPECT_EQ(index.Size(), 0u);
  EXPECT_FALSE(index.Contains(pool.front()));
  index.Insert(pool.back());
  EXPECT_TRUE(index.Contains(pool.back()));
  EXPECT_FALSE(index.Contains(pool.front()));
}

}  // namespace
