#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "commands/draw/draw_settings.h"
#include "commands/draw/revcloud_geometry.h"
#include "core/arcs.h"
#include "core/point_ops.h"
#include "entities/circle.h"
#include "entities/line.h"
#include "entities/polyline.h"
#include "platform/program_settings.h"
#include "tests/support/pickable_script.h"
#include "tests/support/program_settings_guard.h"

namespace {

// The cloud settings start at their defaults in every test.
class RevCloudCommandTest : public PickableScriptTest {
 protected:
  RevCloudCommandTest() {
    GetProgramSettings().rev_cloud = RevCloudSettings{};
    DrawCommandSettings draw = GetDrawCommandSettings();
    draw.revCloudDeleteSource = true;
    SetDrawCommandSettings(draw);
  }

  void SetDimScale(double scale) {
    script_.OnWindowThread([&] { return script_.Drawing().GetSysVars().dimscale = scale; });
  }

  const FcPolyline& OnlyCloud() {
    const std::vector<const FcPolyline*> clouds = EntitiesOf<FcPolyline>();
    EXPECT_EQ(clouds.size(), 1u);
    return *clouds.front();
  }

  // Types the start point, moves the cursor through the world points while
  // the path is tracked, and answers what is asked after it.
  bool DrawAlongPath(const std::string& start, const std::vector<FcPoint2d>& path,
                     const std::vector<std::string>& after) {
    script_.Type("revcloud");
    if (!script_.WaitForPromptOrIdle()) return false;
    script_.Type(start);
    if (!script_.WaitForPromptOrIdle()) return false;
    for (const FcPoint2d& point : path) {
      if (!script_.IsWaitingForInput()) break;
      script_.MoveCursor(point);
    }
    for (const std::string& answer : after) {
      if (!script_.WaitForPromptOrIdle() || !script_.IsWaitingForInput()) return false;
      answer == kEsc ? script_.PressEsc() : script_.Type(answer);
    }
    return script_.WaitUntilIdle();
  }

