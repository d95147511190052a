#include "dialogs/number_box.h"

#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>

void ShowNumber(QLineEdit* box, double value) { box->setText(QLocale().toString(value, 'g', 15)); }

QLineEdit* NewNumberBox(const char* name, double value, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QString::fromLatin1(name));
  ShowNumber(box, value);
  return box;
}

bool TakeNumber(QLineEdit* box, double& value) {
  const QString text = box->text().trimmed();
  bool ok = false;
  double read = QLocale().toDouble(text, &ok);
  if (!ok) read = QLocale::c().toDouble(text, &ok);
  if (!ok) {
    ShowRefusal(box->window(), QStringLiteral("Please enter a number."));
    box->setFocus();
    box->selectAll();
    return false;
  }
  value = read;
  return true;
}

void ShowRefusal(QWidget* parent, const QString& text) {
  QMessageBox::warning(parent, QStringLiteral("KOVRA"), text);
}
