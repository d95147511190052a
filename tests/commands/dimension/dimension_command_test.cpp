#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "database/dim_style.h"
#include "entities/dim_linear.h"
#include "entities/dim_ordinate.h"
#include "entities/dim_radial.h"
#include "entities/line.h"
#include "shell/drag_dimension.h"
#include "tests/support/pickable_script.h"

namespace {

using DimensionCommandTest = PickableScriptTest;

// The spacing of stacked dimension lines and the text prompts answered
// with Enter, which keeps the measured text.
void UseSpacing(ScriptedView& script, double spacing) {
  script.OnWindowThread([&script, spacing] {
    FcDimStyle* style = script.Drawing().GetCurrentDimStyle();
    style->dimdli = spacing;
    style->dimscale = 1.0;
    return true;
  });
}

TEST_F(DimensionCommandTest, DimLinearPlacesItsDefinitionPoints) {
  ASSERT_TRUE(RunScript(script_, "DimLinear", {"0,0", "10,0", "5,5", ""}));
  const std::vector<const FcDimRotate*> dimensions = EntitiesOf<FcDimRotate>();
  ASSERT_EQ(dimensions.size(), 1u);
  const FcDimRotate& dimension = *dimensions[0];
  ExpectPointNear(dimension.GetDefPoint13(), {0, 0}, 1e-9);
  ExpectPointNear(dimension.GetDefPoint14(), {10, 0}, 1e-9);
  ExpectPointNear(dimension.GetDefPoint10(), {10, 5}, 1e-9);
  // The command puts the text in the middle of the line; the style's
  // layout may lift it off the line.
  EXPECT_NEAR(dimension.GetTextMidpoint().x, 5.0, 1e-9);
  EXPECT_EQ(dimension.GetRotation(), 0.0);
  EXPECT_NEAR(dimension.GetMeasurement(), 10.0, 1e-12);
  EXPECT_EQ(dimension.GetTextOverride(), "");
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"DimLinear"}));
  EXPECT_EQ(script_.Frame().Prompts().back(), "Dimension text <10.0000>");
}

// The location decides between horizontal and vertical; the keywords fix
// it, and the text and angle options set the text.
TEST_F(DimensionCommandTest, DimLinearOrientationAndOptions) {
  struct Case {
    std::vector<std::string> answers;
    double rotation;
    double measurement;
    std::string text;
  };
  const Case cases[] = {
      {{"0,0", "10,4", "15,2", ""}, kHalfPi, 4.0, ""},
      {{"0,0", "10,4", "5,10", ""}, 0.0, 10.0, ""},
      {{"0,0", "10,4", "v", "5,10", ""}, kHalfPi, 4.0, ""},
      {{"0,0", "10,4", "r", "45", "20,0", ""}, kPi / 4.0, std::sqrt(116.0) * std::cos(std::atan2(4.0, 10.0) - kPi / 4.0), ""},
      {{"0,0", "10,4", "t", "about <>", "5,10"}, 0.0, 10.0, "about <>"},
      {{"0,0", "10,4", "a", "30", "5,10", " "}, 0.0, 10.0, " "},
  };
  for (const Case& c : cases) {
    ScriptedView script;
    ASSERT_TRUE(RunScript(script, "DimLinear", c.answers)) << c.answers[2];
    const std::vector<const FcDimRotate*> dimensions = EntitiesIn<FcDimRotate>(script);
    ASSERT_EQ(dimensions.size(), 1u) << c.answers[2];
    EXPECT_NEAR(dimensions[0]->GetRotation(), c.rotation, 1e-9) << c.answers[2];
    EXPECT_NEAR(dimensions[0]->GetMeasurement(), c.measurement, 1e-9) << c.answers[2];
    EXPECT_EQ(dimensions[0]->GetTextOverride(), c.text) << c.answers[2];
  }
}

TEST_F(DimensionCommandTest, CancelledOrEmptyLocationMakesNothing) {
  ASSERT_TRUE(RunScript(script_, "DimLinear", {"0,0", "10,0", ""}));
  EXPECT_EQ(LastPrinted(), "Invalid!");
  ASSERT_TRUE(RunScript(script_, "DimAligned", {"0,0", "10,0", kEsc}));
  EXPECT_TRUE(EntitiesOf<FcDimension>().empty());
  EXPECT_TRUE(UndoNames().empty());
}