  ProgramSettingsGuard settings_;
};

// The outline of a 40 by 40 square from (100, 100), counter-clockwise, in
// steps of 5, back to the start.
std::vector<FcPoint2d> SquarePath() {
  std::vector<FcPoint2d> path;
  for (int i = 1; i <= 8; ++i) path.push_back({100.0 + 5 * i, 100});
  for (int i = 1; i <= 8; ++i) path.push_back({140, 100.0 + 5 * i});
  for (int i = 1; i <= 8; ++i) path.push_back({140.0 - 5 * i, 140});
  for (int i = 1; i <= 8; ++i) path.push_back({100, 140.0 - 5 * i});
  return path;
}

void ExpectWidthsAndArcs(const FcPolyline& cloud, double width, double maximum) {
  const int count = cloud.GetVertexCount();
  for (int i = 0; i < count; ++i) {
    const PolylineVertex& v = *cloud.GetVertex(i);
    EXPECT_EQ(v.startWidth, 0.0) << i;
    EXPECT_DOUBLE_EQ(v.endWidth, width) << i;
    EXPECT_DOUBLE_EQ(std::fabs(v.bulge), kRevCloudBulge) << i;
    EXPECT_EQ(v.bulge, cloud.GetVertex(0)->bulge) << i;
    if (i + 1 == count && !cloud.IsClosed()) continue;
    const FcPoint2d next = VertexPoint(*cloud.GetVertex((i + 1) % count));
    EXPECT_LE(BulgeSegmentLength(VertexPoint(v), next, v.bulge), maximum + 1e-9) << i;
  }
}

TEST_F(RevCloudCommandTest, ShowsTheLengthsTimesDimScale) {
  ASSERT_TRUE(script_.Run({"revcloud", kEsc}));
  EXPECT_EQ(Printed().front(), "Minimum arc length: 15.0000  Maximum arc length: 15.0000  Style: Normal");
  EXPECT_EQ(script_.Frame().Prompts().front(), "Specify start point or [Arc length/Object/Style] <Object>");

  SetDimScale(2);
  ASSERT_TRUE(RunScript(script_, "revcloud", {"a", "20", "40", "s", "c", kEsc}));
  EXPECT_DOUBLE_EQ(GetProgramSettings().rev_cloud.min_arc_length, 10);
  EXPECT_DOUBLE_EQ(GetProgramSettings().rev_cloud.max_arc_length, 20);
  EXPECT_EQ(GetProgramSettings().rev_cloud.style, 1);
  const std::vector<std::string> prompts = script_.Frame().Prompts();
  EXPECT_NE(std::find(prompts.begin(), prompts.end(), "Specify minimum length of arc <30.0000>"), prompts.end());
  EXPECT_NE(std::find(prompts.begin(), prompts.end(), "Specify maximum length of arc <20.0000>"), prompts.end());
  ASSERT_TRUE(script_.Run({"revcloud", kEsc}));
  EXPECT_EQ(LastPrinted(), "Minimum arc length: 20.0000  Maximum arc length: 40.0000  Style: Calligraphy");
}

TEST_F(RevCloudCommandTest, AMaximumBelowTheMinimumIsAskedAgain) {
  struct Case {
    const char* name;
    std::vector<std::string> answers;
    double minimum;
    double maximum;
  };
  const Case cases[] = {
      {"typed minimum, Enter after the refusal", {"a", "10", "5", ""}, 10, 10},
      {"typed minimum, a valid maximum after the refusal", {"a", "10", "5", "12"}, 10, 12},
      {"minimum by Enter", {"a", "", "5", "16"}, 15, 16},
      {"Esc keeps the settings", {"a", "10", kEsc}, 15, 15},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GetProgramSettings().rev_cloud = RevCloudSettings{};
    std::vector<std::string> answers = c.answers;
    if (answers.back() != kEsc) answers.push_back(kEsc);
    ASSERT_TRUE(RunScript(script_, "revcloud", answers));
    EXPECT_DOUBLE_EQ(GetProgramSettings().rev_cloud.min_arc_length, c.minimum);
    EXPECT_DOUBLE_EQ(GetProgramSettings().rev_cloud.max_arc_length, c.maximum);
  }
  const std::vector<std::string> printed = Printed();
  EXPECT_EQ(std::count(printed.begin(), printed.end(),
                       "Maximum arc length must be equal or greater than the minimum arc length."),
            3);
}

TEST_F(RevCloudCommandTest, ObjectOptionReplacesALineByArcsAndOneUndoTakesItBack) {
  ASSERT_TRUE(script_.Run({"line", "100,100", "200,100", ""}));
  ASSERT_TRUE(script_.Run({"revcloud", "", "150,100", ""}));
  EXPECT_EQ(LastPrinted(), "Revision cloud finished.");
  EXPECT_TRUE(EntitiesOf<FcLine>().empty());
  const FcPolyline& cloud = OnlyCloud();
  EXPECT_FALSE(cloud.IsClosed());
  ExpectPointEq(VertexPoint(*cloud.GetVertex(0)), {100, 100});
  ExpectPointEq(VertexPoint(*cloud.GetVertex(cloud.GetVertexCount() - 1)), {200, 100});
  ExpectWidthsAndArcs(cloud, 0.0, 18);
  const std::vector<std::string> prompts = script_.Frame().Prompts();
  EXPECT_EQ(std::vector<std::string>(prompts.end() - 3, prompts.end()),
            (std::vector<std::string>{"Specify start point or [Arc length/Object/Style] <Object>", "Select Object",
                                      "Reverse direction [Yes/No] <No>"}));

  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(LastPrinted(), "Undo : Revcloud");
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 1u);
  EXPECT_TRUE(EntitiesOf<FcPolyline>().empty());
}

TEST_F(RevCloudCommandTest, ObjectOptionOnACircleGivesAClosedCloudAndMayKeepTheCircle) {
  DrawCommandSettings draw = GetDrawCommandSettings();
  draw.revCloudDeleteSource = false;
  SetDrawCommandSettings(draw);
  ASSERT_TRUE(script_.Run({"circle", "200,150", "30"}));
  ASSERT_TRUE(script_.Run({"revcloud", "s", "c", "o", "350,250", "230,150", "y"}));
  EXPECT_EQ(EntitiesOf<FcCircle>().size(), 1u);
  const FcPolyline& cloud = OnlyCloud();
  EXPECT_TRUE(cloud.IsClosed());
  ExpectWidthsAndArcs(cloud, 1.8, 18);
  for (int i = 0; i < cloud.GetVertexCount(); ++i)
    EXPECT_NEAR(DistanceBetween(VertexPoint(*cloud.GetVertex(i)), {200, 150}), 30, 1e-9) << i;
  // Counter-clockwise round the circle the arcs bulge outward with a
  // positive bulge; "Yes" turned them inward.
  EXPECT_LT(cloud.GetVertex(0)->bulge, 0);
}

