#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/system_var.h"
#include "database/undo_items.h"
#include "database/undo_list.h"
#include "display/display_group.h"
#include "display/display_surface.h"
#include "display/drag_selects.h"
#include "entities/line.h"
#include "tests/support/pending_band.h"
#include "tests/support/pickable_script.h"

namespace {

// A line's end points, rounded to 1e-6 so that a rotated or mirrored line
// compares as the text of its exact result.
std::string Segment(const FcLine& line) {
  const auto text = [](const FcPoint2d& p) {
    const auto round = [](double v) {
      const double r = std::round(v * 1e6) / 1e6;
      return r == 0.0 ? 0.0 : r;
    };
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "(%g,%g)", round(p.x), round(p.y));
    return std::string(buffer);
  };
  return text(line.GetStartPoint()) + "-" + text(line.GetEndPoint());
}

class EditCommandTest : public PickableScriptTest {
 protected:
  // Lines A (10,10)-(40,10) and B (10,50)-(40,50), drawn by the Line
  // command so that each is its own undo step.
  void DrawTwoLines() {
    ASSERT_TRUE(RunScript(script_, "line", {"10,10", "40,10", ""}));
    ASSERT_TRUE(RunScript(script_, "line", {"10,50", "40,50", ""}));
  }

  // Every line of the current space, oldest first.
  std::vector<std::string> Segments() {
    std::vector<std::string> segments;
    for (const FcLine* line : EntitiesOf<FcLine>()) segments.push_back(Segment(*line));
    return segments;
  }

  int HighlightedGroups() { return ::HighlightedGroups(script_); }

  // The prompts shown since the mark.
  std::vector<std::string> PromptsSince(std::size_t mark) {
    const std::vector<std::string> prompts = script_.Frame().Prompts();
    return {prompts.begin() + static_cast<std::ptrdiff_t>(std::min(mark, prompts.size())), prompts.end()};
  }
  std::size_t PromptMark() { return script_.Frame().Prompts().size(); }
  // The prompts since the mark that follow the selection.
  std::vector<std::string> PromptsAfterSelection(std::size_t mark) {
    std::vector<std::string> prompts = PromptsSince(mark);
    const auto last = std::find(prompts.rbegin(), prompts.rend(), "Select objects");
    if (last != prompts.rend()) prompts.erase(prompts.begin(), last.base());
    return prompts;
  }

  // The actions of the newest undo item, in record order.
  std::vector<UndoAction> NewestActions() {
    return script_.OnWindowThread([this] {
      std::vector<UndoAction> actions;
      const auto* item = dynamic_cast<const FcEntSetsUndoItem*>(script_.Drawing().GetUndoList().GetCurrent());
      if (item != nullptr)
        for (const FcEntSetsUndoRecord& record : item->GetRecords()) actions.push_back(record.action);
      return actions;
    });
  }
};

TEST_F(EditCommandTest, EraseRemovesThePickedEntitiesAndUndoPutsThemBackUnderTheirHandles) {
  DrawTwoLines();
  const FcHandle handle = EntitiesOf<FcLine>()[0]->GetHandle();
  const std::size_t mark = PromptMark();
  ASSERT_TRUE(RunScript(script_, "erase", {"25,10", ""}));
  EXPECT_EQ(PromptsSince(mark).front(), "Select objects");
  EXPECT_EQ(Segments(), (std::vector<std::string>{"(10,50)-(40,50)"}));
  EXPECT_EQ(UndoNames().back(), "Erase");
  EXPECT_EQ(NewestActions(), (std::vector<UndoAction>{kUndoErased}));

  ASSERT_TRUE(script_.Run({"undo"}));
  const std::vector<const FcLine*> back = EntitiesOf<FcLine>();
  ASSERT_EQ(back.size(), 2u);
  EXPECT_TRUE(back[0]->GetHandle() == handle || back[1]->GetHandle() == handle);
  ASSERT_TRUE(script_.Run({"redo"}));
  EXPECT_EQ(Segments(), (std::vector<std::string>{"(10,50)-(40,50)"}));
}

