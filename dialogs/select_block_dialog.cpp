#include "dialogs/select_block_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "commands/dialogs/block_names.h"
#include "commands/dialogs/select_blk_dlg.h"

SelectBlockDialog::SelectBlockDialog(CSelectBlkDlg& data, QWidget* parent) : QDialog(parent), data_(data) {
  setWindowTitle(QStringLiteral("Select Block"));
  auto* layout = new QVBoxLayout(this);
  names_ = new QComboBox(this);
  names_->setObjectName(QStringLiteral("names"));
  if (data_.m_pGraph != nullptr) {
    for (const std::string& name : OfferedBlockNames(*data_.m_pGraph)) names_->addItem(QString::fromStdString(name));
  }
  names_->setCurrentIndex(data_.m_strName.empty() ? -1 : names_->findText(QString::fromStdString(data_.m_strName)));
  layout->addWidget(names_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  layout->addWidget(buttons);
  const auto enableOk = [this] { ok_->setEnabled(!names_->currentText().isEmpty()); };
  enableOk();
  connect(names_, &QComboBox::currentIndexChanged, this, enableOk);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(buttons, &QDialogButtonBox::accepted, this,
          [this] { done(data_.OnOK(names_->currentText().toStdString())); });
}
