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

namespace {

bool ReadNumber(const QLineEdit* box, double& value) { return ReadRealBox(box->text().trimmed().toStdString(), value); }

void RefuseNumber(QLineEdit* box) { ShowRefusal(box->window(), QStringLiteral("Please enter a number.")); }

}  // namespace

bool TakeNumber(QLineEdit* box, double& value) {
  if (ReadNumber(box, value)) return true;
  RefuseNumber(box);
  box->setFocus();
  box->selectAll();
  return false;
}

void ShowRefusal(QWidget* parent, const QString& text) {
  QMessageBox::warning(parent, QStringLiteral("KOVRA"), text);
}

bool TakeNumberOrKeep(QLineEdit* box, double& value) {
  if (ReadNumber(box, value)) return true;
  ShowNumber(box, value);
  RefuseNumber(box);
  return false;
}
