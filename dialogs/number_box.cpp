#include "dialogs/number_box.h"

#include <QLineEdit>
#include <QMessageBox>

#include "commands/dialogs/real_box.h"

QLineEdit* NumberBox(double value, const char* objectName, QWidget* parent) {
  auto* box = new QLineEdit(QString::fromStdString(RealBoxText(value)), parent);
  box->setObjectName(QString::fromLatin1(objectName));
  return box;
}

bool TakeNumberBox(QLineEdit& box, QWidget& dialog, double& value) {
  if (ReadRealBox(box.text().toStdString(), value)) return true;
  QMessageBox::warning(&dialog, dialog.windowTitle(), QStringLiteral("Please enter a number."));
  box.setFocus();
  return false;
}
