#include "dialogs/edit_ex.h"

#include <QKeyEvent>

CEditEx::CEditEx(QWidget* parent) : QLineEdit(parent) {}

void CEditEx::SetLocked(bool locked) {
  setReadOnly(locked);
  setContextMenuPolicy(locked ? Qt::NoContextMenu : Qt::DefaultContextMenu);
}

void CEditEx::SetColors(const QColor& background, const QColor& text) {
  QPalette colors = palette();
  if (background.isValid()) colors.setColor(QPalette::Base, background);
  if (text.isValid()) colors.setColor(QPalette::Text, text);
  setPalette(colors);
}

void CEditEx::keyPressEvent(QKeyEvent* event) {
  const std::u32string typed = event->text().toStdU32String();
  // Only a printable character goes through the filter: editing keys and
  // shortcuts work as usual.
  if (!filter_ || isReadOnly() || typed.size() != 1 || !QChar::isPrint(typed.front())) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  const char32_t passed = filter_(text().toStdU32String(), typed.front());
  if (passed == typed.front()) {
    QLineEdit::keyPressEvent(event);
  } else if (passed != 0) {
    insert(QString::fromStdU32String(std::u32string(1, passed)));
  }
  event->accept();
}
