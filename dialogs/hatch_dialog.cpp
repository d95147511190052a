#include "dialogs/hatch_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "commands/dialogs/hatch_dlg.h"
#include "dialogs/hatch_pattern_sheet.h"
#include "dialogs/hatch_picture.h"
#include "dialogs/number_box.h"

namespace {

constexpr int kPictureSize = 64;

QLabel* Buddy(const char* text, QWidget* control, QWidget* parent) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setBuddy(control);
  return label;
}

}  // namespace

HatchDialog::HatchDialog(CHatchDlg& data, QWidget* parent) : QDialog(parent), data_(data) {
  setWindowTitle(QStringLiteral("Hatch"));
  const std::string failure = data_.LoadPatterns();
  if (!failure.empty()) ShowRefusal(parent, QString::fromStdString(failure));
  const int selected = data_.OnInitDialog();

  auto* layout = new QHBoxLayout(this);
  auto* patternBox = new QGroupBox(QStringLiteral("Pattern"), this);
  auto* form = new QFormLayout(patternBox);
  type_ = new QComboBox(patternBox);
  type_->setObjectName(QStringLiteral("type"));
  type_->addItems({QStringLiteral("Predefined"), QStringLiteral("User-defined")});
  type_->setCurrentIndex(data_.m_nPatternType);
  form->addRow(QStringLiteral("Pattern type"), type_);

  pattern_ = new QComboBox(patternBox);
  pattern_->setObjectName(QStringLiteral("pattern"));
  for (const std::string& name : data_.m_list) pattern_->addItem(QString::fromStdString(name));
  pattern_->setCurrentIndex(selected);
  browse_ = new QPushButton(QStringLiteral("..."), patternBox);
  browse_->setObjectName(QStringLiteral("browse"));
  auto* patternRow = new QHBoxLayout;
  patternRow->addWidget(pattern_, 1);
  patternRow->addWidget(browse_);
  form->addRow(Buddy("Pa&ttern", pattern_, patternBox), patternRow);
  memo_ = new QLabel(patternBox);
  memo_->setObjectName(QStringLiteral("memo"));
  form->addRow(memo_);
  picture_ = new QLabel(patternBox);
  picture_->setObjectName(QStringLiteral("picture"));
  picture_->setFixedSize(kPictureSize, kPictureSize);
  form->addRow(picture_);

  scale_ = NewNumberBox("scale", data_.m_dScale, patternBox);
  form->addRow(Buddy("Sca&le", scale_, patternBox), scale_);
  angle_ = NewNumberBox("angle", data_.m_dAngle, patternBox);
  form->addRow(Buddy("&Angle", angle_, patternBox), angle_);
  spacing_ = NewNumberBox("spacing", data_.m_dSpacing, patternBox);
  form->addRow(Buddy("&Spacing", spacing_, patternBox), spacing_);
  double_ = new QCheckBox(QStringLiteral("&Double"), patternBox);
  double_->setObjectName(QStringLiteral("double"));
  double_->setChecked(data_.m_bDouble != 0);
  form->addRow(double_);
  layout->addWidget(patternBox, 1);

  auto* side = new QVBoxLayout;
  pickPoint_ = Button("Pic&k point <", "pickPoint", CHatchDlg::kPickPoint);
  selectBoundary_ = Button("Select &Boundary <", "selectBoundary", CHatchDlg::kSelectBoundary);
  removeBoundary_ = Button("&Remove Boundary <", "removeBoundary", CHatchDlg::kRemoveBoundary);
  viewBoundary_ = Button("&View Boundary", "viewBoundary", CHatchDlg::kViewBoundary);
  QPushButton* inherit = Button("&Inherit properties <", "inherit", CHatchDlg::kInherit);
  deleteBoundary_ = new QCheckBox(QStringLiteral("Delete boundary objects"), this);
  deleteBoundary_->setObjectName(QStringLiteral("deleteBoundary"));
  deleteBoundary_->setChecked(data_.m_bDeleteBoundary != 0);
  preview_ = Button("&Preview Hatch", "preview", CHatchDlg::kPreview);
  apply_ = Button("Apply", "apply", CHatchDlg::kApply);
  apply_->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setObjectName(QStringLiteral("cancel"));
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  for (QWidget* widget : {static_cast<QWidget*>(pickPoint_), static_cast<QWidget*>(selectBoundary_),
                          static_cast<QWidget*>(removeBoundary_), static_cast<QWidget*>(viewBoundary_),
                          static_cast<QWidget*>(inherit), static_cast<QWidget*>(deleteBoundary_),
                          static_cast<QWidget*>(preview_), static_cast<QWidget*>(apply_),
                          static_cast<QWidget*>(cancel)}) {
    side->addWidget(widget);
  }
  side->addStretch(1);
  layout->addLayout(side);

  connect(type_, &QComboBox::currentIndexChanged, this, &HatchDialog::Enable);
  connect(pattern_, &QComboBox::currentIndexChanged, this, &HatchDialog::ShowSelection);
  connect(browse_, &QPushButton::clicked, this, &HatchDialog::Browse);
  ShowSelection();
}

