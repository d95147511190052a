#include "dialogs/input_dialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>
#include <string>
#include <vector>

#include "commands/dialogs/table_lists.h"
#include "database/text_style.h"
#include "dialogs/color_combo_box.h"
#include "dialogs/name_list.h"
#include "dialogs/number_box.h"

namespace {

QDialogButtonBox* OkCancel(QDialog& dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  return buttons;
}

}  // namespace

InputStrDialog::InputStrDialog(CInputStrDlg& data, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Input Text"));
  auto* layout = new QVBoxLayout(this);
  auto* prompt = new QLabel(QString::fromStdString(data.m_strPrompt), this);
  prompt->setObjectName(QStringLiteral("prompt"));
  auto* text = new QLineEdit(QString::fromStdString(data.m_strText), this);
  text->setObjectName(QStringLiteral("text"));
  layout->addWidget(prompt);
  layout->addWidget(text);
  layout->addWidget(OkCancel(*this));
  connect(this, &QDialog::accepted, this, [&data, text] { data.m_strText = text->text().toStdString(); });
}

InquireDialog::InquireDialog(const CInquireDlg& data, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromStdString(data.m_strCaption));
  auto* layout = new QVBoxLayout(this);
  auto* message = new QLabel(QString::fromStdString(data.m_strMessage), this);
  message->setObjectName(QStringLiteral("message"));
  message->setWordWrap(true);
  layout->addWidget(message);
  auto* buttons = new QDialogButtonBox(this);
  struct Answer {
    const char* text;
    int code;
  };
  const std::array<Answer, 4> answers{{{"&Yes", CInquireDlg::kYes},
                                       {"Yes to &All", CInquireDlg::kYesToAll},
                                       {"&No", CInquireDlg::kNo},
                                       {"N&o to All", CInquireDlg::kNoToAll}}};
  for (const Answer& answer : answers) {
    QPushButton* button = buttons->addButton(QString::fromLatin1(answer.text), QDialogButtonBox::ActionRole);
    connect(button, &QPushButton::clicked, this, [this, code = answer.code] { done(code); });
  }
  connect(buttons->addButton(QDialogButtonBox::Cancel), &QPushButton::clicked, this, &QDialog::reject);
  layout->addWidget(buttons);
}

InputTextDialog::InputTextDialog(CInputTextDlg& data, QWidget* parent)
    : QDialog(parent),
      data_(data),
      text_(new QLineEdit(QString::fromStdString(data.m_strText), this)),
      height_(NewNumberBox("height", data.m_dHeight, this)),
      widthFactor_(NewNumberBox("widthFactor", data.m_dWidthFactor, this)),
      oblique_(NewNumberBox("oblique", data.m_dObliqueAngle, this)),
      color_(new ColorComboBox(data.m_pGraph, data.m_strLayer, data.m_nColor, this)) {
  setWindowTitle(QStringLiteral("Change Text"));
  text_->setObjectName(QStringLiteral("text"));
  color_->setObjectName(QStringLiteral("color"));
  const std::vector<std::string> styles =
      data.m_pStyleList != nullptr ? TextStyleNames(*data.m_pStyleList) : std::vector<std::string>();
  const int style = data.m_pTextStyle != nullptr ? FindListEntry(styles, data.m_pTextStyle->GetName()) : -1;
  style_ = NewNameList(styles, style < 0 && !styles.empty() ? 0 : style, "style", this);
  const std::vector<std::string> layers =
      data.m_pGraph != nullptr ? SortedLayerNames(*data.m_pGraph) : std::vector<std::string>();
  layer_ = NewNameList(layers, FindListEntry(layers, data.m_strLayer), "layer", this);

  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Text"), text_);
  form->addRow(QStringLiteral("Text Style"), style_);
  form->addRow(QStringLiteral("Text Height"), height_);
  form->addRow(QStringLiteral("Width Factor"), widthFactor_);
  form->addRow(QStringLiteral("Oblique Angle"), oblique_);
  form->addRow(QStringLiteral("&Layer"), layer_);
  form->addRow(QStringLiteral("&Color"), color_);
  layout->addLayout(form);
  layout->addWidget(OkCancel(*this));
}

void InputTextDialog::accept() {
  double height = 0.0;
  double widthFactor = 0.0;
  double oblique = 0.0;
  if (!TakeNumber(height_, height) || !TakeNumber(widthFactor_, widthFactor) ||
      !TakeNumber(oblique_, oblique))
    return;
  if (!CInputTextDlg::SizesAccepted(height, widthFactor)) {
    QMessageBox::warning(this, windowTitle(), QString::fromLatin1(CInputTextDlg::kNegativeRefused));
    return;
  }
  data_.m_strText = text_->text().toStdString();
  data_.m_dHeight = height;
  data_.m_dWidthFactor = widthFactor;
  data_.m_dObliqueAngle = oblique;
  const int style = style_->currentIndex();
  data_.m_pTextStyle = style >= 0 && data_.m_pStyleList != nullptr ? data_.m_pStyleList->GetAt(style) : nullptr;
  // A text on a layer the drawing no longer has keeps that name.
  if (layer_->currentIndex() >= 0) data_.m_strLayer = layer_->currentText().toStdString();
  data_.m_nColor = static_cast<short>(color_->Color());
  QDialog::accept();
}
