#include "dialogs/linetype_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <numeric>

#include "commands/dialogs/linetype_dlg.h"
#include "commands/dialogs/load_ltype_dlg.h"
#include "core/value_format.h"
#include "database/linetype.h"
#include "dialogs/linetype_list.h"
#include "dialogs/load_linetype_dialog.h"

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

QString ScaleText(double scale) { return Text(FormatDecimal(4, scale)); }

}  // namespace

LinetypeDialog::LinetypeDialog(CLineTypeDlg& data, QWidget* parent) : QDialog(parent), data_(data) {
  setWindowTitle(QStringLiteral("Linetype manager"));
  auto* layout = new QVBoxLayout(this);
  current_ = new QLabel(this);
  current_->setObjectName(QStringLiteral("currentLinetype"));
  layout->addWidget(current_);
  list_ = NewLinetypeList(QStringLiteral("Name"), QStringLiteral("Describtion"), 250, 320, this);
  list_->setObjectName(QStringLiteral("linetypes"));
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
  layout->addWidget(list_, 1);

  auto* form = new QFormLayout;
  globalScale_ = new QLineEdit(ScaleText(data_.m_dGlobalScale), this);
  globalScale_->setObjectName(QStringLiteral("globalScale"));
  entityScale_ = new QLineEdit(ScaleText(data_.m_dEntityScale), this);
  entityScale_->setObjectName(QStringLiteral("entityScale"));
  form->addRow(QStringLiteral("&Global linetype scale"), globalScale_);
  form->addRow(QStringLiteral("Current entity linetype &scale"), entityScale_);
  layout->addLayout(form);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  QPushButton* current = buttons->addButton(QStringLiteral("&Current"), QDialogButtonBox::ActionRole);
  QPushButton* load = buttons->addButton(QStringLiteral("&Load..."), QDialogButtonBox::ActionRole);
  layout->addWidget(buttons);
  FillRows();

  connect(buttons, &QDialogButtonBox::accepted, this, &LinetypeDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(current, &QPushButton::clicked, this, &LinetypeDialog::OnCurrent);
  connect(list_, &QTableWidget::cellDoubleClicked, this, [this] {
    if (list_->selectionModel()->selectedRows().size() == 1) OnCurrent();
  });
  connect(list_, &QTableWidget::itemChanged, this, &LinetypeDialog::OnNameEdited);
  connect(load, &QPushButton::clicked, this, [this] {
    CLoadLTypeDlg loading;
    loading.m_pTable = &data_.m_table;
    LoadLinetypeDialog dialog(loading, this);
    if (dialog.exec() == QDialog::Accepted) FillRows();
  });
}

void LinetypeDialog::FillRows() {
  std::vector<int> all(static_cast<std::size_t>(data_.m_table.GetCount()));
  std::iota(all.begin(), all.end(), 0);
  FillLinetypeRows(*list_, data_.m_table, all);
  current_->setText(Text(data_.CurrentLabel()));
}

void LinetypeDialog::OnCurrent() {
  std::vector<int> rows;
  for (const QModelIndex& index : list_->selectionModel()->selectedRows())
    rows.push_back(LinetypeIndexOfRow(*list_, index.row()));
  const std::string refusal = data_.MakeCurrent(rows);
  if (!refusal.empty()) QMessageBox::information(this, windowTitle(), Text(refusal));
  current_->setText(Text(data_.CurrentLabel()));
}

void LinetypeDialog::OnNameEdited(QTableWidgetItem* item) {
  if (item == nullptr || item->column() != 0) return;
  const int index = LinetypeIndexOfRow(*list_, item->row());
  const std::string refusal = data_.Rename(index, item->text().toStdString());
  const bool blocked = list_->blockSignals(true);
  item->setText(Text(data_.m_table.GetAt(index).GetName()));
  list_->blockSignals(blocked);
  current_->setText(Text(data_.CurrentLabel()));
  if (!refusal.empty()) QMessageBox::information(this, windowTitle(), Text(refusal));
}

void LinetypeDialog::accept() {
  const std::string refusal =
      data_.SetScales(entityScale_->text().toStdString(), globalScale_->text().toStdString());
  if (!refusal.empty()) {
    QMessageBox::information(this, windowTitle(), Text(refusal));
    return;
  }
  QDialog::accept();
}
