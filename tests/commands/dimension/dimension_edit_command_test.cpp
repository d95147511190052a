#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/geometry_basics.h"
#include "core/resbuf.h"
#include "database/app_id.h"
#include "database/block.h"
#include "database/dim_style.h"
#include "database/extended_data.h"
#include "entities/dim_linear.h"
#include "entities/dim_radial.h"
#include "tests/support/pickable_script.h"

namespace {

class DimensionEditTest : public PickableScriptTest {
 protected:
  // A horizontal dimension from (0,0) to (10,0) with its line at y = 5,
  // and a radius of the circle about (100,150).
  void DrawDimensions() {
    ASSERT_TRUE(RunScript(script_, "DimLinear", {"0,0", "10,0", "5,5", ""}));
    ASSERT_TRUE(RunScript(script_, "circle", {"100,150", "20"}));
    ASSERT_TRUE(RunScript(script_, "DimRadius", {"120,150", "130,150", ""}));
  }
  FcDimRotate& Linear() { return const_cast<FcDimRotate&>(*EntitiesOf<FcDimRotate>().at(0)); }
  FcDimRadius& Radius() { return const_cast<FcDimRadius&>(*EntitiesOf<FcDimRadius>().at(0)); }
  int BlockCount(FcDimension& dimension) {
    return script_.OnWindowThread([&dimension] { return dimension.GetDimBlock()->GetEntities().GetCount(); });
  }
};

// Each option changes its field on every dimension it applies to; one
// undo step takes the whole run back.
TEST_F(DimensionEditTest, OptionsChangeTheirFieldAndUndoTogether) {
  struct Case {
    std::vector<std::string> answers;
    double textRotation;
    double linearOblique;
    std::string text;
  };
  const Case cases[] = {
      {{"r", "30", "all", ""}, kPi / 6.0, 0.0, ""},
      {{"r", "", "all", ""}, 0.0, 0.0, ""},
      {{"n", "about <>", "all", ""}, kPi / 4.0, 0.0, "about <>"},
      {{"o", "60", "all", ""}, kPi / 4.0, kPi / 3.0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answers[0] + " " + c.answers[1]);
    ScriptedView script;
    ShowPickableWindow(script);
    ASSERT_TRUE(RunScript(script, "DimLinear", {"0,0", "10,0", "a", "45", "5,5", ""}));
    ASSERT_TRUE(RunScript(script, "circle", {"100,150", "20"}));
    ASSERT_TRUE(RunScript(script, "DimRadius", {"120,150", "a", "45", "130,150", ""}));
    ASSERT_TRUE(RunScript(script, "DimEdit", c.answers));
    const FcDimRotate& linear = *EntitiesIn<FcDimRotate>(script).at(0);
    const FcDimRadius& radius = *EntitiesIn<FcDimRadius>(script).at(0);
    EXPECT_NEAR(linear.GetTextRotation(), c.textRotation, 1e-12);
    EXPECT_NEAR(linear.GetObliqueAngle(), c.linearOblique, 1e-12);
    EXPECT_EQ(linear.GetTextOverride(), c.text);
    // Oblique leaves the radius alone; the other options change it too.
    const bool oblique = c.answers[0] == "o";
    EXPECT_NEAR(radius.GetTextRotation(), oblique ? kPi / 4.0 : c.textRotation, 1e-12);
    EXPECT_EQ(radius.GetObliqueAngle(), 0.0);
    EXPECT_EQ(radius.GetTextOverride(), c.text);
    EXPECT_EQ(NewestUndoName(script), "DimEdit");
    ASSERT_TRUE(script.Run({"undo"}));
    const FcDimRotate& restored = *EntitiesIn<FcDimRotate>(script).at(0);
    EXPECT_NEAR(restored.GetTextRotation(), kPi / 4.0, 1e-12);
    EXPECT_EQ(restored.GetObliqueAngle(), 0.0);
    EXPECT_EQ(restored.GetTextOverride(), "");
    EXPECT_NEAR(EntitiesIn<FcDimRadius>(script).at(0)->GetTextRotation(), kPi / 4.0, 1e-12);
  }
}

// Enter at the first prompt puts a moved text back where the layout puts
// it; DimTEdit asks the same and records the same step.
TEST_F(DimensionEditTest, HomeBringsMovedTextBack) {
  DrawDimensions();
  const FcPoint2d home = Linear().GetTextMidpoint();
  script_.OnWindowThread([this] {
    FcDimRotate& linear = Linear();
    linear.SetDimType(static_cast<std::uint8_t>(linear.GetDimType() | kDimUserText));
    linear.SetTextMidpoint({30.0, 40.0});
    linear.RebuildBlock();
    return true;
  });
  ASSERT_TRUE(RunScript(script_, "DimTEdit", {"", "all", ""}));
  EXPECT_FALSE(Linear().IsUserText());
  ExpectPointNear(Linear().GetTextMidpoint(), home, 1e-9);
  EXPECT_EQ(UndoNames().back(), "DimEdit");
  const std::vector<std::string> prompts = script_.Frame().Prompts();
  EXPECT_NE(std::find(prompts.begin(), prompts.end(), "Dimension Edit (Home/New/Rotate/Oblique) <Home>"),
            prompts.end());
}

// A selection without dimensions, or a cancelled prompt, changes nothing
// and leaves no step.
TEST_F(DimensionEditTest, NothingToEditLeavesNoStep) {
  ASSERT_TRUE(RunScript(script_, "circle", {"100,150", "20"}));
  ASSERT_TRUE(RunScript(script_, "DimEdit", {"r", "30", "all", ""}));
  ASSERT_TRUE(RunScript(script_, "DimEdit", {"n", kEsc}));
  ASSERT_TRUE(RunScript(script_, "DimUpdate", {"all", ""}));
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Circle"}));
}

// DimUpdate drops a dimension's own overrides so that it looks like its
// style again, and clears what was attached to the styles; Undo brings
// the overrides back.
TEST_F(DimensionEditTest, DimUpdateFollowsTheStyleAgain) {
  DrawDimensions();
  const int plain = BlockCount(Linear());
  FcResBuf* attached = BuildResBufList(1070, 41, 1040, 5.0, 0);
  script_.OnWindowThread([this, attached] {
    FcGraph& graph = script_.Drawing();
    FcDimRotate& linear = Linear();
    // Both extension lines suppressed for this dimension only.
    linear.GetXdata().GetForApp(graph.GetAppIdList().FindByName("ACAD"))->SetChain(
        BuildResBufList(1000, "DSTYLE", 1002, "{", 1070, 75, 1070, 1, 1070, 76, 1070, 1, 1002, "}", 0));
    linear.RebuildBlock();
    graph.GetCurrentDimStyle()->SetOverrides(attached);
    return true;
  });
  EXPECT_EQ(BlockCount(Linear()), plain - 2);
  ASSERT_TRUE(RunScript(script_, "DimUpdate", {"all", ""}));
  EXPECT_EQ(BlockCount(Linear()), plain);
  EXPECT_EQ(Linear().GetXdata().FindByAppName("ACAD"), nullptr);
  EXPECT_EQ(script_.OnWindowThread([this] { return script_.Drawing().GetCurrentDimStyle()->GetOverrides(); }),
            nullptr);
  FreeResBufList(attached);
  EXPECT_EQ(UndoNames().back(), "DimUpdate");
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_NE(Linear().GetXdata().FindByAppName("ACAD"), nullptr);
  EXPECT_EQ(BlockCount(Linear()), plain - 2);
}

}  // namespace