TEST_F(RevCloudCommandTest, ObjectOptionFollowsEveryKindOfPath) {
  struct Case {
    const char* name;
    std::vector<std::string> draw;
    std::string pick;
    bool closed;
    FcPoint2d first;
    // How far a point lies off the source.
    std::function<double(const FcPoint2d&)> offPath;
  };
  const Case cases[] = {
      {"arc", {"arc", "120,100", "100,120", "80,100"}, "100,120", false, {120, 100},
       [](const FcPoint2d& p) { return std::fabs(DistanceBetween(p, {100, 100}) - 20); }},
      {"ellipse", {"ellipse", "150,150", "250,150", "30"}, "250,150", true, {250, 150},
       [](const FcPoint2d& p) {
         const double u = (p.x - 200) / 50;
         const double v = (p.y - 150) / 30;
         return std::fabs(u * u + v * v - 1);
       }},
      {"closed polyline", {"pline", "300,50", "380,50", "380,120", "300,120", "Close"}, "340,50", true, {300, 50},
       [](const FcPoint2d& p) {
         return std::min({std::fabs(p.x - 300), std::fabs(p.x - 380), std::fabs(p.y - 50), std::fabs(p.y - 120)});
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedView script;
    ShowPickableWindow(script);
    ASSERT_TRUE(RunScript(script, c.draw.front(), {c.draw.begin() + 1, c.draw.end()}));
    ASSERT_TRUE(RunScript(script, "revcloud", {"o", c.pick, ""}));
    const std::vector<const FcPolyline*> clouds = EntitiesIn<FcPolyline>(script);
    ASSERT_EQ(clouds.size(), 1u) << "the source is gone, the cloud is there";
    const FcPolyline& cloud = *clouds.front();
    EXPECT_EQ(cloud.IsClosed(), c.closed);
    ExpectPointNear(VertexPoint(*cloud.GetVertex(0)), c.first, 1e-9);
    EXPECT_GE(cloud.GetVertexCount(), 6);
    for (int i = 0; i < cloud.GetVertexCount(); ++i)
      EXPECT_LT(c.offPath(VertexPoint(*cloud.GetVertex(i))), 1e-6) << i;
    ExpectWidthsAndArcs(cloud, 0.0, 18);
  }

  ASSERT_TRUE(script_.Run({"spline", "50,250", "150,280", "250,250", "", "", ""}));
  ASSERT_TRUE(script_.Run({"revcloud", "o", "50,250", ""}));
  const FcPolyline& cloud = OnlyCloud();
  ExpectPointNear(VertexPoint(*cloud.GetVertex(0)), {50, 250}, 1e-6, "spline start");
  ExpectPointNear(VertexPoint(*cloud.GetVertex(cloud.GetVertexCount() - 1)), {250, 250}, 1e-6, "spline end");
  EXPECT_GE(cloud.GetVertexCount(), 10);
}

TEST_F(RevCloudCommandTest, PicksOfOtherKindsAreAskedAgainAndTinyArcsAreRefused) {
  ASSERT_TRUE(script_.Run({"xline", "h", "0,50", ""}));
  ASSERT_TRUE(script_.Run({"circle", "200,150", "30"}));
  GetProgramSettings().rev_cloud.min_arc_length = 1e-7;
  GetProgramSettings().rev_cloud.max_arc_length = 1e-7;
  ASSERT_TRUE(script_.Run({"revcloud", "o", "300,250", "200,50", "230,150"}));
  EXPECT_EQ(LastPrinted(), "Can't make the cloud: its path has too many points.");
  EXPECT_TRUE(EntitiesOf<FcPolyline>().empty());
  EXPECT_EQ(EntitiesOf<FcCircle>().size(), 1u);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"XLine", "Circle"}));
}

TEST_F(RevCloudCommandTest, CloudAlongThePathClosesNearItsStart) {
  ASSERT_TRUE(DrawAlongPath("100,100", SquarePath(), {}));
  EXPECT_EQ(LastPrinted(), "Revision cloud finished.");
  const FcPolyline& cloud = OnlyCloud();
  EXPECT_TRUE(cloud.IsClosed());
  EXPECT_GE(cloud.GetVertexCount(), 7);
  ExpectWidthsAndArcs(cloud, 0.0, 18);
  EXPECT_GT(cloud.GetVertex(0)->bulge, 0) << "a counter-clockwise path bulges outward";
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Revcloud"}));
}

TEST_F(RevCloudCommandTest, AnOpenCloudEndsWithEnterAndAsksForItsDirection) {
  GetProgramSettings().rev_cloud.style = 1;
  auto along = [](double y) {
    return std::vector<FcPoint2d>{{110, y}, {120, y}, {130, y}, {140, y}, {150, y}};
  };
  ASSERT_TRUE(DrawAlongPath("100,100", along(100), {"", ""}));
  const FcPolyline& cloud = OnlyCloud();
  EXPECT_FALSE(cloud.IsClosed());
  ExpectWidthsAndArcs(cloud, 1.5, 18);
  ExpectPointEq(VertexPoint(*cloud.GetVertex(0)), {100, 100});
  EXPECT_GE(cloud.GetVertexCount(), 3);

  ASSERT_TRUE(DrawAlongPath("100,200", along(200), {"", kEsc}));
  EXPECT_EQ(EntitiesOf<FcPolyline>().size(), 1u) << "Esc at the direction drops the cloud";
  ASSERT_TRUE(DrawAlongPath("100,200", along(200), {kEsc}));
  EXPECT_EQ(EntitiesOf<FcPolyline>().size(), 1u) << "Esc while tracking draws nothing";
}

}  // namespace
