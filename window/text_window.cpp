#include "window/text_window.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

TextWindow::TextWindow(QWidget* owner, KeyTarget keys) : QWidget(owner, Qt::Tool), keys_(std::move(keys)) {
  setWindowTitle(QStringLiteral("KOVRA Text Window"));
  setObjectName(QStringLiteral("TextWindow"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  panel_ = new CommandLinePanel(this);
  layout->addWidget(panel_);
  resize(640, 300);
}

void TextWindow::keyPressEvent(QKeyEvent* event) {
  if (keys_) {
    keys_(event);
    return;
  }
  QWidget::keyPressEvent(event);
}

void TextWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  QScrollBar* bar = panel_->History().verticalScrollBar();
  bar->setValue(bar->maximum());
}
