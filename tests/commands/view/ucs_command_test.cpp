#include <cmath>
#include <string>
#include <vector>

#include "tests/support/pickable_script.h"

namespace {

// The current UCS as the drawing keeps it.
struct Ucs {
  FcPoint2d origin;
  FcPoint2d xDir;
  FcPoint2d yDir;
  bool leftHanded = false;
  bool world = true;
};

constexpr double kNear = 1e-9;
const double kHalfRoot = std::sqrt(0.5);

class UcsCommandTest : public PickableScriptTest {
 protected:
  Ucs Current() {
    return script_.OnWindowThread([this] {
      const FcSystemVar& vars = script_.Drawing().GetSysVars();
      return Ucs{vars.ucsorg, vars.GetUcsXDir(), vars.GetUcsYDir(), vars.UcsLeftHanded != 0, vars.UcsIsWorld != 0};
    });
  }

  void ExpectUcs(const Ucs& expected, const std::string& where = {}) {
    const Ucs actual = Current();
    ExpectPointNear(actual.origin, expected.origin, kNear, where + " origin");
    ExpectPointNear(actual.xDir, expected.xDir, kNear, where + " x axis");
    ExpectPointNear(actual.yDir, expected.yDir, kNear, where + " y axis");
    EXPECT_EQ(actual.leftHanded, expected.leftHanded) << where;
    EXPECT_EQ(actual.world, expected.world) << where;
  }

  int PreviousCount() {
    return script_.OnWindowThread([this] { return script_.Drawing().GetPreviousUcsList().GetCount(); });
  }

  std::vector<std::string> NamedUcs() {
    return script_.OnWindowThread([this] {
      std::vector<std::string> names;
      const FcUCSList& list = script_.Drawing().GetUcsList();
      for (int i = 0; i < list.GetCount(); ++i) names.push_back(list.GetAt(i)->GetName());
      return names;
    });
  }
};

Ucs Moved(double x, double y) { return {{x, y}, {1, 0}, {0, 1}, false, false}; }
const Ucs kWorld{{0, 0}, {1, 0}, {0, 1}, false, true};

TEST_F(UcsCommandTest, EnterReturnsToTheWorldOnlyFromAnotherUcsAndUndoBringsItBack) {
  ASSERT_TRUE(script_.Run({"ucs", ""}));
  ExpectUcs(kWorld, "already world");
  EXPECT_TRUE(UndoNames().empty());

  ASSERT_TRUE(script_.Run({"ucs", "m", "10,0"}));
  ASSERT_TRUE(script_.Run({"ucs", ""}));
  ExpectUcs(kWorld, "back to world");
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"UCS", "UCS"}));

  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(LastPrinted(), "Undo : UCS");
  ExpectUcs(Moved(10, 0), "undone");
  ASSERT_TRUE(script_.Run({"redo"}));
  ExpectUcs(kWorld, "redone");
}

TEST_F(UcsCommandTest, NewUcsByOriginRotationAndThreePoints) {
  struct Case {
    const char* name;
    std::vector<std::string> answers;
    Ucs expected;
    int angdir = 0;
  };
  const Case cases[] = {
      {"move right of the origin", {"m", "10,0"}, Moved(10, 0)},
      {"move, Enter", {"m", ""}, kWorld},
      {"new origin", {"n", "3,4"}, Moved(3, 4)},
      {"new origin at the origin", {"n", "0,0"}, kWorld},
      {"rotate 90", {"n", "r", "90"}, {{0, 0}, {0, 1}, {-1, 0}, false, false}},
      {"rotate 90 clockwise angles", {"n", "r", "90"}, {{0, 0}, {0, -1}, {1, 0}, false, false}, 1},
      {"rotate Enter", {"n", "r", ""}, kWorld},
      {"three points, right-handed", {"n", "3p", "1,1", "1,5", "-3,1"}, {{1, 1}, {0, 1}, {-1, 0}, false, false}},
      {"three points, left-handed", {"n", "3p", "0,0", "10,0", "0,-10"}, {{0, 0}, {1, 0}, {0, -1}, true, false}},
      {"three points, every default", {"n", "3p", "", "", ""}, kWorld},
      {"three points, Esc", {"n", "3p", "5,5", kEsc}, kWorld},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedView script;
    script.OnWindowThread([&] { return script.Drawing().GetSysVars().angdir = static_cast<std::uint8_t>(c.angdir); });
    ASSERT_TRUE(RunScript(script, "ucs", c.answers));
    const FcSystemVar& vars = script.Drawing().GetSysVars();
    ExpectPointNear(vars.ucsorg, c.expected.origin, kNear, "origin");
    ExpectPointNear(vars.GetUcsXDir(), c.expected.xDir, kNear, "x axis");
    ExpectPointNear(vars.GetUcsYDir(), c.expected.yDir, kNear, "y axis");
    EXPECT_EQ(vars.UcsLeftHanded != 0, c.expected.leftHanded);
    EXPECT_EQ(vars.UcsIsWorld != 0, c.expected.world);
  }
}

