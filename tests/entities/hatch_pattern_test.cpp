#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "entities/hatch_pattern.h"
#include "filers/filer.h"
#include "platform/recording_frame_link.h"
#include "tests/support/object_test_support.h"

namespace {

TEST(HatchPatternTest, DefinitionLinesParseIntoFamilies) {
  const struct {
    const char* text;
    bool parses;
    double angleDegrees;
    FcPoint2d offset;
    int dashes;
  } cases[] = {
      // One continuous family at 45 degrees, its lines 0.125 inch apart.
      {"45, 0,0, 0,0.125", true, 45, {-3.175 * std::sqrt(0.5), 3.175 * std::sqrt(0.5)}, 0},
      // Four numbers: the offset across keeps its unscaled default.
      {"0,0,0,0", true, 0, {0, 1.0}, 0},
      // Seven dash lengths: the first six are kept.
      {"0, 0,0, 0,.5, .1,-.1,.1,-.1,.1,-.1,.1", true, 0, {0, 12.7}, 6},
      {"90, 1,2, .25,.5, .5,-.25", true, 90, {-12.7, 6.35}, 2},
      // A blank between a number and its comma, a word, too few numbers.
      {"45 , 0,0, 0,.125", false, 0, {}, 0},
      {"45, 0,zero, 0,.125", false, 0, {}, 0},
      {"45, 0,0", false, 0, {}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    FcHPLine line;
    ASSERT_EQ(line.Parse(c.text), c.parses);
    if (!c.parses) continue;
    EXPECT_NEAR(line.angle, c.angleDegrees * kDegToRad, 1e-12);
    EXPECT_NEAR(line.offset.x, c.offset.x, 1e-9);
    EXPECT_NEAR(line.offset.y, c.offset.y, 1e-9);
    EXPECT_EQ(line.dashCount, c.dashes);
  }
}

class PatternFileTest : public testing::Test {
 protected:
  void SetUp() override { SetFrameLink(&link); }
  void TearDown() override { SetFrameLink(nullptr); }

  bool Load(const std::string& text, const std::string& name, FcHPPattern& pattern) {
    FcFiler filer;
    StartReading(filer, text, FcFileKind::kAsciiDxf, nullptr);
    return pattern.LoadFromFile(filer, name);
  }

  RecordingFrameLink link;
};

TEST_F(PatternFileTest, HeadersMatchWithoutRegardToCaseAndBadLinesAreNamed) {
  const std::string file =
      ";; patterns\r\n*Other, not this\r\n0, 0,0, 0,1\r\n*ANSI31, iron\r\n45, 0,0, 0,.125\r\n"
      "   \r\nforty-five, 0,0, 0,1\r\n; a comment\r\n90, 0,0, 0,.25\r\n*NEXT\r\n0,0,0,0,1\r\n";
  FcHPPattern pattern;
  pattern.SetScale(2.0);
  pattern.SetAngle(kHalfPi);
  ASSERT_TRUE(Load(file, "ansi31", pattern));
  EXPECT_EQ(pattern.GetName(), "ansi31");
  ASSERT_EQ(pattern.GetLines().size(), 2u);
  // Scaled by 2 and turned a quarter turn after reading.
  EXPECT_NEAR(pattern.GetLines()[0].angle, 135 * kDegToRad, 1e-12);
  EXPECT_NEAR(std::hypot(pattern.GetLines()[0].offset.x, pattern.GetLines()[0].offset.y), 2 * 3.175, 1e-9);
  EXPECT_NEAR(pattern.GetLines()[1].angle, kPi, 1e-12);
  ASSERT_EQ(link.HistoryLines().size(), 1u);
  EXPECT_NE(link.HistoryLines()[0].find("line 7"), std::string::npos) << link.HistoryLines()[0];
}

TEST_F(PatternFileTest, MissingOrEmptyPatternsLoadNothing) {
  FcHPPattern pattern;
  pattern.SetName("kept");
  EXPECT_FALSE(Load("*A\n0,0,0,0,1\n", "B", pattern));
  EXPECT_EQ(pattern.GetName(), "kept");
  // An empty line right after the header ends the pattern with no lines.
  EXPECT_FALSE(Load("*A\n\n0,0,0,0,1\n", "a", pattern));
  EXPECT_TRUE(pattern.GetLines().empty());
  EXPECT_FALSE(Load("", "a", pattern));
}

TEST_F(PatternFileTest, TheProgramsPatternFileDefinesEveryListedPattern) {
  FcFiler filer;
  ASSERT_TRUE(filer.Open(std::string(KOVRA_SOURCE_DIR) + "/Support/kovra.pat", kFcOpenRead, FcFileKind::kAsciiDxf));
  const char* const names[] = {"SOLID", "ANGLE", "AR-B816", "AR-B816C", "AR-B88", "AR-BRELM", "AR-BRSTD",
                               "AR-CONC", "AR-HBONE", "AR-PARQ1", "AR-RROOF", "AR-RSHKE", "AR-SAND", "BOX",
                               "BRASS", "BRICK", "BRSTONE", "CLAY", "CORK", "CROSS", "DASH", "DOLMIT", "DOTS",
                               "EARTH", "ESCHER", "FLEX", "GRASS", "GRATE", "HEX", "HONEY", "HOUND", "INSUL",
                               "ANSI31", "ANSI32", "ANSI33", "ANSI34", "ANSI35", "ANSI36", "ANSI37", "ANSI38",
                               "LINE", "MUDST", "NET", "NET3", "PLAST", "PLASTI", "SACNCR", "SQUARE", "STARS",
                               "STEEL", "SWAMP", "TRANS", "TRIANG", "ZIGZAG", "WATER", "WOOD", "GRAVL"};
  for (const char* name : names) {
    FcHPPattern pattern;
    EXPECT_TRUE(pattern.LoadFromFile(filer, name)) << name;
  }
  for (int i = 2; i <= 15; ++i) {
    FcHPPattern pattern;
    const std::string name = "KOVRA_ISO" + std::string(i < 10 ? "0" : "") + std::to_string(i) + "W100";
    EXPECT_TRUE(pattern.LoadFromFile(filer, name)) << name;
  }
  EXPECT_TRUE(link.HistoryLines().empty());
  FcHPPattern ansi31;
  ASSERT_TRUE(ansi31.LoadFromFile(filer, "ANSI31"));
  ASSERT_EQ(ansi31.GetLines().size(), 1u);
  EXPECT_NEAR(ansi31.GetLines()[0].angle, kPi / 4, 1e-12);
}

}  // namespace
