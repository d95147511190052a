#pragma once

#include <chrono>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/frame_link.h"
#include "platform/recording_frame_link.h"
#include "platform/window_thread.h"
#include "shell/testing/recording_view_frame.h"
#include "shell/view_core.h"

// One drawing view with its command thread and a window thread without
// windows, driven as a user drives it: characters typed into the view,
// macros from menus, answers typed once the prompt is shown. The history
// lines the commands print are recorded as well.
//
// The waits do not sleep: they look at the view on the window thread each
// time the view has told its frame something, and give up (false) after
// the time-out, so that a hanging command fails a test instead of hanging it.
// The time-out only tells a hang from slow work: a sanitized build on a
// busy machine may compute for seconds without telling the frame anything.
class ScriptedView {
 public:
  static constexpr std::chrono::milliseconds kTimeout{60000};

  ScriptedView() : view_(window_, frame_) {
    SetFrameLink(&printed_);
    view_.Create();
  }
  ~ScriptedView() {
    // A command left at a prompt is cancelled, as a user would.
    for (int i = 0; i < 100 && WaitForPromptOrIdle() && IsWaitingForInput(); ++i) PressEsc();
    WaitUntilIdle();
    view_.EndCommandThread();
    SetFrameLink(nullptr);
  }
  ScriptedView(const ScriptedView&) = delete;
  ScriptedView& operator=(const ScriptedView&) = delete;

  // Runs the call on the window thread and returns its result.
  template <typename Call>
  auto OnWindowThread(Call call) {
    decltype(call()) result{};
    window_.Send([&] { result = call(); });
    return result;
  }

  // Types the characters, then the line end (none for '\0').
  void Type(std::string_view text, char end = '\r') {
    window_.Send([&] {
      for (char ch : text) view_.OnChar(ch);
      if (end != '\0') view_.OnChar(end);
    });
  }
  void PressEsc() { Type({}, 27); }
  // A left click at the point (the scripted drawings keep the world as
  // their UCS; 0x04 in keyState holds Shift). With no command waiting it
  // selects and edits grips; a point prompt takes it through object snap,
  // a pick prompt with its key state. False when nothing took the click.
  bool Click(const FcPoint2d& point, int keyState = 0) {
    if (!WaitForPromptOrIdle()) return false;
    if (!IsWaitingForInput()) {
      window_.Send([&] { view_.OnIdleClick(point, keyState); });
      return true;
    }
    if (view_.GetInputRequest().cursorMode == kCursorPoint) {
      frame_.SetCursor(point);
      window_.Send([&] { view_.OnPointClick(point); });
      return true;
    }
    return OnWindowThread([&] { return view_.AnswerClick(keyState, point); });
  }
  // A double click at the point while no command runs: the first click
  // selects, the second edits what is there. False when nothing was
  // edited; wait for the edit to end before reading the drawing.
  bool DoubleClick(const FcPoint2d& point) {
    if (!WaitForPromptOrIdle() || IsWaitingForInput()) return false;
    window_.Send([&] { view_.OnIdleClick(point, 0); });
    return OnWindowThread([&] { return view_.OnDoubleClick(point); });
  }
  // The cursor moved to a world point.
  void MoveCursor(const FcPoint2d& world) {
    window_.Send([&] { view_.OnCursorMove(world); });
  }
  void RunMacro(std::string_view macro, std::string_view extra = {}) {
    window_.Send([&] { view_.ExecuteMacro(macro, extra); });
  }

  // Types the first line as a command, then answers its prompts (Answer).
  bool Run(std::initializer_list<std::string_view> lines) {
    if (lines.size() == 0) return WaitUntilIdle();
    Type(*lines.begin());
    return AnswerEach(lines.begin() + 1, lines.end());
  }
  // Types each line once a prompt waits for it, then waits until the command
  // has finished. False when a wait timed out or the command ended before
  // its answers were used.
  bool Answer(std::initializer_list<std::string_view> lines) { return AnswerEach(lines.begin(), lines.end()); }

  bool WaitForPromptOrIdle() {
    return WaitUntil([this] { return view_.IsWaitingForInput() || !view_.CommandRuns(); });
  }
  bool WaitUntilIdle() {
    return WaitUntil([this] { return !view_.CommandRuns(); });
  }
  bool IsWaitingForInput() {
    return OnWindowThread([this] { return view_.IsWaitingForInput(); });
  }

  CChildView& View() { return view_; }
  WindowThread& Window() { return window_; }
  RecordingViewFrame& Frame() { return frame_; }
  // The history lines printed through PrintMessage.
  RecordingFrameLink& Printed() { return printed_; }
  FcGraph& Drawing() { return view_.GetWorkThread().GetGraph(); }

 private:
  bool AnswerEach(const std::string_view* line, const std::string_view* end) {
    for (; line != end; ++line) {
      if (!WaitForPromptOrIdle() || !IsWaitingForInput()) return false;
      Type(*line);
    }
    return WaitUntilIdle();
  }

  template <typename Predicate>
  bool WaitUntil(Predicate predicate) {
    for (;;) {
      const unsigned long seen = frame_.Version();
      if (OnWindowThread(predicate)) return true;
      if (!frame_.WaitForChange(seen, kTimeout)) return false;
    }
  }

  RecordingFrameLink printed_;
  RecordingViewFrame frame_;
  QueuedWindowThread window_;
  CChildView view_;
};
