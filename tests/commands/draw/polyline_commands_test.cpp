#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "commands/draw/draw_settings.h"
#include "entities/polyline.h"
#include "tests/support/polyline_expect.h"
#include "tests/support/command_script.h"
#include "tests/support/pickable_script.h"

namespace {

using V = VertexXYB;

class PolylineCommandsTest : public CommandScriptTest {
 protected:

  // The program-wide settings are left as a new run of the program has
  // them, whatever an earlier test chose.
  void SetUp() override { SetDrawCommandSettings({}); }
  void TearDown() override { SetDrawCommandSettings({}); }
};

bool WasPrinted(ScriptedView& script, const std::string& line) {
  const std::vector<std::string> lines = script.Printed().HistoryLines();
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::string Joined(const std::vector<std::string>& answers) {
  std::string joined;
  for (const std::string& answer : answers) joined += answer + " | ";
  return joined;
}

// Runs the command in a drawing of its own; it must make one polyline
// with these vertices and closed flag.
void ExpectOnePolyline(const char* command, const std::vector<std::string>& answers, const std::vector<V>& vertices,
                       bool closed) {
  ScriptedView script;
  ASSERT_TRUE(RunScript(script, command, answers)) << Joined(answers);
  const std::vector<const FcPolyline*> made = EntitiesIn<FcPolyline>(script);
  ASSERT_EQ(made.size(), 1u) << Joined(answers);
  ExpectVertices(*made[0], vertices, Joined(answers));
  EXPECT_EQ(made[0]->IsClosed(), closed) << Joined(answers);
}

const double kQuarter = std::tan(std::numbers::pi / 8.0);

TEST_F(PolylineCommandsTest, PlineWidthsGoOnTheLastVertexAndTheLastEndWidthBecomesPlinewid) {
  ASSERT_TRUE(script_.Run({"pline", "0,0", "Width", "4", "2", "10,0", "10,10", ""}));
  const std::vector<const FcPolyline*> made = EntitiesOf<FcPolyline>();
  ASSERT_EQ(made.size(), 1u);
  const std::vector<PolylineVertex>& v = made[0]->GetVertices();
  ASSERT_EQ(v.size(), 3u);
  EXPECT_EQ(v[0].startWidth, 4.0);
  EXPECT_EQ(v[0].endWidth, 2.0);
  EXPECT_EQ(v[1].startWidth, 2.0);
  EXPECT_EQ(v[1].endWidth, 2.0);
  EXPECT_EQ(script_.Drawing().GetSysVars().plinewid, 2.0);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"PLine"}));

  // A negative width is stored as its size and leaves PLINEWID alone.
  ASSERT_TRUE(script_.Run({"pline", "0,0", "Width", "-3", "", "5,5", ""}));
  EXPECT_EQ(EntitiesOf<FcPolyline>().back()->GetVertices()[0].startWidth, 3.0);
  EXPECT_EQ(script_.Drawing().GetSysVars().plinewid, 2.0);

  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(EntitiesOf<FcPolyline>().size(), 1u);
}

TEST_F(PolylineCommandsTest, PlineLineModeOptions) {
  struct Case {
    std::vector<std::string> answers;
    std::vector<V> vertices;
    bool closed;
  };
  const Case cases[] = {
      {{"0,0", "Length", "10", "3,0", ""}, {{0, 0, 0}, {10, 0, 0}}, false},
      {{"0,0", "10,0", "Close", "10,10", "Close"}, {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}, true},
      {{"0,0", "10,0", "5,5", "Undo", "Undo", "Undo", "0,7", ""}, {{0, 0, 0}, {0, 7, 0}}, false},
      // Arc after the start point alone leaves in the direction 0.
      {{"0,0", "Arc", "0,10", ""}, {{0, 0, 1}, {0, 10, 0}}, false},
      // Arc after a straight segment goes on tangent to it.
      {{"0,0", "10,0", "Arc", "20,10", ""}, {{0, 0, 0}, {10, 0, kQuarter}, {20, 10, 0}}, false},
      // Undo in line mode after an arc takes its end and its bulge.
      {{"0,0", "10,0", "Arc", "20,10", "Line", "Undo", "10,5", ""}, {{0, 0, 0}, {10, 0, 0}, {10, 5, 0}}, false},
  };
  for (const Case& c : cases) ExpectOnePolyline("pline", c.answers, c.vertices, c.closed);
  ScriptedView script;
  ASSERT_TRUE(RunScript(script, "pline", {"0,0", "Close", ""}));
  EXPECT_TRUE(WasPrinted(script, "Can't close the polyline!"));
  EXPECT_TRUE(EntitiesIn<FcPolyline>(script).empty());
  EXPECT_FALSE(script.OnWindowThread([&] { return script.Drawing().GetUndoList().GetCurrent() != nullptr; }));
}

