#include "shell/input_request.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "shell/testing/scripted_view.h"
#include "tests/support/test_command.h"

namespace {

// What one prompt gave back to the command.
struct PromptResult {
  int status = 0;
  std::string text;
  FcPoint2d point{-1.0, -1.0};
  double number = -1.0;
  int integer = -1;
};

enum class Prompt { kPoint, kDistance, kKeyword, kReal, kInteger, kString };

struct PromptCase {
  Prompt prompt;
  const char* keywords;
  int flags;
  const char* typed;
  int status;
  const char* text;
  double value;  // the point's x, the distance, the number
};

int Ask(Prompt prompt, PromptResult& r) {
  switch (prompt) {
    case Prompt::kPoint:
      return GetPoint(nullptr, "Pick", r.point, r.text);
    case Prompt::kDistance:
      return GetDistance(nullptr, {}, r.number, r.text);
    case Prompt::kKeyword:
      return GetKeyword({}, r.text, r.text);
    case Prompt::kReal:
      return GetReal({}, r.number, r.text);
    case Prompt::kInteger:
      return GetInteger({}, r.integer, r.text);
    case Prompt::kString:
      return GetString({}, r.text);
  }
  return 0;
}

double ValueOf(Prompt prompt, const PromptResult& r) {
  switch (prompt) {
    case Prompt::kPoint:
      return r.point.x;
    case Prompt::kInteger:
      return r.integer;
    default:
      return r.number;
  }
}

TEST(InputRequestTest, EachPromptTurnsTheTypedAnswerIntoItsStatus) {
  const PromptCase cases[] = {
      {Prompt::kPoint, "", 0, "10,20", FC_INPUT_OK, "10,20", 10.0},
      {Prompt::kPoint, "", 0, "", FC_INPUT_NONE, "", -1.0},
      {Prompt::kPoint, "Close Undo", 0, "c", FC_INPUT_KEYWORD, "Close", -1.0},
      {Prompt::kPoint, "", kInputAnyText, "hello", FC_INPUT_TEXT, "hello", -1.0},
      {Prompt::kDistance, "", 0, "2.5", FC_INPUT_OK, "", 2.5},
      {Prompt::kKeyword, "Yes No", 0, "n", FC_INPUT_OK, "No", -1.0},
      {Prompt::kKeyword, "Yes No", kInputAnyText, "maybe", FC_INPUT_TEXT, "maybe", -1.0},
      {Prompt::kKeyword, "Yes No", 0, "", FC_INPUT_NONE, "", -1.0},
      {Prompt::kReal, "", 0, "-1.5", FC_INPUT_OK, "", -1.5},
      {Prompt::kReal, "Default", 0, "d", FC_INPUT_KEYWORD, "Default", -1.0},
      {Prompt::kInteger, "", 0, "42", FC_INPUT_OK, "", 42.0},
      {Prompt::kString, "", 0, "a b", FC_INPUT_OK, "a b", -1.0},
      {Prompt::kString, "", 0, "", FC_INPUT_OK, "", -1.0},
  };
  for (const PromptCase& c : cases) {
    PromptResult result;
    UseTestCommand([&] {
      SetKeywords(c.keywords, c.flags);
      result.status = Ask(c.prompt, result);
      return kStatusDone;
    });
    ScriptedView script;
    ASSERT_TRUE(script.Run({"TestBody", c.typed})) << c.typed;
    EXPECT_EQ(result.status, c.status) << c.typed;
    EXPECT_EQ(result.text, c.text) << c.typed;
    EXPECT_DOUBLE_EQ(ValueOf(c.prompt, result), c.value) << c.typed;
  }
}

TEST(InputRequestTest, EscCancelsAWaitingPromptAndLeavesTheOutputs) {
  PromptResult result;
  UseTestCommand([&] {
    result.status = GetPoint(nullptr, {}, result.point, result.text);
    return result.status;
  });
  ScriptedView script;
  script.Type("TestBody");
  ASSERT_TRUE(script.WaitForPromptOrIdle());
  ASSERT_TRUE(script.IsWaitingForInput());
  script.Type("12", '\0');
  script.PressEsc();
  ASSERT_TRUE(script.WaitUntilIdle());
  EXPECT_EQ(result.status, FC_INPUT_CANCEL);
  EXPECT_DOUBLE_EQ(result.point.x, -1.0);
  EXPECT_EQ(script.Frame().History().back(), "Input point:12 *Cancel*");
}

TEST(InputRequestTest, ABasePointBecomesLastPointBeforeTheAnswer) {
  PromptResult result;
  UseTestCommand([&] {
    const FcPoint2d base{3.0, 4.0};
    result.status = GetPoint(&base, "Second point", result.point, result.text);
    return kStatusDone;
  });
  ScriptedView script;
  script.Type("TestBody");
  ASSERT_TRUE(script.WaitForPromptOrIdle());
  const FcPoint2d last = script.OnWindowThread([&] { return script.Drawing().GetSysVars().GetLastPoint(); });
  EXPECT_DOUBLE_EQ(last.x, 3.0);
  EXPECT_DOUBLE_EQ(last.y, 4.0);
  struct Shown {
    int hasBase, rubberBand, cursorMode;
    std::string prompt;
  };
  const Shown shown = script.OnWindowThread([&] {
    const InputRequest& r = script.View().GetInputRequest();
    return Shown{r.hasBase, r.rubberBand, r.cursorMode, r.prompt};
  });
  EXPECT_EQ(shown.hasBase, 1);
  EXPECT_EQ(shown.rubberBand, kBandLine);
  EXPECT_EQ(shown.cursorMode, kCursorPoint);
  EXPECT_EQ(shown.prompt, "Second point");
  script.Type("@1,0");
  ASSERT_TRUE(script.WaitUntilIdle());
  EXPECT_EQ(result.status, FC_INPUT_OK);
  EXPECT_DOUBLE_EQ(result.point.x, 4.0);
  EXPECT_DOUBLE_EQ(result.point.y, 4.0);
}

TEST(InputRequestTest, KeywordsAndFlagsHoldForOnePromptOnly) {
  PromptResult first;
  PromptResult second;
  UseTestCommand([&] {
    SetKeywords("Close", kInputRefuseEmpty);
    first.status = GetPoint(nullptr, {}, first.point, first.text);
    second.status = GetPoint(nullptr, {}, second.point, second.text);
    return kStatusDone;
  });
  ScriptedView script;
  // The empty answer is refused at the first prompt, taken at the second.
  ASSERT_TRUE(script.Run({"TestBody", "", "c", ""}));
  EXPECT_EQ(script.Printed().HistoryLines(), std::vector<std::string>{"Need point!"});
  EXPECT_EQ(first.status, FC_INPUT_KEYWORD);
  EXPECT_EQ(second.status, FC_INPUT_NONE);
}

// A typed angle counts from ANGBASE in the direction ANGDIR gives; a point
// typed from the base point gives its own direction. The direction comes
// back counter-clockwise from the x axis.
TEST(InputRequestTest, AbsoluteAngleFollowsAngbaseAndAngdirOnce) {
  struct Case {
    std::uint8_t angdir;
    double angbase;
    const char* typed;
    double direction;
  };
  const Case cases[] = {
      {0, 0.0, "90", kPi / 2},
      {1, 0.0, "90", 3 * kPi / 2},
      {1, 0.0, "30", 11 * kPi / 6},
      {0, kPi / 2, "90", kPi},
      {1, kPi / 2, "90", 0.0},
      {1, kPi / 2, "@0,-1", 3 * kPi / 2},
      {1, 0.0, "@-1,1", 3 * kPi / 4},
  };
  for (const Case& c : cases) {
    double angle = -1.0;
    std::string text;
    int status = 0;
    UseTestCommand([&] {
      const FcPoint2d base{2.0, 3.0};
      status = GetAbsoluteAngle(c.typed[0] == '@' ? &base : nullptr, {}, angle, text);
      return kStatusDone;
    });
    ScriptedView script;
    script.Drawing().GetSysVars().angdir = c.angdir;
    script.Drawing().GetSysVars().angbase = c.angbase;
    ASSERT_TRUE(script.Run({"TestBody", c.typed})) << c.typed;
    EXPECT_EQ(status, FC_INPUT_OK);
    EXPECT_NEAR(std::remainder(angle - c.direction, 2 * kPi), 0.0, 1e-9)
        << c.typed << " angdir " << int{c.angdir} << " angbase " << c.angbase << " gave " << angle;
  }
}

TEST(InputRequestTest, PromptsOffACommandThreadAreCancelled) {
  FcPoint2d point;
  std::string text = "old";
  EXPECT_EQ(GetPoint(nullptr, {}, point, text), FC_INPUT_CANCEL);
  EXPECT_EQ(text, "");
}

}  // namespace
