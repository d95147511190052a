#include "dialogs/linetype_select_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "commands/dialogs/linetype_sel_dlg.h"
#include "commands/dialogs/linetype_table_copy.h"
#include "commands/dialogs/load_ltype_dlg.h"
#include "database/linetype.h"
#include "dialogs/linetype_list.h"
#include "dialogs/load_linetype_dialog.h"

LinetypeSelectDialog::LinetypeSelectDialog(CLinetypeSelDlg& data, QWidget* parent) : QDialog(parent), data_(data) {
  setWindowTitle(QStringLiteral("Select Linetype"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("The available linetypes"), this));
  list_ = NewLinetypeList(QStringLiteral("Name"), QStringLiteral("Describtion"), 250, 320, this);
  list_->setObjectName(QStringLiteral("linetypes"));
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  layout->addWidget(list_, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  QPushButton* load = buttons->addButton(QStringLiteral("&Load..."), QDialogButtonBox::ActionRole);
  layout->addWidget(buttons);
  FillRows();

  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QTableWidget::itemSelectionChanged, this, [this] {
    const QList<QTableWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty() || data_.m_pTable == nullptr) return;
    data_.m_hLinetype = data_.m_pTable->GetAt(LinetypeIndexOfRow(*list_, selected.front()->row())).GetHandle();
  });
  connect(load, &QPushButton::clicked, this, [this] {
    CLoadLTypeDlg loading;
    loading.m_pTable = data_.m_pTable;
    LoadLinetypeDialog dialog(loading, this);
    if (dialog.exec() == QDialog::Accepted) FillRows();
  });
}

void LinetypeSelectDialog::FillRows() {
  if (data_.m_pTable == nullptr) return;
  FillLinetypeRows(*list_, *data_.m_pTable, data_.Rows());
  for (int row = 0; row < list_->rowCount(); ++row) {
    if (data_.m_pTable->GetAt(LinetypeIndexOfRow(*list_, row)).GetHandle() != data_.m_hLinetype) continue;
    list_->selectRow(row);
    list_->setCurrentCell(row, 0);
  }
}
