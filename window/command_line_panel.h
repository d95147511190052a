#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class QLabel;
class QMenu;
class QPlainTextEdit;
struct CommandLineWindowSettings;

// The two controls every command-line window shows: the read-only history
// and, below it, the prompt with what is being typed. The docked command
// bar and the floating text window each hold one, and the frame updates
// both alike so that whichever is visible shows the same state.
class CommandLinePanel : public QWidget {
 public:
  explicit CommandLinePanel(QWidget* parent);

  void ClearHistory();
  void AppendHistory(const QString& line);
  void SetPrompt(const QString& text);

  // The font and colours of the settings, for history and prompt alike.
  void ApplyLook(const CommandLineWindowSettings& look);
  // The room the history asks for: this many lines of its font.
  void SetHistoryLines(int lines);
  int HistoryLines() const { return historyLines_; }
  // The height of one history line: the font's text height and 2 pixels.
  int LineHeight() const;

  // The history's context menu offers "Paste text to command bar",
  // enabled while canPaste says so.
  void SetPaste(std::function<bool()> canPaste, std::function<void()> paste);
  // The context menu as it would show now; the caller owns it.
  QMenu* NewContextMenu();

  QPlainTextEdit& History() { return *history_; }
  QLabel& Prompt() { return *prompt_; }

 private:
  QPlainTextEdit* history_ = nullptr;
  QLabel* prompt_ = nullptr;
  int historyLines_ = 3;
  std::function<bool()> canPaste_;
  std::function<void()> paste_;
};