// An empty selection still leaves its step, which changes nothing when
// undone; "Previous" after an Erase finds nothing to offer.
TEST_F(EditCommandTest, EraseOfNothingIsAStepAndLeavesNoPreviousSelection) {
  DrawTwoLines();
  script_.OnWindowThread([this] {
    script_.Drawing().GetSysVars().Modified = 0;
    return true;
  });
  ASSERT_TRUE(RunScript(script_, "erase", {""}));
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Line", "Line", "Erase"}));
  EXPECT_TRUE(NewestActions().empty());
  EXPECT_EQ(script_.OnWindowThread([this] { return int(script_.Drawing().GetSysVars().Modified); }), 1);
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(Segments().size(), 2u);

  ASSERT_TRUE(RunScript(script_, "erase", {"25,10", ""}));
  ASSERT_TRUE(RunScript(script_, "move", {"p", ""}));
  EXPECT_EQ(UndoNames().back(), "Erase") << "the previous selection held only the erased line";
  EXPECT_EQ(script_.OnWindowThread([this] { return script_.Drawing().GetPreviousSelection().GetCount(); }), 0);
}

TEST_F(EditCommandTest, MoveShiftsTheSelectionByTheTwoPointsOrByTheBasePointOnEnter) {
  struct Case {
    const char* name;
    std::vector<std::string> points;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {"two points", {"20,10", "25,30"}, {"(15,30)-(45,30)", "(10,50)-(40,50)"}},
      {"Enter takes the base point as the displacement", {"10,5", ""}, {"(20,15)-(50,15)", "(10,50)-(40,50)"}},
  };
  for (const Case& c : cases) {
    DrawTwoLines();
    const std::size_t mark = PromptMark();
    std::vector<std::string> answers = {"25,10", ""};
    answers.insert(answers.end(), c.points.begin(), c.points.end());
    ASSERT_TRUE(RunScript(script_, "move", answers)) << c.name;
    EXPECT_EQ(Segments(), c.expected) << c.name;
    EXPECT_EQ(PromptsAfterSelection(mark),
              (std::vector<std::string>{"Base point or displacement", "Second point of displacement"}))
        << c.name;
    EXPECT_EQ(UndoNames().back(), "Move") << c.name;
    EXPECT_EQ(NewestActions(), (std::vector<UndoAction>{kUndoChanged})) << c.name;
    EXPECT_EQ(HighlightedGroups(), 0) << c.name;
    ASSERT_TRUE(script_.Run({"undo"}));
    EXPECT_EQ(Segments(), (std::vector<std::string>{"(10,10)-(40,10)", "(10,50)-(40,50)"})) << c.name;
    ASSERT_TRUE(RunScript(script_, "erase", {"all", ""}));
  }
}

// Picked points are UCS points and move by their world difference; Enter
// takes the base point's UCS coordinates as a world offset.
TEST_F(EditCommandTest, MoveInARotatedUcs) {
  DrawTwoLines();
  script_.OnWindowThread([this] {
    // x axis along world +y.
    return script_.Drawing().GetSysVars().SetUcs({0, 0}, {0, 1}, {-1, 0});
  });
  // World (25,10) is UCS (10,-25).
  ASSERT_TRUE(RunScript(script_, "move", {"10,-25", "", "0,0", "5,0"}));
  EXPECT_EQ(Segments()[0], "(10,15)-(40,15)");
  ASSERT_TRUE(RunScript(script_, "move", {"10,-25", "", "3,4", ""}));
  EXPECT_EQ(Segments()[0], "(13,19)-(43,19)");
}

TEST_F(EditCommandTest, BaseOrSecondPointRefusesEnterOrEndsOnEsc) {
  DrawTwoLines();
  ASSERT_TRUE(RunScript(script_, "move", {"25,10", "", "", kEsc}));
  EXPECT_TRUE(RefusedWith("Need point!", "Base point or displacement"));
  ASSERT_TRUE(RunScript(script_, "move", {"25,10", "", "0,0", kEsc}));
  EXPECT_EQ(Segments(), (std::vector<std::string>{"(10,10)-(40,10)", "(10,50)-(40,50)"}));
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Line", "Line"}));
  EXPECT_EQ(HighlightedGroups(), 0);
}

