#include "window/command_line_panel.h"

#include <QFont>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

// The history keeps this many lines; older ones scroll out for good.
constexpr int kHistoryLines = 2000;

}  // namespace

CommandLinePanel::CommandLinePanel(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  history_ = new QPlainTextEdit(this);
  history_->setReadOnly(true);
  // Keys go to the drawing, never into the history.
  history_->setFocusPolicy(Qt::NoFocus);
  history_->setMaximumBlockCount(kHistoryLines);
  prompt_ = new QLabel(QStringLiteral("Command:"), this);
  prompt_->setTextFormat(Qt::PlainText);
  QFont font(QStringLiteral("Monospace"));
  font.setStyleHint(QFont::TypeWriter);
  history_->setFont(font);
  prompt_->setFont(font);
  layout->addWidget(history_);
  layout->addWidget(prompt_);
}

void CommandLinePanel::ClearHistory() { history_->clear(); }

void CommandLinePanel::AppendHistory(const QString& line) { history_->appendPlainText(line); }

void CommandLinePanel::SetPrompt(const QString& text) { prompt_->setText(text); }
