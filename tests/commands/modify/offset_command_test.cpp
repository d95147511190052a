#include <algorithm>
#include <string>
#include <vector>

#include "entities/circle.h"
#include "entities/ellipse.h"
#include "entities/line.h"
#include "entities/polyline.h"
#include "entities/ray.h"
#include "entities/xline.h"
#include "tests/support/pickable_script.h"
#include "tests/support/polyline_expect.h"
#include "tests/support/program_settings_guard.h"

namespace {

const std::string kCannot = "Cannot offset that object.";
const std::string kSelect = "Select object to offset";

// The scripted window shows (0,0)-(400,300), so a typed point picks what
// is drawn within 5 units of it. A refusal leaves the run asking for the
// next object: the answers after it are still taken.
class OffsetCommandTest : public PickableScriptTest {
 protected:
  // Adds the entity as a new one of the drawing, drawn.
  template <typename Entity, typename Fill>
  void Add(Fill fill) {
    script_.OnWindowThread([&] {
      auto* entity = new Entity;
      fill(*entity);
      script_.Drawing().AddEntity(entity, true);
      return true;
    });
  }
  void AddCircle(const FcPoint2d& centre, double radius) {
    Add<FcCircle>([&](FcCircle& c) {
      c.SetCenter(centre);
      c.SetRadius(radius);
    });
  }
  void ClearDrawing() {
    script_.OnWindowThread([this] {
      FcEntitySets all{16};
      for (FcEntity* entity : *script_.Drawing().GetCurrentEntitySet()) all.Add(entity);
      script_.Drawing().EraseEntities(all);
      return true;
    });
  }
  // A run per case, each on a drawing that holds only the source: it makes
  // one copy whose size is as expected, or (expected 0) is refused.
  struct SizeCase {
    std::vector<std::string> answers;
    double size;
  };
  template <typename Entity, typename AddSource, typename SizeOf>
  void RunSizeCases(const std::vector<SizeCase>& cases, AddSource addSource, SizeOf sizeOf) {
    for (const SizeCase& c : cases) {
      SCOPED_TRACE(c.answers[0] + " at " + c.answers[2]);
      addSource();
      ASSERT_TRUE(RunScript(script_, "offset", c.answers));
      const std::vector<const Entity*> found = EntitiesOf<Entity>();
      ASSERT_EQ(found.size(), c.size > 0 ? 2u : 1u);
      if (c.size > 0) {
        EXPECT_NEAR(sizeOf(*found[1]), c.size, 1e-9);
      } else {
        EXPECT_EQ(LastPrinted(), kCannot);
      }
      ClearDrawing();
    }
  }
  double OffsetDist() {
    return script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().offsetdist; });
  }
  std::vector<std::string> Prompts() { return script_.Frame().Prompts(); }

  ProgramSettingsGuard settings_;
};

TEST_F(OffsetCommandTest, ACircleGrowsOrShrinksByTheSideAndRefusesARadiusOfNothing) {
  RunSizeCases<FcCircle>(
      {
          {{"2", "105,100", "101,100", ""}, 3},
          {{"2", "105,100", "120,100", ""}, 7},
          {{"5", "105,100", "101,100", ""}, 0},
          {{"t", "105,100", "100,100", ""}, 0},
          {{"t", "105,100", "100,112", ""}, 12},
      },
      [this] { AddCircle({100, 100}, 5); },
      [](const FcCircle& copy) {
        ExpectPointNear(copy.GetCenter(), {100, 100}, 1e-9);
        return copy.GetRadius();
      });
}

TEST_F(OffsetCommandTest, TheFirstRunOffersOneUnitAndThroughIsRememberedByTheDrawing) {
  ASSERT_TRUE(script_.Run({"line", "50,50", "150,50", ""}));
  ASSERT_TRUE(RunScript(script_, "offset", {"t", "100,50", "100,80", ""}));
  EXPECT_EQ(Prompts().at(Prompts().size() - 4), "Offset distance or Through <1.0000>");
  EXPECT_EQ(OffsetDist(), -10.0);
  ASSERT_TRUE(RunScript(script_, "offset", {"", "100,80", "100,90", ""}));
  const std::vector<std::string> prompts = Prompts();
  EXPECT_EQ(std::vector<std::string>(prompts.end() - 4, prompts.end()),
            (std::vector<std::string>{"Offset distance or Through <Through>", kSelect, "Through point", kSelect}));
  const std::vector<const FcLine*> lines = EntitiesOf<FcLine>();
  ASSERT_EQ(lines.size(), 3u);
  ExpectPointNear(lines[1]->GetStartPoint(), {50, 80}, 1e-9);
  ExpectPointNear(lines[2]->GetStartPoint(), {50, 90}, 1e-9);
  ExpectPointNear(lines[2]->GetEndPoint(), {150, 90}, 1e-9);

  // A typed distance replaces through mode and is offered next time.
  ASSERT_TRUE(RunScript(script_, "offset", {"2.5", kEsc}));
  EXPECT_EQ(OffsetDist(), 2.5);
  ASSERT_TRUE(RunScript(script_, "offset", {kEsc}));
  EXPECT_EQ(Prompts().back(), "Offset distance or Through <2.5000>");
}

