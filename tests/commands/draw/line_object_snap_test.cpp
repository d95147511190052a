#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "display/display_surface.h"
#include "entities/geom_segment_ops.h"
#include "entities/line.h"
#include "entities/point_entity.h"
#include "platform/program_settings.h"
#include "tests/support/command_script.h"
#include "tests/support/recording_device.h"

namespace {

// An end with more digits than a short decimal form keeps, so that a click
// that lands on it through typed coordinates shows whether any were lost.
const FcPoint2d kExactEnd{10.123456789012345, 20.987654321098765};
const FcPoint2d kOtherEnd{60, 20.987654321098765};

// The existing line from kExactEnd to kOtherEnd, drawn as the screen shows
// it (2 world units per pixel: the aperture reaches 10 units), with the
// running object snaps given.
void DrawExistingLine(ScriptedView& script, int osmode) {
  script.OnWindowThread([&] {
    FcGraph& graph = script.Drawing();
    auto* line = new FcLine;
    line->SetStartPoint(kExactEnd);
    line->SetEndPoint(kOtherEnd);
    graph.AddEntity(line, false);
    graph.GetSysVars().osmode = osmode;
    graph.GetDisplaySurface()->SetDevice(std::make_unique<RecordingDevice>());
    graph.Redraw();
    return true;
  });
}

class LineObjectSnapTest : public CommandScriptTest {
 protected:
  LineObjectSnapTest() : savedBoxSize_(GetProgramSettings().snap_box_size) { GetProgramSettings().snap_box_size = 5; }
  ~LineObjectSnapTest() override { GetProgramSettings().snap_box_size = savedBoxSize_; }

  bool WaitForPrompt() { return script_.WaitForPromptOrIdle() && script_.IsWaitingForInput(); }

 private:
  int savedBoxSize_;
};

TEST_F(LineObjectSnapTest, TheEndOverrideLandsExactlyOnTheExistingEnd) {
  // The running mode would take the middle: the typed override wins.
  DrawExistingLine(script_, kOsnapMidpoint);
  script_.Type("line");
  ASSERT_TRUE(WaitForPrompt());
  script_.Type("end");
  script_.Click({14, 23});
  ASSERT_TRUE(WaitForPrompt());
  script_.Type("100,100");
  ASSERT_TRUE(WaitForPrompt());
  script_.Type("");
  ASSERT_TRUE(script_.WaitUntilIdle());

  const std::vector<const FcLine*> lines = EntitiesOf<FcLine>();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1]->GetStartPoint(), kExactEnd);
  ExpectPointEq(lines[1]->GetEndPoint(), {100, 100});
  const std::vector<std::string> prompts = script_.Frame().Prompts();
  EXPECT_NE(std::find(prompts.begin(), prompts.end(), "First point of line End of"), prompts.end());
}

TEST_F(LineObjectSnapTest, TheOverrideElseTheRunningModesChooseWhatTheClickSnapsTo) {
  struct Case {
    const char* what;
    int osmode;
    std::string typed;  // empty: no override
    FcPoint2d landed;
  };
  const FcPoint2d middle{(kExactEnd.x + kOtherEnd.x) / 2, kExactEnd.y};
  const FcPoint2d cursor{14, 23};
  const Case cases[] = {
      {"the running mode", kOsnapEndpoint, "", kExactEnd},
      {"the override over the running mode", kOsnapEndpoint, "mid", middle},
      {"an override while the running modes are suspended", 0x4000 | kOsnapEndpoint, "_mid", middle},
      {"running modes suspended", 0x4000 | kOsnapEndpoint, "", cursor},
      {"no running modes", 0, "", cursor},
      {"the none override", kOsnapEndpoint, "non", cursor},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptedView script;
    DrawExistingLine(script, c.osmode);
    script.Type("point");
    ASSERT_TRUE(script.WaitForPromptOrIdle() && script.IsWaitingForInput());
    if (!c.typed.empty()) script.Type(c.typed);
    script.Click(cursor);
    ASSERT_TRUE(script.WaitUntilIdle());
    const std::vector<const FcPointEnt*> points = EntitiesIn<FcPointEnt>(script);
    ASSERT_EQ(points.size(), 1u);
    ExpectPointNear(points[0]->GetLocation(), c.landed, 1e-12);
  }
}

TEST_F(LineObjectSnapTest, AnOverrideThatFindsNothingRefusesTheClickAndIsDropped) {
  DrawExistingLine(script_, 0);
  script_.Type("line");
  ASSERT_TRUE(WaitForPrompt());
  script_.Type("end");
  script_.Click({150, 200});
  ASSERT_TRUE(WaitForPrompt());
  EXPECT_TRUE(RefusedWith("Can't find the End point!", "First point of line"));
  EXPECT_TRUE(EntitiesOf<FcLine>().size() == 1u);

  // The next click is no longer snapped: it answers where it is.
  script_.Click({150, 200});
  ASSERT_TRUE(WaitForPrompt());
  script_.Type("160,200");
  ASSERT_TRUE(WaitForPrompt());
  script_.PressEsc();
  ASSERT_TRUE(script_.WaitUntilIdle());
  const std::vector<const FcLine*> lines = EntitiesOf<FcLine>();
  ASSERT_EQ(lines.size(), 2u);
  ExpectPointEq(lines[1]->GetStartPoint(), {150, 200});
}

}  // namespace
