#include "dialogs/block_def_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include "commands/dialogs/block_def_dlg.h"
#include "dialogs/block_name_box.h"
#include "dialogs/bmp_button.h"
#include "dialogs/number_box.h"
#include "dialogs/pick_buttons.h"
#include "dialogs/static_ex.h"

BlockDefDialog::BlockDefDialog(CBlkDefDlg& data, QWidget* parent) : QDialog(parent), data_(data) {
  data_.OnInitDialog();
  setWindowTitle(QStringLiteral("Block define"));
  auto* layout = new QVBoxLayout(this);

  name_ = BlockNameBox(data_.m_pGraph, data_.m_strName, this);
  auto* nameRow = new QFormLayout;
  nameRow->addRow(QStringLiteral("Block Name"), name_);
  layout->addLayout(nameRow);

  auto* base = new QGroupBox(QStringLiteral("Base point"), this);
  auto* baseLayout = new QFormLayout(base);
  CBmpButton* pickPoint = NewPickButton("pickPoint", QStringLiteral("Pick point"), PickPicture::kPoint, base);
  baseLayout->addRow(pickPoint);
  x_ = new QLineEdit(base);
  x_->setObjectName(QStringLiteral("x"));
  y_ = new QLineEdit(base);
  y_->setObjectName(QStringLiteral("y"));
  ShowNumber(x_, data_.m_dBaseX);
  ShowNumber(y_, data_.m_dBaseY);
  baseLayout->addRow(QStringLiteral("X:"), x_);
  baseLayout->addRow(QStringLiteral("Y:"), y_);

  auto* objects = new QGroupBox(QStringLiteral("Objects"), this);
  auto* objectsLayout = new QVBoxLayout(objects);
  CBmpButton* selectObjects =
      NewPickButton("selectObjects", QStringLiteral("Select objects"), PickPicture::kObjects, objects);
  objectsLayout->addWidget(selectObjects);
  mode_ = new QButtonGroup(this);
  const char* const modes[] = {"Remain", "Convert into block", "Delete"};
  for (int mode = CBlkDefDlg::kRemain; mode <= CBlkDefDlg::kDelete; ++mode) {
    auto* button = new QRadioButton(QString::fromLatin1(modes[mode]), objects);
    mode_->addButton(button, mode);
    objectsLayout->addWidget(button);
  }
  if (QAbstractButton* checked = mode_->button(data_.m_nMode)) checked->setChecked(true);
  auto* countRow = new QHBoxLayout;
  auto* warning = new CStaticEx(objects);
  warning->setObjectName(QStringLiteral("warning"));
  warning->m_bBitmapMode = true;
  warning->m_bTransparentBack = true;
  warning->m_bitmap = style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(16, 16);
  warning->setFixedSize(warning->m_bitmap.size() + QSize(2, 2));
  warning->setVisible(data_.ShowsWarning());
  auto* count = new QLabel(QString::fromStdString(data_.CountText()), objects);
  count->setObjectName(QStringLiteral("count"));
  countRow->addWidget(warning);
  countRow->addWidget(count, 1);
  objectsLayout->addLayout(countRow);

  auto* groups = new QHBoxLayout;
  groups->addWidget(base);
  groups->addWidget(objects);
  layout->addLayout(groups);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &BlockDefDialog::Accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(pickPoint, &QPushButton::clicked, this, [this] { Pick(CBlkDefDlg::kPickPoint); });
  connect(selectObjects, &QPushButton::clicked, this, [this] { Pick(CBlkDefDlg::kSelectObjects); });
}

bool BlockDefDialog::TakeBoxes() {
  data_.m_strName = name_->currentText().toStdString();
  data_.m_nMode = mode_->checkedId() < 0 ? data_.m_nMode : mode_->checkedId();
  return TakeNumber(x_, data_.m_dBaseX) && TakeNumber(y_, data_.m_dBaseY);
}

void BlockDefDialog::Pick(int code) {
  if (TakeBoxes()) done(code);
}

void BlockDefDialog::Accept() {
  if (!TakeBoxes()) return;
  std::string message;
  if (!data_.OnOK(message)) {
    ShowRefusal(this, QString::fromStdString(message));
    return;
  }
  accept();
}