TEST_F(UcsCommandTest, PointsAreTypedInTheCurrentUcs) {
  ASSERT_TRUE(script_.Run({"ucs", "n", "r", "90"}));
  ASSERT_TRUE(script_.Run({"ucs", "m", "10,0"}));
  ExpectUcs({{0, 10}, {0, 1}, {-1, 0}, false, false}, "moved along the turned x axis");

  // Enter at every prompt keeps the turned and moved UCS; the defaults are
  // shown as the user would type them.
  ASSERT_TRUE(script_.Run({"ucs", "n", "3p", "", "", ""}));
  ExpectUcs({{0, 10}, {0, 1}, {-1, 0}, false, false}, "three defaults");
  const std::vector<std::string> prompts = script_.Frame().Prompts();
  const std::vector<std::string> tail(prompts.end() - 3, prompts.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"Input new origin<0.0000,0.0000>",
                                            "Input positive X axis direction<1.0000,0.0000>",
                                            "Input positive Y axis direction<0.0000,1.0000>"}));
}

TEST_F(UcsCommandTest, ThreePointsAskAgainForAnAxisWithoutDirection) {
  ASSERT_TRUE(script_.Run({"ucs", "n", "3p", "0,0", "0,0", "10,0", "20,0", "0,5"}));
  EXPECT_EQ(Printed(), (std::vector<std::string>{"Same as origin!", "Three points are on the same line!"}));
  const std::vector<std::string> prompts = script_.Frame().Prompts();
  const std::string xPrompt = "Input positive X axis direction<1.0000,0.0000>";
  const std::string yPrompt = "Input positive Y axis direction<0.0000,1.0000>";
  EXPECT_EQ(std::vector<std::string>(prompts.end() - 4, prompts.end()),
            (std::vector<std::string>{xPrompt, xPrompt, yPrompt, yPrompt}));
  ExpectUcs(kWorld, "same axes again");
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"UCS"}));
}

TEST_F(UcsCommandTest, AlignsWithAPickedEntity) {
  struct Case {
    const char* name;
    std::vector<std::string> draw;
    std::string pick;
    Ucs expected;
  };
  const Case cases[] = {
      {"line picked near its end", {"line", "10,10", "20,20", ""}, "19,19",
       {{20, 20}, {-kHalfRoot, -kHalfRoot}, {kHalfRoot, -kHalfRoot}, false, false}},
      {"circle", {"circle", "100,100", "20"}, "100,120", {{100, 100}, {0, 1}, {-1, 0}, false, false}},
      {"arc towards its nearer end", {"arc", "120,100", "100,120", "80,100"}, "86,114",
       {{100, 100}, {-1, 0}, {0, -1}, false, false}},
      {"polyline arc segment", {"pline", "200,100", "Arc", "200,140", ""}, "219,126",
       {{200, 120}, {0, 1}, {-1, 0}, false, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedView script;
    ShowPickableWindow(script);
    ASSERT_TRUE(RunScript(script, c.draw.front(), {c.draw.begin() + 1, c.draw.end()}));
    const std::size_t printedBefore = script.Printed().HistoryLines().size();
    ASSERT_TRUE(RunScript(script, "ucs", {"n", "o", c.pick}));
    EXPECT_EQ(script.Printed().HistoryLines().size(), printedBefore);
    const FcSystemVar& vars = script.Drawing().GetSysVars();
    ExpectPointNear(vars.ucsorg, c.expected.origin, 1e-6, "origin");
    ExpectPointNear(vars.GetUcsXDir(), c.expected.xDir, 1e-6, "x axis");
    ExpectPointNear(vars.GetUcsYDir(), c.expected.yDir, 1e-6, "y axis");
  }
}

TEST_F(UcsCommandTest, PicksThatGiveNoAxesChangeNothing) {
  ASSERT_TRUE(script_.Run({"xline", "h", "0,50", ""}));
  ASSERT_TRUE(script_.Run({"ucs", "n", "o", "200,50"}));
  EXPECT_EQ(LastPrinted(), "This object does not define a coordinate system.");
  ASSERT_TRUE(script_.Run({"ucs", "n", "o", "300,250"}));
  EXPECT_EQ(LastPrinted(), "No object found.");
  ASSERT_TRUE(RunScript(script_, "ucs", {"n", "o", kEsc}));
  EXPECT_EQ(LastPrinted(), "No object found.");
  ExpectUcs(kWorld);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"XLine"}));
}

