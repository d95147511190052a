#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "database/graph.h"
#include "entities/arc.h"
#include "entities/circle.h"
#include "entities/line.h"
#include "display/drag_lengthen.h"
#include "entities/polyline.h"
#include "tests/support/pending_band.h"
#include "tests/support/pickable_script.h"

namespace {

// The scripted window shows (0,0)-(400,300); a typed point picks what lies
// within 5 units of it.
class LengthenCommandTest : public PickableScriptTest {
 protected:
  template <typename Entity>
  Entity* Add(std::function<void(Entity&)> fill) {
    return script_.OnWindowThread([&] {
      auto* entity = new Entity;
      fill(*entity);
      script_.Drawing().AddEntity(entity, true);
      return entity;
    });
  }

  FcLine* AddLine(FcPoint2d start, FcPoint2d end) {
    return Add<FcLine>([&](FcLine& line) {
      line.SetStartPoint(start);
      line.SetEndPoint(end);
    });
  }

  // Centre (200,100), radius 20, from 0 to 90 degrees.
  FcArc* AddArc() {
    return Add<FcArc>([](FcArc& arc) {
      arc.SetCenter({200, 100});
      arc.SetRadius(20);
      arc.SetStartAngle(0);
      arc.SetEndAngle(kHalfPi);
    });
  }

  struct Vertex {
    FcPoint2d at;
    double startWidth = 0.0;
    double endWidth = 0.0;
    double bulge = 0.0;
  };
  FcPolyline* AddPolyline(const std::vector<Vertex>& vertices) {
    return Add<FcPolyline>([&](FcPolyline& polyline) {
      for (const Vertex& v : vertices) polyline.AppendVertex(v.at, v.startWidth, v.endWidth, v.bulge);
    });
  }

  // Takes the entity out of the drawing between cases.
  void Erase(FcEntity* entity) {
    script_.OnWindowThread([&] {
      FcEntitySets gone(1);
      gone.Add(entity);
      script_.Drawing().EraseEntities(gone);
      return 0;
    });
  }

  void RunLengthen(const std::vector<std::string>& answers) {
    ASSERT_TRUE(RunScript(script_, "lengthen", answers));
  }

  static double Degrees(double radians) { return radians * 180.0 / kPi; }
};

// A line of length 10 from (100,100) to (110,100).
TEST_F(LengthenCommandTest, EachModeMovesTheLineEndNearerThePick) {
  const struct {
    const char* name;
    std::vector<std::string> answers;
    FcPoint2d start;
    FcPoint2d end;
  } cases[] = {
      {"delta 5 near the end", {"de", "5", "109,100", ""}, {100, 100}, {115, 100}},
      {"delta 5 halfway moves the end", {"de", "5", "105,100", ""}, {100, 100}, {115, 100}},
      {"delta -15 goes back through the start", {"de", "-15", "109,100", ""}, {100, 100}, {95, 100}},
      {"percent 50", {"p", "50", "109,100", ""}, {100, 100}, {105, 100}},
      {"total 20 near the start", {"t", "20", "101,100", ""}, {90, 100}, {110, 100}},
      {"dynamic: the foot of the point on the line", {"dy", "109,100", "130,105", ""}, {100, 100}, {130, 100}},
      {"Esc at the dynamic point ends the command", {"dy", "109,100", kEsc}, {100, 100}, {110, 100}},
      {"Enter at the dynamic point goes on", {"dy", "109,100", "", ""}, {100, 100}, {110, 100}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FcLine* line = AddLine({100, 100}, {110, 100});
    RunLengthen(c.answers);
    ExpectPointNear(line->GetStartPoint(), c.start, 1e-9);
    ExpectPointNear(line->GetEndPoint(), c.end, 1e-9);
    Erase(line);
  }
}

// The point prompt of the dynamic mode shows the piece the cursor makes:
// the line's, or the arc's, with the end nearer the pick moving.
TEST_F(LengthenCommandTest, TheDynamicPointPromptPreviewsTheMovingEnd) {
  AddLine({100, 100}, {110, 100});
  AddArc();
  LookAtPendingBand<FcDragLengthen>(script_, {"lengthen", "dy", "101,100"}, [](const FcDragLengthen* band) {
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->kind, FcDragLengthen::kLine);
    EXPECT_TRUE(band->startMoves);
    ExpectPointNear(band->lineStart, {100, 100}, 1e-12);
    ExpectPointNear(band->lineEnd, {110, 100}, 1e-12);
  });
  EXPECT_EQ(script_.Frame().Prompts().back(), "New start point for line");
  LookAtPendingBand<FcDragLengthen>(script_, {"lengthen", "dy", "200,120"}, [](const FcDragLengthen* band) {
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->kind, FcDragLengthen::kArc);
    EXPECT_FALSE(band->startMoves);
    EXPECT_NEAR(band->arcRadius, 20, 1e-12);
    EXPECT_NEAR(band->arcEnd, kHalfPi, 1e-12);
  });
  EXPECT_EQ(script_.Frame().Prompts().back(), "New end point for arc");
}