TEST_F(EditCommandTest, CopyAddsMovedDuplicatesThatKeepTheirSourcesProperties) {
  DrawTwoLines();
  script_.OnWindowThread([this] {
    FcGraph& graph = script_.Drawing();
    auto* source = const_cast<FcLine*>(EntitiesIn<FcLine>(script_)[0]);
    source->SetLayer(graph.FindOrCreateLayer("Walls"));
    source->SetColor(3);
    source->SetLinetypeScale(2.5);
    graph.SetCurrentLayer(graph.FindOrCreateLayer("Other")->GetName());
    graph.GetSysVars().cecolor = 5;
    return true;
  });
  const std::size_t mark = PromptMark();
  ASSERT_TRUE(RunScript(script_, "copy", {"25,10", "", "0,0", "5,20"}));
  EXPECT_EQ(PromptsAfterSelection(mark),
            (std::vector<std::string>{"<Base point or displacement>/Multiple", "Second point of displacement"}));
  EXPECT_EQ(Segments(), (std::vector<std::string>{"(10,10)-(40,10)", "(10,50)-(40,50)", "(15,30)-(45,30)"}));
  const std::vector<const FcLine*> lines = EntitiesOf<FcLine>();
  EXPECT_NE(lines[2]->GetHandle(), lines[0]->GetHandle());
  EXPECT_EQ(lines[2]->GetLayer()->GetName(), "Walls");
  EXPECT_EQ(lines[2]->GetColor(), 3);
  EXPECT_EQ(lines[2]->GetLinetypeScale(), 2.5);
  EXPECT_EQ(UndoNames().back(), "Copy");
  EXPECT_EQ(NewestActions(), (std::vector<UndoAction>{kUndoCreated}));
  EXPECT_EQ(HighlightedGroups(), 0);

  ASSERT_TRUE(RunScript(script_, "copy", {"25,10", "", "10,5", ""}));
  EXPECT_EQ(Segments().back(), "(20,15)-(50,15)") << "Enter moves by the base point";
}

// Each placement is its own step; Enter ends the run and keeps them all.
TEST_F(EditCommandTest, CopyMultiplePlacesUntilEnterAndUndoesOnePlacementAtATime) {
  DrawTwoLines();
  const std::size_t mark = PromptMark();
  ASSERT_TRUE(RunScript(script_, "copy", {"25,10", "", "m", "0,0", "0,100", "0,120", "0,140", ""}));
  const std::vector<std::string> prompts = PromptsAfterSelection(mark);
  EXPECT_EQ(std::vector<std::string>(prompts.begin(), prompts.begin() + 3),
            (std::vector<std::string>{"<Base point or displacement>/Multiple", "Base point",
                                      "Second point of displacement"}));
  EXPECT_EQ(Segments(), (std::vector<std::string>{"(10,10)-(40,10)", "(10,50)-(40,50)", "(10,110)-(40,110)",
                                                  "(10,130)-(40,130)", "(10,150)-(40,150)"}));
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Line", "Line", "Copy", "Copy", "Copy"}));
  EXPECT_EQ(HighlightedGroups(), 0);
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(Segments().size(), 4u);
  EXPECT_EQ(Segments().back(), "(10,130)-(40,130)");
}

// Both change the line (10,10)-(40,10) about the base point (10,10).
TEST_F(EditCommandTest, RotateAndScaleChangeAboutTheBasePointByAValueOrANewValueOverAReference) {
  struct Case {
    const char* command;
    std::vector<std::string> answers;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"rotate", {"90"}, "(10,10)-(10,40)"},
      {"rotate", {"10,0"}, "(10,10)-(10,-20)"},
      {"rotate", {"r", "", "90"}, "(10,10)-(10,40)"},
      {"rotate", {"r", "45", "135"}, "(10,10)-(10,40)"},
      {"scale", {"2"}, "(10,10)-(70,10)"},
      {"scale", {"10,13"}, "(10,10)-(100,10)"},
      {"scale", {"r", "", "3"}, "(10,10)-(100,10)"},
      {"scale", {"r", "4", "2"}, "(10,10)-(25,10)"},
  };
  for (const Case& c : cases) {
    const std::string command = c.command;
    const std::string name = command + " " + testing::PrintToString(c.answers);
    const bool rotate = command == "rotate";
    ASSERT_TRUE(RunScript(script_, "line", {"10,10", "40,10", ""}));
    const std::size_t mark = PromptMark();
    std::vector<std::string> answers = {"25,10", "", "10,10"};
    answers.insert(answers.end(), c.answers.begin(), c.answers.end());
    ASSERT_TRUE(RunScript(script_, command, answers)) << name;
    EXPECT_EQ(Segments(), std::vector<std::string>{c.expected}) << name;
    EXPECT_EQ(UndoNames().back(), rotate ? "Rotate" : "Scale") << name;
    EXPECT_EQ(NewestActions(), (std::vector<UndoAction>{kUndoChanged})) << name;
    std::vector<std::string> expected = {"Base point", rotate ? "<Rotation angle>/Reference" : "<Scale factor>/Reference"};
    if (c.answers.size() == 3) {
      if (rotate) {
        expected.insert(expected.end(), {"Reference angle<0>", "New angle"});
      } else {
        expected.insert(expected.end(), {"Reference length <1.0>", "New length"});
      }
    }
    EXPECT_EQ(PromptsAfterSelection(mark), expected) << name;
    ASSERT_TRUE(RunScript(script_, "erase", {"all", ""}));
  }
}

