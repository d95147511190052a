#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "entities/hatch.h"
#include "platform/recording_frame_link.h"

namespace {

std::unique_ptr<FcPLineEdge> Square(double x0, double y0, double x1, double y1) {
  auto loop = std::make_unique<FcPLineEdge>();
  loop->AddVertex({x0, y0}, 0);
  loop->AddVertex({x1, y0}, 0);
  loop->AddVertex({x1, y1}, 0);
  loop->AddVertex({x0, y1}, 0);
  loop->SetClosed(true);
  return loop;
}

FcHPPattern UserPattern(double spacing, double angle, bool twice) {
  FcHPPattern pattern;
  pattern.SetType(kPatternUserDefined);
  pattern.SetScale(spacing);
  pattern.SetAngle(angle);
  pattern.SetDouble(twice);
  pattern.AddUserLine();
  return pattern;
}

class HatchLinesTest : public testing::Test {
 protected:
  void SetUp() override { SetFrameLink(&link); }
  void TearDown() override { SetFrameLink(nullptr); }

  RecordingFrameLink link;
};

// A 10 by 10 square whose lines run half a unit off its sides, with a hole
// (3,3)-(7,7) where asked.
TEST_F(HatchLinesTest, SquaresWithAndWithoutHolesGiveOneSegmentPerInsideSpan) {
  const struct {
    const char* name;
    bool hole;
    std::int16_t style;
    bool twice;
    std::size_t segments;
  } cases[] = {
      {"plain", false, 0, false, 10},
      // Lines y = 3.5 to 6.5 cross the hole and give two segments each.
      {"hole", true, 0, false, 14},
      {"hole outermost", true, 1, false, 14},
      {"hole ignored", true, kHatchStyleIgnore, false, 10},
      // The double hatch adds the same family turned to 90 degrees.
      {"double", false, 0, true, 20},
      {"double with hole", true, 0, true, 28},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FcHatchEdgeList loops;
    loops.Append(Square(0, 0, 10, 10));
    if (c.hole) loops.Append(Square(3, 3, 7, 7));
    FcHPPattern pattern = UserPattern(1.0, 0.0, c.twice);
    pattern.SetStyle(c.style);
    FcHPLine shifted = pattern.GetLines()[0];
    shifted.base = {0.5, 0.5};
    FcHPPattern offsetPattern;
    offsetPattern.SetType(kPatternUserDefined);
    offsetPattern.SetStyle(c.style);
    offsetPattern.SetDouble(c.twice);
    offsetPattern.AddLine(shifted);
    std::vector<HatchSegment> segments;
    offsetPattern.GenerateSegments(loops, segments);
    ASSERT_EQ(segments.size(), c.segments);
    for (const HatchSegment& s : segments) {
      const bool horizontal = std::fabs(s.start.y - s.end.y) < 1e-9;
      const bool vertical = std::fabs(s.start.x - s.end.x) < 1e-9;
      EXPECT_TRUE(horizontal || (c.twice && vertical));
      const double across = horizontal ? s.start.y : s.start.x;
      const bool crossesHole = c.hole && c.style != kHatchStyleIgnore && across > 3 && across < 7;
      const double length = std::hypot(s.end.x - s.start.x, s.end.y - s.start.y);
      EXPECT_NEAR(length, crossesHole ? 3.0 : 10.0, 1e-9);
    }
  }
}

TEST_F(HatchLinesTest, AFamilyAt45DegreesCutsParallelSegmentsItsSpacingApart) {
  FcHPLine family;
  ASSERT_TRUE(family.Parse("45, .01,0, 0,0.125"));
  FcHPPattern pattern;
  pattern.AddLine(family);
  FcHatchEdgeList loops;
  loops.Append(Square(0, 0, 50, 50));
  std::vector<HatchSegment> segments;
  pattern.GenerateSegments(loops, segments);
  // Lines x - y = 0.254 + k * 3.175 * sqrt(2), none through a corner.
  ASSERT_EQ(segments.size(), 2u * 11u + 1u);
  for (const HatchSegment& s : segments) {
    EXPECT_NEAR(std::atan2(std::fabs(s.end.y - s.start.y), std::fabs(s.end.x - s.start.x)), kPi / 4, 1e-9);
    const double k = (s.start.x - s.start.y - 0.254) / (3.175 * std::sqrt(2.0));
    EXPECT_NEAR(k, std::round(k), 1e-9);
  }
}

TEST_F(HatchLinesTest, DashesRepeatFromEachLinesBasePointAndStopAtTheBoundary) {
  FcHPLine family;
  family.base = {-0.1, 0.5};
  family.offset = {0, 1};
  family.dashCount = 2;
  family.dashes = {0.5, -0.25};
  FcHPPattern pattern;
  pattern.AddLine(family);
  FcHatchEdgeList loops;
  loops.Append(Square(0, 0, 3, 1));
  std::vector<HatchSegment> segments;
  pattern.GenerateSegments(loops, segments);
  // Dashes from -0.1 every 0.75: [0,0.4], [0.65,1.15], [1.4,1.9], [2.15,2.65], [2.9,3].
  const double starts[] = {0, 0.65, 1.4, 2.15, 2.9};
  const double ends[] = {0.4, 1.15, 1.9, 2.65, 3};
  ASSERT_EQ(segments.size(), 5u);
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_NEAR(segments[i].start.x, starts[i], 1e-9);
    EXPECT_NEAR(segments[i].end.x, ends[i], 1e-9);
    EXPECT_NEAR(segments[i].start.y, 0.5, 1e-9);
  }
}

TEST_F(HatchLinesTest, TooDenseFamiliesGiveTheMessageAndNoSegments) {
  const struct {
    const char* name;
    FcHPLine family;
  } cases[] = {
      // A million lines across the square, far past the segment limit.
      {"close lines", [] {
         FcHPLine line;
         line.offset = {0, 0.001};
         return line;
       }()},
      // Few lines, each cut into a billion dashes: stops at the limit
      // instead of laying them all out.
      {"tiny dashes", [] {
         FcHPLine line;
         line.offset = {0, 100};
         line.dashCount = 2;
         line.dashes = {1e-6, -1e-6};
         return line;
       }()},
      // More lines than any family may sweep.
      {"endless sweep", [] {
         FcHPLine line;
         line.offset = {0, 1e-4};
         return line;
       }()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    link.Clear();
    FcHatchEdgeList loops;
    loops.Append(Square(0, 0, 1000, 1000));
    FcHPPattern pattern;
    pattern.AddLine(c.family);
    std::vector<HatchSegment> segments;
    pattern.GenerateSegments(loops, segments);
    EXPECT_TRUE(segments.empty());
    ASSERT_EQ(link.HistoryLines().size(), 1u);
    EXPECT_EQ(link.HistoryLines()[0], kHatchTooDenseMessage);
  }
}

TEST_F(HatchLinesTest, FamiliesWithoutSpacingOrPeriodGiveNothingSilently) {
  FcHPLine parallel;
  parallel.offset = {1, 0};
  FcHPLine dots;
  dots.offset = {0, 1};
  dots.dashCount = 2;
  FcHPLine none;
  none.offset = {0, 0};
  for (const FcHPLine& family : {parallel, dots, none}) {
    FcHatchEdgeList loops;
    loops.Append(Square(0, 0, 10, 10));
    FcHPPattern pattern;
    pattern.AddLine(family);
    std::vector<HatchSegment> segments;
    pattern.GenerateSegments(loops, segments);
    EXPECT_TRUE(segments.empty());
  }
  EXPECT_TRUE(link.HistoryLines().empty());
}

}  // namespace
