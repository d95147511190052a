#pragma once

#include <string>
#include <vector>

// The messages that code on any thread sends to the main frame. The shell
// installs the real link when its main frame exists; until then (and after
// shutdown) the messages go nowhere. Tests install a recording link.
enum class FrameMessage : unsigned {
  kMessageBox = 0x8037,
  kProgressStart = 0x8078,
  kProgressPosition = 0x8079,
  kProgressEnd = 0x807A,
  kCommandHistoryLine = 0x8082,
  kPromptText = 0x8087,
};

class FrameLink {
 public:
  virtual ~FrameLink() = default;
  // 0x8082: appends one line to the command history; returns when shown.
  virtual void CommandHistoryLine(const std::string& text) = 0;
  // 0x8087: shows the current prompt.
  virtual void PromptText(const std::string& text) = 0;
  // 0x8078: starts the progress bar with a text.
  virtual void ProgressStart(const std::string& text) = 0;
  // 0x8079: moves the progress bar. A posted report does not wait for the
  // window thread; a sent one does.
  virtual void ProgressPosition(int percent, bool posted) = 0;
  // 0x807A: ends the progress bar.
  virtual void ProgressEnd() = 0;
  // 0x8037: a message the user must see and confirm, under its title;
  // returns when confirmed. A link without boxes writes it to the history.
  virtual void MessageBox(const std::string& title, const std::string& text) {
    CommandHistoryLine(title + ": " + text);
  }
};

// Installs the link (null removes it). Not owned.
void SetFrameLink(FrameLink* link);
FrameLink* GetFrameLink();

// The one-line services every thread uses to talk to the user.
void PrintMessage(const std::string& text);

// While one lives on a thread, that thread's PrintMessage lines are kept
// here instead of reaching the link: a helper thread of a pass that the
// window thread may be waiting for must not wait for the window thread.
// The pass prints them when its helpers are done.
class HeldMessages {
 public:
  HeldMessages();
  ~HeldMessages();
  HeldMessages(const HeldMessages&) = delete;
  HeldMessages& operator=(const HeldMessages&) = delete;

  void Add(const std::string& text) { lines_.push_back(text); }
  std::vector<std::string> Take() { return std::move(lines_); }

 private:
  std::vector<std::string> lines_;
  HeldMessages* outer_;
};
void ShowPrompt(const std::string& text);
void ProgressStart(const std::string& text);
void ProgressPosition(int percent, bool posted = false);
void ProgressEnd();
void ShowMessageBox(const std::string& title, const std::string& text);
