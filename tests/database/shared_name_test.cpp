#include "database/shared_name.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "database/entity.h"
#include "database/fixed_text.h"
#include "entities/line.h"
#include "entities/text.h"

namespace {

// Runs the work on a thread of its own, whose recent-name cache goes with
// it, so that what the pool holds afterwards is only what the work kept.
template <typename Work>
void OnOwnThread(Work work) {
  std::thread thread(work);
  thread.join();
}

TEST(SharedNameTest, EqualTextsShareOneCopyThatGoesWithTheLastHolder) {
  const std::size_t before = FcSharedName::CountShared();
  std::vector<FcSharedName> kept;
  OnOwnThread([&] {
    FcSharedName a("shared-name-test-A");
    FcSharedName b(std::string("shared-name-test-A"));
    FcSharedName c("shared-name-test-B");
    EXPECT_EQ(&a.str(), &b.str());
    EXPECT_NE(&a.str(), &c.str());
    EXPECT_EQ(a, "shared-name-test-A");
    EXPECT_EQ(c.size(), 18u);
    kept.push_back(b);
    FcSharedName empty;
    EXPECT_TRUE(empty.empty());
    EXPECT_EQ(empty, FcSharedName(""));
  });
  EXPECT_EQ(FcSharedName::CountShared(), before + 1);
  FcSharedName copy = kept.front();
  kept.clear();
  EXPECT_EQ(copy.str(), "shared-name-test-A");
  copy = FcSharedName();
  EXPECT_EQ(FcSharedName::CountShared(), before);
}

// Readers may make objects on several threads: names made, copied and
// dropped at once on all of them keep their texts and free them at the end.
TEST(SharedNameTest, ThreadsMakingAndDroppingTheSameNamesAgree) {
  const std::size_t before = FcSharedName::CountShared();
  std::vector<std::thread> threads;
  std::vector<int> wrong(6, 0);
  for (int t = 0; t < 6; ++t) {
    threads.emplace_back([t, &wrong] {
      std::vector<FcSharedName> names;
      for (int i = 0; i < 4000; ++i) {
        // More distinct texts than a thread's cache holds, so that the pool
        // is asked and entries come and go.
        const std::string text = "layer-" + std::to_string((i * 7 + t) % 200);
        FcSharedName name(text);
        if (name.str() != text) ++wrong[static_cast<std::size_t>(t)];
        if (i % 3 == 0) names.push_back(name);
        if (names.size() > 40) names.erase(names.begin(), names.begin() + 20);
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(wrong, std::vector<int>(6, 0));
  EXPECT_EQ(FcSharedName::CountShared(), before);
}

TEST(SharedNameTest, EntityLayerNameIsCutAsFixedTextCutsIt) {
  const std::string longName(600, 'L');
  const struct {
    std::string given;
    std::string kept;
  } cases[] = {
      {"Walls", "Walls"},
      {std::string("Wal\0ls", 6), "Wal"},
      {longName, longName.substr(0, FcFixedText::kMaxLength)},
      {"", ""},
  };
  for (const auto& c : cases) {
    FcLine entity;
    entity.SetLayerName(c.given);
    EXPECT_EQ(entity.GetLayerName().str(), c.kept);
    EXPECT_EQ(entity.GetLayerName().str(), FcFixedText(c.given).str());
  }
}

// Every entity of a drawing of millions pays for its common part: the
// rarely used parts (extended data, extension dictionary) stay out of it
// and the names are shared.
TEST(SharedNameTest, CommonPartsOfObjectsStaySmall) {
  EXPECT_LE(sizeof(FcObject), 48u);
  EXPECT_LE(sizeof(FcEntity), 120u);
  EXPECT_LE(sizeof(FcLine), 152u);
  EXPECT_LE(sizeof(FcText), 312u);
}

}  // namespace
