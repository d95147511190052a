#include <cmath>
#include <tuple>
#include <string>
#include <vector>

#include "display/drag_ellipse.h"
#include "display/display_surface.h"
#include "shell/drag_spline.h"
#include "tests/support/command_script.h"
#include "tests/support/pickable_script.h"
#include "tests/support/pending_band.h"
#include "entities/ellipse.h"
#include "entities/spline.h"

namespace {

using EllipseCommandTest = CommandScriptTest;

TEST_F(EllipseCommandTest, TheOtherAxisDecidesWhichIsMajor) {
  struct Case {
    const char* name;
    std::vector<std::string> answers;
    FcPoint2d centre;
    FcPoint2d major;
    double ratio;
  } cases[] = {
      {"by axis ends, shorter other axis", {"0,0", "10,0", "2"}, {5, 0}, {5, 0}, 0.4},
      {"by axis ends, longer other axis", {"0,0", "10,0", "8"}, {5, 0}, {0, 8}, 5.0 / 8},
      {"equal axes turn the major axis", {"0,0", "10,0", "5"}, {5, 0}, {0, 5}, 1},
      {"by centre", {"c", "1,1", "1,4", "1.5"}, {1, 1}, {0, 3}, 0.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedView script;
    std::vector<std::string> answers = c.answers;
    ASSERT_TRUE(RunScript(script, "ellipse", answers));
    const std::vector<const FcEllipse*> ellipses = EntitiesIn<FcEllipse>(script);
    ASSERT_EQ(ellipses.size(), 1u);
    ExpectPointNear(ellipses[0]->GetCenter(), c.centre, 1e-9);
    ExpectPointNear(ellipses[0]->GetMajorAxis(), c.major, 1e-9);
    EXPECT_NEAR(ellipses[0]->GetRadiusRatio(), c.ratio, 1e-12);
    EXPECT_TRUE(ellipses[0]->IsFull());
  }
}

TEST_F(EllipseCommandTest, ArcAnglesAreUcsAnglesFromTheMajorAxis) {
  ASSERT_TRUE(script_.Run({"ellipse", "a", "0,0", "4,0", "1", "0", "90"}));
  ASSERT_TRUE(script_.Run({"ellipse", "a", "c", "0,0", "4,0", "1", "45", "i", "90"}));
  const std::vector<std::string> prompts = script_.Frame().Prompts();
  ASSERT_GE(prompts.size(), 8u);
  EXPECT_EQ(std::vector<std::string>(prompts.end() - 8, prompts.end()),
            (std::vector<std::string>{"Firest end of ellipse axis or [Arc/Center]", "First end of ellipse axis or [Cener]",
                                      "Center of ellipse", "End of axis", "Other axis length", "Start angle",
                                      "End angle or [Includeangle]", "Include angle"}));
  const std::vector<const FcEllipse*> arcs = EntitiesOf<FcEllipse>();
  ASSERT_EQ(arcs.size(), 2u);
  ExpectPointNear(arcs[0]->GetPointAtAngle(arcs[0]->GetStartAngle()), {4, 0}, 1e-9);
  ExpectPointNear(arcs[0]->GetPointAtAngle(arcs[0]->GetEndAngle()), {2, 1}, 1e-9);
  EXPECT_NEAR(arcs[1]->GetStartAngle(), kPi / 4, 1e-12);
  EXPECT_NEAR(arcs[1]->GetEndAngle(), 3 * kPi / 4, 1e-12);
  // One undo item each.
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Ellipse", "Ellipse"}));
}

TEST_F(EllipseCommandTest, ATurnedUcsTurnsTheArcAngles) {
  script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().SetUcs({0, 0}, {1, 1}, {-1, 1}); });
  ASSERT_TRUE(script_.Run({"ellipse", "a", "c", "0,0", "4,0", "1", "0", "90"}));
  const std::vector<const FcEllipse*> arcs = EntitiesOf<FcEllipse>();
  ASSERT_EQ(arcs.size(), 1u);
  // The major axis runs along the UCS x axis, at 45 degrees in the world;
  // the arc's angles are measured from it.
  EXPECT_NEAR(arcs[0]->GetRotation(), kPi / 4, 1e-12);
  EXPECT_NEAR(arcs[0]->GetStartAngle(), 0, 1e-12);
  EXPECT_NEAR(arcs[0]->GetEndAngle(), kHalfPi, 1e-12);
}

