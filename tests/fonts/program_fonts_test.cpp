#include <gtest/gtest.h>

#include <string>

#include "database/text_style.h"
#include "fonts/shape_info.h"

namespace {

const std::string kFontsDir = KOVRA_SOURCE_DIR "/Fonts/";

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

}  // namespace
