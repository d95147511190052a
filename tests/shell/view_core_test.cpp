#include "shell/view_core.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "shell/command_aliases.h"
#include "shell/testing/scripted_view.h"
#include "tests/support/test_command.h"

namespace {

// Records every status and answer of a command that asks for integers until
// it is given something else.
struct IntegerLog {
  std::vector<int> statuses;
  std::vector<int> values;
};

int AskIntegersUntilOther(IntegerLog& log) {
  for (;;) {
    int value = 0;
    std::string text;
    const int status = GetInteger({}, value, text);
    log.statuses.push_back(status);
    if (status != FC_INPUT_OK) return kStatusDone;
    log.values.push_back(value);
  }
}

TEST(ViewCoreTest, AnAnswerThatComesBeforeTheThreadWaitsIsKept) {
  constexpr int kPrompts = 2000;
  IntegerLog log;
  UseTestCommand([&] {
    for (int i = 0; i < kPrompts; ++i) {
      int value = -1;
      std::string text;
      log.statuses.push_back(GetInteger({}, value, text));
      log.values.push_back(value);
    }
    return kStatusDone;
  });
  ScriptedView script;
  // The answer is typed by the window thread right after the prompt was
  // shown, racing the command thread on its way into the wait.
  int next = 0;
  script.Frame().SetOnShowRequest([&](const InputRequest&) {
    script.Window().Post([&] {
      for (char ch : std::to_string(next++)) script.View().OnChar(ch);
      script.View().OnChar('\r');
    });
  });
  script.Type("TestBody");
  ASSERT_TRUE(script.WaitUntilIdle());
  ASSERT_EQ(log.values.size(), static_cast<std::size_t>(kPrompts));
  for (int i = 0; i < kPrompts; ++i) {
    ASSERT_EQ(log.statuses[i], FC_INPUT_OK) << i;
    ASSERT_EQ(log.values[i], i) << i;
  }
}

TEST(ViewCoreTest, ASecondEnterDoesNotAnswerTheNextPrompt) {
  IntegerLog log;
  UseTestCommand([&] {
    int value = 0;
    std::string text;
    log.statuses.push_back(GetInteger({}, value, text));
    log.statuses.push_back(GetInteger({}, value, text));
    log.values.push_back(value);
    return kStatusDone;
  });
  ScriptedView script;
  script.Type("TestBody");
  ASSERT_TRUE(script.WaitForPromptOrIdle());
  script.Type("\r", '\r');
  ASSERT_TRUE(script.WaitForPromptOrIdle());
  ASSERT_TRUE(script.IsWaitingForInput());
  script.Type("7");
  ASSERT_TRUE(script.WaitUntilIdle());
  EXPECT_EQ(log.statuses, (std::vector<int>{FC_INPUT_NONE, FC_INPUT_OK}));
  EXPECT_EQ(log.values, std::vector<int>{7});
}

TEST(ViewCoreTest, TypingWhileTheCommandComputesIsDroppedAndHandOverRefused) {
  Event inside(Event::ResetMode::kManual);
  Event release(Event::ResetMode::kManual);
  IntegerLog log;
  UseTestCommand([&] {
    inside.Set();
    release.Wait();
    return AskIntegersUntilOther(log);
  });
  ScriptedView script;
  script.Type("TestBody");
  inside.Wait();
  script.Type("5");
  EXPECT_EQ(script.OnWindowThread([&] {
    return script.View().GetWorkThread().PostCommand(WM_FC_RUN_COMMAND, "TestBody");
  }), 0);
  release.Set();
  ASSERT_TRUE(script.Answer({"8", ""}));
  EXPECT_EQ(log.values, std::vector<int>{8});
}

TEST(ViewCoreTest, EmptyEnterRepeatsTheLastCommandUnlessItWasUnknown) {
  int runs = 0;
  UseTestCommand([&] { return ++runs, kStatusDone; });
  ScriptedView script;
  ASSERT_TRUE(script.Run({"TestBody"}));
  ASSERT_TRUE(script.Run({""}));
  EXPECT_EQ(runs, 2);

  ASSERT_TRUE(script.Run({"NoSuchCommandOrVariable"}));
  EXPECT_EQ(script.Printed().HistoryLines().back(),
            "Unknown command or system variable \"NoSuchCommandOrVariable\".");
  const std::size_t printed = script.Printed().HistoryLines().size();
  ASSERT_TRUE(script.Run({""}));
  EXPECT_EQ(script.Printed().HistoryLines().size(), printed);
  EXPECT_EQ(runs, 2);
}

TEST(ViewCoreTest, CancelMacroAtAPromptEndsTheCommandAndStartsTheNext) {
  IntegerLog first;
  std::atomic<int> runs{0};
  UseTestCommand([&] {
    if (runs++ == 0) return AskIntegersUntilOther(first);
    return kStatusDone;
  });
  ScriptedView script;
  script.Type("TestBody");
  ASSERT_TRUE(script.WaitForPromptOrIdle());
  script.RunMacro("^C^C_TestBody");
  ASSERT_TRUE(script.WaitUntilIdle());
  EXPECT_EQ(first.statuses, std::vector<int>{FC_INPUT_CANCEL});
  EXPECT_EQ(runs, 2);
}

TEST(ViewCoreTest, CancelMacroWhileIdleCancelsTheTypedText) {
  int runs = 0;
  UseTestCommand([&] { return ++runs, kStatusDone; });
  ScriptedView script;
  script.Type("lin", '\0');
  script.RunMacro("^C^C_TestBody");
  ASSERT_TRUE(script.WaitUntilIdle());
  EXPECT_EQ(runs, 1);
  const std::vector<std::string> history = script.Frame().History();
  ASSERT_GE(history.size(), 2u);
  EXPECT_EQ(history[0], "Command:lin*Cancel*");
  EXPECT_EQ(history[1], "Command:_TestBody");

  script.RunMacro("^C^C");
  ASSERT_TRUE(script.WaitUntilIdle());
  EXPECT_EQ(runs, 1);
}

TEST(ViewCoreTest, ExtraPiecesAndMacroAnswersReachThePrompts) {
  IntegerLog log;
  UseTestCommand([&] { return AskIntegersUntilOther(log); });
  ScriptedView script;
  script.RunMacro("TestBody 1", "3 x");
  ASSERT_TRUE(script.WaitForPromptOrIdle());
  // "x" is refused as an integer; the prompt waits for the user.
  ASSERT_TRUE(script.IsWaitingForInput());
  script.RunMacro("2");
  ASSERT_TRUE(script.Answer({""}));
  EXPECT_EQ(log.values, (std::vector<int>{1, 3, 2}));
  EXPECT_EQ(script.Printed().HistoryLines(), std::vector<std::string>{"Need integer number!"});
}

TEST(ViewCoreTest, ABackslashPausesTheMacroForTheUser) {
  IntegerLog log;
  UseTestCommand([&] { return AskIntegersUntilOther(log); });
  ScriptedView script;
  script.RunMacro("TestBody \\ 4");
  ASSERT_TRUE(script.WaitForPromptOrIdle());
  ASSERT_TRUE(script.IsWaitingForInput());
  script.Type("9");
  ASSERT_TRUE(script.WaitForPromptOrIdle());
  script.Type("");
  ASSERT_TRUE(script.WaitUntilIdle());
  EXPECT_EQ(log.values, (std::vector<int>{9, 4}));
}

TEST(ViewCoreTest, RedrawRunsOnTheWindowThreadOnlyWhenIdle) {
  std::string answer;
  UseTestCommand([&] {
    GetString({}, answer);
    return kStatusDone;
  });
  ScriptedView script;
  script.Type("_redraw");
  EXPECT_EQ(script.Frame().Redraws(), 1);
  EXPECT_FALSE(script.OnWindowThread([&] { return script.View().CommandRuns(); }));
  ASSERT_TRUE(script.Run({"TestBody", "Redraw"}));
  EXPECT_EQ(answer, "Redraw");
  EXPECT_EQ(script.Frame().Redraws(), 1);
}

TEST(ViewCoreTest, AliasExpansionQueuesTheAnswers) {
  IntegerLog log;
  UseTestCommand([&] { return AskIntegersUntilOther(log); });
  AliasTable saved = ProgramAliases();
  AddAlias(ProgramAliases(), "TestBody 6", "tb");
  AddAlias(ProgramAliases(), "loop x", "loop");
  {
    ScriptedView script;
    ASSERT_TRUE(script.Run({"TB", ""}));
    EXPECT_EQ(log.values, std::vector<int>{6});
    // An alias that expands into itself ends as a plain unknown name.
    ASSERT_TRUE(script.Run({"loop"}));
    const std::vector<std::string> printed = script.Printed().HistoryLines();
    EXPECT_NE(std::find(printed.begin(), printed.end(), "Unknown command or system variable \"loop\"."),
              printed.end());
  }
  ProgramAliases() = saved;
}

TEST(ViewCoreTest, CloseStatusAsksTheFrameAndLeavesTheQueue) {
  int runs = 0;
  UseTestCommand([&] { return ++runs, kCloseDrawing; });
  ScriptedView script;
  script.RunMacro("TestBody TestBody");
  ASSERT_TRUE(script.WaitUntilIdle());
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(script.Frame().CloseRequests(), 1);
  EXPECT_EQ(script.OnWindowThread([&] { return script.View().GetCommandQueue().size(); }), 1u);
  script.OnWindowThread([&] {
    script.View().GetCommandQueue().clear();
    return 0;
  });
}

// Pasted text goes into the command line only up to its first line end,
// and while idle only up to its first blank, so that a command name waits
// for the user's Enter; a prompt that takes blanks gets them.
TEST(ViewCoreTest, PastedTextStopsAtALineEndAndWhileIdleAtABlank) {
  std::vector<std::string> answers;
  UseTestCommand([&] {
    std::string text;
    GetString("Text", text);
    answers.push_back(text);
    return kStatusDone;
  });
  ScriptedView script;
  script.OnWindowThread([&] {
    script.View().PasteText("TestBody 10,20\r\nmore");
    return 0;
  });
  EXPECT_FALSE(script.OnWindowThread([&] { return script.View().CommandRuns(); }));
  script.Type("");
  ASSERT_TRUE(script.WaitForPromptOrIdle() && script.IsWaitingForInput());
  script.OnWindowThread([&] {
    script.View().PasteText("two words\nthree");
    return 0;
  });
  script.Type("");
  ASSERT_TRUE(script.WaitUntilIdle());
  EXPECT_EQ(answers, std::vector<std::string>{"two words"});
}

// The paste is offered only while the clipboard holds text, and takes it
// from there.
TEST(ViewCoreTest, ThePasteTakesTheClipboardsText) {
  struct AccessScope {
    ~AccessScope() { SetClipboardAccess({}); }
  } access;
  std::vector<std::string> formats;
  SetClipboardAccess({nullptr, [&](std::vector<std::string>& out) { return out = formats, true; },
                      [](const std::string& format, std::vector<char>& bytes) {
                        const std::string text = "Erase all";
                        bytes.assign(text.begin(), text.end());
                        return format == kTextClipboardFormat;
                      }});
  ScriptedView script;
  EXPECT_FALSE(script.OnWindowThread([&] { return script.View().CanPasteText(); }));
  formats = {kDrawingClipboardFormat, kTextClipboardFormat};
  EXPECT_TRUE(script.OnWindowThread([&] { return script.View().CanPasteText(); }));
  script.OnWindowThread([&] {
    script.View().PasteClipboardText();
    return 0;
  });
  EXPECT_TRUE(script.Frame().HasTypedInput());
  script.Type("");
  ASSERT_TRUE(script.WaitUntilIdle());
  const std::vector<std::string> history = script.Frame().History();
  EXPECT_NE(std::find(history.begin(), history.end(), "Command:Erase"), history.end());
}

}  // namespace