TEST_F(DimensionCommandTest, DimAlignedMeasuresTheTrueDistance) {
  ASSERT_TRUE(RunScript(script_, "DimAligned", {"0,0", "10,5", "0,8", ""}));
  const std::vector<const FcDimAligned*> dimensions = EntitiesOf<FcDimAligned>();
  ASSERT_EQ(dimensions.size(), 1u);
  EXPECT_NEAR(dimensions[0]->GetMeasurement(), std::sqrt(125.0), 1e-9);
  EXPECT_EQ(dimensions[0]->GetDimType() & 7, kDimTypeAligned);
}

// DimBaseLine stacks each new line DIMDLI beyond the last and measures from
// the base's first origin; DimContinue then goes on from the last origin
// on the same line.
TEST_F(DimensionCommandTest, BaselineThenContinue) {
  UseSpacing(script_, 4.0);
  ASSERT_TRUE(RunScript(script_, "DimLinear", {"0,0", "10,0", "5,5", ""}));
  ASSERT_TRUE(RunScript(script_, "DimBaseLine", {"20,0", "30,0", kEsc}));
  ASSERT_TRUE(RunScript(script_, "DimContinue", {"40,0", kEsc}));
  const std::vector<const FcDimRotate*> dimensions = EntitiesOf<FcDimRotate>();
  ASSERT_EQ(dimensions.size(), 4u);
  struct Expected {
    FcPoint2d p13, p14, p10;
    double measurement;
  };
  const Expected expected[] = {
      {{0, 0}, {10, 0}, {10, 5}, 10}, {{0, 0}, {20, 0}, {20, 9}, 20}, {{0, 0}, {30, 0}, {30, 13}, 30},
      {{30, 0}, {40, 0}, {40, 13}, 10}};
  for (std::size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    ExpectPointNear(dimensions[i]->GetDefPoint13(), expected[i].p13, 1e-9);
    ExpectPointNear(dimensions[i]->GetDefPoint14(), expected[i].p14, 1e-9);
    ExpectPointNear(dimensions[i]->GetDefPoint10(), expected[i].p10, 1e-9);
    EXPECT_NEAR(dimensions[i]->GetMeasurement(), expected[i].measurement, 1e-9);
  }
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"DimLinear", "DimBaseLine", "DimBaseLine", "DimContinue"}));
}

TEST_F(DimensionCommandTest, RadiusAndDiameterOfACircle) {
  ASSERT_TRUE(RunScript(script_, "circle", {"100,150", "20"}));
  ASSERT_TRUE(RunScript(script_, "DimRadius", {"120,150", "130,150", ""}));
  EXPECT_EQ(Printed()[Printed().size() - 1], "Dimension text = 20.0000");
  ASSERT_TRUE(RunScript(script_, "DimDiameter", {"100,170", "100,190", ""}));
  const std::vector<const FcDimRadius*> radii = EntitiesOf<FcDimRadius>();
  ASSERT_EQ(radii.size(), 1u);
  ExpectPointNear(radii[0]->GetDefPoint10(), {100, 150}, 1e-9);
  ExpectPointNear(radii[0]->GetDefPoint15(), {120, 150}, 1e-9);
  EXPECT_NEAR(radii[0]->GetMeasurement(), 20.0, 1e-9);
  const std::vector<const FcDimDiameter*> diameters = EntitiesOf<FcDimDiameter>();
  ASSERT_EQ(diameters.size(), 1u);
  ExpectPointNear(diameters[0]->GetDefPoint10(), {100, 170}, 1e-9);
  ExpectPointNear(diameters[0]->GetDefPoint15(), {100, 130}, 1e-9);
  EXPECT_NEAR(diameters[0]->GetMeasurement(), 40.0, 1e-9);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Circle", "DimRadius", "DimDiameter"}));
}

