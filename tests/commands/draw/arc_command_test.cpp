#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "core/geometry_basics.h"
#include "display/drag_arc.h"
#include "entities/arc.h"
#include "shell/typed_input_parsers.h"
#include "tests/support/command_script.h"
#include "tests/support/pending_band.h"

namespace {

using ArcCommandTest = CommandScriptTest;

const std::string kRootTwo = "1.4142135623730951";

// Angles in degrees, counter-clockwise from start to end.
struct ArcExpect {
  FcPoint2d centre;
  double radius;
  double startDegrees;
  double endDegrees;
};

void ExpectArc(const FcArc& arc, const ArcExpect& expected, const std::string& where) {
  double start = expected.startDegrees * kDegToRad;
  double end = expected.endDegrees * kDegToRad;
  NormalizeAngle(start);
  NormalizeAngle(end);
  while (end <= start) end += kTwoPi;
  ExpectPointNear(arc.GetCenter(), expected.centre, 1e-9, where);
  EXPECT_NEAR(arc.GetRadius(), expected.radius, 1e-9) << where;
  EXPECT_NEAR(arc.GetStartAngle(), start, 1e-9) << where;
  EXPECT_NEAR(arc.GetEndAngle(), end, 1e-9) << where;
}

std::string Joined(const std::vector<std::string>& answers) {
  std::string joined;
  for (const std::string& answer : answers) joined += answer + " | ";
  return joined;
}

// One run in a fresh drawing with the angle direction given; the arcs it
// made.
std::vector<const FcArc*> RunArc(ScriptedView& script, const std::vector<std::string>& answers, int angdir = 0) {
  script.OnWindowThread([&] { return script.Drawing().GetSysVars().angdir = static_cast<std::uint8_t>(angdir); });
  EXPECT_TRUE(RunScript(script, "arc", answers)) << Joined(answers);
  return EntitiesIn<FcArc>(script);
}

TEST_F(ArcCommandTest, EveryWayOfGivingTheArc) {
  struct Case {
    std::vector<std::string> answers;
    ArcExpect arc;
  };
  const double root2 = std::sqrt(2.0);
  const Case cases[] = {
      // three points: counter-clockwise from the end point through the middle one
      {{"0,0", "1,1", "2,0"}, {{1, 0}, 1, 0, 180}},
      // start, centre and an end direction far out
      {{"2,0", "c", "0,0", "0,5"}, {{0, 0}, 2, 0, 90}},
      {{"2,0", "c", "0,0", "a", "90"}, {{0, 0}, 2, 0, 90}},
      {{"2,0", "c", "0,0", "a", "-90"}, {{0, 0}, 2, 270, 360}},
      // a chord as long as the diameter: the half circle, either way
      {{"2,0", "c", "0,0", "c", "4"}, {{0, 0}, 2, 0, 180}},
      {{"2,0", "c", "0,0", "c", "-4"}, {{0, 0}, 2, 180, 360}},
      // start, end and a centre that only fixes the end direction
      {{"0,0", "e", "2,0", "1,0"}, {{1, 0}, 1, 180, 360}},
      {{"0,0", "e", "4,0", "1,0"}, {{1, 0}, 1, 180, 360}},
      {{"0,0", "e", "2,0", "a", "180"}, {{1, 0}, 1, 180, 360}},
      {{"0,0", "e", "2,0", "a", "90"}, {{1, 1}, root2, 225, 315}},
      {{"0,0", "e", "2,0", "a", "-90"}, {{1, -1}, root2, 45, 135}},
      // the direction at the start point: clockwise over the top, or below
      {{"0,0", "e", "2,0", "d", "0,1"}, {{1, 0}, 1, 0, 180}},
      {{"0,0", "e", "2,0", "d", "0,-1"}, {{1, 0}, 1, 180, 360}},
      // a positive radius gives the smaller arc, a negative one the larger
      {{"0,0", "e", "2,0", "r", kRootTwo}, {{1, 1}, root2, 225, 315}},
      {{"0,0", "e", "2,0", "r", "-" + kRootTwo}, {{1, -1}, root2, 135, 45}},
      // centre first
      {{"c", "0,0", "2,0", "0,2"}, {{0, 0}, 2, 0, 90}},
      {{"c", "0,0", "2,0", "a", "90"}, {{0, 0}, 2, 0, 90}},
      {{"c", "0,0", "2,0", "c", "2.8284271247461903"}, {{0, 0}, 2, 0, 90}},
  };
  for (const Case& c : cases) {
    ScriptedView script;
    const std::vector<const FcArc*> arcs = RunArc(script, c.answers);
    ASSERT_EQ(arcs.size(), 1u) << Joined(c.answers);
    ExpectArc(*arcs[0], c.arc, Joined(c.answers));
  }
}

TEST_F(ArcCommandTest, AngleDirectionTurnsTypedSweepsAround) {
  struct Case {
    int angdir;
    std::vector<std::string> answers;
    ArcExpect arc;
  };
  const double root2 = std::sqrt(2.0);
  const Case cases[] = {
      {1, {"2,0", "c", "0,0", "a", "90"}, {{0, 0}, 2, 270, 360}},
      {1, {"2,0", "c", "0,0", "a", "-90"}, {{0, 0}, 2, 0, 90}},
      {1, {"c", "0,0", "2,0", "a", "90"}, {{0, 0}, 2, 270, 360}},
      {1, {"0,0", "e", "2,0", "a", "90"}, {{1, -1}, root2, 45, 135}},
      {1, {"0,0", "e", "2,0", "a", "-90"}, {{1, 1}, root2, 225, 315}},
      // a sweep given by a point follows it the way angles are counted
      {0, {"2,0", "c", "0,0", "a", "0,3"}, {{0, 0}, 2, 0, 90}},
      {1, {"2,0", "c", "0,0", "a", "0,3"}, {{0, 0}, 2, 90, 360}},
  };
  for (const Case& c : cases) {
    ScriptedView script;
    const std::vector<const FcArc*> arcs = RunArc(script, c.answers, c.angdir);
    ASSERT_EQ(arcs.size(), 1u) << Joined(c.answers);
    ExpectArc(*arcs[0], c.arc, "angdir " + std::to_string(c.angdir) + ": " + Joined(c.answers));
  }
}

TEST_F(ArcCommandTest, DegenerateAnswersMakeNoArcAndSayOnlyWhatIsNamed) {
  struct Case {
    std::vector<std::string> answers;
    std::vector<std::string> printed;
  };
  const Case cases[] = {
      {{"0,0", "1,0", "2,0"}, {}},
      {{"0,0", "1,1", "0,0"}, {}},
      {{"1,1", "c", "1,1"}, {}},
      {{"1,1", "e", "1,1"}, {}},
      {{"c", "1,1", "1,1"}, {}},
      {{"2,0", "c", "0,0", "4,0"}, {"Invalid point!"}},
      {{"2,0", "c", "0,0", "0,0"}, {"Invalid point!"}},
      {{"2,0", "c", "0,0", "a", "360"}, {}},
      {{"2,0", "c", "0,0", "c", "4.1"}, {"Invalid chord length!"}},
      {{"0,0", "e", "2,0", "0,0"}, {"Invalid center point!"}},
      {{"0,0", "e", "2,0", "2,0"}, {"Invalid center point!"}},
      {{"0,0", "e", "2,0", "4,0"}, {"Invalid center point!"}},
      {{"0,0", "e", "2,0", "a", "360"}, {}},
      {{"0,0", "e", "2,0", "d", "4,0"}, {"Invalid direction!"}},
      {{"0,0", "e", "2,0", "d", "0,0"}, {"Invalid direction!"}},
      {{"0,0", "e", "2,0", "r", "0.99"}, {"Radius is too small!"}},
      {{"0,0", "e", "2,0", kEsc}, {}},
      {{"0,0", ""}, {}},
  };
  for (const Case& c : cases) {
    ScriptedView script;
    EXPECT_TRUE(RunArc(script, c.answers).empty()) << Joined(c.answers);
    EXPECT_EQ(script.Printed().HistoryLines(), c.printed) << Joined(c.answers);
    const bool anyUndo = script.OnWindowThread([&] { return script.Drawing().GetUndoList().GetCurrent() != nullptr; });
    EXPECT_FALSE(anyUndo) << Joined(c.answers);
  }
}

TEST_F(ArcCommandTest, RadiusOptionRemembersTheRadiusAndOffersIt) {
  ASSERT_TRUE(script_.Run({"arc", "0,0", "e", "2,0", "r", "", "-" + kRootTwo}));
  EXPECT_TRUE(RefusedWith(kNeedRealOrTwoPoints, "Enter radius"));
  EXPECT_NEAR(script_.Drawing().GetSysVars().circlerad, std::sqrt(2.0), 1e-12);

  ASSERT_TRUE(script_.Run({"arc", "0,0", "e", "2,0", "r", ""}));
  const std::vector<const FcArc*> arcs = EntitiesOf<FcArc>();
  ASSERT_EQ(arcs.size(), 2u);
  ExpectArc(*arcs[1], {{1, 1}, std::sqrt(2.0), 225, 315}, "Enter takes the remembered radius");
  EXPECT_EQ(script_.Frame().Prompts().back(), "Enter radius<1.4142>");
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Arc", "Arc"}));
}

TEST_F(ArcCommandTest, PromptsAndAnUnknownKeyword) {
  ASSERT_TRUE(script_.Run({"arc", "0,0", "e", "2,0", "x", "d", "0,1"}));
  EXPECT_TRUE(RefusedWith(kExpectsPoint, "Enter center point or[Angle/Direction/Radius]"));
  EXPECT_EQ(script_.Frame().Prompts(),
            (std::vector<std::string>{"Enter first point or [Center]", "Enter 2nd point or [Center/Endpoint]",
                                      "Enter end point", "Enter center point or[Angle/Direction/Radius]",
                                      "Enter direction"}));
  EXPECT_EQ(EntitiesOf<FcArc>().size(), 1u);
}

TEST_F(ArcCommandTest, PointsAreTakenInTheCurrentUcs) {
  script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().SetUcs({5, 5}, {5, 6}, {4, 5}); });
  ASSERT_TRUE(script_.Run({"arc", "0,0", "1,1", "2,0"}));
  const std::vector<const FcArc*> arcs = EntitiesOf<FcArc>();
  ASSERT_EQ(arcs.size(), 1u);
  ExpectArc(*arcs[0], {{5, 6}, 1, 90, 270}, "three points in a turned UCS");
}

