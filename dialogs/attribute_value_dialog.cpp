#include "dialogs/attribute_value_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "dialogs/property_list.h"
#include "entities/text.h"

namespace {

// The share of the grid's width that its name column takes.
constexpr double kNameShare = 0.4;

}  // namespace

AttributeValueDialog::AttributeValueDialog(CAttributeEditDlg& data, QWidget* parent)
    : QDialog(parent), data_(data), rows_(data.Rows()) {
  setWindowTitle(QStringLiteral("Input attribute value"));
  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel(QString::fromStdString(data_.Heading()), this);
  heading->setObjectName(QStringLiteral("heading"));
  layout->addWidget(heading);

  grid_ = new CPropertyList(this);
  grid_->setObjectName(QStringLiteral("grid"));
  grid_->setFrameShadow(QFrame::Sunken);
  grid_->SetNameShare(kNameShare);
  // An attribute keeps no more; longer text would be cut without a word.
  grid_->SetTextLimit(static_cast<int>(FcText::kMaxText));
  for (const CAttributeEditDlg::Row& row : rows_) {
    grid_->AddItem(row.name, row.value, row.attribute < 0 ? kPropertyRaised : kPropertyText);
  }
  grid_->OnEditorClosed([this](int key) {
    if (key != Qt::Key_Escape) EditNextRow();
  });
  layout->addWidget(grid_, 1);
  layout->addWidget(new QLabel(QString::fromLatin1(CAttributeEditDlg::kNote), this));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &AttributeValueDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &AttributeValueDialog::reject);
  resize(420, 300);
}

void AttributeValueDialog::EditNextRow() {
  const int next = grid_->currentRow() + 1;
  if (next >= grid_->count()) return;
  grid_->setCurrentRow(next);
}

void AttributeValueDialog::accept() {
  // Enter on the grid itself, with no editor open, goes to the grid too.
  if (grid_->HasFocusWithin()) {
    grid_->OnKeyDown(Qt::Key_Return);
    return;
  }
  for (int row = 0; row < static_cast<int>(rows_.size()); ++row) rows_[row].value = grid_->Rows().Item(row).value;
  data_.OnOK(rows_);
  QDialog::accept();
}

void AttributeValueDialog::reject() {
  if (grid_->HasFocusWithin()) {
    grid_->OnKeyDown(Qt::Key_Escape);
    return;
  }
  QDialog::reject();
}