TEST_F(EditCommandTest, ScaleRefusesAFactorOrLengthOfZeroOrBelow) {
  ASSERT_TRUE(RunScript(script_, "line", {"10,10", "40,10", ""}));
  ASSERT_TRUE(RunScript(script_, "scale", {"25,10", "", "10,10", "0", "-2", "", "r", "0", "-1", "2", "0", "4"}));
  EXPECT_TRUE(RefusedWith("Can't input zero!", "<Scale factor>/Reference"));
  EXPECT_TRUE(RefusedWith("Can't input negative number!", "<Scale factor>/Reference"));
  EXPECT_TRUE(RefusedWith("Can't input zero!", "Reference length <1.0>"));
  EXPECT_TRUE(RefusedWith("Can't input negative number!", "Reference length <1.0>"));
  EXPECT_TRUE(RefusedWith("Can't input zero!", "New length"));
  EXPECT_EQ(Segments(), (std::vector<std::string>{"(10,10)-(70,10)"}));
}

TEST_F(EditCommandTest, MirrorAddsMirroredCopiesOrTurnsTheSourcesOver) {
  struct Case {
    const char* name;
    std::vector<std::string> answers;
    std::vector<std::string> expected;
    UndoAction action;
  };
  const std::vector<Case> cases = {
      {"Enter keeps the sources", {"0,0", "0,10", ""}, {"(10,10)-(40,10)", "(-10,10)-(-40,10)"}, kUndoCreated},
      {"No keeps the sources", {"0,0", "0,10", "n"}, {"(10,10)-(40,10)", "(-10,10)-(-40,10)"}, kUndoCreated},
      {"Yes mirrors in place", {"0,0", "0,10", "Y"}, {"(-10,10)-(-40,10)"}, kUndoChanged},
      {"a line of equal points is horizontal", {"0,20", "0,20", "yes"}, {"(10,30)-(40,30)"}, kUndoChanged},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(RunScript(script_, "line", {"10,10", "40,10", ""}));
    const std::size_t mark = PromptMark();
    std::vector<std::string> answers = {"25,10", ""};
    answers.insert(answers.end(), c.answers.begin(), c.answers.end());
    ASSERT_TRUE(RunScript(script_, "mirror", answers)) << c.name;
    EXPECT_EQ(Segments(), c.expected) << c.name;
    EXPECT_EQ(UndoNames().back(), "Mirror") << c.name;
    EXPECT_EQ(NewestActions(), std::vector<UndoAction>{c.action}) << c.name;
    EXPECT_EQ(HighlightedGroups(), 0) << c.name;
    EXPECT_EQ(PromptsAfterSelection(mark),
              (std::vector<std::string>{"Input 1st point of mirror line", "Input 2nd point of mirror line",
                                        "Delete resource objects?[Yes/No]<No>"}))
        << c.name;
    ASSERT_TRUE(script_.Run({"undo"}));
    EXPECT_EQ(Segments(), std::vector<std::string>{"(10,10)-(40,10)"}) << c.name;
    ASSERT_TRUE(RunScript(script_, "erase", {"all", ""}));
  }
}

