#include "dialogs/number_box.h"

#include <QLineEdit>
#include <QMessageBox>

#include "commands/dialogs/real_box.h"

void ShowNumber(QLineEdit* box, double value) { box->setText(QString::fromStdString(RealBoxText(value))); }

QLineEdit* NewNumberBox(const char* name, double value, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QString::fromLatin1(name));
  ShowNumber(box, value);
  return box;
}

bool TakeNumber(QLineEdit* box, double& value) {
  if (ReadRealBox(box->text().trimmed().toStdString(), value)) return true;
  ShowRefusal(box->window(), QStringLiteral("Please enter a number."));
  box->setFocus();
  box->selectAll();
  return false;
}

void ShowRefusal(QWidget* parent, const QString& text) {
  QMessageBox::warning(parent, QStringLiteral("KOVRA"), text);
}
