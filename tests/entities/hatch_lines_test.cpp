#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <utility>
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

std::unique_ptr<FcPLineEdge> Polygon(std::initializer_list<std::pair<FcPoint2d, double>> vertices) {
  auto loop = std::make_unique<FcPLineEdge>();
  for (const auto& [point, bulge] : vertices) loop->AddVertex(point, bulge);
  loop->SetClosed(true);
  return loop;
}

std::unique_ptr<FcOtherEdge> Edges(std::vector<std::unique_ptr<FcHatchEdge>> pieces) {
  auto loop = std::make_unique<FcOtherEdge>();
  for (auto& piece : pieces) loop->AppendFlattened(std::move(piece));
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

// One pattern line through vertices or along tangents of a loop: where the
// boundary passes through the line it is crossed once, where it only
// touches the line the spans are not cut short (a touch from inside may
// split a span, or leave a dot on the boundary). Spans are given along the
// line from its base point, spans that meet joined.
TEST_F(HatchLinesTest, ALineThroughAVertexCrossesOnceWhereTheBoundaryPassesAndNotWhereItTouches) {
  using Spans = std::vector<std::pair<double, double>>;
  const double root3 = std::sqrt(3.0);
  const struct {
    const char* name;
    std::function<std::unique_ptr<FcHatchEdge>()> loop;
    double degrees;
    FcPoint2d base;
    Spans spans;
  } cases[] = {
      {"diamond through its side corners",
       [] { return Polygon({{{0, 0}, 0}, {{2, -2}, 0}, {{4, 0}, 0}, {{2, 2}, 0}}); }, 0, {0, 0}, {{0, 4}}},
      {"diamond touched at its top", [] { return Polygon({{{0, 0}, 0}, {{2, -2}, 0}, {{4, 0}, 0}, {{2, 2}, 0}}); },
       0, {0, 2}, {}},
      {"diamond touched at its bottom",
       [] { return Polygon({{{0, 0}, 0}, {{2, -2}, 0}, {{4, 0}, 0}, {{2, 2}, 0}}); }, 0, {0, -2}, {}},
      {"square along its diagonal", [] { return Square(0, 0, 4, 4); }, 45, {0, 0}, {{0, 4 * std::sqrt(2.0)}}},
      {"notch touched from inside",
       [] { return Polygon({{{0, 0}, 0}, {{6, 0}, 0}, {{6, 4}, 0}, {{3, 1}, 0}, {{0, 4}, 0}}); }, 0, {0, 1},
       {{0, 6}}},
      {"notch tips touched from below",
       [] { return Polygon({{{0, 0}, 0}, {{6, 0}, 0}, {{6, 4}, 0}, {{3, 1}, 0}, {{0, 4}, 0}}); }, 0, {0, 4}, {}},
      // Touched from inside at (6, 2), left along the edge at (2, 2).
      {"zigzag touched at one vertex and left along an edge",
       [] {
         return Polygon({{{0, 0}, 0}, {{8, 0}, 0}, {{8, 4}, 0}, {{6, 2}, 0}, {{4, 4}, 0}, {{2, 2}, 0}, {{0, 2}, 0}});
       },
       0, {0, 2}, {{2, 8}}},
      // The boundary runs along the line from a corner and leaves it
      // upward: the line is inside up to the run only.
      {"step along an edge", [] {
         return Polygon({{{0, 0}, 0}, {{4, 0}, 0}, {{4, 2}, 0}, {{2, 2}, 0}, {{2, 4}, 0}, {{0, 4}, 0}});
       },
       0, {0, 2}, {{0, 2}}},
      {"bulged circle through its vertices", [] { return Polygon({{{-2, 0}, 1}, {{2, 0}, 1}}); }, 0, {-3, 0},
       {{1, 5}}},
      {"bulged circle touched at its top", [] { return Polygon({{{-2, 0}, 1}, {{2, 0}, 1}}); }, 0, {0, 2}, {}},
      {"bulged circle touched at its bottom", [] { return Polygon({{{-2, 0}, 1}, {{2, 0}, 1}}); }, 0, {0, -2},
       {}},
      {"half arcs through their joints",
       [] {
         std::vector<std::unique_ptr<FcHatchEdge>> pieces;
         pieces.push_back(std::make_unique<FcArcEdge>(FcPoint2d{0, 0}, 2.0, 0.0, kPi, true));
         pieces.push_back(std::make_unique<FcArcEdge>(FcPoint2d{0, 0}, 2.0, kPi, kTwoPi, true));
         return Edges(std::move(pieces));
       },
       0, {0, 0}, {{-2, 2}}},
      {"half disc above its diameter",
       [] {
         std::vector<std::unique_ptr<FcHatchEdge>> pieces;
         pieces.push_back(std::make_unique<FcLineEdge>(FcPoint2d{-2, 0}, FcPoint2d{2, 0}));
         pieces.push_back(std::make_unique<FcArcEdge>(FcPoint2d{0, 0}, 2.0, 0.0, kPi, true));
         return Edges(std::move(pieces));
       },
       0, {0, 1}, {{-root3, root3}}},
      {"half ellipses through their joints",
       [] {
         std::vector<std::unique_ptr<FcHatchEdge>> pieces;
         pieces.push_back(std::make_unique<FcEllipseEdge>(FcPoint2d{0, 0}, FcPoint2d{0, 4}, 0.5, 0.0, kPi, true));
         pieces.push_back(std::make_unique<FcEllipseEdge>(FcPoint2d{0, 0}, FcPoint2d{0, 4}, 0.5, kPi, kTwoPi, true));
         return Edges(std::move(pieces));
       },
       90, {0, 0}, {{-4, 4}}},
      {"ellipse touched at its side",
       [] {
         std::vector<std::unique_ptr<FcHatchEdge>> pieces;
         pieces.push_back(std::make_unique<FcEllipseEdge>(FcPoint2d{0, 0}, FcPoint2d{0, 4}, 0.5, 0.0, kTwoPi, true));
         return Edges(std::move(pieces));
       },
       90, {2, 0}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FcHatchEdgeList loops;
    loops.Append(c.loop());
    FcHPLine family;
    family.angle = c.degrees * kPi / 180.0;
    family.base = c.base;
    // One line only: the next ones lie far outside the loop.
    family.offset = {-1000.0 * std::sin(family.angle), 1000.0 * std::cos(family.angle)};
    FcHPPattern pattern;
    pattern.AddLine(family);
    std::vector<HatchSegment> segments;
    pattern.GenerateSegments(loops, segments);
    const FcPoint2d direction{std::cos(family.angle), std::sin(family.angle)};
    const auto along = [&](const FcPoint2d& p) {
      return (p.x - c.base.x) * direction.x + (p.y - c.base.y) * direction.y;
    };
    Spans spans;
    for (const HatchSegment& s : segments) {
      const double from = along(s.start);
      const double to = along(s.end);
      EXPECT_NEAR(std::fabs(to - from), std::hypot(s.end.x - s.start.x, s.end.y - s.start.y), 1e-9);
      if (std::fabs(to - from) > 1e-6) spans.emplace_back(std::min(from, to), std::max(from, to));
    }
    std::sort(spans.begin(), spans.end());
    for (std::size_t i = 1; i < spans.size();) {
      if (spans[i].first > spans[i - 1].second + 1e-6) {
        ++i;
        continue;
      }
      spans[i - 1].second = std::max(spans[i - 1].second, spans[i].second);
      spans.erase(spans.begin() + static_cast<std::ptrdiff_t>(i));
    }
    EXPECT_EQ(spans.size(), c.spans.size());
    if (spans.size() != c.spans.size()) continue;
    for (std::size_t i = 0; i < spans.size(); ++i) {
      EXPECT_NEAR(spans[i].first, c.spans[i].first, 1e-6) << i;
      EXPECT_NEAR(spans[i].second, c.spans[i].second, 1e-6) << i;
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
