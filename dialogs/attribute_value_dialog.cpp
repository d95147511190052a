#include "dialogs/attribute_value_dialog.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

AttributeValueDialog::AttributeValueDialog(CAttributeEditDlg& data, QWidget* parent)
    : QDialog(parent), data_(data), rows_(data.Rows()) {
  setWindowTitle(QStringLiteral("Input attribute value"));
  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel(QString::fromStdString(data_.Heading()), this);
  heading->setObjectName(QStringLiteral("heading"));
  layout->addWidget(heading);

  grid_ = new QTableWidget(static_cast<int>(rows_.size()), 2, this);
  grid_->setObjectName(QStringLiteral("grid"));
  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::AllEditTriggers);
  for (int row = 0; row < static_cast<int>(rows_.size()); ++row) {
    auto* name = new QTableWidgetItem(QString::fromStdString(rows_[row].name));
    name->setFlags(name->flags() & ~Qt::ItemIsEditable);
    auto* value = new QTableWidgetItem(QString::fromStdString(rows_[row].value));
    if (rows_[row].attribute < 0) value->setFlags(value->flags() & ~Qt::ItemIsEditable);
    grid_->setItem(row, 0, name);
    grid_->setItem(row, 1, value);
  }
  grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  layout->addWidget(grid_, 1);
  layout->addWidget(new QLabel(QString::fromLatin1(CAttributeEditDlg::kNote), this));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &AttributeValueDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  // Enter in a value's editor submits it; the next value follows.
  connect(
      grid_->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
      [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
        if (hint == QAbstractItemDelegate::SubmitModelCache) EditNextRow();
      },
      Qt::QueuedConnection);
  resize(420, 300);
}

bool AttributeValueDialog::GridHasFocus() const {
  const QWidget* focus = QApplication::focusWidget();
  return focus != nullptr && (focus == grid_ || grid_->isAncestorOf(focus));
}

void AttributeValueDialog::EditNextRow() {
  const int next = grid_->currentRow() + 1;
  if (next >= grid_->rowCount()) return;
  grid_->setCurrentCell(next, 1);
  grid_->editItem(grid_->item(next, 1));
}

void AttributeValueDialog::accept() {
  if (GridHasFocus()) {
    EditNextRow();
    return;
  }
  for (int row = 0; row < static_cast<int>(rows_.size()); ++row) {
    rows_[row].value = grid_->item(row, 1)->text().toStdString();
  }
  data_.OnOK(rows_);
  QDialog::accept();
}
