#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/paths.h"
#include "core/text_codes.h"
#include "database/text_style.h"
#include "fonts/fontconfig_faces.h"
#include "fonts/truetype_outline.h"
#include "fonts/truetype_registry.h"
#include "platform/program_settings.h"
#include "tests/support/program_settings_guard.h"
#include "tests/support/temp_dir.h"

namespace {

// Faces of Debian packages the setup installs: a TrueType face with
// quadratic curves and an OpenType face with cubic ones.
constexpr const char* kFaces[] = {"DejaVu Sans", "Nimbus Sans"};

PointChain GlyphOf(const FcTextStyle& style, int code) {
  PointChain chain;
  FcPoint2d blackBox, advance, origin;
  style.GetTrueTypeGlyph(chain, code, blackBox, advance, origin);
  return chain;
}

std::unique_ptr<FcTextStyle> StyleOf(const std::string& face) {
  auto style = std::make_unique<FcTextStyle>();
  style->SetTrueTypeFace(face);
  return style;
}

TEST(TrueTypeGlyphTest, CapitalARisesToTheStyleHeight) {
  for (const char* face : kFaces) {
    SCOPED_TRACE(face);
    const auto style = StyleOf(face);
    ASSERT_EQ(style->GetFaceName(), face);
    const PointChain a = GlyphOf(*style, 'A');
    EXPECT_EQ(a.kind, PointChain::kFilled);
    FcPoint2d min, max;
    a.GetExtents(min, max);
    EXPECT_NEAR(max.y, 100.0, 1e-6);
    EXPECT_NEAR(min.y, 0.0, 1.0);
  }
}

// Every ring ends where it starts, and an "o" has its outer and inner one.
TEST(TrueTypeGlyphTest, LetterOGivesTwoClosedRings) {
  for (const char* face : kFaces) {
    SCOPED_TRACE(face);
    const PointChain o = GlyphOf(*StyleOf(face), 'o');
    ASSERT_EQ(o.ContourCount(), 2);
    EXPECT_EQ(o.openCount, 0);
    int start = 0;
    for (int size : o.contourSizes) {
      ASSERT_GT(size, 8);
      const FcPoint2d& first = o.points[start];
      const FcPoint2d& last = o.points[start + size - 1];
      EXPECT_EQ(first.x, last.x);
      EXPECT_EQ(first.y, last.y);
      start += size;
    }
  }
}

// "%%d", "%%p" and "%%c" reach the outliner as codes 1 to 3 and draw the
// degree, plus-minus and diameter signs of the face.
TEST(TrueTypeGlyphTest, SymbolCodesDrawTheSignsOfTheFace) {
  const auto style = StyleOf("DejaVu Sans");
  const struct {
    const char* text;
    int sign;
  } cases[] = {{"%%d", 0xB0}, {"%%p", 0xB1}, {"%%c", 0xD8}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::vector<std::uint16_t> codes;
    ASSERT_EQ(style->DecodeText(c.text, 1252, false, codes), 1);
    const PointChain decoded = GlyphOf(*style, codes[0]);
    const PointChain sign = GlyphOf(*style, c.sign);
    EXPECT_EQ(decoded.kind, PointChain::kFilled);
    EXPECT_GT(decoded.ContourCount(), 0);
    EXPECT_EQ(decoded.contourSizes, sign.contourSizes);
    EXPECT_EQ(decoded.PointCount(), sign.PointCount());
  }
}

TEST(TrueTypeGlyphTest, SpaceTakesTheMetricsOfAAndDrawsNothing) {
  const auto style = StyleOf("DejaVu Sans");
  PointChain space, a;
  FcPoint2d box, spaceAdvance, aAdvance, origin;
  style->GetTrueTypeGlyph(space, ' ', box, spaceAdvance, origin);
  style->GetTrueTypeGlyph(a, 'A', box, aAdvance, origin);
  EXPECT_EQ(space.PointCount(), 0);
  EXPECT_GT(spaceAdvance.x, 0.0);
  EXPECT_EQ(spaceAdvance.x, aAdvance.x);
}

// A font file the machine lacks is replaced by a metric-compatible face
// or the default family, and the drawing keeps the name it gave.
TEST(TrueTypeGlyphTest, MissingFontFilesFallBackToAFaceThatIsThere) {
  const struct {
    const char* file;
    std::string face;
  } cases[] = {
      {"arial.ttf", "Liberation Sans"},
      {"DejaVuSans.ttf", "DejaVu Sans"},
      {"no_such_font.ttf", DefaultTrueTypeFamily()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    FcTextStyle style;
    style.SetFontFile(c.file);
    EXPECT_EQ(style.GetFontFile(), c.file);
    EXPECT_TRUE(style.IsTrueType());
    EXPECT_EQ(style.GetFaceName(), c.face);
    FcPoint2d min, max;
    GlyphOf(style, 'A').GetExtents(min, max);
    EXPECT_NEAR(max.y, 100.0, 1e-6);
  }
}

// Where neither a style's font nor "txt.shx" can be found, its text draws
// with the program's default text font, whichever kind that is, and with
// the system's face when there is none; the style keeps the name it gave.
TEST(TrueTypeGlyphTest, MissingShapeFontsDrawWithTheDefaultTextFont) {
  ProgramSettingsGuard guard;
  TempDir noFonts;
  GetProgramSettings().search_path = noFonts.path();
  const std::string trueType = FirstTrueTypeFontFile();
  if (trueType.empty()) GTEST_SKIP() << "the machine has no TrueType font";
  std::string trueTypeFace;
  ASSERT_NE(FindTrueTypeFaceByFile(trueType, &trueTypeFace, 1), 0);
  const std::string simplex = KOVRA_SOURCE_DIR "/Fonts/simplex.shx";
  const struct {
    std::string defaultFont;
    bool shx;
    std::string face;
  } cases[] = {{simplex, true, ""}, {trueType, false, trueTypeFace}, {"", false, ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.defaultFont);
    GetProgramSettings().default_text_font_file = c.defaultFont;
    FcTextStyle style;
    style.SetFontFile("gone.shx");
    EXPECT_EQ(style.GetFontFile(), "gone.shx");
    EXPECT_EQ(style.IsShx(), c.shx);
    EXPECT_EQ(style.GetFaceName(), c.face);
    if (c.shx) EXPECT_EQ(style.GetFontSlot().GetFontPath(), simplex);
    PointChain h;
    style.GetGlyph(h, 'H');
    PointChain missing;
    MakeMissingGlyph(missing);
    EXPECT_GT(h.ContourCount(), 0);
    EXPECT_NE(h.contourSizes, missing.contourSizes);
  }
}

TEST(TrueTypeGlyphTest, FacesAndFilesAreFoundBothWays) {
  std::string file = "untouched";
  EXPECT_EQ(FindTrueTypeFontFile("DejaVu Sans Mono", &file), 1);
  EXPECT_EQ(file, "DejaVuSansMono.ttf");
  std::string face;
  EXPECT_NE(FindTrueTypeFaceByFile("DEJAVUSANSMONO.TTF", &face, 1), 0);
  EXPECT_EQ(face, "DejaVu Sans Mono");
  file = "untouched";
  EXPECT_EQ(FindTrueTypeFontFile("No Such Face At All", &file), 0);
  EXPECT_EQ(file, "untouched");

  const auto style = StyleOf("DejaVu Sans");
  style->SetTrueTypeFace("No Such Face At All");
  EXPECT_EQ(style->GetFaceName(), "DejaVu Sans");
}

// The second face of a collection file is found by its face number and
// drawn from its own index in the file, not from the file's first face.
// Needs a collection of two differently named faces; the setup installs
// none, so the test runs only where the machine has one.
TEST(TrueTypeGlyphTest, CollectionFaceIndexSelectsTheFace) {
  const FaceLocation* first = nullptr;
  const FaceLocation* second = nullptr;
  const std::vector<FaceLocation>& faces = InstalledFaces();
  for (std::size_t i = 0; i + 1 < faces.size() && second == nullptr; ++i) {
    const FaceLocation& a = faces[i];
    const FaceLocation& b = faces[i + 1];
    if (a.path != b.path || a.index != 0 || b.index != 1 || a.families.empty() || b.families.empty()) continue;
    if (FontNameEquals(a.families.front(), b.families.front())) continue;
    first = &a;
    second = &b;
  }
  if (second == nullptr) GTEST_SKIP() << "no font collection of two named faces is installed";
  SCOPED_TRACE(second->path);
  const std::string file = PathFileName(second->path);
  std::string face;
  ASSERT_NE(FindTrueTypeFaceByFile(file, &face, 2), 0);
  EXPECT_EQ(face, second->families.front());
  ASSERT_NE(FindTrueTypeFaceByFile(file, &face, 1), 0);
  EXPECT_EQ(face, first->families.front());

  // The two faces draw differently somewhere in a handful of letters.
  bool differ = false;
  for (const int code : {'A', 'i', 'W', 'm', '1'}) {
    TrueTypeGlyphMetrics metrics[2];
    PointChain chains[2];
    for (int k = 0; k < 2; ++k) {
      const FaceLocation* location = k == 0 ? first : second;
      GetTrueTypeOutline(false, code, location->families.front(), 100.0, false, false, false, 0, &metrics[k],
                         &chains[k]);
    }
    differ = differ || metrics[0].cellAdvance.x != metrics[1].cellAdvance.x ||
             chains[0].points.size() != chains[1].points.size();
  }
  EXPECT_TRUE(differ);
}

// A face without a capital "A" gives no height to measure: the scale stays
// as it was instead of dividing by zero, and its letters are missing glyphs.
TEST(TrueTypeGlyphTest, FaceWithoutCapitalAKeepsItsScale) {
  FcTextStyle style;
  // A face of East-Asian glyphs (fonts-droid-fallback, which Ghostscript
  // brings) without Latin letters.
  style.UseTrueTypeFace("Droid Sans Fallback");
  ASSERT_EQ(style.GetFaceName(), "Droid Sans Fallback");
  EXPECT_EQ(style.GetTrueTypeScale(), 1.0);
  PointChain missing;
  MakeMissingGlyph(missing);
  const PointChain a = GlyphOf(style, 'A');
  EXPECT_EQ(a.kind, PointChain::kStrokes);
  EXPECT_EQ(a.contourSizes, missing.contourSizes);
}

TEST(TrueTypeGlyphTest, QuadraticSegmentsFlattenInEightSteps) {
  PointChain chain;
  const FcPoint2d end = AddQuadraticSplinePoints(chain, {0, 0}, {4, 8}, {8, 0});
  EXPECT_EQ(end.x, 8.0);
  ASSERT_EQ(chain.PointCount(), 9);
  EXPECT_EQ(chain.points[4].x, 4.0);
  EXPECT_EQ(chain.points[4].y, 4.0);
  // The next segment starts where this one ended, without repeating it.
  AddQuadraticSplinePoints(chain, end, {12, -8}, {16, 0});
  EXPECT_EQ(chain.PointCount(), 17);
}

}  // namespace