QPushButton* HatchDialog::Button(const char* text, const char* name, int code) {
  auto* button = new QPushButton(QString::fromLatin1(text), this);
  button->setObjectName(QString::fromLatin1(name));
  connect(button, &QPushButton::clicked, this, [this, code] { Close(code); });
  return button;
}

void HatchDialog::TakeChoices() {
  data_.m_nPatternType = type_->currentIndex();
  data_.m_bDouble = double_->isChecked() ? 1 : 0;
  data_.m_bDeleteBoundary = deleteBoundary_->isChecked() ? 1 : 0;
}

bool HatchDialog::TakeValues() {
  TakeChoices();
  return TakeNumber(angle_, data_.m_dAngle) && TakeNumber(scale_, data_.m_dScale) &&
         TakeNumber(spacing_, data_.m_dSpacing);
}

std::string HatchDialog::Selected() const {
  return pattern_->currentIndex() < 0 ? std::string() : pattern_->currentText().toStdString();
}

void HatchDialog::ShowSelection() {
  const int entry = pattern_->currentIndex();
  memo_->setText(entry < 0 ? QString() : QString::fromStdString(data_.MemoText(entry)));
  picture_->setPixmap(HatchPicture(Selected(), kPictureSize));
  picture_->update();
  Enable();
}

void HatchDialog::Enable() {
  TakeChoices();
  const bool predefined = data_.IsPredefined();
  for (QWidget* widget : {static_cast<QWidget*>(pattern_), static_cast<QWidget*>(memo_),
                          static_cast<QWidget*>(picture_), static_cast<QWidget*>(scale_)}) {
    widget->setEnabled(predefined);
  }
  browse_->setEnabled(data_.CanBrowse());
  spacing_->setEnabled(!predefined);
  double_->setEnabled(!predefined);
  removeBoundary_->setEnabled(data_.CanShowBoundary());
  viewBoundary_->setEnabled(data_.CanShowBoundary());
  pickPoint_->setEnabled(data_.CanChangeBoundary());
  selectBoundary_->setEnabled(data_.CanChangeBoundary());
  deleteBoundary_->setEnabled(data_.CanChangeBoundary());
  preview_->setEnabled(data_.CanApply());
  apply_->setEnabled(data_.CanApply());
}

void HatchDialog::Close(int code) {
  const bool read = TakeValues();
  std::string message;
  const bool ends = data_.Close(code, read, Selected(), message);
  if (!message.empty()) ShowRefusal(this, QString::fromStdString(message));
  if (ends) done(code);
}

void HatchDialog::Browse() {
  CHatchPatDlg sheet;
  sheet.m_pNames = &data_.m_names;
  sheet.m_strPattern = Selected();
  HatchPatternSheet widget(sheet, this);
  if (widget.exec() == QDialog::Accepted) {
    const int entry = pattern_->findText(QString::fromStdString(sheet.m_strPattern), Qt::MatchExactly);
    if (entry >= 0) {
      pattern_->setCurrentIndex(entry);
      ShowSelection();
    }
  }
  Enable();
}
