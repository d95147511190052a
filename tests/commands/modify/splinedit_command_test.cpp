#include <string>
#include <vector>

#include "entities/spline.h"
#include "shell/drag_spline.h"
#include "tests/commands/modify/edge_command_fixture.h"

namespace {

class SplinEditCommandTest : public EdgeCommandTest {
 protected:
  // A fit-point spline through the points, without tangents.
  FcSPline* AddSpline(const std::vector<std::string>& points) {
    std::vector<std::string> answers = points;
    answers.insert(answers.end(), {"", "", ""});
    return Draw<FcSPline>("spline", answers);
  }
};

TEST_F(SplinEditCommandTest, DeletingDownToTwoFitPointsGoesBackAndNoLongerOffersDelete) {
  const FcSPline* spline = AddSpline({"50,50", "100,100", "150,50"});
  ASSERT_NE(spline, nullptr);
  const std::vector<std::string> before = UndoNames();
  ASSERT_TRUE(Run("splinedit", {"50,50", "Fit", "Delete", "Next", "Delete", "x", "x"}));
  ASSERT_EQ(spline->GetFitPoints().size(), 2u);
  ExpectPointNear(spline->GetFitPoints()[1], {150, 50}, 1e-9);
  const std::vector<std::string> prompts = Prompts();
  EXPECT_TRUE(Contains(prompts, "Add/Close/Delete/StartTangent/EndTangent/Purge/eXit"));
  EXPECT_EQ(prompts[prompts.size() - 2], "Add/Close/StartTangent/EndTangent/Purge/eXit");
  EXPECT_EQ(prompts.back(), "Fit Data/Close/Weights/eXit <X>");
  std::vector<std::string> after = before;
  after.push_back("SPLinedit");
  EXPECT_EQ(UndoNames(), after);
  ASSERT_TRUE(Run("undo", {}));
  EXPECT_EQ(spline->GetFitPoints().size(), 3u);
}

TEST_F(SplinEditCommandTest, AWeightDropsTheFitDataEvenWhenEnterKeepsTheShownWeight) {
  struct Case {
    const char* weight;
    bool rational;
    const char* first;
    const char* second;
  };
  for (const Case c : {Case{"2", true, "50,50", "100,100"}, Case{"", false, "50,150", "100,200"}}) {
    const FcSPline* spline = AddSpline({c.first, c.second, "150,50", "200,100"});
    ASSERT_TRUE(Run("splinedit", {c.first, "Weights", c.weight, "x", "x"})) << c.weight;

    EXPECT_TRUE(spline->GetFitPoints().empty()) << c.weight;
    EXPECT_EQ((spline->GetFlags() & kSplineRational) != 0, c.rational) << c.weight;
    EXPECT_EQ(Prompts().back(), "Close/Weights/eXit <X>") << c.weight;
    EXPECT_TRUE(Contains(Prompts(), "Previous/Next/eXit <1.0000>"));
    EXPECT_EQ(NewestUndoName(script_), "SPLinedit") << c.weight;
  }
}

TEST_F(SplinEditCommandTest, AddStopsAtTheLastFitPointAndAppendsAfterIt) {
  const FcSPline* spline = AddSpline({"50,50", "100,100", "150,50"});
  ASSERT_TRUE(Run("splinedit", {"50,50", "Fit", "Add", "Next", "Next", "Next", "250,50", "Previous", "Previous",
                                "75,100", "", "x", "x"}));
  const std::vector<FcPoint2d>& fit = spline->GetFitPoints();
  ASSERT_EQ(fit.size(), 5u);
  // Back at the second fit point, the new one comes after it.
  ExpectPointNear(fit[2], {75, 100}, 1e-9);
  ExpectPointNear(fit[4], {250, 50}, 1e-9);
}

TEST_F(SplinEditCommandTest, CloseRepeatsTheFirstFitPointAndOpenTakesTheRepeatBack) {
  const FcSPline* spline = AddSpline({"50,50", "100,100", "150,50", "200,100"});
  ASSERT_TRUE(Run("splinedit", {"50,50", "Fit", "Close", "x", "x"}));
  EXPECT_TRUE(spline->IsClosed());
  const std::vector<FcPoint2d>& fit = spline->GetFitPoints();
  ASSERT_EQ(fit.size(), 5u);
  ExpectPointNear(fit.back(), {50, 50}, 1e-9);
  const FcPoint2d tangent = spline->GetStartTangent();
  EXPECT_FALSE(tangent.x == 0.0 && tangent.y == 0.0);
  ExpectPointNear(spline->GetEndTangent(), tangent, 1e-12);
  EXPECT_TRUE(Contains(Prompts(), "Add/Open/Delete/Tangent/Purge/eXit"));

  ASSERT_TRUE(Run("splinedit", {"100,100", "Fit", "Open", "x", "x"}));
  EXPECT_FALSE(spline->IsClosed());
  EXPECT_EQ(spline->GetFitPoints().size(), 4u);
  ExpectPointNear(spline->GetStartTangent(), tangent, 1e-12);
  ExpectPointNear(spline->GetEndTangent(), {0, 0}, 0);

  // Purge keeps the curve by its control points.
  ASSERT_TRUE(Run("splinedit", {"100,100", "Fit", "Purge", "x"}));
  EXPECT_TRUE(spline->GetFitPoints().empty());
  EXPECT_FALSE(spline->IsEmpty());
  EXPECT_GE(spline->GetControlPoints().size(), 4u);
}

// What each prompt shows: the grips of the points it works on, the one
// selected marked; a tangent the cursor moved is put back by Enter.
TEST_F(SplinEditCommandTest, ThePromptsShowTheirGripsAndATangentPreviewLeavesNothingBehind) {
  ShowPickableWindow(script_);
  const FcSPline* spline = AddSpline({"50,50", "100,100", "150,50"});
  struct Look {
    FcDragSPline::Kind kind = FcDragSPline::kLastFitPoint;
    std::vector<FcPoint2d> grips;
    std::vector<int> states;
    FcPoint2d startTangent;
  };
  const auto lookAt = [this](const FcPoint2d& cursor) {
    return script_.OnWindowThread([&] {
      script_.View().OnCursorMove(cursor);
      const auto* band = dynamic_cast<const FcDragSPline*>(script_.View().GetInputRequest().dragObject);
      Look look;
      if (band == nullptr) return look;
      look = {band->kind, band->grips.GetPoints(), band->grips.GetStates(), band->spline->GetStartTangent()};
      return look;
    });
  };
  const std::vector<FcPoint2d> fit = {{50, 50}, {100, 100}, {150, 50}};
  for (const char* typed : {"splinedit", "50,50", "Fit"}) {
    script_.Type(typed);
    ASSERT_TRUE(script_.WaitForPromptOrIdle());
  }
  Look look = lookAt({200, 200});
  EXPECT_EQ(look.kind, FcDragSPline::kFitGrips);
  EXPECT_EQ(look.grips, fit);
  EXPECT_EQ(look.states, (std::vector<int>{0, 0, 0}));
  script_.Type("Add");
  ASSERT_TRUE(script_.WaitForPromptOrIdle());
  look = lookAt({200, 200});
  EXPECT_EQ(look.kind, FcDragSPline::kFitGripAndNextMarked);
  EXPECT_EQ(look.states, (std::vector<int>{1, 1, 0}));
  for (const char* typed : {"", "StartTangent"}) {
    script_.Type(typed);
    ASSERT_TRUE(script_.WaitForPromptOrIdle());
  }
  look = lookAt({0, 50});
  EXPECT_EQ(look.kind, FcDragSPline::kStartTangent);
  EXPECT_FALSE(look.startTangent.x == 0.0 && look.startTangent.y == 0.0);
  ASSERT_TRUE(RunScript(script_, "", {"x", "x"}));
  ExpectPointNear(spline->GetStartTangent(), {0, 0}, 0);
}

TEST_F(SplinEditCommandTest, TangentsFollowAPointOnlyAndEscKeepsWhatWasDone) {
  const FcSPline* spline = AddSpline({"50,50", "100,100", "150,50"});
  ASSERT_TRUE(Run("splinedit", {"50,50", "Fit", "StartTangent", "", "EndTangent", "200,80", kEsc}));
  ExpectPointNear(spline->GetStartTangent(), {0, 0}, 0);
  // A tangent keeps only its direction.
  const FcPoint2d end = spline->GetEndTangent();
  EXPECT_NEAR(end.x * 30 - end.y * 50, 0, 1e-9);
  EXPECT_GT(end.x, 0);
  EXPECT_EQ(NewestUndoName(script_), "SPLinedit");
  ASSERT_TRUE(Run("undo", {}));
  ExpectPointNear(spline->GetEndTangent(), {0, 0}, 0);
}

TEST_F(SplinEditCommandTest, AWrongPickIsAskedAgainAndNoChangeLeavesNoUndoStep) {
  AddLine({50, 250}, {150, 250});
  AddSpline({"50,50", "100,100", "150,50"});
  const std::vector<std::string> before = UndoNames();
  ASSERT_TRUE(Run("splinedit", {"100,250", "50,50", "Fit", "x", "Weights", "Next", "x", ""}));
  EXPECT_TRUE(Contains(Printed(), "Object selected is not a spline."));
  EXPECT_EQ(UndoNames(), before);
}

}  // namespace
