#include <string>
#include <vector>

#include "display/display_surface.h"
#include "display/view_transform.h"
#include "tests/support/pickable_script.h"

namespace {

struct Window {
  double x0, y0, x1, y1;
};

// The script's view starts at the world window (0, 0) to (400, 300) on as
// many pixels, with no earlier view saved.
class ZoomPanCommandTest : public PickableScriptTest {
 protected:
  Window Current() {
    return script_.OnWindowThread([this] {
      const FcViewTransform& view = *script_.Drawing().GetDisplaySurface()->GetView();
      return Window{view.x0, view.y0, view.x1, view.y1};
    });
  }

  void ExpectWindow(const Window& expected) {
    const Window actual = Current();
    EXPECT_NEAR(actual.x0, expected.x0, 1e-9);
    EXPECT_NEAR(actual.y0, expected.y0, 1e-9);
    EXPECT_NEAR(actual.x1, expected.x1, 1e-9);
    EXPECT_NEAR(actual.y1, expected.y1, 1e-9);
  }

  static constexpr Window kStart{0, 0, 400, 300};
};

TEST_F(ZoomPanCommandTest, TypedFactorScalesTheWindowAboutItsCentre) {
  struct Case {
    std::string answer;
    Window expected;
  };
  const std::vector<Case> cases = {
      {"2x", {100, 75, 300, 225}},
      {"0.5X", {-200, -150, 600, 450}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    ShowPickableWindow(script_);
    ASSERT_TRUE(script_.Run({"zoom", c.answer}));
    ExpectWindow(c.expected);
  }
  EXPECT_EQ(script_.Frame().Prompts().front(), "[All/Extent/Limits/Scale/Previous]");
  EXPECT_EQ(Printed().front(), "Input the first point of window, or scale, or");
}

TEST_F(ZoomPanCommandTest, TextThatIsNotAPositiveFactorIsAnInputError) {
  for (const std::string answer : {"abc", "0x", "-2x", "x", "1e999x"}) {
    SCOPED_TRACE(answer);
    ASSERT_TRUE(script_.Run({"zoom", answer}));
    EXPECT_EQ(LastPrinted(), "Input Error!");
    ExpectWindow(kStart);
  }
}

TEST_F(ZoomPanCommandTest, ScaleRefusesZeroAndNegativeThenDividesTheWindow) {
  ASSERT_TRUE(script_.Run({"zoom", "s", "0", "-2", "", "4"}));
  ExpectWindow({150, 112.5, 250, 187.5});
  EXPECT_TRUE(RefusedWith("Can't input zero!", "Input the scale"));
  EXPECT_TRUE(RefusedWith("Can't input negative number!", "Input the scale"));
  EXPECT_TRUE(RefusedWith("Need real number!", "Input the scale"));
}

TEST_F(ZoomPanCommandTest, WindowFitsTheDeviceAndPreviousRestoresTheEarlierView) {
  ASSERT_TRUE(script_.Run({"zoom", "p"}));
  EXPECT_EQ(LastPrinted(), "No previous view saved.");
  ExpectWindow(kStart);

  // A square window on a 4:3 device widens in X about its centre.
  ASSERT_TRUE(script_.Run({"zoom", "100,100", "200,200"}));
  EXPECT_EQ(script_.Frame().Prompts().back(), "Input the other corner");
  ExpectWindow({150 - 200.0 / 3, 100, 150 + 200.0 / 3, 200});

  ASSERT_TRUE(script_.Run({"zoom", "p"}));
  ExpectWindow(kStart);
  ASSERT_TRUE(script_.Run({"zoom", "p"}));
  EXPECT_EQ(LastPrinted(), "No previous view saved.");
}

TEST_F(ZoomPanCommandTest, WindowWithoutExtentOrACancelLeavesTheView) {
  ASSERT_TRUE(script_.Run({"zoom", "10,10", "10,50"}));
  ASSERT_TRUE(script_.Run({"zoom", "10,10", kEsc}));
  ASSERT_TRUE(script_.Run({"zoom", ""}));
  ExpectWindow(kStart);
  ASSERT_TRUE(script_.Run({"zoom", "p"}));
  EXPECT_EQ(LastPrinted(), "No previous view saved.");
}

TEST_F(ZoomPanCommandTest, WindowCornersAreReadInTheCurrentUcs) {
  script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().SetUcs({100, 0}, {101, 0}, {100, 1}); });
  ASSERT_TRUE(script_.Run({"zoom", "0,0", "40,30"}));
  ExpectWindow({100, 0, 140, 30});
}

TEST_F(ZoomPanCommandTest, AllAndExtentShowTheExtentsWithAMargin) {
  ASSERT_TRUE(script_.Run({"zoom", "a"}));
  ExpectWindow(kStart);  // nothing drawn

  ASSERT_TRUE(script_.Run({"line", "0,0", "100,50", ""}));
  // Half sizes 51 by 25.5 about (50, 25), then widened in Y to 4:3.
  const Window extents{-1, 25 - 38.25, 101, 25 + 38.25};
  for (const std::string keyword : {"a", "e"}) {
    SCOPED_TRACE(keyword);
    ShowPickableWindow(script_);
    ASSERT_TRUE(script_.Run({"zoom", keyword}));
    ExpectWindow(extents);
  }
}

TEST_F(ZoomPanCommandTest, LimitsShowsTheLimitsWindow) {
  script_.OnWindowThread([this] {
    FcSystemVar& vars = script_.Drawing().GetSysVars();
    vars.limmin = {10, 20};
    vars.limmax = {50, 50};
    return 0;
  });
  ASSERT_TRUE(script_.Run({"zoom", "l"}));
  ExpectWindow({10, 20, 50, 50});
}

TEST_F(ZoomPanCommandTest, ObjectSnapIsOffWhileZoomingAndBackAfterACancel) {
  const auto osmode = [this] { return script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().osmode; }); };
  script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().osmode = 37; });
  script_.Type("zoom");
  ASSERT_TRUE(script_.WaitForPromptOrIdle());
  EXPECT_EQ(osmode(), 0);
  script_.Type("10,10");
  ASSERT_TRUE(script_.WaitForPromptOrIdle());
  EXPECT_EQ(osmode(), 0);
  script_.PressEsc();
  ASSERT_TRUE(script_.WaitUntilIdle());
  EXPECT_EQ(osmode(), 37);
  ExpectWindow(kStart);
}

TEST_F(ZoomPanCommandTest, PanMovesTheDrawingFromTheFirstPointToTheSecond) {
  ASSERT_TRUE(script_.Run({"pan", "0,0", kEsc}));
  ExpectWindow(kStart);
  ASSERT_TRUE(script_.Run({"pan", "0,0", "10,0"}));
  ExpectWindow({-10, 0, 390, 300});
  EXPECT_EQ(script_.Frame().Prompts().back(), "Second point");
  ASSERT_TRUE(script_.Run({"zoom", "p"}));
  ExpectWindow(kStart);
}

TEST_F(ZoomPanCommandTest, RegenSaysSoBeforeRegenerating) {
  ASSERT_TRUE(script_.Run({"regen"}));
  const std::vector<RecordingFrameLink::Call> calls = script_.Printed().Calls();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.front().message, FrameMessage::kCommandHistoryLine);
  EXPECT_EQ(calls.front().text, "Regenerating...");
  ExpectWindow(kStart);
}

}  // namespace
