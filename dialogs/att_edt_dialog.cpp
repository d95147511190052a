#include "dialogs/att_edt_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "commands/dialogs/att_edt_dlg.h"
#include "database/object.h"
#include "database/text_style.h"
#include "dialogs/attribute_fields.h"
#include "dialogs/number_box.h"

AttEdtDialog::AttEdtDialog(CAttEdtDlg& data, QWidget* parent) : QDialog(parent), data_(data) {
  setWindowTitle(QStringLiteral("Edit Attribute Definition"));
  auto* layout = new QHBoxLayout(this);
  auto* modes = new QVBoxLayout;
  invisible_ = NewModeBox("Invisible", data_.m_bInvisible, this);
  constant_ = NewModeBox("Constant", data_.m_bConstant, this);
  verify_ = NewModeBox("Verify", data_.m_bVerify, this);
  preset_ = NewModeBox("Preset", data_.m_bPreset, this);
  for (QCheckBox* box : {invisible_, constant_, verify_, preset_}) modes->addWidget(box);
  modes->addStretch();
  layout->addLayout(modes);

  auto* fields = new QFormLayout;
  tag_ = NewTextBox("tag", data_.m_strTag, this);
  prompt_ = NewTextBox("prompt", data_.m_strPrompt, this);
  value_ = NewTextBox("value", data_.m_strValue, this);
  note_ = new QLabel(this);
  note_->setObjectName(QStringLiteral("note"));
  style_ = new QComboBox(this);
  style_->setObjectName(QStringLiteral("style"));
  if (data_.m_pStyleList != nullptr) {
    for (int i = 0; i < data_.m_pStyleList->GetCount(); ++i) {
      const FcTextStyle* style = data_.m_pStyleList->GetAt(i);
      if (style == nullptr) continue;
      style_->addItem(QString::fromStdString(style->GetName()));
      if (data_.m_pStyle != nullptr && EqualsNoCase(style->GetName(), data_.m_pStyle->GetName())) {
        style_->setCurrentIndex(style_->count() - 1);
      }
    }
  }
  if (data_.m_pStyle == nullptr) style_->setCurrentIndex(-1);
  height_ = NewNumberBox("height", data_.m_dHeight, this);
  width_ = NewNumberBox("widthFactor", data_.m_dWidthFactor, this);
  oblique_ = NewNumberBox("oblique", data_.m_dOblique, this);
  fields->addRow(QStringLiteral("Tag:"), tag_);
  fields->addRow(note_);
  fields->addRow(QStringLiteral("Prompt:"), prompt_);
  fields->addRow(QStringLiteral("Value:"), value_);
  fields->addRow(QStringLiteral("Text Style:"), style_);
  fields->addRow(QStringLiteral("Text Height:"), height_);
  fields->addRow(QStringLiteral("Width Factor:"), width_);
  fields->addRow(QStringLiteral("Oblique Angle:"), oblique_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  auto* right = new QVBoxLayout;
  right->addLayout(fields);
  layout->addLayout(right, 1);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &AttEdtDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  KeepTagInCapitals(tag_, [this] { ApplyTagRule(); });
  FollowConstant(constant_, data_.m_bConstant, [this] { return data_.VerifyPresetEnabled(); }, verify_, preset_);
  ApplyTagRule();
}

void AttEdtDialog::ApplyTagRule() {
  data_.m_strTag = tag_->text().toStdString();
  ShowTagNote(data_.TagNote(), note_, ok_);
}

void AttEdtDialog::accept() {
  double height = data_.m_dHeight;
  double width = data_.m_dWidthFactor;
  double oblique = data_.m_dOblique;
  if (!TakeNumber(height_, height) || !TakeNumber(width_, width) || !TakeNumber(oblique_, oblique)) return;
  data_.m_bInvisible = invisible_->isChecked() ? 1 : 0;
  data_.m_bConstant = constant_->isChecked() ? 1 : 0;
  data_.m_bVerify = verify_->isChecked() ? 1 : 0;
  data_.m_bPreset = preset_->isChecked() ? 1 : 0;
  data_.m_strTag = tag_->text().toStdString();
  data_.m_strPrompt = prompt_->text().toStdString();
  data_.m_strValue = value_->text().toStdString();
  data_.m_dHeight = height;
  data_.m_dWidthFactor = width;
  data_.m_dOblique = oblique;
  FcTextStyle* chosen = nullptr;
  if (data_.m_pStyleList != nullptr && style_->currentIndex() >= 0) {
    chosen = data_.m_pStyleList->Find(style_->currentText().toStdString());
  }
  std::string message;
  if (!data_.OnOK(chosen, message)) {
    ShowRefusal(this, QString::fromStdString(message));
    return;
  }
  QDialog::accept();
}
