#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/draw/polyline_to_spline.h"
#include "database/graph.h"
#include "database/layer.h"
#include "entities/line.h"
#include "entities/polyline.h"
#include "entities/spline.h"
#include "tests/support/command_script.h"
#include "tests/support/point_expect.h"

namespace {

FcPolyline Frame(const std::vector<FcPoint2d>& points, bool closed) {
  FcPolyline polyline;
  for (const FcPoint2d& p : points) polyline.AppendVertex(p, 0, 0, 0);
  polyline.SetClosed(closed);
  polyline.SplineFit();
  return polyline;
}

void ExpectPoints(const std::vector<FcPoint2d>& actual, const std::vector<FcPoint2d>& expected,
                  const std::string& name) {
  ASSERT_EQ(actual.size(), expected.size()) << name;
  for (std::size_t i = 0; i < expected.size(); ++i) ExpectPointNear(actual[i], expected[i], 1e-12, name);
}

// A closed square frame V0..V3 starts and ends at q = (V0 + 4 V1 + V2) / 6
// with the tangent there parallel to V0-V2 meeting the edges at V1.
TEST(PolylineToSplineTest, FramesBecomeTheControlPointsOfTheSameCurve) {
  struct Case {
    const char* name;
    std::vector<FcPoint2d> frame;
    bool closed;
    std::vector<FcPoint2d> control;
    std::vector<double> knots;
    std::int16_t flags;
  };
  const double third = 4.0 / 3.0;
  const Case cases[] = {
      {"open, four vertices", {{0, 0}, {4, 0}, {4, 4}, {0, 4}}, false, {{0, 0}, {4, 0}, {4, 4}, {0, 4}},
       {0, 0, 0, 0, 1, 1, 1, 1}, kSplinePlanar},
      {"open, three vertices: the middle one twice", {{0, 0}, {4, 0}, {4, 4}}, false, {{0, 0}, {4, 0}, {4, 0}, {4, 4}},
       {0, 0, 0, 0, 1, 1, 1, 1}, kSplinePlanar},
      {"closed square", {{0, 0}, {4, 0}, {4, 4}, {0, 4}}, true,
       {{10.0 / 3, 2.0 / 3}, {4, third}, {4, 4}, {0, 4}, {0, 0}, {2 * third, 0}, {10.0 / 3, 2.0 / 3}},
       {0, 0, 0, 0, 1, 2, 3, 4, 4, 4, 4}, kSplinePlanar | kSplineClosed | kSplinePeriodic},
      // V0, V1, V2 in a line: A and B lie a sixth of V0-V2 either side of q.
      {"closed, first three vertices in line", {{0, 0}, {3, 0}, {6, 0}, {3, 3}}, true,
       {{3, 0}, {4, 0}, {6, 0}, {3, 3}, {0, 0}, {2, 0}, {3, 0}}, {0, 0, 0, 0, 1, 2, 3, 4, 4, 4, 4},
       kSplinePlanar | kSplineClosed | kSplinePeriodic},
  };
  for (const Case& c : cases) {
    const std::unique_ptr<FcSPline> spline = PolylineToSpline(Frame(c.frame, c.closed));
    ASSERT_NE(spline, nullptr) << c.name;
    ExpectPoints(spline->GetControlPoints(), c.control, c.name);
    EXPECT_EQ(spline->GetKnots(), c.knots) << c.name;
    EXPECT_EQ(spline->GetFlags(), c.flags) << c.name;
    EXPECT_TRUE(spline->GetFitPoints().empty()) << c.name;
  }
  EXPECT_EQ(PolylineToSpline(Frame({{0, 0}, {4, 0}}, false)), nullptr) << "two vertices make no spline";
}

class SplineObjectTest : public CommandScriptTest {
 protected:
  // A spline-fitted closed square on layer Walls in colour 3, and a line.
  void AddFrameAndLine() {
    script_.OnWindowThread([this] {
      FcGraph& drawing = script_.Drawing();
      auto* polyline = new FcPolyline(Frame({{0, 0}, {4, 0}, {4, 4}, {0, 4}}, true));
      drawing.AddEntity(polyline, false);
      polyline->SetLayer(drawing.FindOrCreateLayer("Walls"));
      polyline->SetColor(3);
      auto* line = new FcLine;
      line->SetEndPoint({10, 0});
      drawing.AddEntity(line, false);
      return true;
    });
  }
};

TEST_F(SplineObjectTest, SplineFittedPolylinesBecomeSplinesInOneUndoStep) {
  AddFrameAndLine();
  ASSERT_TRUE(RunScript(script_, "spline", {"o", "all", ""}));
  EXPECT_EQ(script_.Frame().Prompts().front(), "Enter first point or [Object]");
  const std::vector<std::string> printed = Printed();
  ASSERT_GE(printed.size(), 2u);
  EXPECT_EQ(std::vector<std::string>(printed.end() - 2, printed.end()),
            (std::vector<std::string>{"Only spline fitted polylines can be converted to splines.",
                                      "Unable to convert 1 selected object."}));
  const std::vector<const FcSPline*> splines = EntitiesOf<FcSPline>();
  ASSERT_EQ(splines.size(), 1u);
  EXPECT_EQ(splines[0]->GetControlPoints().size(), 7u);
  EXPECT_EQ(splines[0]->GetColor(), 3);
  EXPECT_EQ(script_.OnWindowThread([&] { return std::string(splines[0]->GetLayer()->GetName()); }), "Walls");
  EXPECT_TRUE(EntitiesOf<FcPolyline>().empty());
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 1u);
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"SPLine"});
  EXPECT_TRUE(script_.OnWindowThread([&] {
    const FcEntitySets& previous = script_.Drawing().GetPreviousSelection();
    return previous.GetCount() == 1 && previous.GetAt(0) == splines[0];
  }));

  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_TRUE(EntitiesOf<FcSPline>().empty());
  const std::vector<const FcPolyline*> polylines = EntitiesOf<FcPolyline>();
  ASSERT_EQ(polylines.size(), 1u);
  EXPECT_EQ(polylines[0]->GetVertexCount(), 4);
}

TEST_F(SplineObjectTest, NothingToConvertSaysSoAndChangesNothing) {
  AddFrameAndLine();
  ASSERT_TRUE(RunScript(script_, "spline", {"o", "l", ""}));
  EXPECT_EQ(LastPrinted(), "Unable to convert 1 selected object.");
  EXPECT_TRUE(EntitiesOf<FcSPline>().empty());
  EXPECT_EQ(EntitiesOf<FcPolyline>().size(), 1u);
  EXPECT_TRUE(UndoNames().empty());
  // Esc at the selection leaves the drawing as it was.
  ASSERT_TRUE(RunScript(script_, "spline", {"o", kEsc}));
  EXPECT_TRUE(EntitiesOf<FcSPline>().empty());
}

}  // namespace
