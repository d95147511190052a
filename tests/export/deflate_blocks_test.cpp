#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/deflate_blocks.h"
#include "tests/support/export_test_support.h"

namespace {

// Blocks are complete zlib streams, cut only between two pieces once a
// block's worth has gathered; inflated in order they give back every byte.
TEST(DeflateBlocksTest, BlocksAreCutBetweenPiecesAndInflateToTheInput) {
  struct Case {
    const char* name;
    std::size_t blockSize;
    std::vector<std::string> pieces;
    std::vector<std::string> blocks;
  };
  const Case cases[] = {
      {"nothing added", 8, {}, {}},
      {"less than a block", 20, {"15 15 m ", "16 15 l "}, {"15 15 m 16 15 l "}},
      {"a piece that fills a block ends it", 8, {"1 0 0 RG ", "S ", "0 G "}, {"1 0 0 RG ", "S 0 G "}},
      {"blocks of several pieces", 6, {"1 2 m ", "3 ", "4 l ", "S ", "S "}, {"1 2 m ", "3 4 l ", "S S "}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcDeflateBlocks blocks(c.blockSize);
    std::size_t total = 0;
    for (const std::string& piece : c.pieces) {
      EXPECT_TRUE(blocks.Add(piece.data(), piece.size()));
      total += piece.size();
    }
    EXPECT_TRUE(blocks.Finish());
    EXPECT_TRUE(blocks.Finish());
    EXPECT_EQ(blocks.InputSize(), total);
    std::vector<std::string> inflated;
    for (const std::vector<std::uint8_t>& block : blocks.Blocks()) {
      inflated.push_back(Inflate(std::string(block.begin(), block.end())));
    }
    EXPECT_EQ(inflated, c.blocks);
  }
}

TEST(DeflateBlocksTest, NothingIsAddedAfterTheEnd) {
  FcDeflateBlocks blocks;
  ASSERT_TRUE(blocks.Add("S ", 2));
  ASSERT_TRUE(blocks.Finish());
  EXPECT_FALSE(blocks.Add("S ", 2));
  EXPECT_TRUE(blocks.Failed());
  EXPECT_FALSE(blocks.Finish());
  ASSERT_EQ(blocks.Blocks().size(), 1u);
}

}  // namespace
