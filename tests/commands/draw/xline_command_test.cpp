#include <cmath>
#include <string>
#include <vector>

#include "display/drag_xline.h"
#include "entities/polyline.h"
#include "entities/xline.h"
#include "tests/support/pending_band.h"
#include "tests/support/pickable_script.h"

namespace {

using XLineCommandTest = PickableScriptTest;

struct Placed {
  FcPoint2d base;
  double directionDegrees;
};

std::string Joined(const std::vector<std::string>& answers) {
  std::string joined;
  for (const std::string& answer : answers) joined += answer + " | ";
  return joined;
}

void ExpectXLines(ScriptedView& script, const std::vector<Placed>& expected, const std::string& where) {
  const std::vector<const FcXLine*> lines = EntitiesIn<FcXLine>(script);
  ASSERT_EQ(lines.size(), expected.size()) << where;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const double angle = expected[i].directionDegrees * kDegToRad;
    ExpectPointNear(lines[i]->GetBasePoint(), expected[i].base, 1e-9, where + " base " + std::to_string(i));
    ExpectPointNear(lines[i]->GetDirection(), {std::cos(angle), std::sin(angle)}, 1e-9,
                    where + " direction " + std::to_string(i));
  }
}

TEST_F(XLineCommandTest, LinesFromPointsAndAngles) {
  struct Case {
    std::vector<std::string> answers;
    int angdir;
    std::vector<Placed> lines;
  };
  const Case cases[] = {
      {{"1,1", "4,5"}, 0, {{{1, 1}, std::atan2(4.0, 3.0) * kRadToDeg}}},
      {{"1,1", "1,1"}, 0, {{{1, 1}, 0}}},
      {{"1,1", ""}, 0, {}},
      {{"a", "", "1,2", "3,4", ""}, 0, {{{1, 2}, 0}, {{3, 4}, 0}}},
      {{"a", "30", "0,0", ""}, 0, {{{0, 0}, 30}}},
      {{"a", "30", "0,0", ""}, 1, {{{0, 0}, 330}}},
      {{"b", "0,0", "10,0", "0,10", "-10,0", ""}, 0, {{{0, 0}, 45}, {{0, 0}, 90}}},
      {{"b", "5,5", ""}, 0, {}},
      {{"h", "1,2", "3,4", kEsc}, 0, {{{1, 2}, 0}, {{3, 4}, 0}}},
      {{"v", "1,2", ""}, 0, {{{1, 2}, 90}}},
  };
  for (const Case& c : cases) {
    ScriptedView script;
    script.OnWindowThread([&] { return script.Drawing().GetSysVars().angdir = static_cast<std::uint8_t>(c.angdir); });
    ASSERT_TRUE(RunScript(script, "xline", c.answers)) << Joined(c.answers);
    ExpectXLines(script, c.lines, Joined(c.answers));
  }
}

TEST_F(XLineCommandTest, HorizontalAndVerticalFollowTheUcs) {
  const double turn = 30 * kDegToRad;
  script_.OnWindowThread([&] {
    return script_.Drawing().GetSysVars().SetUcs({10, 5}, {10 + std::cos(turn), 5 + std::sin(turn)},
                                                  {10 - std::sin(turn), 5 + std::cos(turn)});
  });
  ASSERT_TRUE(script_.Run({"xline", "h", "0,0", ""}));
  ASSERT_TRUE(script_.Run({"xline", "v", "0,0", ""}));
  ExpectXLines(script_, {{{10, 5}, 30}, {{10, 5}, 120}}, "turned UCS");
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"XLine", "XLine"}));
}

