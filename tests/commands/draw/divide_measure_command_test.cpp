#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "commands/draw/marker_positions.h"
#include "database/entity_sets.h"
#include "entities/insert.h"
#include "entities/point_entity.h"
#include "entities/polyline.h"
#include "tests/support/pickable_script.h"

namespace {

constexpr double kPi = std::numbers::pi;

FcPoint2d Polar(const FcPoint2d& centre, double radius, double degrees) {
  return {centre.x + radius * std::cos(degrees * kPi / 180), centre.y + radius * std::sin(degrees * kPi / 180)};
}

// A length typed to the last digit that matters.
std::string Text(double value) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.15g", value);
  return buffer;
}

class DivideMeasureTest : public PickableScriptTest {
 protected:
  std::vector<FcPoint2d> Markers() {
    std::vector<FcPoint2d> at;
    for (const FcPointEnt* point : EntitiesOf<FcPointEnt>()) at.push_back(point->GetLocation());
    return at;
  }

  void ExpectMarkers(const std::vector<FcPoint2d>& expected, const std::string& where) {
    const std::vector<FcPoint2d> found = Markers();
    ASSERT_EQ(found.size(), expected.size()) << where;
    for (std::size_t i = 0; i < found.size(); ++i) ExpectPointNear(found[i], expected[i], 1e-6, where);
  }

  std::size_t PromptMark() { return script_.Frame().Prompts().size(); }
  std::vector<std::string> PromptsSince(std::size_t mark) {
    const std::vector<std::string> prompts = script_.Frame().Prompts();
    return {prompts.begin() + static_cast<std::ptrdiff_t>(mark), prompts.end()};
  }

  int PreviousSelectionCount() {
    return script_.OnWindowThread([this] { return script_.Drawing().GetPreviousSelection().GetCount(); });
  }

  void SetAngbase(double degrees) {
    script_.OnWindowThread([this, degrees] {
      script_.Drawing().GetSysVars().angbase = degrees * kPi / 180;
      return 0;
    });
  }

  // A block MARK (a short line) taken out of the drawing.
  void DefineMarkBlock() {
    ASSERT_TRUE(script_.Run({"line", "380,280", "390,280", ""}));
    ASSERT_TRUE(script_.Run({"-block", "MARK", "380,280", "385,280", ""}));
  }
};

struct MarkerCase {
  const char* name;
  std::vector<std::string> draw;  // the command that draws the object, then its answers
  std::vector<std::string> mark;  // divide or measure, the pick and the answers
  double angbaseDegrees;
  std::vector<FcPoint2d> expected;
};