// Each prompt that settles the arc previews the arc its answer would make.
TEST_F(ArcCommandTest, EachSettlingPromptPreviewsItsArc) {
  struct Case {
    std::vector<std::string> typed;
    std::int32_t kind;
  };
  const Case cases[] = {
      {{"arc", "0,0", "1,1"}, FcDragArc::kThreePoints},
      {{"arc", "2,0", "c", "0,0"}, FcDragArc::kCentreStartEnd},
      {{"arc", "2,0", "c", "0,0", "a"}, FcDragArc::kCentreStartAngle},
      {{"arc", "2,0", "c", "0,0", "c"}, FcDragArc::kCentreStartChord},
      {{"arc", "0,0", "e", "2,0"}, FcDragArc::kStartEndCentre},
      {{"arc", "0,0", "e", "2,0", "a"}, FcDragArc::kStartEndAngle},
      {{"arc", "0,0", "e", "2,0", "d"}, FcDragArc::kStartEndDirection},
      {{"arc", "0,0", "e", "2,0", "r"}, FcDragArc::kStartEndRadius},
  };
  for (const Case& c : cases) {
    LookAtPendingBand<FcDragArc>(script_, c.typed, [&](const FcDragArc* band) {
      ASSERT_NE(band, nullptr) << Joined(c.typed);
      EXPECT_EQ(band->kind, c.kind) << Joined(c.typed);
    });
  }
}

}  // namespace
