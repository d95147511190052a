#include "dialogs/block_name_box.h"

#include <QComboBox>

#include "commands/dialogs/table_lists.h"

QComboBox* BlockNameBox(const FcGraph* graph, const std::string& text, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QStringLiteral("name"));
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  if (graph != nullptr) {
    for (const std::string& name : OfferedBlockNames(*graph)) box->addItem(QString::fromStdString(name));
  }
  box->setEditText(QString::fromStdString(text));
  return box;
}