TEST_F(EllipseCommandTest, CoincidentAxisPointsAndEmptyAnswersMakeNothing) {
  ASSERT_TRUE(script_.Run({"ellipse", "c", "1,1", "1,1"}));
  EXPECT_EQ(LastPrinted(), "Invalid axis point!");
  ASSERT_TRUE(script_.Run({"ellipse", "2,2", "2,2"}));
  EXPECT_EQ(LastPrinted(), "Invalid axis point!");
  ASSERT_TRUE(script_.Run({"ellipse", "a", "0,0", "4,0", "1", ""}));
  EXPECT_TRUE(EntitiesOf<FcEllipse>().empty());
  EXPECT_TRUE(UndoNames().empty());
  // A zero or negative length is asked again.
  ASSERT_TRUE(script_.Run({"ellipse", "0,0", "4,0", "0", "-1", "1"}));
  EXPECT_TRUE(RefusedWith("Can't input zero!", "Other axis length"));
  EXPECT_TRUE(RefusedWith("Can't input negative number!", "Other axis length"));
  EXPECT_EQ(EntitiesOf<FcEllipse>().size(), 1u);
}

using SplineCommandTest = CommandScriptTest;

TEST_F(SplineCommandTest, FitPointsAndTangents) {
  ASSERT_TRUE(script_.Run({"spline", "0,0", "2,3", "5,1", "", "0,-1", "6,1"}));
  EXPECT_EQ(script_.Frame().Prompts(),
            (std::vector<std::string>{"Enter first point or [Object]", "Enter point", "Enter point or [Close/Undo]",
                                      "Enter point or [Close/Undo]", "Start tangent", "End tangent"}));
  const std::vector<const FcSPline*> splines = EntitiesOf<FcSPline>();
  ASSERT_EQ(splines.size(), 1u);
  ASSERT_EQ(splines[0]->GetFitPoints().size(), 3u);
  ExpectPointNear(splines[0]->GetFitPoints()[1], {2, 3}, 1e-12);
  // From the answer to the first point, from the last point to the answer.
  ExpectPointNear(splines[0]->GetStartTangent(), {0, 1}, 1e-12);
  ExpectPointNear(splines[0]->GetEndTangent(), {1, 0}, 1e-12);
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"SPLine"});
}

TEST_F(SplineCommandTest, UndoCloseAndTooFewPoints) {
  // Undo takes back the third point; Enter at both tangents leaves none.
  ASSERT_TRUE(script_.Run({"spline", "0,0", "4,0", "9,9", "u", "", "", ""}));
  // Close repeats the first point and asks one tangent.
  ASSERT_TRUE(script_.Run({"spline", "0,0", "4,0", "4,4", "c", ""}));
  // One point makes no spline.
  ASSERT_TRUE(script_.Run({"spline", "1,1", ""}));
  const std::vector<const FcSPline*> splines = EntitiesOf<FcSPline>();
  ASSERT_EQ(splines.size(), 2u);
  ASSERT_EQ(splines[0]->GetFitPoints().size(), 2u);
  ExpectPointEq(splines[0]->GetStartTangent(), {0, 0});
  ExpectPointEq(splines[0]->GetEndTangent(), {0, 0});
  ASSERT_EQ(splines[1]->GetFitPoints().size(), 4u);
  EXPECT_TRUE(splines[1]->IsClosed());
  ExpectPointEq(splines[1]->GetFitPoints().back(), {0, 0});
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"SPLine", "SPLine"}));
}

