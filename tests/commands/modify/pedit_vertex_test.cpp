#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "display/display_surface.h"
#include "display/pedit_drag.h"
#include "display/view_transform.h"
#include "tests/commands/modify/polyline_edit_fixture.h"

namespace {

class PEditVertexTest : public PolylineEditTest {
 protected:
  // Answers the prompts so far, leaving the command waiting.
  bool Answer(const std::vector<std::string>& answers) {
    for (const std::string& answer : answers) {
      if (!script_.WaitForPromptOrIdle() || !script_.IsWaitingForInput()) return false;
      script_.Type(answer);
    }
    return script_.WaitForPromptOrIdle() && script_.IsWaitingForInput();
  }

  // The view shows the world window from (x0, y0) to (x1, y1).
  void ShowWindow(double x0, double y0, double x1, double y1) {
    script_.OnWindowThread([&] {
      FcViewTransform& view = *script_.Drawing().GetDisplaySurface()->GetView();
      view.x0 = x0;
      view.y0 = y0;
      view.x1 = x1;
      view.y1 = y1;
      view.Update();
      return true;
    });
  }
};

TEST_F(PEditVertexTest, EnterWalksOnInTheCurrentDirectionPastVerticesOutOfView) {
  // Vertex 2 lies outside the view (0,0)-(400,300).
  const FcPolyline* open = AddPolyline({{50, 50}, {100, 50}, {500, 50}, {150, 100}});
  const FcPolyline* closed = AddPolyline({{50, 200}, {100, 200}, {100, 250}}, true);
  // Walking on from the last vertex of an open polyline stays there; so
  // does walking back from its first.
  ASSERT_TRUE(Run("pedit", {"75,50", "EditVertex", "", "", "", "", "Move", "150,150", "Previous", "", "", "", "",
                            "Move", "50,0", "x", "x"}));
  ExpectVertices(*open, {{50, 0}, {100, 50}, {500, 50}, {150, 150}}, "open");
  // A closed polyline goes round.
  ASSERT_TRUE(Run("pedit", {"75,200", "EditVertex", "Previous", "Move", "150,250", "Next", "Next", "Move", "100,150",
                            "x", "x"}));
  ExpectVertices(*closed, {{50, 200}, {100, 150}, {150, 250}}, "closed");
  EXPECT_TRUE(Contains(Prompts(), "Next/Previous/Angle/Break/Direction/Insert/Move/Straighten/Width/eXit<Previous>"));
  EXPECT_EQ(NewestUndoName(script_), "PEdit");
}

// The view may move while a vertex prompt waits: with no vertex left in
// view the walk ends after one turn and the current vertex stays.
TEST_F(PEditVertexTest, NoVertexInViewKeepsTheCurrentVertexAndEditVertexSaysSo) {
  const FcPolyline* closed = AddPolyline({{50, 200}, {100, 200}, {100, 250}}, true);
  script_.Type("pedit");
  ASSERT_TRUE(Answer({"75,200", "EditVertex"}));
  ShowWindow(1000, 1000, 1400, 1300);
  ASSERT_TRUE(Answer({""}));
  ShowWindow(0, 0, 400, 300);
  ASSERT_TRUE(Answer({"Move", "150,250", "x"}));
  ShowWindow(1000, 1000, 1400, 1300);
  ASSERT_TRUE(Answer({"EditVertex"}));
  EXPECT_EQ(LastPrinted(), "There isn't visible vertex!");
  script_.Type("x");
  ASSERT_TRUE(script_.WaitUntilIdle());
  ExpectVertices(*closed, {{150, 250}, {100, 200}, {100, 250}}, "closed");
}

// The vertex prompts show an X on the current vertex and, while a
// Straighten or Break waits for Go, a second marker on the mark.
TEST_F(PEditVertexTest, TheMarkersFollowTheCurrentVertexAndTheMark) {
  AddPolyline({{50, 50}, {100, 50}, {150, 100}});
  struct Markers {
    bool shown = false;
    FcPoint2d current, marked;
    int markedShown = 0;
  };
  const auto markers = [this] {
    return script_.OnWindowThread([this] {
      const auto* band = dynamic_cast<const FcPEditDrag*>(script_.View().GetInputRequest().dragObject);
      Markers m;
      if (band != nullptr) m = {true, band->currentVertex, band->markedVertex, band->markedShown};
      return m;
    });
  };
  script_.Type("pedit");
  ASSERT_TRUE(Answer({"75,50", "EditVertex", "Next"}));
  Markers m = markers();
  ASSERT_TRUE(m.shown);
  ExpectPointNear(m.current, {100, 50}, 0);
  EXPECT_EQ(m.markedShown, 0);
  ASSERT_TRUE(Answer({"Straighten", "Next"}));
  m = markers();
  ExpectPointNear(m.current, {150, 100}, 0);
  ExpectPointNear(m.marked, {100, 50}, 0);
  EXPECT_EQ(m.markedShown, 1);
  ASSERT_TRUE(Answer({"x"}));
  EXPECT_EQ(markers().markedShown, 0);
  ASSERT_TRUE(Answer({"x"}));
  EXPECT_FALSE(markers().shown);
  script_.Type("x");
  ASSERT_TRUE(script_.WaitUntilIdle());
}

TEST_F(PEditVertexTest, StraightenAndBreakWorkBetweenTheMarkAndTheCurrentVertex) {
  const FcPolyline* wavy =
      AddPolyline({{20, 50}, {60, 50}, {100, 50, 0.5}, {140, 80}, {180, 20}, {220, 50}, {260, 50}});
  ASSERT_TRUE(Run("pedit", {"40,50", "EditVertex", "Next", "Next", "Straighten", "Next", "Next", "Next", "Go", "Move",
                            "220,60", "x", "x"}));
  EXPECT_TRUE(Contains(Prompts(), "Next/Previous/Go/eXit<Next>"));
  // The current vertex is still the one at (220,50), now vertex 3.
  ExpectVertices(*wavy, {{20, 50}, {60, 50}, {100, 50}, {220, 60}, {260, 50}}, "straightened");

  const FcPolyline* path = AddPolyline({{20, 150}, {60, 150}, {100, 150}, {140, 150}});
  ASSERT_TRUE(Run("pedit", {"40,150", "EditVertex", "Break", "Go", "Next", "Break", "Go", "x", "x"}));
  EXPECT_TRUE(Contains(Printed(), "Invalid!"));
  const std::vector<const FcPolyline*> polylines = EntitiesOf<FcPolyline>();
  ASSERT_EQ(polylines.size(), 3u);
  ExpectVertices(*path, {{20, 150}, {60, 150}}, "kept");
  ExpectVertices(*polylines[2], {{60, 150}, {100, 150}, {140, 150}}, "split off");
  ASSERT_TRUE(Run("undo", {}));
  EXPECT_EQ(EntitiesOf<FcPolyline>().size(), 2u);
  EXPECT_EQ(path->GetVertexCount(), 4);
}

// A piece split off and joined again inside one run leaves nothing behind
// for the drawing's undo to bring back, and the run's own Undo of the join
// brings the piece back as something the drawing's undo removes.
TEST_F(PEditVertexTest, APieceSplitOffAndJoinedAgainIsUndoneWithTheRun) {
  const FcPolyline* path = AddPolyline({{20, 150}, {60, 150}, {100, 150}, {140, 150}});
  const std::vector<std::string> before = UndoNames();
  ASSERT_TRUE(Run("pedit", {"40,150", "EditVertex", "Next", "Break", "Go", "x", "x"}));
  ASSERT_TRUE(Run("undo", {}));
  ASSERT_TRUE(Run("pedit", {"40,150", "EditVertex", "Next", "Break", "Go", "x", "Join", "120,150", "", "x"}));
  EXPECT_EQ(EntitiesOf<FcPolyline>().size(), 1u);
  ExpectVertices(*path, {{20, 150}, {60, 150}, {100, 150}, {140, 150}}, "joined again");
  ASSERT_TRUE(Run("undo", {}));
  EXPECT_EQ(EntitiesOf<FcPolyline>().size(), 1u);
  EXPECT_EQ(UndoNames(), before);

  ASSERT_TRUE(Run("pedit", {"40,150", "EditVertex", "Next", "Break", "Go", "x", "Join", "120,150", "", "Undo", "x"}));
  EXPECT_EQ(EntitiesOf<FcPolyline>().size(), 2u);
  ASSERT_TRUE(Run("undo", {}));
  ASSERT_EQ(EntitiesOf<FcPolyline>().size(), 1u);
  EXPECT_EQ(path->GetVertexCount(), 4);
}

TEST_F(PEditVertexTest, DirectionAngleInsertAndWidthChangeTheCurrentVertex) {
  const FcPolyline* polyline = AddPolyline({{50, 50}, {150, 50}, {250, 50}});
  ASSERT_TRUE(Run("pedit", {"100,50", "EditVertex", "Next", "Next", "Direction", "x", "x"}));
  EXPECT_TRUE(Contains(Printed(), "Can't set the direction of the vertex!"));
  ASSERT_TRUE(Run("pedit", {"100,50", "EditVertex", "Next", "Next", "Angle", "x", "x"}));
  EXPECT_TRUE(Contains(Printed(), "Can't set the angle of the vertex!"));
  // Straight up from vertex 0 to vertex 1 makes a clockwise half circle;
  // a sweep of -90 degrees a clockwise quarter.
  ASSERT_TRUE(Run("pedit", {"100,50", "EditVertex", "Direction", "90", "Next", "Angle", "-90", "Insert", "200,100",
                            "Width", "1", "", "x", "x"}));
  ExpectVertices(*polyline, {{50, 50, -1}, {150, 50, -std::tan(kPi / 8)}, {200, 100}, {250, 50}}, "bent");
  EXPECT_EQ(Widths(polyline->GetVertices()),
            (std::vector<std::pair<double, double>>{{0, 0}, {0, 0}, {1, 1}, {0, 0}}));
  EXPECT_TRUE(Contains(Prompts(), "Enter new ending width<1.0000>"));
}

}  // namespace