// Esc at any prompt after the selection, or Enter where nothing is
// offered, ends the command with nothing changed, no step and nothing
// highlighted; an empty selection ends it at once.
TEST_F(EditCommandTest, GivingUpAfterTheSelectionChangesNothing) {
  const std::vector<std::vector<std::string>> runs = {
      {"move", "25,10", "", kEsc},
      {"move", "25,10", "", "0,0", kEsc},
      {"move", ""},
      {"copy", "25,10", "", kEsc},
      {"copy", "25,10", "", "0,0", kEsc},
      {"copy", "25,10", "", "m", kEsc},
      {"copy", "25,10", "", "m", "0,0", ""},
      {"rotate", "25,10", "", ""},
      {"rotate", "25,10", "", "0,0", kEsc},
      {"rotate", "25,10", "", "0,0", "r", kEsc},
      {"rotate", "25,10", "", "0,0", "r", "", kEsc},
      {"scale", "25,10", "", kEsc},
      {"scale", "25,10", "", "0,0", kEsc},
      {"scale", "25,10", "", "0,0", "r", kEsc},
      {"scale", "25,10", "", "0,0", "r", "", kEsc},
      {"mirror", "25,10", "", kEsc},
      {"mirror", "25,10", "", "0,0", kEsc},
      {"mirror", "25,10", "", "0,0", "0,10", kEsc},
      {"erase", kEsc},
  };
  DrawTwoLines();
  for (const std::vector<std::string>& run : runs) {
    const std::string name = testing::PrintToString(run);
    ASSERT_TRUE(RunScript(script_, run[0], {run.begin() + 1, run.end()})) << name;
    EXPECT_EQ(Segments(), (std::vector<std::string>{"(10,10)-(40,10)", "(10,50)-(40,50)"})) << name;
    EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Line", "Line"})) << name;
    EXPECT_EQ(HighlightedGroups(), 0) << name;
  }
}

// The prompt that asks for the change drags clones of the selection in the
// command's transform from the base point.
TEST_F(EditCommandTest, TheDefiningPromptPreviewsTheChangeOnClones) {
  struct Case {
    std::vector<std::string> typed;
    FcDragSelects::Transform transform;
    double referenceAngle;
    double referenceLength;
  };
  const std::vector<Case> cases = {
      {{"move", "25,10", "", "10,10"}, FcDragSelects::kMove, 0.0, 1.0},
      {{"copy", "25,10", "", "10,10"}, FcDragSelects::kMove, 0.0, 1.0},
      {{"copy", "25,10", "", "m", "10,10"}, FcDragSelects::kMove, 0.0, 1.0},
      {{"rotate", "25,10", "", "10,10"}, FcDragSelects::kRotate, 0.0, 1.0},
      {{"rotate", "25,10", "", "10,10", "r", "30"}, FcDragSelects::kRotateByReference, kPi / 6.0, 1.0},
      {{"scale", "25,10", "", "10,10"}, FcDragSelects::kScale, 0.0, 1.0},
      {{"scale", "25,10", "", "10,10", "r", "4"}, FcDragSelects::kScaleByReference, 0.0, 4.0},
      {{"mirror", "25,10", "", "10,10"}, FcDragSelects::kMirror, 0.0, 1.0},
  };
  DrawTwoLines();
  for (const Case& c : cases) {
    const std::string name = testing::PrintToString(c.typed);
    LookAtPendingBand<FcDragSelects>(script_, c.typed, [&](const FcDragSelects* band) {
      ASSERT_NE(band, nullptr) << name;
      EXPECT_EQ(band->transform, c.transform) << name;
      EXPECT_EQ(band->basePoint, (FcPoint2d{10, 10})) << name;
      EXPECT_NEAR(band->referenceAngle, c.referenceAngle, 1e-12) << name;
      EXPECT_EQ(band->referenceLength, c.referenceLength) << name;
      ASSERT_EQ(band->GetClones().GetCount(), 1) << name;
      EXPECT_NE(band->GetClones().GetAt(0), EntitiesOf<FcLine>()[0]) << name << ": a clone, not the line";
    });
    EXPECT_EQ(Segments(), (std::vector<std::string>{"(10,10)-(40,10)", "(10,50)-(40,50)"})) << name;
  }
}

}  // namespace