TEST_F(LengthenCommandTest, APickWithoutAModeReportsTheLengthAndChangesNothing) {
  FcLine* line = AddLine({100, 100}, {110, 100});
  AddArc();
  AddPolyline({{{100, 200}}, {{140, 200}}, {{140, 230}}});
  RunLengthen({"109,100", "200,120", "120,200", ""});
  const std::vector<std::string> printed = Printed();
  ASSERT_GE(printed.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(printed.end() - 3, printed.end()),
            (std::vector<std::string>{"Current length: 10.0000", "Current length: 31.4159, included angle: 90.0000",
                                      "Current length: 70.0000"}));
  ExpectPointNear(line->GetEndPoint(), {110, 100}, 1e-12);
  EXPECT_EQ(NewestUndoName(script_), "(none)");
}

// The arc of 90 degrees (length 10*pi) about (200,100), picked near its
// end (200,120) or its start (220,100).
TEST_F(LengthenCommandTest, ArcsChangeByLengthOrIncludedAngleWithinOneTurn) {
  const struct {
    const char* name;
    std::vector<std::string> answers;
    const char* message;
    double start;
    double end;
  } cases[] = {
      {"delta length near the start", {"de", "-10", "220,100", ""}, nullptr, Degrees(0.5), 90},
      {"delta angle near the end", {"de", "a", "30", "200,120", ""}, nullptr, 0, 120},
      {"a negative delta angle shortens", {"de", "a", "-30", "200,120", ""}, nullptr, 0, 60},
      {"percent", {"p", "200", "200,120", ""}, nullptr, 0, 180},
      {"total angle", {"t", "a", "45", "220,100", ""}, nullptr, 45, 90},
      {"total angle past a turn", {"t", "a", "400", "200,120", ""}, "Invalid angle.", 0, 90},
      {"total length past the whole circle", {"t", "125.7", "200,120", ""}, "Invalid length.", 0, 90},
      {"dynamic, the point's direction", {"dy", "200,120", "180,120", ""}, nullptr, 0, 135},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FcArc* arc = AddArc();
    RunLengthen(c.answers);
    if (c.message != nullptr) {
      EXPECT_EQ(LastPrinted(), c.message);
    }
    EXPECT_NEAR(Degrees(arc->GetStartAngle()), c.start, 1e-9);
    EXPECT_NEAR(Degrees(arc->GetEndAngle()), c.end, 1e-9);
    Erase(arc);
  }
}

// Only an end segment that is straight lengthens; its taper goes on.
TEST_F(LengthenCommandTest, PolylinesLengthenAtAStraightEndSegmentKeepingItsTaper) {
  FcPolyline* two = AddPolyline({{{100, 200}, 2, 6}, {{140, 200}}});
  RunLengthen({"de", "10", "105,200", "135,200", ""});
  ExpectPointNear({two->GetVertex(0)->x, two->GetVertex(0)->y}, {90, 200}, 1e-9);
  ExpectPointNear({two->GetVertex(1)->x, two->GetVertex(1)->y}, {150, 200}, 1e-9);
  // 6 + (2 - 6) * 50/40 at the start, then 1 + (6 - 1) * 60/50 at the end.
  EXPECT_NEAR(two->GetVertex(0)->startWidth, 1.0, 1e-9);
  EXPECT_NEAR(two->GetVertex(0)->endWidth, 7.0, 1e-9);

  FcPolyline* four = AddPolyline({{{250, 150}}, {{300, 150}}, {{300, 200}}, {{350, 200}, 0, 0, 0}});
  RunLengthen({"de", "10", "300,175", "340,200", ""});
  EXPECT_EQ(LastPrinted(), "Cannot LENGTHEN middle segment of polyline.");
  ExpectPointNear({four->GetVertex(3)->x, four->GetVertex(3)->y}, {360, 200}, 1e-9);

  const struct {
    const char* name;
    std::vector<std::string> answers;
    const char* message;
  } refusals[] = {
      {"dynamic", {"dy", "260,150", ""}, "Cannot LENGTHEN this object by dynamic point."},
      {"by angle", {"de", "a", "10", "260,150", ""}, "Cannot LENGTHEN this object by angle."},
      {"total shorter than the end segment allows", {"t", "50", "260,150", ""}, "Cannot LENGTHEN this object."},
  };
  for (const auto& r : refusals) {
    SCOPED_TRACE(r.name);
    RunLengthen(r.answers);
    EXPECT_EQ(LastPrinted(), r.message);
    ExpectPointNear({four->GetVertex(0)->x, four->GetVertex(0)->y}, {250, 150}, 1e-9);
  }

  FcPolyline* arcEnd = AddPolyline({{{100, 50}}, {{150, 50}, 0, 0, 1}, {{150, 80}}});
  RunLengthen({"de", "10", "165,65", ""});
  EXPECT_EQ(LastPrinted(), "Cannot LENGTHEN arc segment of polyline.");
  ExpectPointNear({arcEnd->GetVertex(2)->x, arcEnd->GetVertex(2)->y}, {150, 80}, 1e-9);
}

