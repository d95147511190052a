#include "shell/grip_editing.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "database/graph.h"
#include "display/display_surface.h"
#include "display/grip_point.h"
#include "display/view_transform.h"
#include "entities/line.h"
#include "tests/support/command_script.h"
#include "tests/support/recording_device.h"
#include "tests/support/test_command.h"

namespace {

constexpr const char* kStretchPrompt = "Input the stretch point or [Base/Copy/eXit]";
constexpr const char* kStretchLine = "*** Stretch ***";
constexpr const char* kStretchCopyLine = "*** Stretch (Copy) ***";
constexpr int kShift = 0x04;

// The drawing's surface on a recording device, one world unit per pixel
// over (0, 0) to (400, 300), so that picks find what is drawn.
void ShowOnRecordingDevice(ScriptedView& script) {
  script.OnWindowThread([&script] {
    FcDisplaySurface& surface = *script.Drawing().GetDisplaySurface();
    surface.SetDevice(std::make_unique<RecordingDevice>());
    surface.SetDeviceSize(400, 300);
    FcViewTransform& view = *surface.GetView();
    view.x0 = 0.0;
    view.y0 = 0.0;
    view.x1 = 400.0;
    view.y1 = 300.0;
    view.Update();
    return true;
  });
}

// Lines added while the command thread is idle, then everything drawn so
// that the pick box meets them.
std::vector<FcLine*> AddLines(ScriptedView& script, const std::vector<std::pair<FcPoint2d, FcPoint2d>>& ends) {
  return script.OnWindowThread([&] {
    std::vector<FcLine*> lines;
    FcGraph& drawing = script.Drawing();
    for (const auto& [start, end] : ends) {
      auto* line = new FcLine;
      line->SetStartPoint(start);
      line->SetEndPoint(end);
      drawing.AddEntity(line, false);
      lines.push_back(line);
    }
    drawing.Regen();
    drawing.GetDisplaySurface()->Redraw();
    return lines;
  });
}

struct GripState {
  std::int32_t requestKind = 0;
  int selected = 0;
  int markers = 0;
  int hotGrips = 0;
};

GripState StateOf(ScriptedView& script) {
  return script.OnWindowThread([&script] {
    GripState state;
    state.requestKind = script.View().GetInputRequest().requestKind;
    state.selected = script.View().GetPickFirstSelection().GetCount();
    FcDsGroupEnts& grips = script.Drawing().GetDisplaySurface()->GetGripGroup();
    state.markers = grips.GetCount();
    for (int i = 0; i < grips.GetCount(); ++i)
      for (int hot : dynamic_cast<FcGripPoint*>(grips.GetPrimitive(i))->GetStates()) state.hotGrips += hot;
    return state;
  });
}

// The line's ends, read while the command thread is idle.
std::pair<FcPoint2d, FcPoint2d> EndsOf(ScriptedView& script, const FcLine* line) {
  return script.OnWindowThread([line] { return std::make_pair(line->GetStartPoint(), line->GetEndPoint()); });
}

class GripEditingTest : public CommandScriptTest {
 protected:
  GripEditingTest() { ShowOnRecordingDevice(script_); }
};

TEST_F(GripEditingTest, ASharedEndMovesBothLinesAndOneUndoRestoresBoth) {
  const std::vector<FcLine*> lines = AddLines(script_, {{{0, 0}, {100, 0}}, {{100, 0}, {100, 80}}});
  script_.Click({50, 1});
  script_.Click({99, 30});
  GripState state = StateOf(script_);
  EXPECT_EQ(state.selected, 2);
  EXPECT_EQ(state.markers, 2);

  script_.Click({101, 1});
  state = StateOf(script_);
  EXPECT_EQ(state.requestKind, kRequestGripStretch);
  EXPECT_EQ(state.hotGrips, 2);
  EXPECT_EQ(LastPrinted(), kStretchLine);
  EXPECT_EQ(script_.Frame().Prompts().back(), kStretchPrompt);

  script_.Click({120, 30});
  EXPECT_EQ(EndsOf(script_, lines[0]).second, (FcPoint2d{120, 30}));
  EXPECT_EQ(EndsOf(script_, lines[1]).first, (FcPoint2d{120, 30}));
  state = StateOf(script_);
  EXPECT_EQ(state.requestKind, kRequestNone);
  EXPECT_EQ(state.selected, 2);
  EXPECT_EQ(state.hotGrips, 0);
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"Grip Edit"});
  // The markers follow the moved ends: the new place is a grip again.
  script_.Click({120, 30});
  EXPECT_EQ(StateOf(script_).hotGrips, 2);
  script_.PressEsc();

  ASSERT_TRUE(script_.Run({"Undo"}));
  EXPECT_EQ(LastPrinted(), "Undo : Grip Edit");
  EXPECT_EQ(EndsOf(script_, lines[0]).second, (FcPoint2d{100, 0}));
  EXPECT_EQ(EndsOf(script_, lines[1]).first, (FcPoint2d{100, 0}));
}

