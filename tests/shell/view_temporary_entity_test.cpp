#include <gtest/gtest.h>

#include <string>

#include "database/graph.h"
#include "display/display_surface.h"
#include "entities/line.h"
#include "shell/input_request.h"
#include "tests/support/pickable_script.h"
#include "tests/support/recording_device.h"
#include "tests/support/test_command.h"

namespace {

// The entity a command has under construction shows while the command's
// point prompt waits, object snap finds its points there, and the image is
// taken off the screen once the prompt has its answer.
TEST(ViewTemporaryEntityTest, ShownWhileThePromptWaitsSnappedToAndErasedAfter) {
  FcPoint2d answered;
  UseTestCommand([&answered] {
    FcLine drawn;
    drawn.SetStartPoint({100, 100});
    drawn.SetEndPoint({200, 100});
    SetTempEntity(&drawn);
    std::string text;
    GetPoint(nullptr, "Next point", answered, text);
    return kStatusDone;
  });
  ScriptedView script;
  ShowPickableWindow(script);
  FcDisplaySurface& surface = *script.Drawing().GetDisplaySurface();
  auto& device = dynamic_cast<RecordingDevice&>(*surface.GetDevice());
  const auto xorPasses = [&] { return script.OnWindowThread([&] { return device.CallsOf("BeginXor").size(); }); };
  const auto shownPrimitives = [&] { return script.OnWindowThread([&] { return surface.GetTemporaryGroup().GetCount(); }); };

  script.Type("TestBody");
  ASSERT_TRUE(script.WaitForPromptOrIdle());
  ASSERT_TRUE(script.IsWaitingForInput());
  EXPECT_GT(shownPrimitives(), 0);
  EXPECT_EQ(xorPasses(), 1u);

  script.OnWindowThread([&] { return script.Drawing().GetSysVars().osmode = 2; });
  ASSERT_TRUE(script.Click({148, 103}));
  ASSERT_TRUE(script.WaitUntilIdle());
  ExpectPointEq(answered, {150, 100});
  EXPECT_EQ(shownPrimitives(), 0);
  // Drawn once more in exclusive-or mode, which erases it.
  EXPECT_EQ(xorPasses(), 2u);
}

}  // namespace
