#include "window/command_line_model.h"

namespace {
constexpr char kEscape = 27;
constexpr char kBackspace = 8;
}  // namespace

ViewFrameLink::LineEnd CommandLineModel::Feed(char ch, bool blankIsText, std::string& line) {
  if (ch == '\r' || ch == '\n' || (ch == ' ' && !blankIsText)) {
    line = input_;
    history_.push_back(DisplayedLine());
    input_.clear();
    prompt_.clear();
    return ViewFrameLink::LineEnd::kLine;
  }
  if (ch == kEscape) {
    history_.push_back(DisplayedLine() + (input_.empty() && !active_ ? "" : " *Cancel*"));
    input_.clear();
    prompt_.clear();
    return ViewFrameLink::LineEnd::kCancel;
  }
  if (ch == kBackspace) {
    if (!input_.empty()) input_.pop_back();
    return ViewFrameLink::LineEnd::kNone;
  }
  input_ += ch;
  return ViewFrameLink::LineEnd::kNone;
}

void CommandLineModel::SetActive(bool active) {
  active_ = active;
  if (!active) prompt_.clear();
}

void CommandLineModel::Echo(std::string& text) {
  input_ += text;
  text = input_;
  history_.push_back(DisplayedLine());
  input_.clear();
}

std::string CommandLineModel::DisplayedLine() const {
  return (active_ || !prompt_.empty() ? prompt_ : std::string("Command")) + ":" + input_;
}
