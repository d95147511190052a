#include <cmath>
#include <string>
#include <vector>

#include "entities/circle.h"
#include "entities/line.h"
#include "shell/typed_input_parsers.h"
#include "tests/support/pickable_script.h"

namespace {

using CommonTangentCommandTest = PickableScriptTest;

// Typed commands that draw the objects to pick, each a command with its
// answers.
using Drawn = std::vector<std::vector<std::string>>;

void Draw(ScriptedView& script, const Drawn& setup) {
  for (const std::vector<std::string>& command : setup) {
    ASSERT_TRUE(RunScript(script, command[0], {command.begin() + 1, command.end()})) << command[0];
  }
}

// The distance from p to the infinite line through a and b.
double DistanceToLine(const FcPoint2d& p, const FcPoint2d& a, const FcPoint2d& b) {
  const FcPoint2d d = b - a;
  return std::fabs(d.x * (p.y - a.y) - d.y * (p.x - a.x)) / std::hypot(d.x, d.y);
}

const Drawn kTwoEqualCircles = {{"circle", "100,150", "20"}, {"circle", "250,150", "20"}};

TEST_F(CommonTangentCommandTest, TheTangentTouchesBothCirclesOnThePickedSides) {
  struct Case {
    const char* name;
    Drawn setup;
    std::vector<std::string> picks;
    // Which side of the centre line, y = 150, each touching point lies.
    int firstSide;
    int secondSide;
  };
  const Case cases[] = {
      {"equal, both above", kTwoEqualCircles, {"100,170", "250,170"}, 1, 1},
      {"equal, both below", kTwoEqualCircles, {"100,130", "250,130"}, -1, -1},
      {"equal, crossing", kTwoEqualCircles, {"100,170", "250,130"}, 1, -1},
      {"equal, crossing the other way", kTwoEqualCircles, {"100,130", "250,170"}, -1, 1},
      {"small then large", {{"circle", "100,150", "10"}, {"circle", "250,150", "40"}}, {"100,160", "250,190"}, 1, 1},
      {"large then small", {{"circle", "100,150", "40"}, {"circle", "250,150", "10"}}, {"100,110", "250,140"}, -1, -1},
      {"an arc counts as its circle",
       {{"circle", "100,150", "20"}, {"arc", "c", "250,150", "250,130", "a", "180"}},
       {"100,170", "270,150"}, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    
    ScriptedView script;
    ShowPickableWindow(script);
    Draw(script, c.setup);
    ASSERT_TRUE(RunScript(script, "commontangent", c.picks));
    const std::vector<const FcLine*> lines = EntitiesIn<FcLine>(script);
    ASSERT_EQ(lines.size(), 1u);
    const FcPoint2d t1 = lines[0]->GetStartPoint();
    const FcPoint2d t2 = lines[0]->GetEndPoint();
    const std::vector<const FcCircle*> circles = EntitiesIn<FcCircle>(script);
    ASSERT_EQ(circles.size(), 2u);
    for (int i = 0; i < 2; ++i) {
      const FcCircle& circle = *circles[static_cast<std::size_t>(i)];
      const FcPoint2d& touch = i == 0 ? t1 : t2;
      EXPECT_NEAR(DistanceToLine(circle.GetCenter(), t1, t2), circle.GetRadius(), 1e-9) << i;
      EXPECT_NEAR(std::hypot(touch.x - circle.GetCenter().x, touch.y - circle.GetCenter().y), circle.GetRadius(), 1e-9)
          << i;
      EXPECT_EQ(touch.y > 150 ? 1 : -1, i == 0 ? c.firstSide : c.secondSide) << i;
    }
    EXPECT_EQ(NewestUndoName(script), "");
  }
}

TEST_F(CommonTangentCommandTest, CirclesWithoutSuchATangentSaySo) {
  struct Case {
    const char* name;
    Drawn setup;
    std::vector<std::string> picks;
    const char* message;
  };
  const Case cases[] = {
      {"overlapping, crossing asked",
       {{"circle", "100,150", "20"}, {"circle", "130,150", "20"}},
       {"100,170", "130,130"},
       "There is not inscribed common tangent!"},
      {"one inside the other",
       {{"circle", "150,150", "50"}, {"circle", "150,150", "10"}},
       {"150,200", "150,160"},
       "There is not any common tangent!"},
      {"the same circle twice", {{"circle", "150,150", "50"}}, {"150,200", "150,100"}, "There is not any common tangent!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    
    ScriptedView script;
    ShowPickableWindow(script);
    Draw(script, c.setup);
    ASSERT_TRUE(RunScript(script, "commontangent", c.picks));
    EXPECT_TRUE(EntitiesIn<FcLine>(script).empty());
    EXPECT_EQ(script.Printed().HistoryLines().back(), c.message);
  }
}

TEST_F(CommonTangentCommandTest, OtherPicksAskAgain) {
  Draw(script_, {{"line", "50,50", "350,50", ""}, kTwoEqualCircles[0], kTwoEqualCircles[1]});
  const std::size_t before = script_.Frame().Prompts().size();
  // nothing, the line, then the circles; on the second prompt the line again
  ASSERT_TRUE(RunScript(script_, "commontangent", {"300,250", "200,50", "100,170", "200,51", "250,170"}));
  const std::vector<std::string> prompts = script_.Frame().Prompts();
  EXPECT_EQ(std::vector<std::string>(prompts.begin() + static_cast<std::ptrdiff_t>(before), prompts.end()),
            (std::vector<std::string>{"Select 1st circle or arc", "Select 1st circle or arc",
                                      "Select 1st circle or arc", "Select 2nd circle or arc",
                                      "Select 2nd circle or arc"}));
  EXPECT_EQ(Printed(), (std::vector<std::string>{"No circle or arc object", "No circle or arc object"}));
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 2u);
}

const Drawn kCrossingLines = {{"line", "50,150", "350,150", ""}, {"line", "200,20", "200,280", ""}};

TEST_F(CommonTangentCommandTest, TangentCircleSitsWhereBothObjectsWerePicked) {
  struct Case {
    const char* name;
    Drawn setup;
    std::vector<std::string> answers;  // two picks and the radius
    FcPoint2d centre;
    double radius;
  };
  const Case cases[] = {
      {"crossing lines, above and right", kCrossingLines, {"100,153", "203,250", "20"}, {220, 170}, 20},
      {"crossing lines, below and left", kCrossingLines, {"100,147", "197,250", "20"}, {180, 130}, 20},
      {"two circles, outer contact above",
       {{"circle", "100,150", "20"}, {"circle", "200,150", "20"}},
       {"120,152", "180,152", "40"},
       {150, 150 + std::sqrt(1100.0)},
       40},
      {"line and circle, outer contact on the left",
       {{"line", "50,100", "350,100", ""}, {"circle", "200,150", "20"}},
       {"100,103", "180,150", "20"},
       {200 - std::sqrt(700.0), 120},
       20},
      {"circle and line, the other order",
       {{"line", "50,100", "350,100", ""}, {"circle", "200,150", "20"}},
       {"180,150", "100,103", "20"},
       {200 - std::sqrt(700.0), 120},
       20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    
    ScriptedView script;
    ShowPickableWindow(script);
    Draw(script, c.setup);
    const std::size_t before = EntitiesIn<FcCircle>(script).size();
    ASSERT_TRUE(RunScript(script, "commontangentcircle", c.answers));
    const std::vector<const FcCircle*> circles = EntitiesIn<FcCircle>(script);
    ASSERT_EQ(circles.size(), before + 1);
    ExpectPointNear(circles.back()->GetCenter(), c.centre, 1e-9);
    EXPECT_EQ(circles.back()->GetRadius(), c.radius);
    EXPECT_EQ(script.Drawing().GetSysVars().circlerad, c.radius);
    EXPECT_EQ(NewestUndoName(script), "");
  }
}

TEST_F(CommonTangentCommandTest, TangentCircleFailures) {
  struct Case {
    const char* name;
    Drawn setup;
    std::vector<std::string> answers;
    std::vector<std::string> printed;
  };
  const Case cases[] = {
      {"parallel lines", {{"line", "50,100", "350,100", ""}, {"line", "50,200", "350,200", ""}},
       {"100,103", "100,197", "50"}, {}},
      {"circles too far apart for the radius",
       {{"circle", "100,150", "20"}, {"circle", "300,150", "20"}},
       {"120,150", "280,150", "10"},
       {"There isn't any tangent circle or the radius is tool small."}},
      {"Enter without a remembered radius, then Esc",
       kCrossingLines,
       {"100,153", "203,250", "", kEsc},
       {kNeedRealOrTwoPoints}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    
    ScriptedView script;
    ShowPickableWindow(script);
    Draw(script, c.setup);
    const std::size_t before = EntitiesIn<FcCircle>(script).size();
    ASSERT_TRUE(RunScript(script, "commontangentcircle", c.answers));
    EXPECT_EQ(EntitiesIn<FcCircle>(script).size(), before);
    EXPECT_EQ(script.Printed().HistoryLines(), c.printed);
  }
}

TEST_F(CommonTangentCommandTest, TangentCircleRemembersItsRadius) {
  Draw(script_, kCrossingLines);
  ASSERT_TRUE(RunScript(script_, "commontangentcircle", {"100,153", "203,250", "20"}));
  ASSERT_TRUE(RunScript(script_, "circle", {"t", "100,147", "197,250", ""}));
  EXPECT_EQ(script_.Frame().Prompts().back(), "Enter common tangent circle radius<20.0000>");
  const std::vector<const FcCircle*> circles = EntitiesOf<FcCircle>();
  ASSERT_EQ(circles.size(), 2u);
  ExpectPointNear(circles[1]->GetCenter(), {180, 130}, 1e-9);
  EXPECT_EQ(circles[1]->GetRadius(), 20.0);
}

TEST_F(CommonTangentCommandTest, PickSidesAreJudgedInTheWorld) {
  Draw(script_, kCrossingLines);
  // The picks are typed in a UCS moved 100 units to the right: (3, 250)
  // there is right of the vertical line at world x = 200.
  script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().SetUcs({100, 0}, {101, 0}, {100, 1}); });
  ASSERT_TRUE(RunScript(script_, "commontangentcircle", {"0,153", "103,250", "20"}));
  const std::vector<const FcCircle*> circles = EntitiesOf<FcCircle>();
  ASSERT_EQ(circles.size(), 1u);
  ExpectPointNear(circles[0]->GetCenter(), {220, 170}, 1e-9);
}

}  // namespace
