#include <optional>
#include <string>
#include <vector>

#include "database/dictionary.h"
#include "database/raster_variables.h"
#include "tests/support/command_script.h"

namespace {

class ImageFrameTest : public CommandScriptTest {
 protected:
  // The drawing's frame setting; none without raster variables.
  std::optional<int> Frame() {
    return script_.OnWindowThread([this]() -> std::optional<int> {
      const FcRasterVariables* variables = FindRasterVariables(script_.Drawing());
      if (variables == nullptr) return std::nullopt;
      return variables->GetImageFrame();
    });
  }
  std::vector<std::string> Prompts() { return script_.Frame().Prompts(); }
};

TEST_F(ImageFrameTest, OffHidesFramesAsAnUndoStepAndThePromptShowsTheSetting) {
  ASSERT_EQ(Frame(), std::nullopt);
  ASSERT_TRUE(script_.Run({"ImageFrame", "off"}));
  EXPECT_EQ(Prompts().back(), "Enter image frame setting [ON/OFF] <ON>");
  EXPECT_EQ(Frame(), 0);
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"ImageFrame"});

  ASSERT_TRUE(script_.Run({"ImageFrame", "ON"}));
  EXPECT_EQ(Prompts().back(), "Enter image frame setting [ON/OFF] <OFF>");
  EXPECT_EQ(Frame(), 1);

  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(Frame(), 0);
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(Frame(), 1);
}

TEST_F(ImageFrameTest, AnswersThatChangeNothingRecordNothing) {
  ASSERT_TRUE(script_.Run({"ImageFrame", "OFF"}));
  // Already off (in another letter case), Enter, Esc.
  for (const std::string& answer : {std::string("Off"), std::string(""), kEsc}) {
    ASSERT_TRUE(RunScript(script_, "ImageFrame", {answer})) << answer;
    EXPECT_EQ(Frame(), 0) << answer;
    EXPECT_EQ(UndoNames(), std::vector<std::string>{"ImageFrame"}) << answer;
  }
}

}  // namespace
