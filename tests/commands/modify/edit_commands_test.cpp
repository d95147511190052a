#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/system_var.h"
#include "database/undo_items.h"
#include "database/undo_list.h"
#include "display/display_group.h"
#include "display/display_surface.h"
#include "entities/line.h"
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

  int HighlightedGroups() {
    return script_.OnWindowThread([this] {
      FcDisplaySurface* surface = script_.Drawing().GetDisplaySurface();
      int highlighted = 0;
      for (int i = 0; i < surface->GetGroupCount(); ++i) highlighted += surface->GetGroup(i)->highlighted ? 1 : 0;
      return highlighted;
    });
  }

  // The prompts shown since the mark.
  std::vector<std::string> PromptsSince(std::size_t mark) {
    const std::vector<std::string> prompts = script_.Frame().Prompts();
    return {prompts.begin() + static_cast<std::ptrdiff_t>(std::min(mark, prompts.size())), prompts.end()};
  }
  std::size_t PromptMark() { return script_.Frame().Prompts().size(); }

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
    const std::vector<std::string> prompts = PromptsSince(mark);
    EXPECT_EQ(std::vector<std::string>(prompts.end() - 2, prompts.end()),
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

}  // namespace
