#include "dialogs/linetype_list.h"

#include <QHeaderView>
#include <QTableWidget>

#include "commands/dialogs/linetype_table_copy.h"
#include "database/linetype.h"

QTableWidget* NewLinetypeList(const QString& nameTitle, const QString& descriptionTitle, int nameWidth,
                              int descriptionWidth, QWidget* parent) {
  auto* list = new QTableWidget(0, 2, parent);
  list->setHorizontalHeaderLabels({nameTitle, descriptionTitle});
  list->setColumnWidth(0, nameWidth);
  list->setColumnWidth(1, descriptionWidth);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->verticalHeader()->hide();
  list->setMinimumWidth(nameWidth + descriptionWidth + 20);
  return list;
}

void FillLinetypeRows(QTableWidget& list, const CLinetypeTableCopy& table, const std::vector<int>& indexes) {
  const bool blocked = list.blockSignals(true);
  list.setRowCount(0);
  for (int index : indexes) {
    const FcLineType& record = table.GetAt(index);
    const int row = list.rowCount();
    list.insertRow(row);
    auto* name = new QTableWidgetItem(QString::fromStdString(record.GetName()));
    name->setData(Qt::UserRole, index);
    list.setItem(row, 0, name);
    auto* description = new QTableWidgetItem(QString::fromStdString(record.GetDescription()));
    description->setFlags(description->flags() & ~Qt::ItemIsEditable);
    list.setItem(row, 1, description);
  }
  list.blockSignals(blocked);
}

int LinetypeIndexOfRow(const QTableWidget& list, int row) {
  const QTableWidgetItem* item = list.item(row, 0);
  return item == nullptr ? -1 : item->data(Qt::UserRole).toInt();
}
