#include "shell/select_objects.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "shell/entity_select_filter.h"
#include "shell/input_request.h"
#include "tests/support/selection_drawing.h"
#include "tests/support/test_command.h"

namespace {

constexpr int kShift = 0x04;

// "TestBody" runs one SelectObjects; the outcome is read once it ended.
class SelectObjectsTest : public ::testing::Test {
 protected:
  struct Outcome {
    int status = 0;
    std::string selected;
  };

  SelectObjectsTest() {
    UseTestCommand([this] {
      FcEntitySets objects(16);
      outcome_.status = SelectObjects({}, objects);
      outcome_.selected = drawing_.Letters(objects);
      return kStatusDone;
    });
  }
  ~SelectObjectsTest() override { SetSelectConditionEditor(nullptr); }

  // Runs one selection answered by the steps.
  Outcome Select(const std::vector<SelectionStep>& steps) {
    outcome_ = {};
    EXPECT_TRUE(PlaySteps(script_, "TestBody", steps));
    return outcome_;
  }
  std::string Previous() {
    return script_.OnWindowThread([this] { return drawing_.Letters(script_.Drawing().GetPreviousSelection()); });
  }
  std::vector<std::string> Printed() { return script_.Printed().HistoryLines(); }

  ScriptedView script_;
  SelectionDrawing drawing_{script_};
  Outcome outcome_;
};

TEST_F(SelectObjectsTest, PicksBoxesAndKeywordsBuildTheSelection) {
  struct Case {
    const char* what;
    std::vector<SelectionStep> steps;
    const char* selected;
  };
  const Case cases[] = {
      {"box left to right: only what lies inside", {ClickAt(0, -5), ClickAt(70, 45)}, "AB"},
      {"box right to left: also what crosses", {ClickAt(70, 45), ClickAt(0, -5)}, "ABC"},
      {"Window whatever the direction", {Typed("w"), ClickAt(70, 45), ClickAt(0, -5)}, "AB"},
      {"Crossing whatever the direction", {Typed("c"), ClickAt(0, -5), ClickAt(70, 45)}, "ABC"},
      {"typed corners", {Typed("window"), Typed("70,45"), Typed("0,-5")}, "AB"},
      {"picks add, a Shift pick removes", {ClickAt(25, 10), ClickAt(25, 30), ClickAt(25, 10, kShift)}, "B"},
      {"a Shift pick on an unselected entity changes nothing", {ClickAt(25, 10), ClickAt(25, 30, kShift)}, "A"},
      {"Remove, then Add",
       {ClickAt(25, 10), ClickAt(25, 30), Typed("r"), ClickAt(25, 10), Typed("a"), ClickAt(75, 25)},
       "BC"},
      {"Shift at the box's second corner removes", {Typed("all"), ClickAt(0, -5), ClickAt(70, 45, kShift)}, "CHP"},
      {"a box while removing", {Typed("all"), Typed("r"), ClickAt(70, 45), ClickAt(0, -5)}, "HP"},
      {"ALL leaves the locked layer out", {Typed("all")}, "ABCHP"},
      {"ALL while removing empties the selection", {Typed("all"), Typed("r"), Typed("all")}, ""},
      {"a box in empty space finds nothing", {ClickAt(150, 200), ClickAt(170, 230)}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<SelectionStep> steps = c.steps;
    steps.push_back(Typed(""));
    const Outcome outcome = Select(steps);
    EXPECT_EQ(outcome.status, FC_INPUT_OK);
    EXPECT_EQ(outcome.selected, c.selected);
    EXPECT_EQ(Previous(), c.selected);
  }
}

TEST_F(SelectObjectsTest, PromptsFollowTheModeAndTheBox) {
  Select({ClickAt(150, 200), ClickAt(170, 230), Typed("r"), Typed("c"), ClickAt(0, -5), ClickAt(1, 1), Typed("a"),
          Typed("")});
  EXPECT_EQ(script_.Frame().Prompts(),
            (std::vector<std::string>{"Select objects", "Input the other corner", "Select objects", "Remove objects",
                                      "Input the first corner", "Input the other corner", "Remove objects",
                                      "Select objects"}));
}

TEST_F(SelectObjectsTest, LockedLayerObjectsAreLeftOutWithTheirCount) {
  const Outcome outcome = Select({ClickAt(25, 70), ClickAt(45, 75), ClickAt(0, -5), ClickAt(50, 80), Typed("last"),
                                  Typed("p"), Typed("")});
  EXPECT_EQ(outcome.selected, "AB");
  EXPECT_EQ(Printed(), (std::vector<std::string>{
                           "1 Object(s) are in the locked layer!",
                           "There is one object on locked layers.",
                           "2 Object(s) selected, 2 Object(s) added.",
                           "The last Object is in the locked layer! Can't be selected!",
                           "There isn't previous selects!",
                       }));
  // The pick on the locked line started a box instead.
  EXPECT_EQ(script_.Frame().Prompts().at(1), "Input the other corner");
}

TEST_F(SelectObjectsTest, NothingFoundOrAnUnknownWordSaysSoAndAsksAgain) {
  script_.Type("TestBody");
  ASSERT_TRUE(script_.WaitForPromptOrIdle());
  for (const char* answer : {"xyz", "p", "zzz"}) {
    script_.Type(answer);
    ASSERT_TRUE(script_.WaitForPromptOrIdle());
    EXPECT_TRUE(script_.IsWaitingForInput()) << answer;
    EXPECT_EQ(script_.Frame().Prompts().back(), "Select objects") << answer;
  }
  EXPECT_EQ(Printed(), (std::vector<std::string>{"Expects a point or", "Window/Last/Crossing/ALL/Add/Remove/Previous/CONdition",
                                                 "There isn't previous selects!", "Expects a point!"}));
  ASSERT_TRUE(script_.Click({25, 10}));
  ASSERT_TRUE(script_.Answer({""}));
  EXPECT_EQ(outcome_.status, FC_INPUT_OK);
  EXPECT_EQ(outcome_.selected, "A");
}

TEST_F(SelectObjectsTest, PreviousCarriesOverEscKeepsItAndEnterAloneEmptiesIt) {
  ASSERT_EQ(Select({ClickAt(25, 10), ClickAt(25, 30), Typed("")}).selected, "AB");

  const Outcome cancelled = Select({Typed("p"), Typed(kEsc)});
  EXPECT_EQ(cancelled.status, FC_INPUT_CANCEL);
  EXPECT_EQ(cancelled.selected, "");
  EXPECT_EQ(Previous(), "AB");

  script_.Printed().Clear();
  EXPECT_EQ(Select({Typed("p"), Typed("r"), ClickAt(25, 10), Typed("")}).selected, "B");
  EXPECT_EQ(Printed(), (std::vector<std::string>{"2 Object(s) selected, 2 Object(s) added.", "1 Object removed."}));
  EXPECT_EQ(Previous(), "B");

  const Outcome nothing = Select({Typed("")});
  EXPECT_EQ(nothing.status, FC_INPUT_OK);
  EXPECT_EQ(nothing.selected, "");
  EXPECT_EQ(Previous(), "");
}

TEST_F(SelectObjectsTest, AConfirmedConditionOfPolylinesTakesBothFormsForThisSelectionOnly) {
  for (const bool confirmed : {true, false}) {
    SCOPED_TRACE(confirmed);
    SetSelectConditionEditor([confirmed](FcEntSelectFilter& filter, FcGraph&) {
      filter.AddType("polyline");
      return confirmed;
    });
    script_.Printed().Clear();
    const Outcome outcome = Select({Typed("con"), Typed("all"), Typed("")});
    EXPECT_EQ(outcome.selected, confirmed ? "HP" : "ABCHP");
    if (confirmed) {
      EXPECT_EQ(Printed(), (std::vector<std::string>{"1 Object(s) are in the locked layer!",
                                                     "3 Object(s) are filtered by selecting condition!",
                                                     "2 Object(s) selected."}));
    }
    EXPECT_EQ(script_.OnWindowThread([this] { return script_.Drawing().GetSelectFilter(); }), nullptr);
  }
}

TEST_F(SelectObjectsTest, APickFirstSelectionIsTakenAtOnceWithoutItsLockedEntities) {
  script_.OnWindowThread([this] {
    script_.View().GetPickFirstSelection().Add(drawing_['A']);
    script_.View().GetPickFirstSelection().Add(drawing_['D']);
    return true;
  });
  ASSERT_TRUE(script_.Run({"TestBody"}));
  EXPECT_EQ(outcome_.status, FC_INPUT_OK);
  EXPECT_EQ(outcome_.selected, "A");
  EXPECT_EQ(Previous(), "A");
  EXPECT_EQ(Printed(), (std::vector<std::string>{"2 Object(s) selected.", "1 Object(s) added."}));
}

TEST_F(SelectObjectsTest, OptionsSelectWithoutPrompting) {
  struct Call {
    const char* option;
    FcPoint2d first;
    std::optional<FcPoint2d> second;
    int status;
    const char* selected;
    const char* previous;
  };
  const std::vector<Call> calls = {
      {"C", {0, -5}, FcPoint2d{70, 45}, FC_INPUT_OK, "ABC", "ABC"},
      {"w", {70, 45}, FcPoint2d{0, -5}, FC_INPUT_OK, "AB", "AB"},
      {"x", {}, FcPoint2d{25, 30}, FC_INPUT_OK, "B", "B"},
      {"p", {}, std::nullopt, FC_INPUT_OK, "B", "B"},
      {"L", {}, std::nullopt, kFcSelectionFailed, "", "B"},
      {"W", {0, 65}, FcPoint2d{50, 75}, kFcSelectionFailed, "", "B"},
      {"x", {}, FcPoint2d{25, 70}, kFcSelectionFailed, "", "B"},
      {"C", {}, std::nullopt, kFcSelectionFailed, "", "B"},
  };
  std::vector<int> statuses;
  std::vector<std::string> selected, previous;
  UseTestCommand([&] {
    FcGraph& graph = CWorkThread::Current()->GetGraph();
    for (const Call& call : calls) {
      FcEntitySets objects(16);
      objects.Add(drawing_['C']);
      statuses.push_back(SelectObjectsByOption(call.option, call.first, call.second ? &*call.second : nullptr, objects));
      selected.push_back(drawing_.Letters(objects));
      previous.push_back(drawing_.Letters(graph.GetPreviousSelection()));
    }
    return kStatusDone;
  });
  ASSERT_TRUE(script_.Run({"TestBody"}));
  ASSERT_EQ(statuses.size(), calls.size());
  for (std::size_t i = 0; i < calls.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(statuses[i], calls[i].status);
    EXPECT_EQ(selected[i], calls[i].selected);
    EXPECT_EQ(previous[i], calls[i].previous);
  }
  // Only the box over the locked line has something to say.
  EXPECT_EQ(Printed(), (std::vector<std::string>{"There is one object on locked layers."}));
}

TEST_F(SelectObjectsTest, PickOneObjectGivesTheEntityUnderThePickOrNone) {
  struct Case {
    SelectionStep answer;
    int status;
    const char* entity;
    const char* text;
  };
  const Case cases[] = {
      {ClickAt(25, 12), FC_INPUT_OK, "A", ""},
      {ClickAt(150, 200), FC_INPUT_OK, "", ""},
      {ClickAt(25, 70), FC_INPUT_OK, "", ""},  // on the locked layer
      {Typed("u"), FC_INPUT_KEYWORD, "", "Undo"},
      {Typed(""), FC_INPUT_NONE, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.status);
    int status = 0;
    std::string text, entity;
    FcPoint2d point;
    UseTestCommand([&] {
      FcEntity* picked = nullptr;
      SetKeywords("Undo", kInputRefuseEmpty);
      status = PickOneObject("Pick", text, point, picked);
      if (picked != nullptr) entity = drawing_.Letters(std::vector<const FcEntity*>{picked});
      return kStatusDone;
    });
    ASSERT_TRUE(PlaySteps(script_, "TestBody", {c.answer}));
    EXPECT_EQ(status, c.status);
    EXPECT_EQ(entity, c.entity);
    EXPECT_EQ(text, c.text);
    if (c.answer.keyState >= 0) EXPECT_EQ(point.x, c.answer.at.x);
  }
}

TEST_F(SelectObjectsTest, PickObjectWithPointNamesThePrimitiveHit) {
  FcEntity* picked = nullptr;
  FcHandle primitive = 0;
  int part = -1;
  UseTestCommand([&] {
    std::string text;
    FcPoint2d point;
    return PickObjectWithPoint({}, text, point, picked, primitive, part) == FC_INPUT_OK ? kStatusDone : 0;
  });
  ASSERT_TRUE(PlaySteps(script_, "TestBody", {ClickAt(25, 11)}));
  EXPECT_EQ(picked, drawing_['A']);
  EXPECT_EQ(primitive, drawing_['A']->GetHandle());
  EXPECT_EQ(part, 0);
}

}  // namespace
