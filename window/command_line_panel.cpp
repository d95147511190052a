#include "window/command_line_panel.h"

#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QPalette>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>

#include "dialogs/color_swatches.h"
#include "platform/program_settings.h"

namespace {

// The history keeps this many lines; older ones scroll out for good.
constexpr int kHistoryLines = 2000;

// A history that asks the layout for room for a number of lines, so that
// the docked bar starts that tall and not as tall as an editor would.
class HistoryEdit : public QPlainTextEdit {
 public:
  HistoryEdit(QWidget* parent, const CommandLinePanel& panel) : QPlainTextEdit(parent), panel_(panel) {}

  QSize sizeHint() const override {
    const int frame = 2 * frameWidth() + static_cast<int>(2 * document()->documentMargin());
    return {QPlainTextEdit::sizeHint().width(), panel_.HistoryLines() * panel_.LineHeight() + frame};
  }
  QSize minimumSizeHint() const override { return {QPlainTextEdit::minimumSizeHint().width(), panel_.LineHeight()}; }

 private:
  const CommandLinePanel& panel_;
};

}  // namespace

CommandLinePanel::CommandLinePanel(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  history_ = new HistoryEdit(this, *this);
  history_->setReadOnly(true);
  // Keys go to the drawing, never into the history.
  history_->setFocusPolicy(Qt::NoFocus);
  history_->setMaximumBlockCount(kHistoryLines);
  history_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  prompt_ = new QLabel(QStringLiteral("Command:"), this);
  prompt_->setTextFormat(Qt::PlainText);
  prompt_->setAutoFillBackground(true);
  layout->addWidget(history_, 1);
  layout->addWidget(prompt_);
  ApplyLook(CommandLineWindowSettings{});
}

void CommandLinePanel::SetPaste(std::function<bool()> canPaste, std::function<void()> paste) {
  canPaste_ = std::move(canPaste);
  paste_ = std::move(paste);
  history_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(history_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    QMenu* menu = NewContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(history_->viewport()->mapToGlobal(at));
  });
}

QMenu* CommandLinePanel::NewContextMenu() {
  QMenu* menu = history_->createStandardContextMenu();
  menu->addSeparator();
  QAction* paste = menu->addAction(QStringLiteral("Paste text to command bar"));
  paste->setObjectName(QStringLiteral("pasteToCommandBar"));
  paste->setEnabled(canPaste_ && canPaste_());
  connect(paste, &QAction::triggered, this, [this] {
    if (paste_) paste_();
  });
  return menu;
}

void CommandLinePanel::ClearHistory() { history_->clear(); }

void CommandLinePanel::AppendHistory(const QString& line) { history_->appendPlainText(line); }

void CommandLinePanel::SetPrompt(const QString& text) { prompt_->setText(text); }

void CommandLinePanel::ApplyLook(const CommandLineWindowSettings& look) {
  QFont font(QString::fromStdString(look.font_name));
  // A face the system lacks falls back to a fixed-pitch one.
  font.setStyleHint(QFont::TypeWriter);
  if (look.font_height != 0) font.setPixelSize(std::abs(look.font_height));
  font.setWeight(static_cast<QFont::Weight>(std::clamp(look.font_weight == 0 ? 400 : look.font_weight, 100, 900)));
  font.setItalic(look.font_italic != 0);
  for (QWidget* part : {static_cast<QWidget*>(history_), static_cast<QWidget*>(prompt_)}) {
    part->setFont(font);
    QPalette colours = part->palette();
    colours.setColor(QPalette::Base, FromStoredRgb(look.back_color));
    colours.setColor(QPalette::Window, FromStoredRgb(look.back_color));
    colours.setColor(QPalette::Text, FromStoredRgb(look.text_color));
    colours.setColor(QPalette::WindowText, FromStoredRgb(look.text_color));
    part->setPalette(colours);
  }
  history_->updateGeometry();
}

void CommandLinePanel::SetHistoryLines(int lines) {
  historyLines_ = std::max(lines, 1);
  history_->updateGeometry();
}

int CommandLinePanel::LineHeight() const { return QFontMetrics(history_->font()).height() + 2; }