TEST_F(GripEditingTest, CopyAddsMovedCopiesThenTheNextPointMovesTheEntity) {
  const std::vector<FcLine*> lines = AddLines(script_, {{{0, 0}, {100, 0}}});
  script_.Click({50, 1});
  script_.Click({100, 0});
  script_.Type("C");
  EXPECT_EQ(LastPrinted(), kStretchCopyLine);

  script_.Click({100, 50});
  std::vector<const FcLine*> all = EntitiesOf<FcLine>();
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(EndsOf(script_, all[1]), std::make_pair(FcPoint2d{0, 0}, FcPoint2d{100, 50}));
  EXPECT_EQ(EndsOf(script_, lines[0]).second, (FcPoint2d{100, 0}));
  EXPECT_EQ(StateOf(script_).requestKind, kRequestGripStretch);
  EXPECT_EQ(LastPrinted(), kStretchCopyLine);

  script_.Click({100, 20});
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 2u);
  EXPECT_EQ(EndsOf(script_, lines[0]).second, (FcPoint2d{100, 20}));
  EXPECT_EQ(StateOf(script_).requestKind, kRequestNone);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Grip Edit(Copy)", "Grip Edit"}));

  ASSERT_TRUE(script_.Run({"Undo"}));
  ASSERT_TRUE(script_.Run({"Undo"}));
  all = EntitiesOf<FcLine>();
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(EndsOf(script_, all[0]).second, (FcPoint2d{100, 0}));
}

TEST_F(GripEditingTest, ShiftClickTakesAnEntityAndItsGripsOutOfTheSelection) {
  AddLines(script_, {{{0, 0}, {100, 0}}, {{0, 50}, {100, 50}}, {{0, 100}, {100, 100}}});
  script_.Click({50, 1});
  script_.Click({30, 50});
  script_.Click({30, 1}, kShift);
  GripState state = StateOf(script_);
  EXPECT_EQ(state.selected, 1);
  EXPECT_EQ(state.markers, 1);
  // Shift on a line that is not selected changes nothing.
  script_.Click({30, 100}, kShift);
  state = StateOf(script_);
  EXPECT_EQ(state.selected, 1);
  EXPECT_EQ(state.markers, 1);
  // The removed line's grip no longer starts an edit.
  script_.Click({100, 0});
  EXPECT_EQ(StateOf(script_).requestKind, kRequestNone);
}

// A click on empty space opens a box; to the right it takes what lies
// wholly inside, to the left also what it crosses; a typed corner does the
// same by its x; Esc abandons the box and keeps the selection.
TEST_F(GripEditingTest, AClickOnNothingOpensASelectionBoxWhoseDirectionDecides) {
  AddLines(script_, {{{30, 30}, {80, 30}}, {{30, 60}, {170, 60}}});
  struct BoxCase {
    FcPoint2d first;
    std::string second;  // a click "x,y" or a typed corner "=x,y"
    int selected;
  };
  const BoxCase cases[] = {
      {{10, 10}, "120,80", 1},   // window: the long line pokes out
      {{120, 80}, "10,10", 2},   // crossing
      {{10, 10}, "=120,80", 1},  // typed, rightwards: window
      {{120, 80}, "=10,10", 2},  // typed, leftwards: crossing
      {{300, 200}, "250,150", 0},
  };
  for (const BoxCase& c : cases) {
    script_.PressEsc();
    const int markersBefore = StateOf(script_).markers;
    script_.Click(c.first);
    ASSERT_EQ(StateOf(script_).requestKind, kRequestBoxCorner) << c.second;
    EXPECT_EQ(script_.Frame().Prompts().back(), "Input the other corner");
    if (c.second.front() == '=') {
      script_.Type(c.second.substr(1));
    } else {
      const auto comma = c.second.find(',');
      script_.Click({std::stod(c.second.substr(0, comma)), std::stod(c.second.substr(comma + 1))});
    }
    const GripState state = StateOf(script_);
    EXPECT_EQ(state.requestKind, kRequestNone) << c.second;
    EXPECT_EQ(state.selected, c.selected) << c.second;
    EXPECT_EQ(state.markers - markersBefore, c.selected) << c.second;
  }

  script_.Click({300, 200});
  script_.Type("no point");
  EXPECT_EQ(StateOf(script_).requestKind, kRequestBoxCorner) << "a text that is no point asks again";
  script_.PressEsc();
  EXPECT_EQ(StateOf(script_).requestKind, kRequestNone);
}