// Lines and unbounded lines move square to themselves towards the side
// point; the copy keeps the source's colour and layer, not the current
// ones. A through point on the line gives no distance.
TEST_F(OffsetCommandTest, StraightKindsMoveSquareToThemselvesAndKeepTheirProperties) {
  Add<FcLine>([](FcLine& l) {
    l.SetStartPoint({50, 50});
    l.SetEndPoint({150, 50});
  });
  Add<FcRay>([](FcRay& r) {
    r.SetBasePoint({50, 150});
    r.SetDirection({1, 0});
  });
  Add<FcXLine>([](FcXLine& x) {
    x.SetBasePoint({300, 100});
    x.SetDirection({0, 1});
  });
  script_.OnWindowThread([this] {
    for (FcEntity* entity : *script_.Drawing().GetCurrentEntitySet()) entity->SetColor(3);
    script_.Drawing().GetSysVars().cecolor = 5;
    return true;
  });
  ASSERT_TRUE(RunScript(script_, "offset",
                        {"10", "100,50", "100,80", "100,150", "100,100", "300,200", "350,200", "200,10", ""}));
  const std::vector<const FcLine*> lines = EntitiesOf<FcLine>();
  ASSERT_EQ(lines.size(), 2u);
  ExpectPointNear(lines[1]->GetStartPoint(), {50, 60}, 1e-9);
  ExpectPointNear(lines[1]->GetEndPoint(), {150, 60}, 1e-9);
  EXPECT_EQ(lines[1]->GetColor(), 3);
  EXPECT_EQ(lines[1]->GetLayer(), lines[0]->GetLayer());
  const std::vector<const FcRay*> rays = EntitiesOf<FcRay>();
  ASSERT_EQ(rays.size(), 2u);
  ExpectPointNear(rays[1]->GetBasePoint(), {50, 140}, 1e-9);
  ExpectPointNear(rays[1]->GetDirection(), {1, 0}, 1e-9);
  const std::vector<const FcXLine*> xlines = EntitiesOf<FcXLine>();
  ASSERT_EQ(xlines.size(), 2u);
  ExpectPointNear(xlines[1]->GetBasePoint(), {310, 100}, 1e-9);

  ASSERT_TRUE(RunScript(script_, "offset", {"t", "100,50", "120,50", ""}));
  EXPECT_EQ(LastPrinted(), kCannot);
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 2u);
}

// Centre (200,150), major radius 40 along x, minor 20.
TEST_F(OffsetCommandTest, AnEllipseIsScaledAboutItsCentre) {
  RunSizeCases<FcEllipse>(
      {
          {{"10", "240,150", "250,150", ""}, 50},
          {{"10", "240,150", "200,150", ""}, 30},
          {{"t", "240,150", "200,180", ""}, 60},
          // Inward by its whole major radius nothing is left to draw.
          {{"40", "240,150", "210,150", ""}, 0},
      },
      [this] {
        Add<FcEllipse>([](FcEllipse& e) {
          e.SetCenter({200, 150});
          e.SetMajorAxis({40, 0});
          e.SetRadiusRatio(0.5);
        });
      },
      [](const FcEllipse& copy) {
        EXPECT_EQ(copy.GetMajorAxis().y, 0.0);
        EXPECT_NEAR(copy.GetMinorRadius(), copy.GetMajorRadius() / 2, 1e-9);
        return copy.GetMajorAxis().x;
      });
}

