#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/deflate_blocks.h"
#include "tests/support/export_test_support.h"

namespace {

// Every block added is a complete zlib stream of its own that inflates to
// the bytes added; an empty one adds no block.
TEST(DeflateBlocksTest, EachBlockInflatesToItsBytes) {
  const std::string large(3 << 20, 'l');
  const std::vector<std::string> added = {"1 0 0 RG 1 0 0 rg ", "", "15 15 m 16 15 l S ", large};
  FcDeflateBlocks blocks;
  std::size_t total = 0;
  for (const std::string& bytes : added) {
    EXPECT_TRUE(blocks.AddBlock(bytes.data(), bytes.size()));
    total += bytes.size();
  }
  EXPECT_FALSE(blocks.Failed());
  EXPECT_EQ(blocks.InputSize(), total);
  std::vector<std::string> inflated;
  for (const std::vector<std::uint8_t>& block : blocks.Blocks()) {
    inflated.push_back(Inflate(std::string(block.begin(), block.end())));
  }
  EXPECT_EQ(inflated, (std::vector<std::string>{added[0], added[2], large}));
  EXPECT_LT(blocks.Blocks().back().size(), large.size() / 100);
  // A finished slice frees its compressor; a later block makes another.
  blocks.ReleaseWorkspace();
  EXPECT_TRUE(blocks.AddBlock("h ", 2));
  const std::vector<std::uint8_t>& last = blocks.Blocks().back();
  EXPECT_EQ(Inflate(std::string(last.begin(), last.end())), "h ");
}

}  // namespace
