#include "commands/view/ucs_alignment.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "database/system_var.h"
#include "entities/ellipse.h"
#include "entities/hatch.h"
#include "entities/insert.h"
#include "entities/leader.h"
#include "entities/line.h"
#include "entities/mtext.h"
#include "entities/point_entity.h"
#include "entities/polyline.h"
#include "entities/trace.h"
#include "entities/xline.h"
#include "tests/support/point_expect.h"

namespace {

constexpr double kNear = 1e-9;

void ExpectFrame(const UcsAlignment& alignment, const std::optional<UcsFrame>& expected, const std::string& where) {
  EXPECT_TRUE(alignment.defined) << where;
  ASSERT_EQ(alignment.frame.has_value(), expected.has_value()) << where;
  if (!expected) return;
  ExpectPointNear(alignment.frame->origin, expected->origin, kNear, where + " origin");
  ExpectPointNear(alignment.frame->xPoint, expected->xPoint, kNear, where + " x point");
  ExpectPointNear(alignment.frame->yPoint, expected->yPoint, kNear, where + " y point");
}

// (0,0) to (10,0) to (10,10); the segment from (10,0) bulges by a half
// circle when arcs are asked for.
std::unique_ptr<FcPolyline> Polyline(bool closed, double secondBulge = 0.0) {
  auto polyline = std::make_unique<FcPolyline>();
  polyline->AppendVertex({0, 0}, 0, 0, 0);
  polyline->AppendVertex({10, 0}, 0, 0, secondBulge);
  polyline->AppendVertex({10, 10}, 0, 0, 0);
  polyline->SetClosed(closed);
  return polyline;
}

TEST(UcsAlignmentTest, PolylineSegments) {
  struct Case {
    const char* name;
    bool closed;
    double bulge;
    int segment;
    FcPoint2d pick;
    std::optional<UcsFrame> frame;
  };
  const Case cases[] = {
      {"first segment", false, 0, 0, {5, 0}, UcsFrame{{0, 0}, {10, 0}, {0, 10}}},
      {"closing segment runs back to the first vertex", true, 0, 2, {5, 5}, UcsFrame{{10, 10}, {0, 0}, {20, 0}}},
      {"last vertex of an open polyline", false, 0, 2, {10, 10}, std::nullopt},
      {"segment index past the vertices", true, 0, 3, {0, 0}, std::nullopt},
      {"arc segment, nearer its end", false, 1, 1, {14, 8}, UcsFrame{{10, 5}, {10, 10}, {5, 5}}},
      {"arc segment, nearer its start", false, 1, 1, {14, 2}, UcsFrame{{10, 5}, {10, 0}, {15, 5}}},
  };
  const FcSystemVar vars;
  for (const Case& c : cases) {
    const std::unique_ptr<FcPolyline> polyline = Polyline(c.closed, c.bulge);
    ExpectFrame(UcsAlignedWith(*polyline, c.pick, c.segment, vars), c.frame, c.name);
  }

  const std::unique_ptr<FcPolyline> fitted = Polyline(false);
  ASSERT_TRUE(fitted->CurveFit());
  EXPECT_FALSE(UcsAlignedWith(*fitted, {5, 0}, 0, vars).defined);
}

TEST(UcsAlignmentTest, LeaderFollowsItsPathType) {
  FcLeader leader;
  for (const FcPoint2d& point : {FcPoint2d{0, 0}, FcPoint2d{10, 0}, FcPoint2d{10, 10}}) leader.AppendVertex(point);
  const FcSystemVar vars;
  ExpectFrame(UcsAlignedWith(leader, {10, 5}, 1, vars), UcsFrame{{10, 0}, {10, 10}, {0, 0}}, "straight");
  ExpectFrame(UcsAlignedWith(leader, {10, 10}, 2, vars), std::nullopt, "past the last segment");
  leader.SetPathType(1);
  ExpectFrame(UcsAlignedWith(leader, {10, 9}, 0, vars), UcsFrame{{10, 10}, {0, 0}, {20, 0}}, "spline path");
}

TEST(UcsAlignmentTest, FramesOfOtherKinds) {
  FcSystemVar vars;
  vars.SetUcs({1, 1}, {1, 2}, {0, 1});

  FcPointEnt point;
  point.SetLocation({5, 5});
  ExpectFrame(UcsAlignedWith(point, {5, 5}, 0, vars), UcsFrame{{5, 5}, {5, 6}, {4, 5}}, "point keeps the axes");

  FcEllipse ellipse;
  ellipse.SetCenter({0, 0});
  ellipse.SetMajorAxis({10, 0});
  ellipse.SetRadiusRatio(0.5);
  ExpectFrame(UcsAlignedWith(ellipse, {0, 5}, 0, vars), UcsFrame{{0, 0}, {0, 5}, {-5, 0}}, "full ellipse");
  ellipse.SetStartAngle(0.0);
  ellipse.SetEndAngle(kPi);
  ellipse.NormalizeAngles();
  ExpectFrame(UcsAlignedWith(ellipse, {-9, 1}, 0, vars), UcsFrame{{0, 0}, {-10, 0}, {0, -10}}, "elliptical arc");

  FcTrace trace;
  trace.SetCorners(FcTrace::Corners{FcPoint2d{0, -1}, FcPoint2d{0, 1}, FcPoint2d{10, -1}, FcPoint2d{10, 1}});
  ExpectFrame(UcsAlignedWith(trace, {5, 0}, 0, vars), UcsFrame{{0, 0}, {10, 0}, {0, 10}}, "trace");

  FcInsert insert;
  insert.SetInsertionPoint({3, 4});
  insert.SetRotation(kHalfPi);
  ExpectFrame(UcsAlignedWith(insert, {3, 4}, 0, vars), UcsFrame{{3, 4}, {3, 104}, {-97, 4}}, "block reference");

  FcLine dot;
  dot.SetStartPoint({2, 2});
  dot.SetEndPoint({2, 2});
  ExpectFrame(UcsAlignedWith(dot, {2, 2}, 0, vars), std::nullopt, "line of no length");
}

TEST(UcsAlignmentTest, KindsWithoutAxes) {
  const FcSystemVar vars;
  FcXLine xline;
  xline.SetDirection({1, 0});
  FcMText mtext;
  FcHatch hatch;
  for (const FcEntity* entity : std::vector<const FcEntity*>{&xline, &mtext, &hatch})
    EXPECT_FALSE(UcsAlignedWith(*entity, {0, 0}, 0, vars).defined) << entity->GetKind();
}

}  // namespace