TEST_F(OffsetCommandTest, APolylineTakesTheGapStyleOfTheProgramSetting) {
  const auto addRectangle = [this] {
    Add<FcPolyline>([](FcPolyline& p) {
      for (const FcPoint2d& at : {FcPoint2d{250, 50}, {350, 50}, {350, 100}, {250, 100}}) p.AppendVertex(at, 0, 0, 0);
      p.SetClosed(true);
    });
  };
  addRectangle();
  ASSERT_TRUE(RunScript(script_, "offset", {"5", "300,50", "300,40", ""}));
  std::vector<const FcPolyline*> polylines = EntitiesOf<FcPolyline>();
  ASSERT_EQ(polylines.size(), 2u);
  EXPECT_TRUE(polylines[1]->IsClosed());
  ExpectVertices(*polylines[1], {{245, 45, 0}, {355, 45, 0}, {355, 105, 0}, {245, 105, 0}});

  GetProgramSettings().offset_gap_type = 2;
  ASSERT_TRUE(RunScript(script_, "offset", {"5", "300,50", "300,52", ""}));
  polylines = EntitiesOf<FcPolyline>();
  ASSERT_EQ(polylines.size(), 3u);
  ExpectVertices(*polylines[2], {{255, 55, 0}, {345, 55, 0}, {345, 95, 0}, {255, 95, 0}}, "inward");
  ASSERT_TRUE(RunScript(script_, "offset", {"5", "300,44", "300,30", ""}));
  polylines = EntitiesOf<FcPolyline>();
  ASSERT_EQ(polylines.size(), 4u);
  ExpectVertices(*polylines[3], {{245, 40, 0}, {355, 40, 0}, {360, 45, 0}, {360, 105, 0}, {355, 110, 0},
                                 {245, 110, 0}, {240, 105, 0}, {240, 45, 0}},
                 "cut corners");
}

// One run, one undo step for everything it made; kinds without a rule are
// refused and the next pick is asked for.
TEST_F(OffsetCommandTest, EverythingARunMadeGoesWithOneUndoAndOtherKindsAreRefused) {
  ASSERT_TRUE(script_.Run({"line", "50,50", "150,50", ""}));
  AddCircle({100, 200}, 20);
  ASSERT_TRUE(script_.Run({"point", "300,250"}));
  ASSERT_TRUE(RunScript(script_, "offset",
                        {"5", "100,50", "100,60", "300,250", "100,220", "100,230", "100,50", "100,40", ""}));
  EXPECT_EQ(LastPrinted(), kCannot);
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 3u);
  EXPECT_EQ(EntitiesOf<FcCircle>().size(), 2u);
  EXPECT_EQ(UndoNames().back(), "Offset");

  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(LastPrinted(), "Undo : Offset");
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 1u);
  EXPECT_EQ(EntitiesOf<FcCircle>().size(), 1u);
  ASSERT_TRUE(script_.Run({"redo"}));
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 3u);
  EXPECT_EQ(EntitiesOf<FcCircle>().size(), 2u);

  // A run that made nothing leaves no step.
  const std::size_t steps = UndoNames().size();
  ASSERT_TRUE(RunScript(script_, "offset", {"5", "300,250", ""}));
  EXPECT_EQ(UndoNames().size(), steps);
}

// OFFSETDIST at exactly 0 (set as a variable) is neither mode: straight
// kinds give no distance, circles go through the point, ellipses are left
// alone without a word.
TEST_F(OffsetCommandTest, AZeroOffsetDistIsNeitherMode) {
  ASSERT_TRUE(script_.Run({"line", "50,50", "150,50", ""}));
  AddCircle({100, 200}, 20);
  Add<FcEllipse>([](FcEllipse& e) {
    e.SetCenter({300, 150});
    e.SetMajorAxis({40, 0});
    e.SetRadiusRatio(0.5);
  });
  script_.OnWindowThread([this] {
    script_.Drawing().GetSysVars().offsetdist = 0.0;
    return true;
  });
  ASSERT_TRUE(RunScript(script_, "offset", {"", "100,50", "100,60", "100,220", "100,230", "340,150", "350,150", ""}));
  const std::vector<std::string> printed = Printed();
  EXPECT_EQ(std::count(printed.begin(), printed.end(), kCannot), 1);
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 1u);
  const std::vector<const FcCircle*> circles = EntitiesOf<FcCircle>();
  ASSERT_EQ(circles.size(), 2u);
  EXPECT_NEAR(circles[1]->GetRadius(), 30, 1e-9);
  EXPECT_EQ(EntitiesOf<FcEllipse>().size(), 1u);
}

// The side point is answered in the current UCS.
TEST_F(OffsetCommandTest, TheSidePointIsTakenInTheCurrentUcs) {
  ASSERT_TRUE(script_.Run({"line", "50,50", "150,50", ""}));
  script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().SetUcs({100, 0}, {101, 0}, {100, 1}); });
  ASSERT_TRUE(RunScript(script_, "offset", {"t", "0,50", "0,70", ""}));
  const std::vector<const FcLine*> lines = EntitiesOf<FcLine>();
  ASSERT_EQ(lines.size(), 2u);
  ExpectPointNear(lines[1]->GetStartPoint(), {50, 70}, 1e-9);
}

}  // namespace
