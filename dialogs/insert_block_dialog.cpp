#include "dialogs/insert_block_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "commands/dialogs/insert_blk_dlg.h"
#include "dialogs/block_name_box.h"
#include "dialogs/bmp_button.h"
#include "dialogs/number_box.h"
#include "dialogs/pick_buttons.h"

namespace {

QSpinBox* CountBox(const char* name, int value, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setRange(CInsertBlkDlg::kMinCount, CInsertBlkDlg::kMaxCount);
  box->setValue(value);
  return box;
}

QCheckBox* CheckBox(const char* name, const char* text, bool checked, QWidget* parent) {
  auto* box = new QCheckBox(QString::fromLatin1(text), parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setChecked(checked);
  return box;
}

}  // namespace

InsertBlockDialog::InsertBlockDialog(CInsertBlkDlg& data, QWidget* parent) : QDialog(parent), data_(data) {
  setWindowTitle(QStringLiteral("Insert block"));
  auto* layout = new QVBoxLayout(this);

  auto* nameRow = new QHBoxLayout;
  nameRow->addWidget(new QLabel(QStringLiteral("Block name"), this));
  name_ = BlockNameBox(data_.m_pGraph, data_.m_strName, this);
  nameRow->addWidget(name_, 1);
  auto* browse = new QPushButton(QStringLiteral("Browse..."), this);
  browse->setObjectName(QStringLiteral("browse"));
  nameRow->addWidget(browse);
  layout->addLayout(nameRow);
  path_ = new QLabel(this);
  path_->setObjectName(QStringLiteral("path"));
  path_->hide();
  layout->addWidget(path_);
  onScreen_ = CheckBox("onScreen", "Position block when inserting", data_.m_bOnScreen != 0, this);
  layout->addWidget(onScreen_);

  auto* groups = new QHBoxLayout;
  auto* point = new QGroupBox(QStringLiteral("Insertion point"), this);
  auto* pointLayout = new QFormLayout(point);
  CBmpButton* pickPoint = NewPickButton("pickPoint", QStringLiteral("Pick point"), PickPicture::kPoint, point);
  pickPoint_ = pickPoint;
  pointLayout->addRow(pickPoint);
  insertX_ = NewNumberBox("insertX", data_.m_dInsertX, point);
  insertY_ = NewNumberBox("insertY", data_.m_dInsertY, point);
  pointLayout->addRow(QStringLiteral("X:"), insertX_);
  pointLayout->addRow(QStringLiteral("Y:"), insertY_);
  groups->addWidget(point);

  auto* scale = new QGroupBox(QStringLiteral("Scale factor"), this);
  auto* scaleLayout = new QFormLayout(scale);
  scaleX_ = NewNumberBox("scaleX", data_.m_dScaleX, scale);
  scaleY_ = NewNumberBox("scaleY", data_.m_dScaleY, scale);
  sameScale_ = CheckBox("sameScale", "Same scale", data_.m_bSameScale != 0, scale);
  scaleLayout->addRow(QStringLiteral("X:"), scaleX_);
  scaleLayout->addRow(QStringLiteral("Y:"), scaleY_);
  scaleLayout->addRow(sameScale_);
  groups->addWidget(scale);

  auto* rotation = new QGroupBox(QStringLiteral("Rotation"), this);
  auto* rotationLayout = new QFormLayout(rotation);
  angle_ = NewNumberBox("angle", data_.m_dAngle, rotation);
  rotationLayout->addRow(QStringLiteral("Angle:"), angle_);
  groups->addWidget(rotation);
  layout->addLayout(groups);

  auto* array = new QGridLayout;
  columns_ = CountBox("columns", data_.m_nColumns, this);
  rows_ = CountBox("rows", data_.m_nRows, this);
  columnSpacing_ = NewNumberBox("columnSpacing", data_.m_dColumnSpacing, this);
  rowSpacing_ = NewNumberBox("rowSpacing", data_.m_dRowSpacing, this);
  array->addWidget(new QLabel(QStringLiteral("Columns"), this), 0, 0);
  array->addWidget(columns_, 0, 1);
  array->addWidget(new QLabel(QStringLiteral("Columns Spacing"), this), 0, 2);
  array->addWidget(columnSpacing_, 0, 3);
  array->addWidget(new QLabel(QStringLiteral("Rows"), this), 1, 0);
  array->addWidget(rows_, 1, 1);
  array->addWidget(new QLabel(QStringLiteral("Row Spacing"), this), 1, 2);
  array->addWidget(rowSpacing_, 1, 3);
  layout->addLayout(array);
  explode_ = CheckBox("explode", "Explode block upon insertion", data_.m_bExplode != 0, this);
  layout->addWidget(explode_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Insert"));
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &InsertBlockDialog::Accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(pickPoint, &QPushButton::clicked, this, [this] {
    if (TakeBoxes()) done(CInsertBlkDlg::kPickPoint);
  });
  connect(browse, &QPushButton::clicked, this, &InsertBlockDialog::Browse);
  connect(name_, &QComboBox::activated, this, [this](int index) {
    data_.ChooseListedName(name_->itemText(index).toStdString());
    path_->hide();
  });
  connect(onScreen_, &QCheckBox::toggled, this, &InsertBlockDialog::ApplyEnabling);
  connect(sameScale_, &QCheckBox::toggled, this, &InsertBlockDialog::ApplyEnabling);
  ApplyEnabling();
}

void InsertBlockDialog::ApplyEnabling() {
  data_.m_bOnScreen = onScreen_->isChecked() ? 1 : 0;
  data_.m_bSameScale = sameScale_->isChecked() ? 1 : 0;
  const bool placement = data_.PlacementEnabled();
  for (QWidget* widget : {static_cast<QWidget*>(insertX_), static_cast<QWidget*>(insertY_), pickPoint_,
                          static_cast<QWidget*>(scaleX_), static_cast<QWidget*>(sameScale_),
                          static_cast<QWidget*>(angle_)}) {
    widget->setEnabled(placement);
  }
  scaleY_->setEnabled(data_.ScaleYEnabled());
}

void InsertBlockDialog::Browse() {
  const QString path = QFileDialog::getOpenFileName(
      this, QStringLiteral("Insert a drawing"), QString(),
      QStringLiteral("Drawing file R13-2000 (*.dwg);;DXF file R13-2000 (*.dxf)"));
  if (path.isEmpty()) return;
  data_.ChooseFile(path.toStdString());
  path_->setText(path);
  path_->show();
  name_->setEditText(QString::fromStdString(data_.m_strName));
}

bool InsertBlockDialog::TakeBoxes() {
  const std::string typed = name_->currentText().toStdString();
  // Typing over a browsed file's title names a block of the drawing.
  if (typed != data_.m_strName) data_.ChooseListedName(typed);
  data_.m_bOnScreen = onScreen_->isChecked() ? 1 : 0;
  data_.m_bSameScale = sameScale_->isChecked() ? 1 : 0;
  data_.m_bExplode = explode_->isChecked() ? 1 : 0;
  data_.m_nColumns = columns_->value();
  data_.m_nRows = rows_->value();
  return TakeNumber(insertX_, data_.m_dInsertX) && TakeNumber(insertY_, data_.m_dInsertY) &&
         TakeNumber(scaleX_, data_.m_dScaleX) && TakeNumber(scaleY_, data_.m_dScaleY) &&
         TakeNumber(angle_, data_.m_dAngle) && TakeNumber(columnSpacing_, data_.m_dColumnSpacing) &&
         TakeNumber(rowSpacing_, data_.m_dRowSpacing);
}

void InsertBlockDialog::Accept() {
  if (!TakeBoxes()) return;
  const auto redefine = [this] {
    const QMessageBox::StandardButton answer = QMessageBox::question(
        this, QStringLiteral("KOVRA"), QString::fromLatin1(CInsertBlkDlg::kRedefineQuestion),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::No);
    if (answer == QMessageBox::Yes) return CInsertBlkDlg::Redefine::kYes;
    if (answer == QMessageBox::No) return CInsertBlkDlg::Redefine::kNo;
    return CInsertBlkDlg::Redefine::kCancel;
  };
  std::string message;
  if (data_.OnOK(redefine, message)) {
    accept();
    return;
  }
  if (!message.empty()) ShowRefusal(this, QString::fromStdString(message));
}
