#pragma once

#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/frame_link.h"

// A frame link that remembers every message instead of showing it, for
// tests that check what the user would have seen. Any thread may call it.
class RecordingFrameLink : public FrameLink {
 public:
  struct Call {
    FrameMessage message;
    std::string text;  // history line, prompt, progress or message text
    int percent = 0;
    bool posted = false;
    std::string title = {};  // message box
  };

  void CommandHistoryLine(const std::string& text) override { Record({FrameMessage::kCommandHistoryLine, text}); }
  void PromptText(const std::string& text) override { Record({FrameMessage::kPromptText, text}); }
  void ProgressStart(const std::string& text) override { Record({FrameMessage::kProgressStart, text}); }
  void ProgressPosition(int percent, bool posted) override {
    Record({FrameMessage::kProgressPosition, {}, percent, posted});
  }
  void ProgressEnd() override { Record({FrameMessage::kProgressEnd, {}}); }
  void MessageBox(const std::string& title, const std::string& text) override {
    Record({FrameMessage::kMessageBox, text, 0, false, title});
  }

  std::vector<Call> Calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
  }

  // The command-history lines alone, in order.
  std::vector<std::string> HistoryLines() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> lines;
    for (const Call& call : calls_)
      if (call.message == FrameMessage::kCommandHistoryLine) lines.push_back(call.text);
    return lines;
  }

  void Clear() {
    std::lock_guard lock(mutex_);
    calls_.clear();
  }

 private:
  void Record(Call call) {
    std::lock_guard lock(mutex_);
    calls_.push_back(std::move(call));
  }

  mutable std::mutex mutex_;
  std::vector<Call> calls_;
};
