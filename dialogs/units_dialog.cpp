#include "dialogs/units_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <numbers>

#include "commands/dialogs/units_dlg.h"

namespace {

QComboBox* NewList(const char* name, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(QString::fromLatin1(name));
  return list;
}

void Fill(QComboBox& list, const std::vector<std::string>& texts, int index) {
  const bool blocked = list.blockSignals(true);
  list.clear();
  for (const std::string& text : texts) list.addItem(QString::fromStdString(text));
  list.setCurrentIndex(index < list.count() ? index : -1);
  list.blockSignals(blocked);
}

}  // namespace

UnitsDialog::UnitsDialog(CUnitsDlg& data, QWidget* parent) : QDialog(parent), data_(data) {
  setWindowTitle(QStringLiteral("Graph units"));
  auto* layout = new QGridLayout(this);
  auto* length = new QGroupBox(QStringLiteral("Length"), this);
  auto* lengthForm = new QFormLayout(length);
  lengthType_ = NewList("lengthType", length);
  lengthPrec_ = NewList("lengthPrecision", length);
  lengthForm->addRow(QStringLiteral("&Type"), lengthType_);
  lengthForm->addRow(QStringLiteral("&Precision"), lengthPrec_);
  auto* angle = new QGroupBox(QStringLiteral("Angle"), this);
  auto* angleForm = new QFormLayout(angle);
  angleType_ = NewList("angleType", angle);
  anglePrec_ = NewList("anglePrecision", angle);
  clockwise_ = new QCheckBox(QStringLiteral("&Clockwise"), angle);
  angleForm->addRow(QStringLiteral("T&ype"), angleType_);
  angleForm->addRow(QStringLiteral("Precisio&n"), anglePrec_);
  angleForm->addRow(clockwise_);
  layout->addWidget(length, 0, 0);
  layout->addWidget(angle, 0, 1);
  lengthSample_ = new QLabel(this);
  lengthSample_->setObjectName(QStringLiteral("lengthSample"));
  angleSample_ = new QLabel(this);
  angleSample_->setObjectName(QStringLiteral("angleSample"));
  layout->addWidget(lengthSample_, 1, 0);
  layout->addWidget(angleSample_, 1, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  QPushButton* direction = buttons->addButton(QStringLiteral("&Direction..."), QDialogButtonBox::ActionRole);
  layout->addWidget(buttons, 2, 0, 1, 2);

  Fill(*lengthType_, CUnitsDlg::LengthTypes(), data_.m_nLengthType);
  Fill(*lengthPrec_, CUnitsDlg::LengthPrecisions(data_.m_nLengthType), data_.m_nLengthPrec);
  Fill(*angleType_, CUnitsDlg::AngleTypes(), data_.m_nAngleType);
  Fill(*anglePrec_, CUnitsDlg::AnglePrecisions(data_.m_nAngleType), data_.m_nAnglePrec);
  clockwise_->setChecked(data_.m_bClockwise);
  ShowSamples();

  connect(buttons, &QDialogButtonBox::accepted, this, &UnitsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(direction, &QPushButton::clicked, this, &UnitsDialog::OpenDirection);
  connect(lengthType_, &QComboBox::currentIndexChanged, this, [this] {
    ReadControls();
    Fill(*lengthPrec_, CUnitsDlg::LengthPrecisions(data_.m_nLengthType), data_.m_nLengthPrec);
    ShowSamples();
  });
  connect(angleType_, &QComboBox::currentIndexChanged, this, [this] {
    ReadControls();
    Fill(*anglePrec_, CUnitsDlg::AnglePrecisions(data_.m_nAngleType), data_.m_nAnglePrec);
    ShowSamples();
  });
  connect(lengthPrec_, &QComboBox::currentIndexChanged, this, &UnitsDialog::ShowSamples);
  connect(anglePrec_, &QComboBox::currentIndexChanged, this, &UnitsDialog::ShowSamples);
  if (data_.m_bReopenDirection) QTimer::singleShot(0, this, &UnitsDialog::OpenDirection);
}

void UnitsDialog::ReadControls() {
  data_.m_nLengthType = lengthType_->currentIndex();
  data_.m_nLengthPrec = lengthPrec_->currentIndex();
  data_.m_nAngleType = angleType_->currentIndex();
  data_.m_nAnglePrec = anglePrec_->currentIndex();
  data_.m_bClockwise = clockwise_->isChecked();
}

void UnitsDialog::ShowSamples() {
  ReadControls();
  lengthSample_->setText(QString::fromStdString(data_.LengthSample()));
  angleSample_->setText(QString::fromStdString(data_.AngleSample()));
}

void UnitsDialog::OpenDirection() {
  DirectionDialog direction(data_.m_dBaseAngle / std::numbers::pi * 180.0, CUnitsDlg::DirectionOf(data_.m_dBaseAngle),
                            this);
  const int result = direction.exec();
  if (result == QDialog::Accepted) {
    data_.SetBaseAngleDegrees(direction.Degrees());
  } else if (result == CUnitsDlg::kPickDirection) {
    data_.m_dBaseAngle = direction.Degrees() * std::numbers::pi * (1.0 / 180.0);
    ReadControls();
    done(CUnitsDlg::kPickDirection);
  }
}

void UnitsDialog::accept() {
  ReadControls();
  QDialog::accept();
}

DirectionDialog::DirectionDialog(double degrees, int direction, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Direction"));
  auto* layout = new QVBoxLayout(this);
  auto* base = new QGroupBox(QStringLiteral("Angle base"), this);
  auto* baseLayout = new QVBoxLayout(base);
  auto* group = new QButtonGroup(this);
  group->setObjectName(QStringLiteral("directions"));
  const char* names[] = {"&East", "No&rth", "&West", "&South", "Others"};
  for (int i = 0; i < 5; ++i) {
    auto* button = new QRadioButton(QString::fromLatin1(names[i]), base);
    group->addButton(button, i);
    baseLayout->addWidget(button);
  }
  auto* form = new QFormLayout;
  auto* angle = new QDoubleSpinBox(this);
  angle->setObjectName(QStringLiteral("angle"));
  angle->setRange(-1e6, 1e6);
  angle->setDecimals(6);
  angle->setValue(degrees);
  auto* angleLabel = new QLabel(QStringLiteral("&Angle"), this);
  angleLabel->setBuddy(angle);
  form->addRow(angleLabel, angle);
  baseLayout->addLayout(form);
  layout->addWidget(base);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  QPushButton* pick = buttons->addButton(QStringLiteral("&Pick"), QDialogButtonBox::ActionRole);
  layout->addWidget(buttons);

  // The box and Pick serve only a direction of one's own.
  const auto enable = [=](int id) {
    for (QWidget* widget : std::initializer_list<QWidget*>{angle, angleLabel, pick}) widget->setEnabled(id == 4);
    if (id < 4) angle->setValue(id * 90.0);
  };
  group->button(direction)->setChecked(true);
  enable(direction);
  connect(group, &QButtonGroup::idClicked, this, enable);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(pick, &QPushButton::clicked, this, [this] { done(CUnitsDlg::kPickDirection); });
}

double DirectionDialog::Degrees() const { return findChild<QDoubleSpinBox*>(QStringLiteral("angle"))->value(); }