// What the user gives at the grip prompts once the end (100, 0) of the
// line from (0, 0) is hot, and where that end ends up.
TEST(GripPromptTest, AnswersAtTheStretchAndBasePrompts) {
  struct Step {
    const char* typed;  // null: a click at point
    FcPoint2d point;
  };
  struct Case {
    const char* name;
    std::vector<Step> steps;
    FcPoint2d end;
    bool stillPending;
  };
  const std::vector<Case> cases = {
      {"a typed point", {{"110,5", {}}}, {110, 5}, false},
      {"relative to the grip", {{"@0,10", {}}}, {100, 10}, false},
      {"Base, then the offset counts from the new base", {{"B", {}}, {"10,10", {}}, {"15,12", {}}}, {105, 2}, false},
      {"Esc at the base prompt keeps the grip as base", {{"B", {}}, {"\x1b", {}}, {"100,30", {}}}, {100, 30}, false},
      {".x takes the click's x, then the typed y", {{".x", {}}, {nullptr, {30, 70}}, {"0,5", {}}}, {30, 5}, false},
      {".y then a number completes the point", {{".y", {}}, {nullptr, {60, 40}}, {"70", {}}}, {70, 40}, false},
      {"a filtered copy leaves the next point unfiltered",
       {{"C", {}}, {".x", {}}, {nullptr, {30, 70}}, {"0,5", {}}, {"110,8", {}}},
       {110, 8},
       false},
      {"a number alone is no point", {{"5", {}}}, {100, 0}, true},
      {"text that is no answer only shows the prompt", {{"foo", {}}}, {100, 0}, true},
      {"Enter ends", {{"", {}}}, {100, 0}, false},
      {"eXit ends", {{"X", {}}}, {100, 0}, false},
      {"Esc ends", {{"\x1b", {}}}, {100, 0}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ProgramCommandsScope table;
    ScriptedView script;
    ShowOnRecordingDevice(script);
    const std::vector<FcLine*> lines = AddLines(script, {{{0, 0}, {100, 0}}});
    script.Click({50, 1});
    script.Click({100, 0});
    const std::size_t printed = script.Printed().HistoryLines().size();
    for (const Step& step : c.steps) {
      if (step.typed == nullptr) {
        script.Click(step.point);
      } else if (std::string(step.typed) == "\x1b") {
        script.PressEsc();
      } else {
        script.Type(step.typed);
      }
    }
    EXPECT_EQ(EndsOf(script, lines[0]).second, c.end);
    const GripState state = StateOf(script);
    EXPECT_EQ(state.requestKind == kRequestGripStretch, c.stillPending);
    // Ended or not, the line stays selected with its grips.
    EXPECT_EQ(state.selected, 1);
    EXPECT_EQ(state.markers, 1);
    if (!c.stillPending) EXPECT_EQ(state.hotGrips, 0);
    if (c.stillPending) EXPECT_EQ(script.Printed().HistoryLines().size(), printed);
  }
}

// A clicked stretch point goes through the cursor pipeline: onto the snap
// grid, onto a grip it touches, and square to the base point with ortho.
TEST_F(GripEditingTest, AClickedStretchPointIsSnappedCapturedAndSquared) {
  struct Case {
    const char* name;
    bool snap;
    bool ortho;
    FcPoint2d click;
    FcPoint2d end;
  };
  const Case cases[] = {
      {"ortho makes the move vertical", false, true, {120, 30}, {100, 30}},
      {"the snap grid of 10", true, false, {123, 36}, {120, 40}},
      {"a grip of the other line captures it", false, false, {201, 52}, {200, 50}},
  };
  const std::vector<FcLine*> lines = AddLines(script_, {{{0, 0}, {100, 0}}, {{200, 50}, {300, 50}}});
  script_.Click({50, 1});
  script_.Click({250, 51});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    script_.OnWindowThread([&] {
      FcSystemVar& vars = script_.Drawing().GetSysVars();
      vars.snapmode = c.snap ? 1 : 0;
      vars.snapunit = {10, 10};
      vars.orthomode = c.ortho ? 1 : 0;
      return true;
    });
    script_.Click({100, 0});
    script_.Click(c.click);
    EXPECT_EQ(EndsOf(script_, lines[0]).second, c.end);
    ASSERT_TRUE(script_.Run({"Undo"}));
    script_.Click({50, 1});
  }
}