TEST_F(UcsCommandTest, NamedUcsAreSavedListedRestoredAndDeleted) {
  ASSERT_TRUE(script_.Run({"ucs", "s", "?"}));
  EXPECT_EQ(LastPrinted(), "There aren't any UCS!");

  ASSERT_TRUE(script_.Run({"ucs", "m", "1,0"}));
  ASSERT_TRUE(script_.Run({"ucs", "s", "Plan"}));
  ASSERT_TRUE(script_.Run({"ucs", "m", "1,0"}));
  ASSERT_TRUE(script_.Run({"ucs", "s", "plan"}));
  ASSERT_TRUE(script_.Run({"ucs", "s", "Side"}));
  EXPECT_EQ(NamedUcs(), (std::vector<std::string>{"Plan", "plan", "Side"}));
  EXPECT_EQ(script_.Drawing().GetSysVars().Modified, 1);

  ASSERT_TRUE(script_.Run({"ucs", ""}));
  ASSERT_TRUE(script_.Run({"ucs", "r", "PLAN"}));
  ExpectUcs(Moved(1, 0), "first of the two records");

  ASSERT_TRUE(script_.Run({"ucs", "d", "PLAN"}));
  ASSERT_TRUE(script_.Run({"ucs", "d", "nothing"}));
  ASSERT_TRUE(script_.Run({"ucs", "r", "?"}));
  EXPECT_EQ(NamedUcs(), (std::vector<std::string>{"Side", "plan"}));
  const std::vector<std::string> printed = Printed();
  EXPECT_EQ(std::vector<std::string>(printed.end() - 2, printed.end()), (std::vector<std::string>{"Side", "plan"}));
  ASSERT_TRUE(script_.Run({"ucs", "r", "plan"}));
  ExpectUcs(Moved(2, 0), "the second record once the first is gone");
  // Save and Delete leave no undo step.
  EXPECT_EQ(UndoNames(), (std::vector<std::string>(5, "UCS")));
}

TEST_F(UcsCommandTest, PreviousStepsBackAndUndoPutsTheStepBack) {
  ASSERT_TRUE(script_.Run({"ucs", "p"}));
  ExpectUcs(kWorld, "empty list");
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"UCS"}));
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(LastPrinted(), "Undo : UCS");

  ASSERT_TRUE(script_.Run({"ucs", "m", "5,0"}));
  ASSERT_TRUE(script_.Run({"ucs", "m", "5,0"}));
  ASSERT_TRUE(script_.Run({"ucs", "p"}));
  ExpectUcs(Moved(5, 0), "one step back");
  ASSERT_TRUE(script_.Run({"undo"}));
  ExpectUcs(Moved(10, 0), "the step back undone");
  ASSERT_TRUE(script_.Run({"ucs", "p"}));
  ASSERT_TRUE(script_.Run({"ucs", "p"}));
  ExpectUcs(kWorld, "two steps back");
  EXPECT_EQ(PreviousCount(), 0);
  ASSERT_TRUE(script_.Run({"undo"}));
  ExpectUcs(Moved(5, 0), "the last step back undone");
  ASSERT_TRUE(script_.Run({"redo"}));
  ExpectUcs(kWorld, "and redone");
  EXPECT_EQ(PreviousCount(), 0);
}

TEST_F(UcsCommandTest, AnUnknownNameLeavesThePreviousListAsItWas) {
  ASSERT_TRUE(script_.Run({"ucs", "m", "5,0"}));
  ASSERT_TRUE(script_.Run({"ucs", "r", "missing"}));
  ExpectUcs(Moved(5, 0), "nothing restored");
  ASSERT_TRUE(script_.Run({"undo"}));
  ExpectUcs(Moved(5, 0), "nothing to take back");
  ASSERT_TRUE(script_.Run({"ucs", "p"}));
  ExpectUcs(kWorld, "the earlier UCS is still there");
}

}  // namespace
