#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "display/display_primitives.h"
#include "display/display_surface.h"
#include "tests/support/surface_fixture.h"

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// A text's strokes: one wholly in the 400 x 300 view, one point alone, one
// leaving and re-entering the view across its right edge (two runs), one
// beyond the view, one with a point at infinity (never drawn).
struct StrokeSet {
  std::vector<FcPoint2d> points;
  std::vector<std::int32_t> counts;
};

StrokeSet TextLikeStrokes(double dx) {
  StrokeSet set;
  const auto add = [&](std::vector<FcPoint2d> stroke) {
    for (FcPoint2d& p : stroke) p.x += dx;
    set.points.insert(set.points.end(), stroke.begin(), stroke.end());
    set.counts.push_back(static_cast<std::int32_t>(stroke.size()));
  };
  add({{10, 10}, {20, 10}, {20, 20}});
  add({{30, 30}});
  add({{380, 50}, {420, 50}, {420, 60}, {380, 60}});
  add({{500, 500}, {510, 510}});
  add({{40, 40}, {kInfinity, 40}});
  add({{50, 70}, {60, 80}});
  return set;
}

// What the device sees of the strokes: drawn, drawn again from the cache,
// printed; and the window answers.
std::vector<std::string> Calls(const StrokeSet& set, bool oneSet) {
  SurfaceFixture f;
  f.device->logColors = true;
  f.surface.BeginDraw(0, nullptr);
  f.surface.currentColorIndex = 3;
  const int count = static_cast<int>(set.counts.size());
  if (oneSet) {
    f.surface.AddStrokes(set.points.data(), set.counts.data(), count, 5, 2);
  } else {
    f.surface.FcDrawSink::AddStrokes(set.points.data(), set.counts.data(), count, 5, 2);
  }
  f.surface.EndDraw();
  FcDsGroupEnts& group = *f.surface.GetGroup(0);
  group.Draw(f.surface);
  f.surface.viewUnchanged = true;
  group.Draw(f.surface);
  for (int i = 0; i < group.GetCount(); ++i) group.GetPrimitive(i)->DrawRotated(f.surface);
  std::vector<std::string> calls = f.device->calls;
  const FcPoint2d boxes[][2] = {{{15, 5}, {25, 15}}, {{29, 29}, {31, 31}}, {{415, 40}, {430, 55}},
                                {{100, 100}, {110, 110}}, {{-1, -1}, {600, 600}}, {{505, 490}, {520, 505}}};
  for (const auto& box : boxes) calls.push_back(group.CrossesWindow(box[0], box[1]) ? "crosses" : "misses");
  FcPoint2d min;
  FcPoint2d max;
  group.GetExtents(min, max);
  calls.push_back(std::to_string(min.x) + " " + std::to_string(min.y) + " " + std::to_string(max.x) + " " +
                  std::to_string(max.y));
  return calls;
}

// One set of strokes draws, prints and answers window tests exactly as a
// polyline per stroke does (the cross-and-miss box at (505, 490) touches only
// the stroke beyond the view, which a polyline of its own never drew).
TEST(DisplayStrokesTest, OneSetDrawsAsAPolylinePerStroke) {
  for (const double dx : {0.0, 200.0, -30.0, 1000.0}) {
    SCOPED_TRACE(dx);
    std::vector<std::string> separate = Calls(TextLikeStrokes(dx), false);
    std::vector<std::string> together = Calls(TextLikeStrokes(dx), true);
    ASSERT_EQ(separate.size(), together.size());
    separate[separate.size() - 2] = together[together.size() - 2];
    EXPECT_EQ(separate, together);
  }
  EXPECT_FALSE(Calls(TextLikeStrokes(0.0), true).empty());
}

TEST(DisplayStrokesTest, TheSetIsOnePrimitiveThroughTheInsertMatrix) {
  SurfaceFixture f;
  const StrokeSet set = TextLikeStrokes(0.0);
  TranslationMatrix(1.0, 2.0, f.surface.insertMatrix);
  f.surface.AddStrokes(set.points.data(), set.counts.data(), static_cast<int>(set.counts.size()), 5, 2);
  ASSERT_EQ(f.surface.GetGroupCount(), 1);
  FcDsGroupEnts& group = *f.surface.GetGroup(0);
  ASSERT_EQ(group.GetCount(), 1);
  const auto* strokes = dynamic_cast<const FcDsStrokes*>(group.GetPrimitive(0));
  ASSERT_NE(strokes, nullptr);
  EXPECT_EQ(strokes->GetStrokeCounts(), (std::vector<std::int32_t>{3, 1, 4, 2, 2}));
  EXPECT_EQ(strokes->GetPoints().front().x, 11.0);
  EXPECT_EQ(strokes->GetPoints().front().y, 12.0);
  EXPECT_EQ(strokes->partTag, 2);

  const std::int32_t bad[2] = {3, -1};
  f.surface.AddStrokes(set.points.data(), bad, 2, 6, 0);
  EXPECT_EQ(f.surface.FindHandleIndex(6), -1) << "a negative count adds nothing";
}

}  // namespace