TEST_F(DivideMeasureTest, MarkersFallAlongEachKindOfObject) {
  const FcPoint2d c{100, 100};
  // A straight piece of 10, then a half circle of radius 10 about (310,20).
  const FcPoint2d bend{310, 20};
  const std::vector<MarkerCase> cases = {
      {"divide line", {"line", "10,10", "20,10", ""}, {"divide", "15,10", "4"}, 0, {{12.5, 10}, {15, 10}, {17.5, 10}}},
      {"measure line keeps the end",
       {"line", "10,10", "20,10", ""},
       {"measure", "15,10", "2.5"},
       0,
       {{12.5, 10}, {15, 10}, {17.5, 10}, {20, 10}}},
      {"divide circle from angle zero",
       {"circle", "100,100", "10"},
       {"divide", "110,100", "4"},
       0,
       {Polar(c, 10, 0), Polar(c, 10, 90), Polar(c, 10, 180), Polar(c, 10, 270)}},
      {"measure circle from angbase, ending on it",
       {"circle", "100,100", "10"},
       {"measure", "110,100", Text(10 * kPi / 2)},
       90,
       {Polar(c, 10, 180), Polar(c, 10, 270), Polar(c, 10, 360), Polar(c, 10, 450)}},
      {"divide arc",
       {"arc", "110,200", "100,210", "90,200"},
       {"divide", "100,210", "3"},
       0,
       {Polar({100, 200}, 10, 60), Polar({100, 200}, 10, 120)}},
      {"measure arc keeps its end",
       {"arc", "110,200", "100,210", "90,200"},
       {"measure", "100,210", Text(10 * kPi / 4)},
       0,
       {Polar({100, 200}, 10, 45), Polar({100, 200}, 10, 90), Polar({100, 200}, 10, 135), Polar({100, 200}, 10, 180)}},
      {"divide open polyline across its vertex",
       {"pline", "200,10", "203,10", "203,17", ""},
       {"divide", "203,15", "2"},
       0,
       {{203, 12}}},
      {"divide closed polyline, its start once",
       {"pline", "200,100", "210,100", "210,110", "200,110", "Close"},
       {"divide", "210,105", "4"},
       0,
       {{200, 100}, {210, 100}, {210, 110}, {200, 110}}},
      {"measure closed polyline, its start once",
       {"pline", "200,100", "210,100", "210,110", "200,110", "Close"},
       {"measure", "210,105", "10"},
       0,
       {{200, 100}, {210, 100}, {210, 110}, {200, 110}}},
      {"measure spacing runs on into an arc segment",
       {"pline", "300,10", "310,10", "Arc", "310,30", ""},
       {"measure", "305,10", "7"},
       0,
       {{307, 10}, Polar(bend, 10, -90 + 4 / 10.0 * 180 / kPi), Polar(bend, 10, -90 + 11 / 10.0 * 180 / kPi),
        Polar(bend, 10, -90 + 18 / 10.0 * 180 / kPi), Polar(bend, 10, -90 + 25 / 10.0 * 180 / kPi)}},
  };
  for (const MarkerCase& c : cases) {
    ASSERT_TRUE(script_.Run({"erase", "all", ""})) << c.name;
    SetAngbase(c.angbaseDegrees);
    std::vector<std::string> draw(c.draw.begin() + 1, c.draw.end());
    ASSERT_TRUE(RunScript(script_, c.draw.front(), draw)) << c.name;
    std::vector<std::string> mark(c.mark.begin() + 1, c.mark.end());
    ASSERT_TRUE(RunScript(script_, c.mark.front(), mark)) << c.name;
    ExpectMarkers(c.expected, c.name);
  }
}

TEST_F(DivideMeasureTest, MarkersAreOneStepAndThePreviousSelection) {
  ASSERT_TRUE(script_.Run({"line", "10,10", "20,10", ""}));
  ASSERT_TRUE(script_.Run({"divide", "15,10", "5"}));
  EXPECT_EQ(Markers().size(), 4u);
  EXPECT_EQ(NewestUndoName(script_), "Divide");
  EXPECT_EQ(PreviousSelectionCount(), 4);
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_TRUE(Markers().empty());
  EXPECT_EQ(NewestUndoName(script_), "Line");
  // A spacing longer than the line places nothing and records nothing.
  ASSERT_TRUE(script_.Run({"measure", "15,10", "11"}));
  EXPECT_TRUE(Markers().empty());
  EXPECT_EQ(NewestUndoName(script_), "Line");
}

TEST_F(DivideMeasureTest, RefusedPicksAndValuesAreAskedAgain) {
  ASSERT_TRUE(script_.Run({"ellipse", "300,200", "340,200", "5"}));
  ASSERT_TRUE(script_.Run({"line", "10,10", "20,10", ""}));
  script_.Printed().Clear();
  std::size_t mark = PromptMark();
  // The ellipse, then nothing, then the line; counts 1 and 40000.
  ASSERT_TRUE(script_.Run({"divide", "340,200", "150,150", "15,10", "1", "40000", "2"}));
  EXPECT_EQ(PromptsSince(mark), (std::vector<std::string>{
                                    "Select object to divide",
                                    "Select object to divide",
                                    "Select object to divide",
                                    "<Number of segments>/Block",
                                    "<Number of segments>/Block",
                                    "<Number of segments>/Block",
                                }));
  EXPECT_EQ(Printed(), (std::vector<std::string>{
                           "Cannot divide that object.",
                           "Requires an integer between 2 and 32767, or option keyword.",
                           "Requires an integer between 2 and 32767, or option keyword.",
                       }));
  ExpectMarkers({{15, 10}}, "after the refusals");

  // A spacing that would flood the drawing with markers is refused too.
  script_.Printed().Clear();
  mark = PromptMark();
  ASSERT_TRUE(script_.Run({"measure", "340,200", "15,10", "0.0001", "5"}));
  EXPECT_EQ(PromptsSince(mark), (std::vector<std::string>{
                                    "Select object to measure",
                                    "Select object to measure",
                                    "<Segment length>/Block",
                                    "<Segment length>/Block",
                                }));
  EXPECT_EQ(Printed(), (std::vector<std::string>{
                           "Cannot measure that object.",
                           "Requires a segment length that gives at most 32767 segments.",
                       }));
  ExpectMarkers({{15, 10}, {15, 10}, {20, 10}}, "after the measure");
  ASSERT_TRUE(script_.Run({"measure", "15,10", kEsc}));
  EXPECT_EQ(Markers().size(), 3u);
}

