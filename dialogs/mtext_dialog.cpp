#include "dialogs/mtext_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <string>
#include <vector>

#include "dialogs/color_combo_box.h"
#include "dialogs/name_list.h"
#include "dialogs/number_box.h"

namespace {

// A list of the names with the entry the given name selects; without
// properties it stays empty.
QComboBox* NameList(const std::vector<std::string>& names, const std::string& name, const char* objectName,
                    QWidget* parent) {
  return NewNameList(names, CMTextDlg::EntryBeginningWith(names, name), objectName, parent);
}

}  // namespace

MTextDialog::MTextDialog(CMTextDlg& data, QWidget* parent)
    : QDialog(parent),
      data_(data),
      text_(new QPlainTextEdit(QString::fromStdString(data.m_strText).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                               this)),
      height_(NewNumberBox("height", data.m_dHeight, this)) {
  setWindowTitle(QStringLiteral("MText"));
  const bool properties = data.m_bProperties != 0;
  text_->setObjectName(QStringLiteral("text"));
  text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text_->setMinimumSize(480, 240);
  style_ = NameList(properties ? data.StyleNames() : std::vector<std::string>(), data.m_strStyle, "style", this);
  layer_ = NameList(properties ? data.LayerNames() : std::vector<std::string>(), data.m_strLayer, "layer", this);
  color_ = new ColorComboBox(data.m_pGraph, data.m_strLayer, data.m_nColor, this);
  color_->setObjectName(QStringLiteral("color"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Text &Style"), style_);
  form->addRow(QStringLiteral("Text &Height"), height_);
  form->addRow(QStringLiteral("&Layer"), layer_);
  form->addRow(QStringLiteral("&Color"), color_);
  layout->addLayout(form);
  for (QWidget* field : {static_cast<QWidget*>(style_), static_cast<QWidget*>(height_),
                         static_cast<QWidget*>(layer_), static_cast<QWidget*>(color_)}) {
    field->setEnabled(properties);
    if (QWidget* label = form->labelForField(field)) label->setEnabled(properties);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  text_->setFocus();
}

void MTextDialog::accept() {
  double height = 0.0;
  if (!TakeNumber(height_, height)) return;
  data_.OnOK(text_->toPlainText().toStdString(), height, style_->currentIndex(), layer_->currentIndex(),
             static_cast<short>(color_->Color()));
  QDialog::accept();
}
