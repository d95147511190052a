#include "dialogs/name_list.h"

#include <QComboBox>

QComboBox* NewNameList(const std::vector<std::string>& names, int selected, const char* objectName, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(QString::fromLatin1(objectName));
  for (const std::string& name : names) list->addItem(QString::fromStdString(name));
  list->setCurrentIndex(selected);
  return list;
}
