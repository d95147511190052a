#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "database/text_style.h"
#include "fonts/shape_info.h"
#include "platform/file_system.h"
#include "tests/support/temp_dir.h"

namespace {

const std::string kFontsDir = KOVRA_SOURCE_DIR "/Fonts/";

std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// The fonts in the tree are what the tool makes of the Hershey data.
TEST(ProgramFontsTest, CommittedFontsAreTheToolsOutput) {
  const std::string hershey = "/usr/share/hershey-fonts/futural.jhf";
  if (!FileExists(hershey)) GTEST_SKIP() << "the Hershey font data is not installed";
  TempDir dir;
  const std::string command =
      "/usr/bin/python3 " KOVRA_SOURCE_DIR "/scripts/make_shx_fonts.py " + dir.path() + " >/dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  for (const char* name : {"txt.shx", "simplex.shx"}) {
    EXPECT_EQ(ReadAll(dir.path() + name), ReadAll(kFontsDir + name)) << name;
  }
}

// The program's own fonts draw every printable ASCII character and the
// three signs of the text codes, and their capitals are 100 tall.
TEST(ProgramFontsTest, DrawEveryPrintableCharacterAndTheSigns) {
  for (const char* name : {"txt.shx", "simplex.shx"}) {
    SCOPED_TRACE(name);
    CShapeInfo font;
    int kind = 0;
    ASSERT_TRUE(font.Load(kFontsDir + name, &kind));
    EXPECT_EQ(kind, CShapeInfo::kProbePrimary);
    for (int code = 33; code <= 126; ++code) {
      const ShapeGlyph glyph = font.GetGlyph(code, CShapeInfo::kPrimaryPart);
      EXPECT_EQ(glyph.status, ShapeGlyphStatus::kDrawn) << code;
      EXPECT_GT(glyph.chain.PointCount(), 1) << code;
      EXPECT_GT(glyph.advance, 0.0) << code;
    }
    for (int code : {176, 177, 216}) EXPECT_GT(font.GetGlyph(code, CShapeInfo::kPrimaryPart).chain.PointCount(), 1);
    FcPoint2d min, max;
    font.GetGlyph('A', CShapeInfo::kPrimaryPart).chain.GetExtents(min, max);
    EXPECT_NEAR(max.y, 100.0, 1e-9);
    EXPECT_NEAR(min.y, 0.0, 1e-9);
  }
}

TEST(ProgramFontsTest, NewStyleDrawsWithTxt) {
  FcTextStyle style;
  EXPECT_TRUE(style.IsShx());
  EXPECT_EQ(style.GetFontSlot().GetFontPath(), kFontsDir + "txt.shx");
  PointChain chain;
  FcPoint2d origin, advance;
  style.GetShxGlyph(chain, origin, 'H', advance);
  EXPECT_EQ(chain.kind, PointChain::kStrokes);
  EXPECT_EQ(chain.ContourCount(), 3);
  EXPECT_GT(advance.x, 0.0);
}

// Glyphs of both font kinds come out alike when the command thread and the
// window thread ask for them at once.
TEST(ProgramFontsTest, GlyphsAreTheSameFromSeveralThreadsAtOnce) {
  FcTextStyle shx;
  FcTextStyle trueType;
  trueType.SetTrueTypeFace("DejaVu Sans");
  const auto signature = [](const FcTextStyle& style, int code) {
    PointChain chain;
    const double advance = style.GetGlyph(chain, code);
    return std::vector<double>{advance, static_cast<double>(chain.PointCount()),
                               chain.points.empty() ? 0.0 : chain.points.back().x};
  };
  std::vector<std::vector<double>> expected;
  for (int code = 33; code < 127; ++code) {
    expected.push_back(signature(shx, code));
    expected.push_back(signature(trueType, code));
  }
  std::vector<int> mismatches(4, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      FcTextStyle ownShx;
      for (int round = 0; round < 3; ++round) {
        for (int code = 126; code >= 33; --code) {
          const std::size_t at = 2 * static_cast<std::size_t>(code - 33);
          if (signature(t % 2 == 0 ? shx : ownShx, code) != expected[at]) ++mismatches[t];
          if (signature(trueType, code) != expected[at + 1]) ++mismatches[t];
        }
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(mismatches, std::vector<int>(4, 0));
}

}  // namespace
