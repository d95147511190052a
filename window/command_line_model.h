#pragma once

#include <string>
#include <vector>

#include "shell/view_frame_link.h"

// What one drawing's command line holds: the prompt, the typed and not yet
// committed input, and the committed lines. The drawing window feeds it
// and the command-line bar shows it; each drawing keeps its own, so a
// half-typed line survives switching drawings.
class CommandLineModel {
 public:
  ViewFrameLink::LineEnd Feed(char ch, bool blankIsText, std::string& line);
  void SetPrompt(const std::string& text) { prompt_ = text; }
  void SetActive(bool active);
  // Commits the pending input followed by the text; text becomes the whole
  // committed input.
  void Echo(std::string& text);
  void AddHistoryLine(const std::string& text) { history_.push_back(text); }

  bool HasInput() const { return !input_.empty(); }
  // The line as shown: the prompt (or "Command") and what was typed.
  std::string DisplayedLine() const;
  const std::vector<std::string>& History() const { return history_; }

 private:
  std::string input_;
  std::string prompt_;
  bool active_ = false;
  std::vector<std::string> history_;
};
