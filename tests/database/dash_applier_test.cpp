#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "database/dash_applier.h"
#include "database/linetype.h"

namespace {

// A linetype of the pattern text, its lengths in inches.
struct Pattern : FcLineType {
  explicit Pattern(const std::string& inches) { EXPECT_TRUE(SetPattern(inches)); }
};

struct ChainList {
  ~ChainList() { FreeVertexChains(head); }
  std::vector<std::vector<PolylineVertex>> Chains() const {
    std::vector<std::vector<PolylineVertex>> chains;
    for (const VertexChain* chain = head; chain != nullptr; chain = chain->next)
      chains.emplace_back(chain->vertices.items, chain->vertices.items + chain->vertices.count);
    return chains;
  }
  VertexChain* head = nullptr;
};

// Patterns are given in inches; one inch is 25.4 units, so a scale of
// 1 / 25.4 gives lengths in the pattern's own numbers.
constexpr double kInch = 1.0 / 25.4;

TEST(DashApplierTest, DashesAStraightPath) {
  struct Case {
    const char* name;
    bool fit;
    std::vector<std::pair<double, double>> dashes;  // x from, x to
  };
  const double d = 10.0 * (1.0 + 2.0 / 30.0);
  const double g = 5.0 * (1.0 + 2.0 / 30.0);
  const Case cases[] = {
      {"cut at the end", false, {{0, 6}, {11, 21}, {26, 32}}},
      {"fitted", true, {{0, d}, {d + g, 2 * d + g}}},
  };
  const Pattern linetype("A,10,-5");
  const FcPoint2d path[] = {{0, 0}, {32, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ChainList out;
    ApplyLinetypeToPolyline(path, 2, c.fit, 0.0, 0.0, 32.0, kInch, 7, out.head, linetype);
    const auto chains = out.Chains();
    ASSERT_EQ(chains.size(), c.dashes.size());
    for (std::size_t i = 0; i < chains.size(); ++i) {
      ASSERT_EQ(chains[i].size(), 2u);
      EXPECT_NEAR(chains[i][0].x, c.dashes[i].first, 1e-9);
      EXPECT_NEAR(chains[i][1].x, c.dashes[i].second, 1e-9);
      EXPECT_EQ(chains[i][0].index, 7);
    }
  }
}

TEST(DashApplierTest, ValuesRunAlongThePathAndTheEndIsMarked) {
  const Pattern linetype("A,10,-5");
  const FcPoint2d path[] = {{0, 0}, {32, 0}};
  ChainList out;
  ApplyLinetypeToPolyline(path, 2, false, 0.0, 3.2, 32.0, kInch, 0, out.head, linetype);
  const auto chains = out.Chains();
  ASSERT_EQ(chains.size(), 3u);
  EXPECT_NEAR(chains[1][0].startWidth, 1.1, 1e-12);
  EXPECT_NEAR(chains[1][0].endWidth, 2.1, 1e-12);
  EXPECT_NEAR(chains[1][1].startWidth, 2.1, 1e-12);
  EXPECT_DOUBLE_EQ(chains[2][1].startWidth, 3.2);
  EXPECT_DOUBLE_EQ(chains[2][1].endWidth, 0.0);

  // The vertex form copies the last input vertex into the end.
  PolylineVertex vertices[2];
  vertices[1].x = 32.0;
  vertices[1].bulge = 0.5;
  vertices[1].handle = 0x99;
  ChainList out2;
  ApplyLinetypeToPolyline2(vertices, 2, false, 0.0, 3.2, 32.0, kInch, 0, out2.head, linetype);
  const auto chains2 = out2.Chains();
  ASSERT_EQ(chains2.size(), 3u);
  EXPECT_EQ(chains2[2][1].handle, 0x99u);
  EXPECT_DOUBLE_EQ(chains2[2][1].bulge, 0.5);
  EXPECT_DOUBLE_EQ(chains2[2][1].startWidth, 3.2);
}

TEST(DashApplierTest, ADashFollowsACorner) {
  const Pattern linetype("A,10,-5");
  const FcPoint2d path[] = {{0, 0}, {4, 0}, {4, 30}};
  ChainList out;
  ApplyLinetypeToPolyline(path, 3, false, 0.0, 0.0, 34.0, kInch, 0, out.head, linetype);
  const auto chains = out.Chains();
  ASSERT_FALSE(chains.empty());
  // r = 4, so the first dash is 7 long: 4 along x, 3 up.
  ASSERT_EQ(chains[0].size(), 3u);
  EXPECT_DOUBLE_EQ(chains[0][1].x, 4.0);
  EXPECT_DOUBLE_EQ(chains[0][1].y, 0.0);
  EXPECT_NEAR(chains[0][2].y, 3.0, 1e-12);
}

TEST(DashApplierTest, DotsCarryTheirDirection) {
  const Pattern linetype("A,0,-5");
  const FcPoint2d path[] = {{0, 0}, {0, 12}};
  ChainList out;
  ApplyLinetypeToPolyline(path, 2, false, 0.0, 0.0, 12.0, kInch, 0, out.head, linetype);
  const auto chains = out.Chains();
  ASSERT_EQ(chains.size(), 4u);
  EXPECT_EQ(chains[0].size(), 1u);
  EXPECT_DOUBLE_EQ(chains[0][0].y, 0.0);
  EXPECT_DOUBLE_EQ(chains[0][0].endWidth, std::atan2(1.0, 0.0));
  // After the dots at 0, 5 and 10 the end of the path gets one more.
  EXPECT_DOUBLE_EQ(chains[3][0].y, 12.0);
}

TEST(DashApplierTest, NothingToDash) {
  const Pattern linetype("A,10,-5");
  VertexChain sentinel;
  const FcPoint2d same[] = {{1, 1}, {1, 1}};
  ChainList out;
  ApplyLinetypeToPolyline(same, 2, false, 0.0, 0.0, 0.0, kInch, 0, out.head, linetype);
  EXPECT_EQ(out.head, nullptr);

  VertexChain* head = &sentinel;
  ApplyLinetypeToPolyline(same, 1, false, 0.0, 0.0, 0.0, kInch, 0, head, linetype);
  EXPECT_EQ(head, &sentinel);

  // A pattern far too fine for the path is not dashed at all.
  const FcPoint2d longPath[] = {{0, 0}, {1e9, 0}};
  ApplyLinetypeToPolyline(longPath, 2, false, 0.0, 0.0, 1e9, 1e-6, 0, out.head, linetype);
  EXPECT_EQ(out.head, nullptr);
}

}  // namespace