// The part drawn so far is on screen while the next point is asked for, so
// a click snaps to the polyline's own first segment.
TEST_F(PolylineCommandsTest, PlineSnapsToThePartDrawnSoFar) {
  ShowPickableWindow(script_);
  script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().osmode = 2; });
  script_.Type("pline");
  for (const char* point : {"100,100", "200,100"}) {
    ASSERT_TRUE(script_.WaitForPromptOrIdle() && script_.IsWaitingForInput());
    script_.Type(point);
  }
  ASSERT_TRUE(script_.Click({148, 103}));
  ASSERT_TRUE(script_.Answer({""}));
  const std::vector<const FcPolyline*> made = EntitiesOf<FcPolyline>();
  ASSERT_EQ(made.size(), 1u);
  ExpectVertices(*made[0], {{100, 100, 0}, {200, 100, 0}, {150, 100, 0}});
}

TEST_F(PolylineCommandsTest, PlineArcModeOptions) {
  struct Case {
    std::vector<std::string> answers;
    std::vector<V> vertices;
    bool closed;
  };
  const Case cases[] = {
      // "CEn..." typed in full asks for the centre snap; the short forms pick
      // the keywords.
      {{"10,0", "Arc", "Angle", "90", "C", "0,0", ""}, {{10, 0, kQuarter}, {0, 10, 0}}, false},
      {{"10,0", "Arc", "Angle", "90", "0,10", ""}, {{10, 0, kQuarter}, {0, 10, 0}}, false},
      {{"10,0", "Arc", "CE", "0,0", "Angle", "90", ""}, {{10, 0, kQuarter}, {0, 10, 0}}, false},
      {{"10,0", "Arc", "CE", "0,0", "-5,0", ""}, {{10, 0, 1}, {-10, 0, 0}}, false},
      {{"10,0", "Arc", "CE", "0,0", "Length", "10", ""},
       {{10, 0, (10 - std::sqrt(75.0)) / 5}, {5, std::sqrt(75.0), 0}},
       false},
      // Radius 5 cannot reach 12 away; 6 away it makes the minor arc.
      {{"0,0", "Arc", "Radius", "5", "12,0", "Radius", "5", "6,0", ""},
       {{0, 0, (5 - 4) / 3.0}, {6, 0, 0}},
       false},
      {{"0,0", "Arc", "SecondPt", "1,1", "2,0", ""}, {{0, 0, -1}, {2, 0, 0}}, false},
      {{"0,0", "Arc", "Direction", "90", "-10,0", ""}, {{0, 0, 1}, {-10, 0, 0}}, false},
      // Undo after two arcs stays in arc mode, tangent to the first.
      {{"0,0", "Arc", "0,10", "0,20", "Undo", "0,20", ""}, {{0, 0, 1}, {0, 10, -1}, {0, 20, 0}}, false},
      {{"0,0", "10,0", "Arc", "10,10", "CLose"}, {{0, 0, 0}, {10, 0, 1}, {10, 10, kQuarter}}, true},
  };
  for (const Case& c : cases) ExpectOnePolyline("pline", c.answers, c.vertices, c.closed);
}

