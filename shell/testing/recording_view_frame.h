#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "shell/view_frame_link.h"

// A frame link for headless runs: a command line that keeps its history as
// lines, and a record of the window work the view asked for. Every call
// counts as a change that WaitForChange reports. Called on the window
// thread; the accessors may be read from any thread.
class RecordingViewFrame : public ViewFrameLink {
 public:
  LineEnd FeedCommandLineChar(char ch, bool blankIsText, std::string& line) override {
    std::lock_guard lock(mutex_);
    LineEnd end = LineEnd::kNone;
    if (ch == '\r' || ch == '\n' || (ch == ' ' && !blankIsText)) {
      line = input_;
      history_.push_back(DisplayedLine());
      input_.clear();
      prompt_.clear();
      end = LineEnd::kLine;
    } else if (ch == 27) {
      history_.push_back(DisplayedLine() + (input_.empty() && !active_ ? "" : " *Cancel*"));
      input_.clear();
      prompt_.clear();
      end = LineEnd::kCancel;
    } else if (ch == 8) {
      if (!input_.empty()) input_.pop_back();
    } else {
      input_ += ch;
    }
    Changed();
    return end;
  }
  bool HasTypedInput() override {
    std::lock_guard lock(mutex_);
    return !input_.empty();
  }
  void SetPromptText(const std::string& text) override {
    std::lock_guard lock(mutex_);
    prompt_ = text;
    prompts_.push_back(text);
    Changed();
  }
  void SetCommandActive(bool active) override {
    std::lock_guard lock(mutex_);
    active_ = active;
    if (!active) prompt_.clear();
    Changed();
  }
  void EchoCommandText(std::string& text) override {
    std::lock_guard lock(mutex_);
    input_ += text;
    text = input_;
    history_.push_back(DisplayedLine());
    input_.clear();
    Changed();
  }
  void RedrawDrawing() override { Count(redraws_); }
  void ClearGrips() override { Count(gripClears_); }
  void Unhighlight(const FcEntitySets&) override { Count(unhighlights_); }
  void RefreshStatusPanes() override { Count(paneRefreshes_); }
  void UpdateTitle() override { Count(titleUpdates_); }
  void AutoSaveIfDue() override { Count(autoSaveChecks_); }
  void CloseDrawingWindow() override { Count(closeRequests_); }
  void FocusView() override { Count(focusRequests_); }
  void ShowRequest(const InputRequest& request) override {
    Count(requestsShown_);
    if (onShowRequest_) onShowRequest_(request);
  }
  void EndRequestDisplay() override { Count(requestsEnded_); }
  bool CursorPoint(FcPoint2d& point) override {
    std::lock_guard lock(mutex_);
    point = cursor_;
    return true;
  }
  void TrackPreview(const FcPoint2d&) override { Count(trackPreviews_); }

  // Called each time a request waits for the user, on the window thread.
  void SetOnShowRequest(std::function<void(const InputRequest&)> call) { onShowRequest_ = std::move(call); }
  void SetCursor(const FcPoint2d& point) {
    std::lock_guard lock(mutex_);
    cursor_ = point;
  }
  // The command line's history, one entry per committed line.
  std::vector<std::string> History() const {
    std::lock_guard lock(mutex_);
    return history_;
  }
  // Every prompt shown, in order.
  std::vector<std::string> Prompts() const {
    std::lock_guard lock(mutex_);
    return prompts_;
  }
  int Redraws() const { return Read(redraws_); }
  int CloseRequests() const { return Read(closeRequests_); }
  int Unhighlights() const { return Read(unhighlights_); }

  unsigned long Version() const {
    std::lock_guard lock(mutex_);
    return version_;
  }
  // False when nothing changed since seen within the time-out.
  bool WaitForChange(unsigned long seen, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return version_ != seen; });
  }

 private:
  std::string DisplayedLine() const {
    return (active_ || !prompt_.empty() ? prompt_ : std::string("Command")) + ":" + input_;
  }
  // Called with the mutex held.
  void Changed() {
    ++version_;
    changed_.notify_all();
  }
  void Count(int& counter) {
    std::lock_guard lock(mutex_);
    ++counter;
    Changed();
  }
  int Read(const int& counter) const {
    std::lock_guard lock(mutex_);
    return counter;
  }

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  unsigned long version_ = 0;
  std::string input_;
  std::string prompt_;
  bool active_ = false;
  FcPoint2d cursor_;
  std::vector<std::string> history_;
  std::vector<std::string> prompts_;
  int redraws_ = 0;
  int gripClears_ = 0;
  int unhighlights_ = 0;
  int paneRefreshes_ = 0;
  int titleUpdates_ = 0;
  int autoSaveChecks_ = 0;
  int closeRequests_ = 0;
  int focusRequests_ = 0;
  int requestsShown_ = 0;
  int requestsEnded_ = 0;
  int trackPreviews_ = 0;
  std::function<void(const InputRequest&)> onShowRequest_;
};
