#include "dialogs/load_linetype_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "commands/dialogs/load_ltype_dlg.h"
#include "dialogs/linetype_list.h"

namespace {

CLoadLTypeDlg::Reload AskReload(QWidget* parent, const std::string& name) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Reload linetype"),
                  QString::fromStdString(CLoadLTypeDlg::ReloadQuestion(name)), QMessageBox::NoButton, parent);
  const QAbstractButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
  const QAbstractButton* yesAll = box.addButton(QStringLiteral("Yes to &All"), QMessageBox::YesRole);
  const QAbstractButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
  const QAbstractButton* noAll = box.addButton(QStringLiteral("N&o to All"), QMessageBox::NoRole);
  box.addButton(QMessageBox::Cancel);
  box.exec();
  const QAbstractButton* clicked = box.clickedButton();
  if (clicked == yes) return CLoadLTypeDlg::Reload::kYes;
  if (clicked == yesAll) return CLoadLTypeDlg::Reload::kYesToAll;
  if (clicked == no) return CLoadLTypeDlg::Reload::kNo;
  if (clicked == noAll) return CLoadLTypeDlg::Reload::kNoToAll;
  return CLoadLTypeDlg::Reload::kCancel;
}

}  // namespace

LoadLinetypeDialog::LoadLinetypeDialog(CLoadLTypeDlg& data, QWidget* parent) : QDialog(parent), data_(data) {
  setWindowTitle(QStringLiteral("Load or Reload linetype"));
  auto* layout = new QVBoxLayout(this);
  auto* fileRow = new QHBoxLayout;
  auto* file = new QPushButton(QStringLiteral("&File..."), this);
  path_ = new QLabel(this);
  path_->setObjectName(QStringLiteral("path"));
  fileRow->addWidget(file);
  fileRow->addWidget(path_, 1);
  layout->addLayout(fileRow);
  layout->addWidget(new QLabel(QStringLiteral("Available linetypes"), this));
  list_ = NewLinetypeList(QStringLiteral("Linetype"), QStringLiteral("Desciption"), 150, 280, this);
  list_->setObjectName(QStringLiteral("available"));
  list_->setSelectionMode(QAbstractItemView::MultiSelection);
  layout->addWidget(list_, 1);

  auto* selectRow = new QHBoxLayout;
  auto* all = new QPushButton(QStringLiteral("Select &All"), this);
  auto* none = new QPushButton(QStringLiteral("&Unselect All"), this);
  auto* invert = new QPushButton(QStringLiteral("&Invert Select"), this);
  for (QPushButton* button : {all, none, invert}) selectRow->addWidget(button);
  layout->addLayout(selectRow);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  layout->addWidget(buttons);

  if (data_.m_strPath.empty()) data_.ReadProgramFile();
  FillRows();

  connect(buttons, &QDialogButtonBox::accepted, this, &LoadLinetypeDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(file, &QPushButton::clicked, this, &LoadLinetypeDialog::OnFile);
  connect(all, &QPushButton::clicked, list_, &QTableWidget::selectAll);
  connect(none, &QPushButton::clicked, list_, &QTableWidget::clearSelection);
  connect(invert, &QPushButton::clicked, this, [this] {
    for (int row = list_->rowCount() - 1; row >= 0; --row)
      list_->selectionModel()->select(list_->model()->index(row, 0),
                                      QItemSelectionModel::Toggle | QItemSelectionModel::Rows);
  });
  connect(list_, &QTableWidget::itemSelectionChanged, this,
          [this] { ok_->setEnabled(!list_->selectionModel()->selectedRows().isEmpty()); });
}

void LoadLinetypeDialog::FillRows() {
  path_->setText(QString::fromStdString(data_.m_strPath));
  list_->setRowCount(0);
  for (int i = 0; i < data_.m_loaded.GetCount(); ++i) {
    const FcLineType& record = *data_.m_loaded.GetAt(i);
    list_->insertRow(i);
    list_->setItem(i, 0, new QTableWidgetItem(QString::fromStdString(record.GetName())));
    list_->setItem(i, 1, new QTableWidgetItem(QString::fromStdString(record.GetDescription())));
  }
  ok_->setEnabled(false);
}

void LoadLinetypeDialog::OnFile() {
  const QString chosen = QFileDialog::getOpenFileName(this, QString(), path_->text(),
                                                      QStringLiteral("Linetype file(*.lin)"));
  if (chosen.isEmpty()) return;
  data_.ReadFile(chosen.toStdString());
  FillRows();
}

void LoadLinetypeDialog::accept() {
  data_.m_selected.assign(static_cast<std::size_t>(data_.m_loaded.GetCount()), false);
  for (const QModelIndex& index : list_->selectionModel()->selectedRows())
    data_.m_selected[static_cast<std::size_t>(index.row())] = true;
  data_.LoadSelected([this](const std::string& name) { return AskReload(this, name); });
  QDialog::accept();
}