TEST_F(DivideMeasureTest, BlockMarkersTurnWithTheObjectOnlyWhenAligned) {
  DefineMarkBlock();
  ASSERT_TRUE(script_.Run({"circle", "100,100", "10"}));
  const struct {
    std::vector<std::string> answers;
    std::vector<double> rotationsDegrees;
  } cases[] = {
      {{"divide", "110,100", "Block", "?", "NOPE", "MARK", "No", "1", "4"}, {0, 0, 0, 0}},
      {{"divide", "110,100", "Block", "MARK", "", "4"}, {90, 180, 270, 0}},
      {{"measure", "110,100", "Block", "MARK", "Yes", Text(10 * kPi)}, {270, 90}},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(script_.Run({"erase", "Previous", ""}));
    ASSERT_TRUE(RunScript(script_, c.answers.front(), {c.answers.begin() + 1, c.answers.end()}));
    const std::vector<const FcInsert*> inserts = EntitiesOf<FcInsert>();
    ASSERT_EQ(inserts.size(), c.rotationsDegrees.size()) << c.answers.front();
    for (std::size_t i = 0; i < inserts.size(); ++i) {
      EXPECT_EQ(inserts[i]->GetBlockName(), "MARK");
      EXPECT_NEAR(inserts[i]->GetRotation(), c.rotationsDegrees[i] * kPi / 180, 1e-9) << c.answers.front() << i;
    }
  }
  EXPECT_TRUE(Markers().empty());
  const std::vector<std::string> printed = Printed();
  const auto listing = std::find(printed.begin(), printed.end(), "  Blocks defined in this drawing:");
  ASSERT_NE(listing, printed.end());
  EXPECT_NE(std::find(listing, printed.end(), "  MARK"), printed.end());
  EXPECT_NE(std::find(printed.begin(), printed.end(), "Requires an integer between 2 and 32767, or option keyword."),
            printed.end());
}

TEST(MarkerPositionsTest, ADegeneratePolylineGivesNoMarkers) {
  FcPolyline polyline;
  polyline.AppendVertex({5, 5}, 0, 0, 0);
  polyline.AppendVertex({5, 5}, 0, 0, 0.5);
  polyline.AppendVertex({5, 5}, 0, 0, 0);
  EXPECT_TRUE(DivideMarkers(polyline, 4, 0).empty());
  EXPECT_TRUE(MeasureMarkers(polyline, 1, 0).empty());
}

TEST(MarkerPositionsTest, AFittedPolylineIsFollowedAlongItsFitNotItsFrame) {
  // A symmetric arch: its frame's middle is the apex (10,10); the fitted
  // curve only approaches that point.
  FcPolyline polyline;
  polyline.AppendVertex({0, 0}, 0, 0, 0);
  polyline.AppendVertex({10, 10}, 0, 0, 0);
  polyline.AppendVertex({20, 0}, 0, 0, 0);
  ASSERT_TRUE(polyline.SplineFit());
  const Markers middle = DivideMarkers(polyline, 2, 0);
  ASSERT_EQ(middle.size(), 1u);
  EXPECT_NEAR(middle[0].at.x, 10.0, 1e-6);
  EXPECT_GT(middle[0].at.y, 0.0);
  EXPECT_LT(middle[0].at.y, 9.0);
  EXPECT_NEAR(MarkedLength(polyline), polyline.GetLength(), 1e-9);
}

}  // namespace