TEST_F(DimensionCommandTest, DimOrdinateLabelsTheFeature) {
  struct Case {
    std::vector<std::string> answers;
    bool x;
    double measurement;
  };
  const Case cases[] = {
      {{"5,3", "6,8", ""}, true, 5.0},
      {{"5,3", "9,4", ""}, false, 3.0},
      {{"5,3", "y", "6,8", ""}, false, 3.0},
  };
  for (const Case& c : cases) {
    ScriptedView script;
    ASSERT_TRUE(RunScript(script, "DimOrdinate", c.answers));
    const std::vector<const FcDimOrdinate*> dimensions = EntitiesIn<FcDimOrdinate>(script);
    ASSERT_EQ(dimensions.size(), 1u);
    EXPECT_EQ(dimensions[0]->MeasuresX(), c.x) << c.answers[1];
    EXPECT_NEAR(dimensions[0]->GetMeasurement(), c.measurement, 1e-9) << c.answers[1];
    ExpectPointNear(dimensions[0]->GetDefPoint10(), {0, 0}, 1e-9);
  }
}

// A cross of half-size |DIMCEN x DIMSCALE| at the centre; a negative
// DIMCEN adds centre lines from twice that size to that size beyond the
// curve. One Undo takes every line back.
TEST_F(DimensionCommandTest, DimCenterMarksTheCentre) {
  struct Case {
    double dimcen;
    double dimscale;
    std::vector<std::pair<FcPoint2d, FcPoint2d>> lines;
  };
  const Case cases[] = {
      {2.5, 1.0, {{{97.5, 150}, {102.5, 150}}, {{100, 147.5}, {100, 152.5}}}},
      {-2.5,
       1.0,
       {{{97.5, 150}, {102.5, 150}},
        {{100, 147.5}, {100, 152.5}},
        {{105, 150}, {122.5, 150}},
        {{100, 155}, {100, 172.5}},
        {{95, 150}, {77.5, 150}},
        {{100, 145}, {100, 127.5}}}},
      {1.0, 3.0, {{{97, 150}, {103, 150}}, {{100, 147}, {100, 153}}}},
      // A size without a finite value draws nothing.
      {-1e300, 1e300, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dimcen);
    ScriptedView script;
    ShowPickableWindow(script);
    script.OnWindowThread([&script, &c] {
      FcDimStyle* style = script.Drawing().GetCurrentDimStyle();
      style->dimcen = c.dimcen;
      style->dimscale = c.dimscale;
      return true;
    });
    ASSERT_TRUE(RunScript(script, "circle", {"100,150", "20"}));
    ASSERT_TRUE(RunScript(script, "DimCenter", {"120,150"}));
    const std::vector<const FcLine*> lines = EntitiesIn<FcLine>(script);
    ASSERT_EQ(lines.size(), c.lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
      ExpectPointNear(lines[i]->GetStartPoint(), c.lines[i].first, 1e-9);
      ExpectPointNear(lines[i]->GetEndPoint(), c.lines[i].second, 1e-9);
    }
    if (c.lines.empty()) {
      EXPECT_EQ(NewestUndoName(script), "Circle");
      continue;
    }
    EXPECT_EQ(NewestUndoName(script), "DimCenter");
    ASSERT_TRUE(script.Run({"undo"}));
    EXPECT_TRUE(EntitiesIn<FcLine>(script).empty());
  }
}

TEST_F(DimensionCommandTest, DimCenterAsksAgainUntilAnArcOrCircle) {
  ASSERT_TRUE(RunScript(script_, "line", {"0,0", "50,0", ""}));
  ASSERT_TRUE(RunScript(script_, "DimCenter", {"300,300", "25,0", kEsc}));
  const std::vector<std::string> printed = Printed();
  EXPECT_EQ(std::vector<std::string>(printed.end() - 2, printed.end()),
            (std::vector<std::string>{"No object selected!", "Object selected is not a arc or circle."}));
  const std::vector<std::string> prompts = script_.Frame().Prompts();
  EXPECT_EQ(std::count(prompts.begin(), prompts.end(), "Select arc or circle"), 3);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Line"}));
}

// The dimension being placed follows the cursor: a linear one turns with
// the cursor's side of the origins, a radius keeps to its arc's range, an
// ordinate chooses its datum. What the preview built leaves no block
// behind when the command is cancelled.
class DimensionPreviewTest : public DimensionCommandTest {
 protected:
  struct Look {
    std::uint8_t type = 0;
    double rotation = 0.0;
    FcPoint2d p10;
    FcPoint2d p15;
    bool drawn = false;
  };
  Look MoveTo(const FcPoint2d& cursor) {
    return script_.OnWindowThread([&] {
      script_.View().OnCursorMove(cursor);
      const auto* band = dynamic_cast<const FcDimDrag*>(script_.View().GetInputRequest().dragObject);
      Look look;
      if (band == nullptr) return look;
      const FcDimension& d = *band->dimension;
      look = {d.GetDimType(), d.GetRotation(), d.GetDefPoint10(), d.GetDefPoint15(),
              script_.Drawing().GetDisplaySurface()->GetPreviewGroup().GetCount() > 0};
      return look;
    });
  }
  void Start(const std::vector<std::string>& typed) {
    for (const std::string& line : typed) {
      script_.Type(line);
      ASSERT_TRUE(script_.WaitForPromptOrIdle());
    }
  }
  int Blocks() {
    return script_.OnWindowThread([this] { return script_.Drawing().GetBlockList().GetBlockCount(); });
  }
};

