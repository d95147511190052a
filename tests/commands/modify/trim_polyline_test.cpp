#include <cmath>
#include <string>
#include <vector>

#include "files/drawing_file.h"
#include "tests/commands/modify/edge_command_fixture.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr double kNear = 1e-7;

using TrimPolylineTest = EdgeCommandTest;

TEST_F(TrimPolylineTest, AnOpenPolylineLosesThePickedPieceBetweenTheNearestCrossings) {
  AddLine({180, 50}, {180, 250});
  AddLine({220, 50}, {220, 250});
  const FcPolyline* middle = Draw<FcPolyline>("pline", {"50,100", "150,100", "250,100", "350,100", ""});
  const FcPolyline* first = Draw<FcPolyline>("pline", {"50,200", "150,200", "250,200", "350,200", ""});
  ASSERT_TRUE(Run("trim", {"180,60", "220,60", "", "200,100", "100,200", ""}));
  const std::vector<const FcPolyline*> polylines = EntitiesOf<FcPolyline>();
  ASSERT_EQ(polylines.size(), 3u);
  ExpectVertices(*middle, {{50, 100}, {150, 100}, {180, 100}}, "picked between crossings on its segment");
  ExpectVertices(*polylines[2], {{220, 100}, {250, 100}, {350, 100}}, "the piece beyond");
  EXPECT_NE(polylines[2]->GetHandle(), middle->GetHandle());
  ExpectVertices(*first, {{180, 200}, {250, 200}, {350, 200}}, "picked on a segment without crossings");

  ASSERT_TRUE(Run("undo", {}));
  ASSERT_EQ(EntitiesOf<FcPolyline>().size(), 2u);
  ExpectVertices(*middle, {{50, 100}, {150, 100}, {250, 100}, {350, 100}}, "undone");
}

// Two squares across one cutting line: the first picked on its top side,
// the second on its bottom side, which holds the first vertex.
TEST_F(TrimPolylineTest, AClosedPolylineOpensIntoTwoPiecesOrOneWhenThePieceHoldsTheFirstVertex) {
  AddLine({50, 150}, {390, 150});
  const FcPolyline* top = Draw<FcPolyline>("pline", {"100,100", "200,100", "200,200", "100,200", "Close"});
  const FcPolyline* bottom = Draw<FcPolyline>("pline", {"250,100", "350,100", "350,200", "250,200", "Close"});
  ASSERT_TRUE(Run("trim", {"225,150", "", "150,200", "300,100", ""}));
  const std::vector<const FcPolyline*> polylines = EntitiesOf<FcPolyline>();
  ASSERT_EQ(polylines.size(), 3u);
  EXPECT_FALSE(top->IsClosed());
  ExpectVertices(*top, {{100, 100}, {200, 100}, {200, 150}}, "up to the first cut");
  ExpectVertices(*polylines[2], {{100, 150}, {100, 100}}, "from the second cut round to the first vertex");
  EXPECT_FALSE(bottom->IsClosed());
  ExpectVertices(*bottom, {{350, 150}, {350, 200}, {250, 200}, {250, 150}}, "one piece");
}

TEST_F(TrimPolylineTest, ACutSegmentKeepsItsWidthAndItsArcAtTheCut) {
  AddLine({200, 200}, {200, 290});
  AddLine({200, 20}, {200, 80});
  const FcPolyline* arc = Draw<FcPolyline>("pline", {"100,150", "Arc", "SecondPt", "200,250", "300,150", ""});
  const FcPolyline* tapered = Draw<FcPolyline>("pline", {"100,50", "Width", "0", "10", "300,50", ""});
  const FcPoint2d onArc = PointAtPolar({200, 150}, 100, 135 * kDegToRad);
  ASSERT_TRUE(Run("trim", {"200,280", "200,30", "", PointText(onArc), "150,50", ""}));
  ExpectVertices(*arc, {{200, 250, -std::tan(kPi / 8)}, {300, 150}}, "the quarter after the cut");
  ExpectVertices(*tapered, {{200, 50}, {300, 50}}, "the half after the cut");
  EXPECT_NEAR(tapered->GetVertices()[0].startWidth, 5, kNear);
  EXPECT_NEAR(tapered->GetVertices()[0].endWidth, 10, kNear);
}

TEST_F(TrimPolylineTest, AFittedPolylineBecomesPlainThroughItsFittedPointsEvenWithNothingCut) {
  FcPolyline* fitted = Draw<FcPolyline>("pline", {"100,100", "200,200", "300,100", ""});
  AddLine({50, 50}, {50, 250});
  Change([&](FcGraph& graph) {
    fitted->SplineFit();
    graph.RedrawEntity(fitted);
  });
  const std::size_t fitCount = fitted->GetFitVertices().size();
  ASSERT_GT(fitCount, 3u);
  ASSERT_TRUE(Run("trim", {"50,60", "", "100,100", ""}));
  EXPECT_FALSE(fitted->IsFitted());
  EXPECT_EQ(fitted->GetVertices().size(), fitCount);
  EXPECT_EQ(UndoNames().back(), "Trim");

  ASSERT_TRUE(Run("undo", {}));
  const std::vector<const FcPolyline*> polylines = EntitiesOf<FcPolyline>();
  ASSERT_EQ(polylines.size(), 1u);
  EXPECT_TRUE(polylines[0]->IsFitted());
  EXPECT_EQ(polylines[0]->GetVertices().size(), 3u);
}

}  // namespace

namespace {

// The pieces a run makes are whole entities of their own: the file holds
// them with handles of their own, and an independent reader finds nothing
// to mend.
TEST_F(TrimPolylineTest, ThePiecesOfARunAreSavedAsEntitiesOfTheirOwn) {
  AddLine({50, 150}, {390, 150});
  Draw<FcPolyline>("pline", {"100,100", "200,100", "200,200", "100,200", "Close"});
  AddLine({300, 100}, {300, 200});
  FcPolyline* fitted = Draw<FcPolyline>("pline", {"250,120", "300,180", "350,120", ""});
  Change([&](FcGraph& graph) {
    fitted->CurveFit();
    graph.RedrawEntity(fitted);
  });
  AddCircle({300, 250}, 30);
  AddLine({300, 215}, {300, 300});
  ASSERT_TRUE(Run("trim", {"60,150", "300,105", "300,295", "", "150,200", "350,120", "270,250", ""}));
  EXPECT_EQ(EntitiesOf<FcPolyline>().size(), 3u);
  EXPECT_EQ(EntitiesOf<FcArc>().size(), 1u);
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 3u);

  TempDir folder;
  const std::string path = folder.path() + "trimmed.dxf";
  ASSERT_TRUE(script_.OnWindowThread([&] {
    return SaveDrawing(script_.Drawing(), path, FcFileKind::kAsciiDxf, false, false) == FcSaveResult::kDone;
  }));
  const CommandResult audit = RunCommand("/usr/bin/python3 '" + LibraryScript() + "' audit '" + path + "'");
  EXPECT_EQ(audit.status, 0) << audit.output;
  const CommandResult counts =
      RunCommand("/usr/bin/python3 '" + LibraryScript() + "' counts '" + path + "' --layouts LWPOLYLINE ARC LINE");
  EXPECT_EQ(counts.output, "LWPOLYLINE:3 ARC:1 LINE:3\n");
}

}  // namespace