TEST_F(XLineCommandTest, OptionsThatPickALine) {
  struct Case {
    const char* name;
    std::vector<std::string> answers;
    std::vector<Placed> lines;
    int angdir = 0;
  };
  // A line from (100, 100) to (100, 200) and one from (100, 50) to (300, 50).
  const Case cases[] = {
      {"reference angle on the vertical line", {"a", "r", "100,150", "45", "50,60", ""}, {{{50, 60}, 135}}},
      {"reference angle as typed, whichever way angles count",
       {"a", "r", "100,150", "45", "50,60", ""},
       {{{50, 60}, 135}},
       1},
      {"reference Enter", {"a", "r", "100,150", "", "50,60", ""}, {{{50, 60}, 90}}},
      {"offset to the left of the lower line", {"o", "5", "200,50", "130,90", ""}, {{{100, 55}, 0}}},
      {"offset to its right", {"o", "5", "200,50", "130,10", ""}, {{{100, 45}, 0}}},
      {"offset through a point, twice",
       {"o", "", "200,50", "50,250", "100,120", "350,20", ""},
       {{{50, 250}, 0}, {{350, 20}, 90}}},
      {"bisecting the lines", {"b", "e", "200,50", "100,150", ""}, {{{200, 50}, 90}, {{100, 150}, 180}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedView script;
    ShowPickableWindow(script);
    script.OnWindowThread([&] { return script.Drawing().GetSysVars().angdir = static_cast<std::uint8_t>(c.angdir); });
    ASSERT_TRUE(RunScript(script, "line", {"100,100", "100,200", ""}));
    ASSERT_TRUE(RunScript(script, "line", {"100,50", "300,50", ""}));
    ASSERT_TRUE(RunScript(script, "xline", c.answers));
    ExpectXLines(script, c.lines, c.name);
    EXPECT_TRUE(script.Printed().HistoryLines().empty());
  }
}

TEST_F(XLineCommandTest, PicksOfTheWrongKindAskAgain) {
  ASSERT_TRUE(script_.Run({"circle", "200,150", "20"}));
  ASSERT_TRUE(script_.Run({"line", "100,50", "300,50", ""}));
  ASSERT_TRUE(RunScript(script_, "xline", {"o", "5", "350,250", "220,150", "200,50", "150,90", kEsc}));
  EXPECT_EQ(Printed(), (std::vector<std::string>{"No object selected!", "No line object"}));
  ExpectXLines(script_, {{{100, 55}, 0}}, "offset after the refusals");

  ASSERT_TRUE(RunScript(script_, "xline", {"b", "e", "220,150", "350,250"}));
  EXPECT_EQ(LastPrinted(), "Please select line, arc, xline or polyline segment to bisect.");
  EXPECT_EQ(EntitiesOf<FcXLine>().size(), 1u);
}

TEST_F(XLineCommandTest, BisectingAnArcAndAConstructionLine) {
  // An arc about (200, 150) from 350 to 10 degrees, and a construction line
  // through (50, 250) at 45 degrees.
  ASSERT_TRUE(script_.Run({"arc", "c", "200,150", "249.2403876506104,141.31759111665349", "a", "20"}));
  ASSERT_TRUE(script_.Run({"xline", "50,250", "60,260"}));
  ASSERT_TRUE(RunScript(script_, "xline", {"b", "e", "250,150", "70,270", ""}));
  ExpectXLines(script_, {{{50, 250}, 45}, {{200, 150}, 0}, {{50, 250}, 135}}, "bisectors");
}

TEST_F(XLineCommandTest, BisectingPolylineSegments) {
  // A straight segment from (100, 100) to (200, 100), then a half circle
  // below the chord to (300, 100).
  script_.OnWindowThread([this] {
    auto* polyline = new FcPolyline;
    polyline->AppendVertex({100, 100}, 0, 0, 0);
    polyline->AppendVertex({200, 100}, 0, 0, 1);
    polyline->AppendVertex({300, 100}, 0, 0, 0);
    script_.Drawing().AddEntity(polyline, true);
    return true;
  });
  ASSERT_TRUE(RunScript(script_, "xline", {"b", "e", "150,100", "250,50", ""}));
  ExpectXLines(script_, {{{150, 100}, 90}, {{250, 100}, 270}}, "segment bisectors");
}

// After the origin the line through it follows the cursor.
TEST_F(XLineCommandTest, TheDirectionIsPreviewedThroughTheOrigin) {
  LookAtPendingBand<FcDragXLine>(script_, {"xline", "3,4"}, [](const FcDragXLine* band) {
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->point, (FcPoint2d{3, 4}));
  });
}

}  // namespace