// The frame's end vertex moves along its own end segment, and the curve
// is fitted again through the frame.
TEST_F(LengthenCommandTest, ACurveFittedPolylineLengthensItsFrameAndIsFittedAgain) {
  FcPolyline* fitted = Add<FcPolyline>([](FcPolyline& polyline) {
    for (const FcPoint2d& at : {FcPoint2d{100, 200}, FcPoint2d{150, 250}, FcPoint2d{200, 200}})
      polyline.AppendVertex(at, 0, 0, 0);
    polyline.CurveFit();
  });
  RunLengthen({"de", std::to_string(10 * std::sqrt(2.0)), "200,200", ""});
  ExpectPointNear({fitted->GetVertex(2)->x, fitted->GetVertex(2)->y}, {210, 190}, 1e-6);
  ASSERT_TRUE(fitted->IsFitted());
  const PolylineVertex& last = fitted->GetFitVertices().back();
  ExpectPointNear({last.x, last.y}, {210, 190}, 1e-6);
}

// Nothing to lengthen in: a line or a polyline without length, a closed
// polyline, which has no end, or a kind Lengthen does not know.
TEST_F(LengthenCommandTest, ObjectsWithoutADirectionOrOfOtherKindsAreRefused) {
  FcLine* point = AddLine({100, 100}, {100, 100});
  FcPolyline* folded = AddPolyline({{{250, 100}}, {{250, 100}}});
  Add<FcCircle>([](FcCircle& circle) {
    circle.SetCenter({300, 200});
    circle.SetRadius(20);
  });
  FcPolyline* closed = Add<FcPolyline>([](FcPolyline& polyline) {
    for (const FcPoint2d& at : {FcPoint2d{300, 50}, FcPoint2d{350, 50}, FcPoint2d{350, 90}})
      polyline.AppendVertex(at, 0, 0, 0);
    polyline.SetClosed(true);
  });
  for (const char* pick : {"100,100", "250,100", "320,200", "300,50"}) {
    SCOPED_TRACE(pick);
    RunLengthen({"de", "5", pick, ""});
    EXPECT_EQ(LastPrinted(), "Cannot LENGTHEN this object.");
  }
  ExpectPointNear(point->GetEndPoint(), {100, 100}, 0.0);
  ExpectPointNear({folded->GetVertex(1)->x, folded->GetVertex(1)->y}, {250, 100}, 0.0);
  ExpectPointNear({closed->GetVertex(0)->x, closed->GetVertex(0)->y}, {300, 50}, 0.0);
  EXPECT_EQ(NewestUndoName(script_), "(none)");
}

TEST_F(LengthenCommandTest, OneRunIsOneUndoStepAndItsValuesStayWithTheDrawing) {
  FcLine* first = AddLine({100, 100}, {110, 100});
  FcLine* second = AddLine({100, 150}, {110, 150});
  RunLengthen({"de", "7", "109,100", "109,150", kEsc});
  ExpectPointNear(first->GetEndPoint(), {117, 100}, 1e-9);
  ExpectPointNear(second->GetEndPoint(), {117, 150}, 1e-9);
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"Lengthen"});

  RunLengthen({"de", "", "116,100", kEsc});
  EXPECT_TRUE(script_.Frame().Prompts().end() != std::find(script_.Frame().Prompts().begin(),
                                                            script_.Frame().Prompts().end(),
                                                            "Angle/<Enter delta length (7.0000)>"));
  ExpectPointNear(first->GetEndPoint(), {124, 100}, 1e-9);
  EXPECT_EQ(script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().LengthenDelta; }), 7.0);

  ASSERT_TRUE(script_.Run({"undo"}));
  ASSERT_TRUE(script_.Run({"undo"}));
  ExpectPointNear(first->GetEndPoint(), {110, 100}, 1e-9);
  ExpectPointNear(second->GetEndPoint(), {110, 150}, 1e-9);
}

}  // namespace