TEST_F(DimensionPreviewTest, LinearTurnsWithTheCursorAndLeavesNothingWhenCancelled) {
  const int blocks = Blocks();
  Start({"DimLinear", "0,0", "10,4"});
  Look look = MoveTo({5, 10});
  EXPECT_TRUE(look.drawn);
  EXPECT_EQ(look.rotation, 0.0);
  ExpectPointNear(look.p10, {10, 10}, 1e-9);
  look = MoveTo({15, 2});
  EXPECT_NEAR(look.rotation, kHalfPi, 1e-12);
  ExpectPointNear(look.p10, {15, 4}, 1e-9);
  script_.PressEsc();
  ASSERT_TRUE(script_.WaitUntilIdle());
  EXPECT_TRUE(EntitiesOf<FcDimension>().empty());
  EXPECT_EQ(Blocks(), blocks);
}

TEST_F(DimensionPreviewTest, RadiusKeepsToTheArcAndGoesRoundACircle) {
  ASSERT_TRUE(RunScript(script_, "arc", {"c", "100,150", "120,150", "a", "180"}));
  ASSERT_TRUE(RunScript(script_, "circle", {"250,150", "20"}));
  Start({"DimRadius", "100,170"});
  // Below the upper half arc: held at its end.
  Look look = MoveTo({100, 120});
  EXPECT_TRUE(look.drawn);
  ExpectPointNear(look.p15, {80, 150}, 1e-9);
  script_.Type("100,120");
  ASSERT_TRUE(script_.WaitForPromptOrIdle());
  script_.Type("");
  ASSERT_TRUE(script_.WaitUntilIdle());
  // The location itself is not held to the arc.
  ExpectPointNear(EntitiesOf<FcDimRadius>().at(0)->GetDefPoint15(), {100, 130}, 1e-9);

  Start({"DimDiameter", "250,170"});
  look = MoveTo({250, 120});
  ExpectPointNear(look.p10, {250, 130}, 1e-9);
  ExpectPointNear(look.p15, {250, 170}, 1e-9);
  script_.PressEsc();
  ASSERT_TRUE(script_.WaitUntilIdle());
}

TEST_F(DimensionPreviewTest, OrdinateChoosesItsDatumByTheLeader) {
  Start({"DimOrdinate", "5,3"});
  EXPECT_TRUE(MoveTo({6, 8}).type & kDimOrdinateX);
  EXPECT_FALSE(MoveTo({9, 4}).type & kDimOrdinateX);
  script_.Type("y");
  ASSERT_TRUE(script_.WaitForPromptOrIdle());
  EXPECT_FALSE(MoveTo({6, 8}).type & kDimOrdinateX);
  script_.PressEsc();
  ASSERT_TRUE(script_.WaitUntilIdle());
}

TEST_F(DimensionPreviewTest, BaselineShowsTheNextDimensionAndDropsItWhenCancelled) {
  UseSpacing(script_, 4.0);
  ASSERT_TRUE(RunScript(script_, "DimLinear", {"0,0", "10,0", "5,5", ""}));
  const int blocks = Blocks();
  Start({"DimBaseLine"});
  const bool drawn = script_.OnWindowThread([this] {
    script_.View().OnCursorMove({20, 0});
    return script_.Drawing().GetDisplaySurface()->GetPreviewGroup().GetCount() > 0;
  });
  EXPECT_TRUE(drawn);
  script_.PressEsc();
  ASSERT_TRUE(script_.WaitUntilIdle());
  EXPECT_EQ(EntitiesOf<FcDimension>().size(), 1u);
  EXPECT_EQ(Blocks(), blocks);
}

}  // namespace
