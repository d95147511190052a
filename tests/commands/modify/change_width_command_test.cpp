#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "entities/arc.h"
#include "entities/circle.h"
#include "entities/line.h"
#include "entities/text.h"
#include "tests/commands/modify/polyline_edit_fixture.h"

namespace {

using ChangeWidthCommandTest = PolylineEditTest;

TEST_F(ChangeWidthCommandTest, LinesArcsAndCirclesBecomeWidePolylinesInOneUndoStep) {
  Change([](FcGraph& graph) { graph.FindOrCreateLayer("Walls"); });
  FcLine* line = AddLine({50, 50}, {150, 50});
  Change([&](FcGraph& graph) {
    line->SetLayer(graph.FindOrCreateLayer("Walls"));
    line->SetColor(3);
  });
  AddArc({250, 50}, 50, 0, 90);
  AddCircle({100, 200}, 40);
  const FcPolyline* wide = AddPolyline({{250, 200, 0, 4, 4}, {350, 200}});
  const std::vector<std::string> before = UndoNames();
  ASSERT_TRUE(Run("changewidth", {"100,50", PointText(PointAtPolar({250, 50}, 50, kPi / 4)), "140,200", "300,200",
                                  "", "2.5"}));

  EXPECT_EQ(Kinds(), (std::vector<EntityKind>{kEntityPolyline, kEntityPolyline, kEntityPolyline, kEntityPolyline}));
  const std::vector<const FcPolyline*> polylines = EntitiesOf<FcPolyline>();
  ASSERT_EQ(polylines.size(), 4u);
  for (const FcPolyline* p : polylines)
    for (const auto& [start, end] : Widths(p->GetVertices())) {
      EXPECT_DOUBLE_EQ(start, 2.5);
      EXPECT_DOUBLE_EQ(end, 2.5);
    }
  EXPECT_EQ(polylines[0], wide);
  ExpectVertices(*polylines[1], {{50, 50}, {150, 50}}, "line");
  EXPECT_EQ(polylines[1]->GetLayer()->GetName(), "Walls");
  EXPECT_EQ(polylines[1]->GetColor(), 3);
  ExpectVertices(*polylines[2], {{300, 50, std::tan(kPi / 8)}, {250, 100}}, "quarter arc");
  ExpectVertices(*polylines[3], {{140, 200, 1}, {60, 200, 1}}, "circle");
  EXPECT_TRUE(polylines[3]->IsClosed());

  std::vector<std::string> after = before;
  after.push_back("ChangeWidth");
  EXPECT_EQ(UndoNames(), after);
  ASSERT_TRUE(Run("undo", {}));
  EXPECT_EQ(Kinds(), (std::vector<EntityKind>{kEntityPolyline, kEntityLine, kEntityArc, kEntityCircle}));
  EXPECT_EQ(Widths(wide->GetVertices()), (std::vector<std::pair<double, double>>{{4, 4}, {0, 0}}));
}

TEST_F(ChangeWidthCommandTest, AFittedPolylineGetsTheWidthOnItsFitToo_ZeroIsTakenANegativeWidthIsNot) {
  FcPolyline* curve = AddPolyline({{50, 50, 0, 3, 3}, {150, 150}, {250, 50}, {350, 150}});
  Change([&](FcGraph& graph) {
    curve->SplineFit();
    graph.RedrawEntity(curve);
  });
  ASSERT_FALSE(curve->GetFitVertices().empty());
  ASSERT_TRUE(Run("changewidth", {"all", "", "-1", "0"}));
  EXPECT_TRUE(Contains(Printed(), "Can't input negative number!"));
  EXPECT_TRUE(Contains(Prompts(), "Enter new width"));
  for (const std::vector<PolylineVertex>* list : {&curve->GetVertices(), &curve->GetFitVertices()})
    for (const auto& [start, end] : Widths(*list)) {
      EXPECT_EQ(start, 0.0);
      EXPECT_EQ(end, 0.0);
    }
  EXPECT_EQ(NewestUndoName(script_), "ChangeWidth");
}

TEST_F(ChangeWidthCommandTest, NothingThatCanCarryAWidthOrEscAtTheWidthLeavesNoUndoStep) {
  const FcText* text = Draw<FcText>("dtext", {"300,250", "10", "0", "ABC", ""});
  ASSERT_NE(text, nullptr);
  const FcPolyline* line = AddPolyline({{50, 50, 0, 1, 1}, {150, 50}});
  const std::vector<std::string> before = UndoNames();
  ASSERT_TRUE(Run("changewidth", {PointText(text->GetBox()[0]), "", "2"}));
  ASSERT_TRUE(Run("changewidth", {"100,50", "", kEsc}));
  EXPECT_EQ(UndoNames(), before);
  EXPECT_EQ(Widths(line->GetVertices()), (std::vector<std::pair<double, double>>{{1, 1}, {0, 0}}));
}

}  // namespace
