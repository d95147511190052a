#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "core/paths.h"
#include "database/text_style.h"
#include "fonts/shape_info.h"
#include "platform/recording_frame_link.h"
#include "tests/fonts/shape_font_builder.h"
#include "tests/support/temp_dir.h"

namespace {

using Bytes = ShapeFontBuilder::Bytes;

std::string Text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

// A shape of one line 6 font units long, 10 units wide.
const Bytes kLineShape = {2, 1, 0x60, 2, 0x40};

struct KindCase {
  const char* name;
  Bytes file;
  int probed;
  int part;
};

TEST(ShapeFontTest, LoadsEachKindIntoItsPart) {
  ShapeFontBuilder fonts;
  fonts.Shape(65, kLineShape).Shape(0x8140, kLineShape);
  const KindCase cases[] = {
      {"regular", fonts.Regular(), CShapeInfo::kProbePrimary, CShapeInfo::kPrimaryPart},
      {"unicode", fonts.Unicode(), CShapeInfo::kProbePrimary, CShapeInfo::kPrimaryPart},
      {"big font", fonts.Big(), CShapeInfo::kProbeBigFont, CShapeInfo::kBigFontPart},
  };
  for (const KindCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const std::string path = dir.Write("font.shx", Text(c.file));
    int probed = 0;
    EXPECT_TRUE(CShapeInfo::ProbeFontFile(path, nullptr, &probed));
    EXPECT_EQ(probed, c.probed);
    CShapeInfo font;
    ASSERT_TRUE(font.Load(path, nullptr));
    for (int number : {65, 0x8140}) {
      const ShapeGlyph glyph = font.GetGlyph(number, c.part);
      ASSERT_EQ(glyph.status, ShapeGlyphStatus::kDrawn) << number;
      EXPECT_EQ(glyph.chain.PointCount(), 2);
      EXPECT_NEAR(glyph.advance, 100.0, 1e-9);
    }
  }
}

// Glyphs asked for by several threads at once, at the ends of the number
// range too: each thread gets every shape the font has, once interpreted,
// and no glyph for a number the font lacks or that no shape can have.
TEST(ShapeFontTest, ThreadsAskingAtOnceGetTheSameGlyphs) {
  ShapeFontBuilder fonts;
  fonts.Shape(1, kLineShape).Shape(255, kLineShape).Shape(256, kLineShape).Shape(0xFFFF, kLineShape);
  CShapeInfo font;
  ASSERT_TRUE(font.LoadBytes(fonts.Regular(), "font.shx", nullptr));
  const std::vector<int> drawn = {1, 255, 256, 0xFFFF};
  const std::vector<int> missing = {2, 257, 0xFFFE, 0x10000, -1};
  std::vector<int> wrong(8, 0);
  std::vector<std::thread> threads;
  for (std::size_t t = 0; t < wrong.size(); ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < 50; ++round) {
        for (const int number : drawn) {
          const ShapeGlyph glyph = font.GetGlyph(number, CShapeInfo::kPrimaryPart);
          if (glyph.status != ShapeGlyphStatus::kDrawn || glyph.chain.PointCount() != 2) ++wrong[t];
        }
        for (const int number : missing) {
          if (font.GetGlyph(number, CShapeInfo::kPrimaryPart).status != ShapeGlyphStatus::kMissing) ++wrong[t];
        }
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(wrong, std::vector<int>(wrong.size(), 0));
}

TEST(ShapeFontTest, HeadersThatDoNotFitLoadNothing) {
  Bytes zeroCount = ShapeFontBuilder().Shape(65, kLineShape).Regular();
  zeroCount[28] = 0;
  Bytes aboveZero = ShapeFontBuilder().Above(0).Shape(65, kLineShape).Regular();
  const Bytes cases[] = {{}, Bytes(27, 'x'), zeroCount, aboveZero};
  for (const Bytes& file : cases) {
    CShapeInfo font;
    EXPECT_FALSE(font.LoadBytes(file, "bad.shx", nullptr));
    EXPECT_FALSE(font.HasPrimary());
    EXPECT_FALSE(font.HasBigFont());
  }
}

class ShxStyleTest : public ::testing::Test {
 protected:
  void SetUp() override { SetFrameLink(&link_); }
  void TearDown() override { SetFrameLink(nullptr); }

  // A style on a font written from the builder's bytes.
  void UseFont(const Bytes& file, FcTextStyle& style) {
    style.SetFontFile(dir_.Write("style" + std::to_string(++written_) + ".shx", Text(file)));
  }
  double Advance(const FcTextStyle& style, int code, PointChain& chain) {
    FcPoint2d origin, advance;
    style.GetShxGlyph(chain, origin, code, advance);
    return advance.x;
  }

  RecordingFrameLink link_;
  TempDir dir_;
  int written_ = 0;
};

TEST_F(ShxStyleTest, SpaceIsAsWideAsCapitalA) {
  FcTextStyle withA, withoutA;
  UseFont(ShapeFontBuilder().Shape('A', {2, 0x70}).Shape('B', kLineShape).Regular(), withA);
  UseFont(ShapeFontBuilder().Shape('B', kLineShape).Regular(), withoutA);
  PointChain chain;
  EXPECT_NEAR(Advance(withA, ' ', chain), 70.0, 1e-9);
  EXPECT_EQ(chain.PointCount(), 0);
  EXPECT_NEAR(Advance(withoutA, ' ', chain), 0.0, 1e-9);
}

TEST_F(ShxStyleTest, MissingAndBlankShapesDrawTheQuestionMark) {
  FcTextStyle style;
  UseFont(ShapeFontBuilder().Shape('B', kLineShape).Shape('C', {2, 0x70}).Regular(), style);
  PointChain missing;
  MakeMissingGlyph(missing);
  for (int code : {'Z', 'C'}) {
    PointChain chain;
    EXPECT_NEAR(Advance(style, code, chain), kMissingGlyphAdvance, 1e-9) << code;
    EXPECT_EQ(chain.points.size(), missing.points.size());
    EXPECT_EQ(chain.contourSizes, missing.contourSizes);
  }
}

// A double-byte code comes from the big font only when the primary font
// lacks it and it is above 256.
TEST_F(ShxStyleTest, BigFontServesDoubleByteCodesThePrimaryLacks) {
  FcTextStyle style;
  UseFont(ShapeFontBuilder().Shape('A', kLineShape).Shape(0x8141, {2, 1, 0x20}).Regular(), style);
  const std::string big = dir_.Write("big.shx", Text(ShapeFontBuilder()
                                                         .Shape(0x8140, {2, 1, 0x30, 2, 0x30})
                                                         .Shape(0x8141, {2, 0x70})
                                                         .Shape('A', {2, 0x70})
                                                         .Big()));
  style.SetBigFontFile(big);
  EXPECT_EQ(style.GetBigFontFile(), "big.shx");
  PointChain chain;
  EXPECT_NEAR(Advance(style, 0x8140, chain), 60.0, 1e-9);
  EXPECT_EQ(chain.PointCount(), 2);
  EXPECT_NEAR(Advance(style, 0x8141, chain), 20.0, 1e-9) << "the primary font's own shape wins";
  EXPECT_NEAR(Advance(style, 'A', chain), 100.0, 1e-9) << "codes up to 256 never reach the big font";
}

// A font whose index reaches past its end is damaged: its text draws
// nothing and the user hears of it once.
TEST_F(ShxStyleTest, DamagedFontDrawsNothingAndSaysSoOnce) {
  Bytes file = ShapeFontBuilder().Shape('A', kLineShape).Shape('B', kLineShape).Regular();
  file.resize(file.size() - 3);
  FcTextStyle style;
  UseFont(file, style);
  ASSERT_TRUE(style.IsShx());
  EXPECT_TRUE(style.GetFontSlot().IsDamaged());
  for (int code : {'A', 'B', 'Z'}) {
    PointChain chain;
    EXPECT_EQ(Advance(style, code, chain), 0.0);
    EXPECT_EQ(chain.PointCount(), 0);
  }
  EXPECT_EQ(link_.HistoryLines().size(), 1u);
}

TEST_F(ShxStyleTest, DamagedShapeDrawsNothingAndTheRestStays) {
  FcTextStyle style;
  UseFont(ShapeFontBuilder().Shape('A', kLineShape).Shape('B', {8, 5}).Regular(), style);
  PointChain chain;
  EXPECT_EQ(Advance(style, 'B', chain), 0.0);
  EXPECT_EQ(chain.PointCount(), 0);
  EXPECT_EQ(Advance(style, 'B', chain), 0.0);
  EXPECT_NEAR(Advance(style, 'A', chain), 100.0, 1e-9);
  EXPECT_EQ(link_.HistoryLines().size(), 1u);
}

// A font that is not on the search path draws with txt.shx and keeps its
// name, so that saving the drawing keeps it too.
TEST_F(ShxStyleTest, MissingFontDrawsWithTxtAndKeepsItsName) {
  FcTextStyle style;
  style.SetFontFile("no_such_font");
  EXPECT_EQ(style.GetFontFile(), "no_such_font.shx");
  EXPECT_TRUE(style.IsShx());
  EXPECT_EQ(PathFileName(style.GetFontSlot().GetFontPath()), "txt.shx");
  PointChain chain;
  EXPECT_GT(Advance(style, 'A', chain), 0.0);
  EXPECT_GT(chain.PointCount(), 1);
}

TEST_F(ShxStyleTest, CaretSpansTheHeightOfJ) {
  FcTextStyle style;
  UseFont(ShapeFontBuilder().Shape('j', {2, 0x8C, 1, 0xC4}).Regular(), style);
  PointChain chain;
  FcPoint2d origin, advance{7, 7};
  style.GetShxGlyph(chain, origin, 0, advance);
  EXPECT_EQ(chain.ContourCount(), 4);
  FcPoint2d min, max;
  chain.GetExtents(min, max);
  EXPECT_NEAR(min.y, -80.0, 1e-9);
  EXPECT_NEAR(max.y, 40.0, 1e-9);
  EXPECT_EQ(advance.x, 7.0) << "the caret leaves the advance alone";
}

}  // namespace
