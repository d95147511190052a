#include "dialogs/img_attach_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "commands/dialogs/img_attach_dlg.h"
#include "commands/dialogs/open_dwg_dlg.h"

namespace {

QDoubleSpinBox* NumberBox(const char* name, QWidget* parent) {
  auto* box = new QDoubleSpinBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setRange(-1e12, 1e12);
  box->setDecimals(4);
  return box;
}

QCheckBox* OnScreenBox(const char* name, QWidget* parent) {
  auto* box = new QCheckBox(QStringLiteral("Specify on-screen"), parent);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

ImgAttachDialog::ImgAttachDialog(CImgAttachDlg& data, QWidget* parent) : QDialog(parent), data_(data) {
  setWindowTitle(QStringLiteral("Image"));
  auto* layout = new QVBoxLayout(this);

  auto* nameRow = new QHBoxLayout;
  name_ = new QComboBox(this);
  name_->setObjectName(QStringLiteral("name"));
  auto* browse = new QPushButton(QStringLiteral("Browse..."), this);
  browse->setObjectName(QStringLiteral("browse"));
  nameRow->addWidget(new QLabel(QStringLiteral("Name:"), this));
  nameRow->addWidget(name_, 1);
  nameRow->addWidget(browse);
  layout->addLayout(nameRow);

  auto* paths = new QFormLayout;
  found_ = new QLabel(this);
  found_->setObjectName(QStringLiteral("foundPath"));
  saved_ = new QLabel(this);
  saved_->setObjectName(QStringLiteral("savedPath"));
  pathType_ = new QComboBox(this);
  pathType_->setObjectName(QStringLiteral("pathType"));
  pathType_->addItems({QStringLiteral("Full path"), QStringLiteral("Relative path"), QStringLiteral("No path")});
  paths->addRow(QStringLiteral("Found in:"), found_);
  paths->addRow(QStringLiteral("Saved path:"), saved_);
  paths->addRow(QStringLiteral("Path type:"), pathType_);
  layout->addLayout(paths);

  auto* placement = new QHBoxLayout;
  auto* point = new QGroupBox(QStringLiteral("Insertion point"), this);
  auto* pointLayout = new QFormLayout(point);
  pointOnScreen_ = OnScreenBox("pointOnScreen", point);
  x_ = NumberBox("x", point);
  y_ = NumberBox("y", point);
  pointLayout->addRow(pointOnScreen_);
  pointLayout->addRow(QStringLiteral("X:"), x_);
  pointLayout->addRow(QStringLiteral("Y:"), y_);
  auto* scale = new QGroupBox(QStringLiteral("Scale"), this);
  auto* scaleLayout = new QFormLayout(scale);
  scaleOnScreen_ = OnScreenBox("scaleOnScreen", scale);
  scale_ = NumberBox("scale", scale);
  scaleLayout->addRow(scaleOnScreen_);
  scaleLayout->addRow(scale_);
  auto* rotation = new QGroupBox(QStringLiteral("Rotation"), this);
  auto* rotationLayout = new QFormLayout(rotation);
  rotationOnScreen_ = OnScreenBox("rotationOnScreen", rotation);
  angle_ = NumberBox("angle", rotation);
  rotationLayout->addRow(rotationOnScreen_);
  rotationLayout->addRow(QStringLiteral("Angle:"), angle_);
  placement->addWidget(point);
  placement->addWidget(scale);
  placement->addWidget(rotation);
  layout->addLayout(placement);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);

  data_.InitDialog();
  Show();
  Enable();
  for (QCheckBox* box : {pointOnScreen_, scaleOnScreen_, rotationOnScreen_})
    connect(box, &QCheckBox::toggled, this, [this] { Enable(); });
  connect(name_, &QComboBox::activated, this, [this](int index) {
    Take();
    data_.ChangeName(index);
    Show();
  });
  connect(pathType_, &QComboBox::activated, this, [this](int type) {
    Take();
    const std::string message = data_.ChangePathType(type);
    Show();
    Warn(message);
  });
  connect(browse, &QPushButton::clicked, this, [this] { Browse(); });
}

void ImgAttachDialog::Take() {
  data_.m_nNameIndex = name_->currentIndex();
  data_.m_nPathType = pathType_->currentIndex();
  data_.m_bPointOnScreen = pointOnScreen_->isChecked() ? 1 : 0;
  data_.m_dX = x_->value();
  data_.m_dY = y_->value();
  data_.m_bScaleOnScreen = scaleOnScreen_->isChecked() ? 1 : 0;
  data_.m_dScale = scale_->value();
  data_.m_bRotationOnScreen = rotationOnScreen_->isChecked() ? 1 : 0;
  data_.m_dAngle = angle_->value();
}

void ImgAttachDialog::Show() {
  const QSignalBlocker blockName(name_);
  name_->clear();
  for (const std::string& name : data_.Names()) name_->addItem(Text(name));
  name_->setCurrentIndex(data_.m_nNameIndex);
  found_->setText(Text(data_.m_strFoundPath));
  saved_->setText(Text(data_.m_strSavedPath));
  pathType_->setCurrentIndex(data_.m_nPathType);
  pointOnScreen_->setChecked(data_.m_bPointOnScreen != 0);
  x_->setValue(data_.m_dX);
  y_->setValue(data_.m_dY);
  scaleOnScreen_->setChecked(data_.m_bScaleOnScreen != 0);
  scale_->setValue(data_.m_dScale);
  rotationOnScreen_->setChecked(data_.m_bRotationOnScreen != 0);
  angle_->setValue(data_.m_dAngle);
}

void ImgAttachDialog::Enable() {
  x_->setEnabled(!pointOnScreen_->isChecked());
  y_->setEnabled(!pointOnScreen_->isChecked());
  scale_->setEnabled(!scaleOnScreen_->isChecked());
  angle_->setEnabled(!rotationOnScreen_->isChecked());
}

void ImgAttachDialog::Warn(const std::string& message) {
  if (!message.empty()) QMessageBox::warning(this, windowTitle(), Text(message));
}

void ImgAttachDialog::Browse() {
  // What was typed since the boxes were last taken gives way to the
  // members, as the chosen file rebuilds the box.
  std::string path = data_.m_strFoundPath;
  if (!BrowseImageFile(path)) return;
  const std::string message = data_.TakeBrowsedFile(path);
  Show();
  Warn(message);
}

void ImgAttachDialog::accept() {
  Take();
  const std::string message = data_.Accept();
  if (!message.empty()) {
    Warn(message);
    return;
  }
  QDialog::accept();
}
