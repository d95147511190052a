#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "export/deflate_buffer.h"
#include "export/parallel_gzip.h"
#include "tests/support/export_test_support.h"

namespace {

constexpr std::size_t kPiece = std::size_t{1} << 20;

// SVG-like text that does not repeat within deflate's window.
std::string PathText(std::size_t size) {
  std::string text;
  for (std::uint32_t i = 0; text.size() < size; ++i) {
    text += "<path d=\"M" + std::to_string(i * 7919 % 100003) + " " + std::to_string(i % 977) + "L" +
            std::to_string(i * 31 % 4099) + "\" stroke=\"red\"/>\n";
  }
  text.resize(size);
  return text;
}

std::string Compressed(const std::string& input, int threads, std::size_t feed) {
  FcParallelGzip gzip(threads);
  std::string out;
  for (std::size_t at = 0; at < input.size(); at += feed) {
    EXPECT_TRUE(gzip.Add(input.data() + at, std::min(feed, input.size() - at)));
    out.append(gzip.Output().begin(), gzip.Output().end());
    gzip.DiscardOutput();
  }
  EXPECT_TRUE(gzip.Finish());
  EXPECT_FALSE(gzip.Failed());
  out.append(gzip.Output().begin(), gzip.Output().end());
  return out;
}

// One gzip member that inflates to the input, the same bytes whichever
// threads compress it and however it is fed, and for an input of one piece
// or less the bytes zlib's own gzip writer gives.
TEST(ParallelGzipTest, OneMemberThatDoesNotDependOnThreadsOrFeeding) {
  struct Case {
    const char* name;
    std::size_t size;
  };
  const Case cases[] = {
      {"nothing", 0},
      {"a short document", 300},
      {"exactly one piece", kPiece},
      {"one byte more than a piece", kPiece + 1},
      {"several pieces and a part", 3 * kPiece + kPiece / 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string input = PathText(c.size);
    const std::string whole = Compressed(input, 1, std::max<std::size_t>(input.size(), 1));
    EXPECT_EQ(Inflate(whole), input);
    EXPECT_EQ(Compressed(input, 4, 7777), whole);
    EXPECT_EQ(Compressed(input, 16, kPiece), whole);
    if (c.size > kPiece) {
      EXPECT_LT(whole.size(), input.size() / 3);
      continue;
    }
    FcDeflateBuffer zlibGzip(15 + 16);
    ASSERT_TRUE(zlibGzip.Add(input.data(), input.size()));
    ASSERT_TRUE(zlibGzip.Finish());
    EXPECT_EQ(whole, std::string(zlibGzip.Output().begin(), zlibGzip.Output().end()));
  }
}

TEST(ParallelGzipTest, NothingCanBeAddedOnceFinished) {
  FcParallelGzip gzip(2);
  ASSERT_TRUE(gzip.Add("<svg/>", 6));
  ASSERT_TRUE(gzip.Finish());
  const std::vector<std::uint8_t> finished = gzip.Output();
  EXPECT_FALSE(gzip.Add("more", 4));
  EXPECT_TRUE(gzip.Failed());
  EXPECT_FALSE(gzip.Finish());
  EXPECT_EQ(gzip.Output(), finished);
}

}  // namespace