// Object snap works at the stretch prompt as at a command's point prompt:
// OSMODE takes a click near another line's end to that end, and a typed
// override that finds nothing says so and asks again.
TEST_F(GripEditingTest, AStretchPointSnapsToOtherObjects) {
  const std::vector<FcLine*> lines = AddLines(script_, {{{0, 0}, {100, 0}}, {{0, 100}, {60, 100}}});
  script_.OnWindowThread([&] {
    script_.Drawing().GetSysVars().osmode = 1;
    return true;
  });
  script_.Click({50, 1});
  script_.Click({100, 0});
  script_.Click({62, 101});
  EXPECT_EQ(EndsOf(script_, lines[0]).second, (FcPoint2d{60, 100}));

  // The moved end is a grip again.
  script_.Click({60, 100});
  ASSERT_EQ(StateOf(script_).requestKind, kRequestGripStretch);
  script_.Type("mid");
  script_.Click({300, 250});
  EXPECT_EQ(LastPrinted().rfind("Can't find the ", 0), 0u) << LastPrinted();
  EXPECT_EQ(StateOf(script_).requestKind, kRequestGripStretch);
  EXPECT_EQ(EndsOf(script_, lines[0]).second, (FcPoint2d{60, 100}));
  script_.PressEsc();
}

TEST_F(GripEditingTest, ACommandStartedByAMacroEndsTheGripEdit) {
  const std::vector<FcLine*> lines = AddLines(script_, {{{0, 0}, {100, 0}}});
  script_.Click({50, 1});
  script_.Click({100, 0});
  script_.RunMacro("Undo");
  ASSERT_TRUE(script_.WaitUntilIdle());
  EXPECT_EQ(StateOf(script_).requestKind, kRequestNone);
  EXPECT_EQ(script_.OnWindowThread([this] { return script_.View().Grips().Drag().GetItemCount(); }), 0);
  script_.Type("120,0");
  EXPECT_EQ(EndsOf(script_, lines[0]).second, (FcPoint2d{100, 0}));
}

// Reports completion once the cursor has passed x 10.
class PastTenDrag : public FcDragObject {
 public:
  PastTenDrag() { mode = 2; }
  bool DrawTest(FcGraph*, FcDisplaySurface*, const FcPoint2d& point, int) override { return point.x > 10; }
};

TEST(TrackPointTest, ACursorMoveThatTheDragAcceptsEndsTheTrackedPoint) {
  PastTenDrag drag;
  std::vector<int> statuses;
  UseTestCommand([&] {
    statuses.push_back(TrackPoint({0, 0}, &drag, "Track"));
    statuses.push_back(TrackPoint({0, 0}, &drag, "Track"));
    return kStatusDone;
  });
  ScriptedView script;
  ShowOnRecordingDevice(script);
  script.Type("TestBody");
  ASSERT_TRUE(script.WaitForPromptOrIdle());
  script.MoveCursor({5, 0});
  EXPECT_TRUE(script.IsWaitingForInput());
  script.MoveCursor({20, 0});
  ASSERT_TRUE(script.WaitForPromptOrIdle());
  ASSERT_TRUE(script.IsWaitingForInput());
  script.PressEsc();
  ASSERT_TRUE(script.WaitUntilIdle());
  EXPECT_EQ(statuses, (std::vector<int>{FC_INPUT_OK, FC_INPUT_CANCEL}));
}

}  // namespace
