#include "dialogs/dim_style_manager_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "commands/dialogs/dim_style_mng_dlg.h"
#include "commands/dialogs/new_dim_style_dlg.h"
#include "dialogs/dim_style_sample.h"
#include "dialogs/number_box.h"

DimStyleManagerDialog::DimStyleManagerDialog(CDimStyleMngDlg& data, QWidget* parent) : QDialog(parent), data_(data) {
  setWindowTitle(QStringLiteral("Dimension style manage"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QString::fromStdString(data_.m_strCurrent), this));
  layout->addWidget(new QLabel(QStringLiteral("Dimension Styles"), this));
  names_ = new QListWidget(this);
  names_->setObjectName(QStringLiteral("names"));
  for (const std::string& name : data_.m_names) {
    auto* item = new QListWidgetItem(QString::fromStdString(name), names_);
    if (name == data_.m_strSelected) names_->setCurrentItem(item);
  }
  layout->addWidget(names_);
  layout->addWidget(new QLabel(QStringLiteral("Preview"), this));
  sample_ = new DimStyleSample(data_.m_pGraph, data_.m_sampleVars, this);
  layout->addWidget(sample_, 1);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* actions[] = {buttons->addButton(QStringLiteral("Set C&urrent"), QDialogButtonBox::ActionRole),
                            buttons->addButton(QStringLiteral("&New"), QDialogButtonBox::ActionRole),
                            buttons->addButton(QStringLiteral("&Modify"), QDialogButtonBox::ActionRole)};
  const int codes[] = {CDimStyleMngDlg::kSetCurrent, CDimStyleMngDlg::kNew, CDimStyleMngDlg::kModify};
  const char* names[] = {"setCurrent", "new", "modify"};
  for (int i = 0; i < 3; ++i) actions[i]->setObjectName(QString::fromLatin1(names[i]));
  for (int i = 0; i < 3; ++i) connect(actions[i], &QPushButton::clicked, this, [this, code = codes[i]] { CloseWith(code); });
  connect(buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole), &QPushButton::clicked, this,
          &QDialog::reject);
  layout->addWidget(buttons);
  const auto enable = [this, actions] {
    data_.Select(names_->currentItem() != nullptr ? names_->currentItem()->text().toStdString() : "");
    sample_->SetBlank(!data_.m_bSample);
    sample_->Follow();
    for (QPushButton* button : actions) button->setEnabled(data_.CanAct());
  };
  enable();
  connect(names_, &QListWidget::currentItemChanged, this, enable);
}

void DimStyleManagerDialog::CloseWith(int code) {
  if (data_.CanAct()) done(code);
}

NewDimStyleDialog::NewDimStyleDialog(CNewDimStyleDlg& data, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("New dimension style"));
  auto* form = new QFormLayout(this);
  auto* name = new QLineEdit(QString::fromStdString(data.m_strNewName), this);
  name->setObjectName(QStringLiteral("name"));
  auto* base = new QComboBox(this);
  base->setObjectName(QStringLiteral("base"));
  for (const std::string& each : data.m_names) base->addItem(QString::fromStdString(each));
  base->setCurrentIndex(base->findText(QString::fromStdString(data.m_strBaseName)));
  form->addRow(QStringLiteral("&New style name"), name);
  form->addRow(QStringLiteral("&Base style"), base);
  connect(base, &QComboBox::currentTextChanged, this, [&data, name](const QString& text) {
    data.m_strNewName = name->text().toStdString();
    data.OnBaseChanged(text.toStdString());
    name->setText(QString::fromStdString(data.m_strNewName));
  });
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok"));
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(buttons, &QDialogButtonBox::accepted, this, [this, &data, name] {
    data.m_strNewName = name->text().toStdString();
    std::string message;
    if (data.OnOK(message)) {
      accept();
      return;
    }
    ShowRefusal(this, QString::fromStdString(message));
  });
}