TEST_F(PolylineCommandsTest, RectangleCornersPlainChamferedAndFilleted) {
  struct Case {
    std::vector<std::string> answers;
    std::vector<V> vertices;
  };
  const Case cases[] = {
      {{"0,0", "20,12"}, {{0, 0, 0}, {0, 12, 0}, {20, 12, 0}, {20, 0, 0}}},
      {{"Fillet", "5", "0,0", "20,12"},
       {{0, 5, 0}, {0, 7, -kQuarter}, {5, 12, 0}, {15, 12, -kQuarter}, {20, 7, 0}, {20, 5, -kQuarter}, {15, 0, 0},
        {5, 0, -kQuarter}}},
      // Too small for its fillets: a plain rectangle.
      {{"Fillet", "5", "0,0", "20,8"}, {{0, 0, 0}, {0, 8, 0}, {20, 8, 0}, {20, 0, 0}}},
      {{"Chamfer", "2", "3", "0,0", "20,12"},
       {{0, 3, 0}, {0, 10, 0}, {3, 12, 0}, {18, 12, 0}, {20, 9, 0}, {20, 2, 0}, {17, 0, 0}, {2, 0, 0}}},
      {{"0,0", "Dimensions", "30", "-4"}, {{0, 0, 0}, {0, -4, 0}, {30, -4, 0}, {30, 0, 0}}},
  };
  for (const Case& c : cases) {
    SetDrawCommandSettings({});
    ExpectOnePolyline("rectangle", c.answers, c.vertices, true);
  }
  // The fillet stays the mode of the next Rectangle, in any drawing.
  ScriptedView first;
  ASSERT_TRUE(RunScript(first, "rectangle", {"Fillet", "2", "0,0", "10,10"}));
  ScriptedView second;
  ASSERT_TRUE(RunScript(second, "rectangle", {"20,0", "30,10"}));
  EXPECT_TRUE(WasPrinted(second, "Current rectangle mode: fillet = 2.0000"));
  ASSERT_EQ(EntitiesIn<FcPolyline>(second).size(), 1u);
  EXPECT_EQ(EntitiesIn<FcPolyline>(second)[0]->GetVertexCount(), 8);
}

TEST_F(PolylineCommandsTest, PolygonAboutACentreOrOnAnEdge) {
  const double c = 10.0 / std::cos(std::numbers::pi / 4.0);
  struct Case {
    std::vector<std::string> answers;
    std::vector<V> vertices;
  };
  const Case cases[] = {
      {{"4", "Edge", "0,0", "10,0"}, {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}}},
      {{"4", "0,0", "Inscribed", "10"}, {{10, 0, 0}, {0, 10, 0}, {-10, 0, 0}, {0, -10, 0}}},
      {{"4", "0,0", "Circumscribed", "10"},
       {{c * std::cos(std::numbers::pi / 4), c * std::sin(std::numbers::pi / 4), 0}, {-10, 10, 0}, {-10, -10, 0},
        {10, -10, 0}}},
      {{"1025", "3", "0,0", "Inscribed", "abc", "0,5"},
       {{0, 5, 0}, {-5 * std::sin(2 * std::numbers::pi / 3), 5 * std::cos(2 * std::numbers::pi / 3), 0},
        {5 * std::sin(2 * std::numbers::pi / 3), 5 * std::cos(2 * std::numbers::pi / 3), 0}}},
  };
  for (const Case& k : cases) {
    SetDrawCommandSettings({});
    ExpectOnePolyline("polygon", k.answers, k.vertices, true);
  }
  ScriptedView script;
  ASSERT_TRUE(RunScript(script, "polygon", {"1025", "3", "0,0", "", "abc", "0", "5"}));
  for (const char* message : {"Requires an integer between 3 and 1024.", "Requires numeric distance or second point.",
                              "Value must be positive and nonzero."}) {
    EXPECT_TRUE(WasPrinted(script, message)) << message;
  }
  EXPECT_EQ(script.OnWindowThread([&] { return script.Drawing().GetSysVars().polysides; }), 3);
  ASSERT_EQ(EntitiesIn<FcPolyline>(script).size(), 1u);
}

TEST_F(PolylineCommandsTest, DonutsAreClosedTwoBulgePolylines) {
  ASSERT_TRUE(script_.Run({"donut", "0", "10", "0,0", "20,0", ""}));
  const std::vector<const FcPolyline*> made = EntitiesOf<FcPolyline>();
  ASSERT_EQ(made.size(), 2u);
  ExpectVertices(*made[1], {{22.5, 0, 1}, {17.5, 0, 1}}, "second donut");
  for (const FcPolyline* donut : made) {
    EXPECT_TRUE(donut->IsClosed());
    EXPECT_EQ(donut->GetVertices()[0].startWidth, 5.0);
    EXPECT_EQ(donut->GetVertices()[1].endWidth, 5.0);
  }
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Donut"}));

  // Inside and outside typed the wrong way round are exchanged.
  ASSERT_TRUE(script_.Run({"donut", "10", "4", ""}));
  EXPECT_EQ(script_.Drawing().GetSysVars().DonutInnerDiameter, 4.0);
  EXPECT_EQ(script_.Drawing().GetSysVars().DonutOuterDiameter, 10.0);
}

}  // namespace
