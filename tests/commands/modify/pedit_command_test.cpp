#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "entities/arc.h"
#include "entities/circle.h"
#include "entities/line.h"
#include "tests/commands/modify/polyline_edit_fixture.h"

namespace {

using PEditCommandTest = PolylineEditTest;

TEST_F(PEditCommandTest, ALineArcOrCircleIsTurnedIntoAPolylineOnlyWhenTheUserAgrees) {
  AddCircle({100, 150}, 40);
  AddArc({300, 150}, 50, 0, 90);
  AddLine({50, 50}, {150, 50});
  ASSERT_TRUE(Run("pedit", {"100,50", "No"}));
  EXPECT_EQ(Kinds(), (std::vector<EntityKind>{kEntityCircle, kEntityArc, kEntityLine}));
  EXPECT_TRUE(Contains(Prompts(), "The object selected isn't a polyline. Turn it into one?[Yes/No]<Yes>"));

  const std::vector<std::string> before = UndoNames();
  ASSERT_TRUE(Run("pedit", {"140,150", "", ""}));
  ASSERT_TRUE(Run("pedit", {PointText(PointAtPolar({300, 150}, 50, kPi / 4)), "Yes", "x"}));
  EXPECT_EQ(Kinds(), (std::vector<EntityKind>{kEntityLine, kEntityPolyline, kEntityPolyline}));
  const std::vector<const FcPolyline*> polylines = EntitiesOf<FcPolyline>();
  ExpectVertices(*polylines[0], {{140, 150, 1}, {60, 150, 1}}, "circle");
  EXPECT_TRUE(polylines[0]->IsClosed());
  ExpectVertices(*polylines[1], {{350, 150, std::tan(kPi / 8)}, {300, 200}}, "arc");
  // Nothing was edited after the conversions: they are the only steps.
  std::vector<std::string> after = before;
  after.insert(after.end(), {"Convert entity to polyline", "Convert entity to polyline"});
  EXPECT_EQ(UndoNames(), after);
  ASSERT_TRUE(Run("undo", {}));
  ASSERT_TRUE(Run("undo", {}));
  EXPECT_EQ(Kinds(), (std::vector<EntityKind>{kEntityLine, kEntityArc, kEntityCircle}));
}

TEST_F(PEditCommandTest, JoinTakesChainsInTurnAndOneDrawingUndoBringsThemBack) {
  const FcPolyline* polyline = AddPolyline({{50, 50}, {100, 50}});
  // Listed so that each line touches the polyline only after the one
  // before it in the chain has been joined.
  AddLine({150, 100}, {150, 150});
  AddLine({100, 100}, {150, 100});
  AddLine({100, 50}, {100, 100});
  AddLine({300, 250}, {350, 250});
  AddArc({25, 50}, 25, 0, 180);
  const std::vector<std::string> before = UndoNames();
  ASSERT_TRUE(Run("pedit", {"75,50", "Join", "all", "", "x"}));
  EXPECT_TRUE(Contains(Printed(), "Select entities to join"));
  EXPECT_TRUE(Contains(Printed(), "4 segments added to polyline."));
  ExpectVertices(*polyline, {{0, 50, -1}, {50, 50}, {100, 50}, {100, 100}, {150, 100}, {150, 150}}, "joined");
  EXPECT_EQ(Kinds(), (std::vector<EntityKind>{kEntityPolyline, kEntityLine}));

  std::vector<std::string> after = before;
  after.push_back("PEdit");
  EXPECT_EQ(UndoNames(), after);
  ASSERT_TRUE(Run("undo", {}));
  EXPECT_EQ(Kinds(), (std::vector<EntityKind>{kEntityPolyline, kEntityLine, kEntityLine, kEntityLine, kEntityLine,
                                              kEntityArc}));
  ExpectVertices(*polyline, {{50, 50}, {100, 50}}, "undone");
}

TEST_F(PEditCommandTest, RefusedOrAbandonedOptionsLeaveThePolylineAndNoUndoStep) {
  const FcPolyline* square = AddPolyline({{50, 50}, {100, 50}, {100, 100}}, true);
  const FcPolyline* open = AddPolyline({{200, 50}, {250, 50}});
  AddLine({300, 250}, {350, 250});
  const std::vector<std::string> before = UndoNames();
  ASSERT_TRUE(Run("pedit", {"75,50", "j", "x"}));
  EXPECT_EQ(LastPrinted(), "Unable to join to a closed polyline.");
  ASSERT_TRUE(Run("pedit", {"225,50", "j", "325,250", "", "x"}));
  EXPECT_EQ(LastPrinted(), "0 segment added to polyline.");
  // Esc at an option's own prompt only abandons the option.
  ASSERT_TRUE(Run("pedit", {"225,50", "Width", kEsc, "Taper", "1", kEsc, "x"}));
  EXPECT_EQ(square->GetVertexCount(), 3);
  EXPECT_EQ(open->GetVertexCount(), 2);
  EXPECT_EQ(Kinds(), (std::vector<EntityKind>{kEntityPolyline, kEntityPolyline, kEntityLine}));
  EXPECT_EQ(UndoNames(), before);
}

TEST_F(PEditCommandTest, UndoInsideTheCommandStepsBackOneOptionAtATime) {
  const FcPolyline* polyline = AddPolyline({{50, 50}, {100, 50}, {150, 100}, {200, 50}});
  AddLine({200, 50}, {250, 50});
  ASSERT_TRUE(Run("pedit", {"75,50", "Close", "Width", "3", "Join", "Undo", "x"}));
  EXPECT_TRUE(Contains(Printed(), "Unable to join to a closed polyline."));
  ASSERT_TRUE(Run("pedit", {"75,50", "Open", "Join", "250,50", "", "Fit", "Undo", "Undo", "Undo", "x"}));
  const std::vector<std::string> printed = Printed();
  EXPECT_EQ(std::vector<std::string>(printed.end() - 3, printed.end()),
            (std::vector<std::string>{"Undo : Fit", "Undo : Join", "Undo : Open"}));
  EXPECT_EQ(Kinds(), (std::vector<EntityKind>{kEntityPolyline, kEntityLine}));
  EXPECT_FALSE(polyline->IsFitted());
  // The first run kept Close and took the widths back; the second took
  // back all it did.
  EXPECT_TRUE(polyline->IsClosed());
  EXPECT_EQ(polyline->GetVertexCount(), 4);
  EXPECT_EQ(Widths(polyline->GetVertices())[0], (std::pair<double, double>{0, 0}));
  // Only the first run left a step; a drawing undo opens the polyline again.
  EXPECT_EQ(NewestUndoName(script_), "PEdit");
  ASSERT_TRUE(Run("undo", {}));
  EXPECT_FALSE(polyline->IsClosed());
}

TEST_F(PEditCommandTest, FitSplineDecurveOpenAndWidthsReshapeThePolyline) {
  const FcPolyline* polyline = AddPolyline({{50, 50, 0.5}, {100, 100}, {150, 50}, {200, 100}}, true);
  ASSERT_TRUE(Run("pedit", {"50,50", "Fit", "x"}));
  EXPECT_TRUE((polyline->GetFlags() & kPolylineCurveFit) != 0);
  const std::size_t curveFit = polyline->GetFitVertices().size();
  ASSERT_TRUE(Run("pedit", {"50,50", "Spline", "Open", "Width", "2", "x"}));
  EXPECT_TRUE((polyline->GetFlags() & kPolylineSplineFit) != 0);
  EXPECT_FALSE(polyline->IsClosed());
  EXPECT_FALSE(polyline->GetFitVertices().empty());
  EXPECT_NE(polyline->GetFitVertices().size(), curveFit);
  for (const auto* list : {&polyline->GetVertices(), &polyline->GetFitVertices()})
    for (const auto& [start, end] : Widths(*list)) {
      EXPECT_EQ(start, 2.0);
      EXPECT_EQ(end, 2.0);
    }
  ASSERT_TRUE(Run("pedit", {"50,50", "Decurve", "Taper", "", "6", "x"}));
  EXPECT_FALSE(polyline->IsFitted());
  ExpectVertices(*polyline, {{50, 50}, {100, 100}, {150, 50}, {200, 100}}, "decurved");
  EXPECT_NEAR(polyline->GetVertices()[1].startWidth, 2.0, 1e-9);
  EXPECT_NEAR(polyline->GetVertices()[2].endWidth, 6.0, 1e-9);
  EXPECT_TRUE(Contains(Prompts(), "Enter new starting polyline width<0.0>"));
}

}  // namespace
