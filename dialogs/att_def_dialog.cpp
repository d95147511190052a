#include "dialogs/att_def_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "commands/dialogs/att_def_dlg.h"
#include "database/graph.h"
#include "database/text_style.h"
#include "dialogs/attribute_fields.h"
#include "dialogs/number_box.h"

AttDefDialog::AttDefDialog(CAttDefDlg& data, QWidget* parent) : QDialog(parent), data_(data) {
  data_.OnInitDialog();
  setWindowTitle(QStringLiteral("Attribute Definition"));
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;

  auto* mode = new QGroupBox(QStringLiteral("Mode"), this);
  auto* modeLayout = new QVBoxLayout(mode);
  invisible_ = NewModeBox("Invisible", data_.m_bInvisible, mode);
  constant_ = NewModeBox("Constant", data_.m_bConstant, mode);
  verify_ = NewModeBox("Verify", data_.m_bVerify, mode);
  preset_ = NewModeBox("Preset", data_.m_bPreset, mode);
  for (QCheckBox* box : {invisible_, constant_, verify_, preset_}) modeLayout->addWidget(box);
  top->addWidget(mode);

  auto* attribute = new QGroupBox(QStringLiteral("Attribute"), this);
  auto* attributeLayout = new QFormLayout(attribute);
  tag_ = NewTextBox("tag", data_.m_strTag, attribute);
  prompt_ = NewTextBox("prompt", data_.m_strPrompt, attribute);
  value_ = NewTextBox("value", data_.m_strValue, attribute);
  attributeLayout->addRow(QStringLiteral("Tag:"), tag_);
  attributeLayout->addRow(QStringLiteral("Prompt:"), prompt_);
  attributeLayout->addRow(QStringLiteral("Value:"), value_);
  note_ = new QLabel(attribute);
  note_->setObjectName(QStringLiteral("note"));
  attributeLayout->addRow(note_);
  top->addWidget(attribute, 1);
  layout->addLayout(top);

  auto* bottom = new QHBoxLayout;
  auto* point = new QGroupBox(QStringLiteral("Insertion Point"), this);
  auto* pointLayout = new QFormLayout(point);
  auto* pick = new QPushButton(QStringLiteral("Pick Point <"), point);
  x_ = NewNumberBox("x", data_.m_dX, point);
  y_ = NewNumberBox("y", data_.m_dY, point);
  pointLayout->addRow(pick);
  pointLayout->addRow(QStringLiteral("X:"), x_);
  pointLayout->addRow(QStringLiteral("Y:"), y_);
  bottom->addWidget(point);

  auto* options = new QGroupBox(QStringLiteral("Text Options"), this);
  auto* optionsLayout = new QGridLayout(options);
  justify_ = new QComboBox(options);
  justify_->setObjectName(QStringLiteral("justify"));
  for (const char* name : CAttDefDlg::kJustifications) justify_->addItem(QString::fromLatin1(name));
  justify_->setCurrentIndex(data_.m_nJustify);
  style_ = new QComboBox(options);
  style_->setObjectName(QStringLiteral("style"));
  if (data_.m_pGraph != nullptr) {
    const FcTextStyleList& styles = data_.m_pGraph->GetTextStyleList();
    for (int i = 0; i < styles.GetCount(); ++i) {
      if (const FcTextStyle* style = styles.GetAt(i)) style_->addItem(QString::fromStdString(style->GetName()));
    }
  }
  style_->setCurrentIndex(style_->findText(QString::fromStdString(data_.m_strStyle)));
  auto* heightButton = new QPushButton(QStringLiteral("Height <"), options);
  height_ = NewNumberBox("height", data_.m_dHeight, options);
  auto* rotationButton = new QPushButton(QStringLiteral("Rotation <"), options);
  rotation_ = NewNumberBox("rotation", data_.m_dRotation, options);
  optionsLayout->addWidget(new QLabel(QStringLiteral("Justification:"), options), 0, 0);
  optionsLayout->addWidget(justify_, 0, 1);
  optionsLayout->addWidget(new QLabel(QStringLiteral("Text Style:"), options), 1, 0);
  optionsLayout->addWidget(style_, 1, 1);
  optionsLayout->addWidget(heightButton, 2, 0);
  optionsLayout->addWidget(height_, 2, 1);
  optionsLayout->addWidget(rotationButton, 3, 0);
  optionsLayout->addWidget(rotation_, 3, 1);
  bottom->addWidget(options, 1);
  layout->addLayout(bottom);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] { Leave(CModalDialog::kOk); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(pick, &QPushButton::clicked, this, [this] { Leave(CAttDefDlg::kPickPoint); });
  connect(heightButton, &QPushButton::clicked, this, [this] { Leave(CAttDefDlg::kHeight); });
  connect(rotationButton, &QPushButton::clicked, this, [this] { Leave(CAttDefDlg::kRotation); });
  KeepTagInCapitals(tag_, [this] { ApplyTagRule(); });
  FollowConstant(constant_, data_.m_bConstant, [this] { return data_.VerifyPresetEnabled(); }, verify_, preset_);
  ApplyTagRule();
}

void AttDefDialog::ApplyTagRule() {
  data_.m_strTag = tag_->text().toStdString();
  ShowTagNote(data_.TagNote(), note_, ok_);
}

bool AttDefDialog::TakeBoxes() {
  data_.m_bInvisible = invisible_->isChecked() ? 1 : 0;
  data_.m_bConstant = constant_->isChecked() ? 1 : 0;
  data_.m_bVerify = verify_->isChecked() ? 1 : 0;
  data_.m_bPreset = preset_->isChecked() ? 1 : 0;
  data_.m_strTag = tag_->text().toStdString();
  data_.m_strPrompt = prompt_->text().toStdString();
  data_.m_strValue = value_->text().toStdString();
  data_.m_nJustify = justify_->currentIndex() < 0 ? 0 : justify_->currentIndex();
  if (style_->currentIndex() >= 0) data_.m_strStyle = style_->currentText().toStdString();
  return TakeNumber(x_, data_.m_dX) && TakeNumber(y_, data_.m_dY) && TakeNumber(height_, data_.m_dHeight) &&
         TakeNumber(rotation_, data_.m_dRotation);
}

void AttDefDialog::Leave(int code) {
  if (TakeBoxes()) done(code);
}
