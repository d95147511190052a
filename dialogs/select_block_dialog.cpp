#include "dialogs/select_block_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "commands/dialogs/table_lists.h"
#include "commands/dialogs/select_blk_dlg.h"
#include "dialogs/name_list.h"

SelectBlockDialog::SelectBlockDialog(CSelectBlkDlg& data, QWidget* parent) : QDialog(parent), data_(data) {
  setWindowTitle(QStringLiteral("Select Block"));
  auto* layout = new QVBoxLayout(this);
  const std::vector<std::string> names =
      data_.m_pGraph != nullptr ? OfferedBlockNames(*data_.m_pGraph) : std::vector<std::string>();
  names_ = NewNameList(names, FindListEntry(names, data_.m_strName), "names", this);
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
