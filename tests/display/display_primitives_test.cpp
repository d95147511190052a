#include "display/display_primitives.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "display/color_table.h"
#include "display/display_group.h"
#include "tests/support/surface_fixture.h"

namespace {

std::unique_ptr<FcDsPolyline> MakePolyline(std::vector<FcPoint2d> points) {
  auto polyline = std::make_unique<FcDsPolyline>(1, 0);
  polyline->SetPointArray(points.data(), static_cast<int>(points.size()));
  return polyline;
}

std::unique_ptr<FcDsPolygon> MakeSquare(double low, double high) {
  auto polygon = std::make_unique<FcDsPolygon>(1, 0);
  const FcPoint2d corners[4] = {{low, low}, {high, low}, {high, high}, {low, high}};
  polygon->SetPointArray(corners, 4);
  return polygon;
}

std::unique_ptr<FcDsPolyPolygon> MakeSquareRing(double low, double high) {
  auto polygon = std::make_unique<FcDsPolyPolygon>(1, 0);
  const FcPoint2d corners[4] = {{low, low}, {high, low}, {high, high}, {low, high}};
  const std::int32_t counts[1] = {4};
  polygon->SetRings(1, corners, counts);
  return polygon;
}

TEST(DisplayPrimitivesTest, WindowTests) {
  struct Case {
    const char* name;
    std::function<std::unique_ptr<FcDsEntity>()> make;
    FcPoint2d min;
    FcPoint2d max;
    bool inside;
    bool crosses;
  };
  const Case cases[] = {
      {"line inside", [] { return std::make_unique<FcDsLine>(1, 0, FcPoint2d{1, 1}, FcPoint2d{2, 2}); },
       {0, 0}, {3, 3}, true, true},
      {"line through", [] { return std::make_unique<FcDsLine>(1, 0, FcPoint2d{-5, 1}, FcPoint2d{5, 1}); },
       {0, 0}, {3, 3}, false, true},
      {"line past the corner", [] { return std::make_unique<FcDsLine>(1, 0, FcPoint2d{-1, 3}, FcPoint2d{2, 6}); },
       {0, 0}, {3, 3}, false, false},
      {"point on the edge", [] { return std::make_unique<FcDsPoint>(1, 0, FcPoint2d{3, 1}); },
       {0, 0}, {3, 3}, true, true},
      {"polyline around the box",
       [] { return MakePolyline({{-1, -1}, {4, -1}, {4, 4}, {-1, 4}}); }, {0, 0}, {3, 3}, false, false},
      {"polyline one point", [] { return MakePolyline({{9, 9}}); }, {0, 0}, {3, 3}, false, false},
      {"box inside a filled polygon", [] { return MakeSquare(-10, 10); }, {0, 0}, {3, 3}, false, true},
      {"box inside a ring", [] { return MakeSquareRing(-10, 10); }, {0, 0}, {3, 3}, false, false},
      {"ring edge through the box", [] { return MakeSquareRing(1, 10); }, {0, 0}, {3, 3}, false, true},
      {"ray towards the box", [] { return std::make_unique<FcDsRayLine>(1, 0, FcPoint2d{-5, 1}, FcPoint2d{-4, 1}); },
       {0, 0}, {3, 3}, false, true},
      {"ray away from the box",
       [] { return std::make_unique<FcDsRayLine>(1, 0, FcPoint2d{-5, 1}, FcPoint2d{-6, 1}); }, {0, 0}, {3, 3},
       false, false},
      {"line through the box's reverse",
       [] { return std::make_unique<FcDsXLine>(1, 0, FcPoint2d{-5, 1}, FcPoint2d{-6, 1}); }, {0, 0}, {3, 3},
       false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::unique_ptr<FcDsEntity> primitive = c.make();
    EXPECT_FALSE(primitive->CrossesWindow(c.min, c.max)) << "not drawn";
    primitive->drawn = true;
    EXPECT_EQ(primitive->InsideWindow(c.min, c.max), c.inside);
    EXPECT_EQ(primitive->CrossesWindow(c.min, c.max), c.crosses);
  }
}

TEST(DisplayPrimitivesTest, LineOutsideTheViewIsCachedAsNotDrawn) {
  SurfaceFixture f;
  FcDsLine line(1, 0, {500, 500}, {600, 600});
  line.Draw(f.surface);
  EXPECT_FALSE(line.drawn);
  EXPECT_TRUE(line.deviceCacheValid);
  f.surface.viewUnchanged = true;
  line.first = {10, 10};  // would be visible if it were clipped again
  line.Draw(f.surface);
  EXPECT_TRUE(f.device->calls.empty());
}

TEST(DisplayPrimitivesTest, CachedLineDrawsTheSameDevicePoints) {
  SurfaceFixture f;
  FcDsLine line(1, 0, {10, 20}, {500, 20});
  line.Draw(f.surface);
  f.surface.viewUnchanged = true;
  line.Draw(f.surface);
  const std::vector<std::string> expected = {"MoveTo 10 20", "LineTo 400 20", "MoveTo 10 20", "LineTo 400 20"};
  EXPECT_EQ(f.device->calls, expected);
}

TEST(DisplayPrimitivesTest, PointOnTheWindowEdgeIsDrawn) {
  SurfaceFixture f;
  FcDsPoint point(1, 0, {400, 0});
  point.Draw(f.surface);
  EXPECT_TRUE(point.drawn);
  EXPECT_EQ(f.device->calls, std::vector<std::string>{"SetPixel 400 0"});
}

TEST(DisplayPrimitivesTest, PolylineRuns) {
  struct Case {
    const char* name;
    std::vector<FcPoint2d> points;
    std::vector<std::string> calls;
  };
  const Case cases[] = {
      {"inside: one run, no closing segment",
       {{10, 10}, {20, 10}, {20, 20}},
       {"SetLineWidth 0", "Polyline (10,10) (20,10) (20,20)"}},
      {"leaves and re-enters: two runs",
       {{390, 10}, {500, 10}, {500, 20}, {390, 20}},
       {"SetLineWidth 0", "Polyline (390,10) (400,10)", "Polyline (400,20) (390,20)"}},
      {"outside", {{500, 10}, {600, 10}}, {}},
      {"a point on the pixel before it is left out",
       {{10, 10}, {10.2, 10.1}, {10.3, 10}, {20, 10}, {20.1, 10.2}, {20, 20}},
       {"SetLineWidth 0", "Polyline (10,10) (20,10) (20,20)"}},
      {"within one pixel: still two points", {{10, 10}, {10.2, 10.1}, {10.1, 10.3}, {10, 10}},
       {"SetLineWidth 0", "Polyline (10,10) (10,10)"}},
      {"cut by the view, repeats left out",
       {{390, 10}, {390.2, 10}, {500, 10}, {500, 20}, {390.3, 20}, {390, 20}},
       {"SetLineWidth 0", "Polyline (390,10) (400,10)", "Polyline (400,20) (390,20)"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SurfaceFixture f;
    f.device->logColors = true;
    std::unique_ptr<FcDsPolyline> polyline = MakePolyline(c.points);
    const auto drawnCalls = [&] {
      std::vector<std::string> calls;
      for (const std::string& call : f.device->calls) {
        if (call.rfind("SetColor", 0) != 0) calls.push_back(call);
      }
      f.device->calls.clear();
      return calls;
    };
    polyline->Draw(f.surface);
    EXPECT_EQ(drawnCalls(), c.calls);
    EXPECT_EQ(polyline->drawn, !c.calls.empty());
    // A redraw of the unchanged view draws from the device cache.
    f.surface.viewUnchanged = true;
    polyline->Draw(f.surface);
    EXPECT_EQ(drawnCalls(), c.calls);
  }
}

TEST(DisplayPrimitivesTest, ResolveColor) {
  struct Case {
    const char* name;
    int index;
    int backgroundIndex;
    FcColorRef backgroundRgb;
    FcColorRef expected;
  };
  const FcColorRef shade250 = ColorIndexRgb(250);  // a dark grey
  const auto scaled = [](FcColorRef color, double factor) {
    FcColorRef out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
      out |= static_cast<FcColorRef>(static_cast<int>(((color >> shift) & 0xFF) * factor)) << shift;
    }
    return out;
  };
  const Case cases[] = {
      {"7 on white background index", 7, 7, 0, 0x000000},
      {"7 on black RGB", 7, -1, 0x000000, 0xFFFFFF},
      {"7 on white RGB", 7, -1, 0xFFFFFF, 0x000000},
      {"1 on any background", 1, -1, 0, 0x0000FF},
      {"true colour", -1, 7, 0, 0x123456},
      {"background's own dark colour", 250, 250, 0, scaled(shade250, 1.2)},
      {"background's own bright colour", 254, 254, 0, scaled(ColorIndexRgb(254), 0.8)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcDsPoint point(1, 0, {0, 0});
    point.colorIndex = c.index;
    point.trueColor = 0x123456;
    EXPECT_EQ(ResolveColor(point, c.backgroundIndex, c.backgroundRgb), c.expected);
  }
}

TEST(DisplayPrimitivesTest, HiddenGroupDrawsNothingAndIsNotSelectable) {
  SurfaceFixture f;
  FcDsGroupEnts group;
  group.Add(std::make_unique<FcDsLine>(1, 0, FcPoint2d{1, 1}, FcPoint2d{2, 2}));
  group.Draw(f.surface);
  EXPECT_TRUE(group.drawn);
  EXPECT_TRUE(group.InsideWindow({0, 0}, {3, 3}));
  f.device->calls.clear();
  group.visible = false;
  group.Draw(f.surface);
  EXPECT_FALSE(group.drawn);
  EXPECT_TRUE(f.device->calls.empty());
  EXPECT_FALSE(group.CrossesWindow({0, 0}, {3, 3}));
}

TEST(DisplayPrimitivesTest, PrintingUsesTheRotatedOperationsAndKeepsNoCache) {
  SurfaceFixture f;
  FcDsPolyPolygon rings(1, 0);
  const FcPoint2d corners[3] = {{10, 10}, {20, 10}, {20, 20}};
  const std::int32_t counts[1] = {3};
  rings.SetRings(1, corners, counts);
  rings.Draw(f.surface);
  EXPECT_TRUE(rings.deviceCacheValid);
  rings.DrawRotated(f.surface);
  EXPECT_FALSE(rings.deviceCacheValid);
  EXPECT_EQ(f.device->calls, (std::vector<std::string>{"PolyPolygon rings 1 first 3", "PolyPolygonRotated 1"}));
}

TEST(DisplayPrimitivesTest, BadRingCountsLeaveNoPoints) {
  FcDsPolyPolygon rings(1, 0);
  const FcPoint2d corners[3] = {{10, 10}, {20, 10}, {20, 20}};
  const std::int32_t counts[2] = {3, -1};
  rings.SetRings(2, corners, counts);
  EXPECT_TRUE(rings.GetPoints().empty());
}

}  // namespace