// The spline under construction follows the cursor: its floating last fit
// point at the point prompts, then each tangent. What the preview set is
// never kept: Enter at the tangent prompts leaves no tangent.
TEST_F(SplineCommandTest, ThePreviewMovesTheFloatingPointAndTheTangentsAndLeavesNothingBehind) {
  ShowPickableWindow(script_);
  struct Look {
    FcDragSPline::Kind kind;
    std::vector<FcPoint2d> fit;
    FcPoint2d startTangent;
    FcPoint2d endTangent;
    bool drawn;
  };
  const auto moveTo = [this](const FcPoint2d& cursor) {
    return script_.OnWindowThread([&] {
      script_.View().OnCursorMove(cursor);
      const auto* band = dynamic_cast<const FcDragSPline*>(script_.View().GetInputRequest().dragObject);
      Look look{};
      if (band == nullptr) return look;
      look = {band->kind, band->spline->GetFitPoints(), band->spline->GetStartTangent(),
              band->spline->GetEndTangent(),
              script_.Drawing().GetDisplaySurface()->GetPreviewGroup().GetCount() > 0};
      return look;
    });
  };
  for (const char* typed : {"spline", "10,10", "50,10"}) {
    script_.Type(typed);
    ASSERT_TRUE(script_.WaitForPromptOrIdle());
  }
  Look look = moveTo({90, 50});
  EXPECT_EQ(look.kind, FcDragSPline::kLastFitPoint);
  EXPECT_EQ(look.fit, (std::vector<FcPoint2d>{{10, 10}, {50, 10}, {90, 50}}));
  EXPECT_TRUE(look.drawn);
  // The cursor on the last point given: two equal fit points draw nothing
  // and divide by nothing.
  look = moveTo({50, 10});
  EXPECT_EQ(look.fit.size(), 3u);

  script_.Type("");
  ASSERT_TRUE(script_.WaitForPromptOrIdle());
  look = moveTo({10, 0});
  EXPECT_EQ(look.kind, FcDragSPline::kStartTangent);
  EXPECT_EQ(look.fit, (std::vector<FcPoint2d>{{10, 10}, {50, 10}}));
  EXPECT_EQ(look.startTangent, (FcPoint2d{0, 10}));
  EXPECT_TRUE(look.drawn);

  script_.Type("");
  ASSERT_TRUE(script_.WaitForPromptOrIdle());
  look = moveTo({50, 60});
  EXPECT_EQ(look.kind, FcDragSPline::kEndTangent);
  EXPECT_EQ(look.startTangent, (FcPoint2d{0, 0}));
  EXPECT_EQ(look.endTangent, (FcPoint2d{0, 50}));

  script_.Type("");
  ASSERT_TRUE(script_.WaitUntilIdle());
  const std::vector<const FcSPline*> splines = EntitiesOf<FcSPline>();
  ASSERT_EQ(splines.size(), 1u);
  EXPECT_EQ(splines[0]->GetFitPoints(), (std::vector<FcPoint2d>{{10, 10}, {50, 10}}));
  ExpectPointEq(splines[0]->GetStartTangent(), {0, 0});
  ExpectPointEq(splines[0]->GetEndTangent(), {0, 0});
}

FcPoint2d Direction(const FcPoint2d& v) {
  const double length = std::hypot(v.x, v.y);
  return length > 0.0 ? FcPoint2d{v.x / length, v.y / length} : v;
}

// A closed spline previews one tangent for both ends. Only a tangent's
// direction counts.
TEST_F(SplineCommandTest, AClosedSplinePreviewsOneTangentForBothEnds) {
  ShowPickableWindow(script_);
  for (const char* typed : {"spline", "10,10", "50,10", "50,50", "c"}) {
    script_.Type(typed);
    ASSERT_TRUE(script_.WaitForPromptOrIdle());
  }
  const auto [kind, start, end, fitCount] = script_.OnWindowThread([this] {
    script_.View().OnCursorMove({200, 100});
    const auto* band = dynamic_cast<const FcDragSPline*>(script_.View().GetInputRequest().dragObject);
    return band == nullptr ? std::make_tuple(-1, FcPoint2d{}, FcPoint2d{}, std::size_t{0})
                           : std::make_tuple(static_cast<int>(band->kind), band->spline->GetStartTangent(),
                                             band->spline->GetEndTangent(), band->spline->GetFitPoints().size());
  });
  EXPECT_EQ(kind, FcDragSPline::kBothTangents);
  ExpectPointNear(Direction(start), Direction({-190, -90}), 1e-12);
  ExpectPointNear(Direction(end), Direction({-190, -90}), 1e-12);
  EXPECT_EQ(fitCount, 4u);
  script_.Type("100,10");
  ASSERT_TRUE(script_.WaitUntilIdle());
  const std::vector<const FcSPline*> splines = EntitiesOf<FcSPline>();
  ASSERT_EQ(splines.size(), 1u);
  EXPECT_TRUE(splines[0]->IsClosed());
  ExpectPointNear(Direction(splines[0]->GetStartTangent()), {-1, 0}, 1e-12);
  ExpectPointNear(Direction(splines[0]->GetEndTangent()), {-1, 0}, 1e-12);
}

// Once the first axis is known the other axis length is previewed as the
// ellipse it would make.
TEST_F(EllipseCommandTest, TheOtherAxisLengthIsPreviewed) {
  LookAtPendingBand<FcDragEllipse>(script_, {"ellipse", "0,0", "10,0"}, [](const FcDragEllipse* band) {
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->kind, FcDragEllipse::kOtherAxis);
    EXPECT_EQ(band->centre, (FcPoint2d{5, 0}));
  });
}

}  // namespace
