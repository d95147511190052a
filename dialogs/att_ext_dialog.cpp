#include "dialogs/att_ext_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "commands/dialogs/att_ext_dlg.h"

namespace {

const QString kTextFiles = QStringLiteral("Text file (*.txt)");

}  // namespace

AttExtDialog::AttExtDialog(CAttExtDlg& data, QWidget* parent) : QDialog(parent), data_(data) {
  setWindowTitle(QStringLiteral("Attribute Extraction"));
  auto* layout = new QVBoxLayout(this);
  auto* format = new QGroupBox(QStringLiteral("File Format"), this);
  auto* formatLayout = new QVBoxLayout(format);
  auto* cdf = new QRadioButton(QStringLiteral("Comma Delimited File (CDF)"), format);
  sdf_ = new QRadioButton(QStringLiteral("Space Delimited File (SDF)"), format);
  sdf_->setObjectName(QStringLiteral("sdf"));
  formatLayout->addWidget(cdf);
  formatLayout->addWidget(sdf_);
  (data_.m_nFormat == CAttExtDlg::kSpaceDelimited ? sdf_ : cdf)->setChecked(true);
  layout->addWidget(format);

  auto* files = new QGridLayout;
  auto* select = new QPushButton(QStringLiteral("Select Object <"), this);
  auto* count = new QLabel(QString::fromStdString(data_.CountText()), this);
  count->setObjectName(QStringLiteral("count"));
  files->addWidget(select, 0, 0);
  files->addWidget(count, 0, 1);
  auto* templateButton = new QPushButton(QStringLiteral("Template File..."), this);
  template_ = new QLineEdit(QString::fromStdString(data_.m_strTemplateFile), this);
  template_->setObjectName(QStringLiteral("template"));
  files->addWidget(templateButton, 1, 0);
  files->addWidget(template_, 1, 1);
  auto* outputButton = new QPushButton(QStringLiteral("Output File..."), this);
  output_ = new QLineEdit(QString::fromStdString(data_.m_strOutputFile), this);
  output_->setObjectName(QStringLiteral("output"));
  files->addWidget(outputButton, 2, 0);
  files->addWidget(output_, 2, 1);
  layout->addLayout(files);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &AttExtDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(select, &QPushButton::clicked, this, [this] {
    TakeBoxes();
    done(CAttExtDlg::kSelectObject);
  });
  connect(templateButton, &QPushButton::clicked, this, [this] {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Template File"), template_->text(), kTextFiles);
    if (!path.isEmpty()) template_->setText(path);
  });
  connect(outputButton, &QPushButton::clicked, this, [this] {
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Output File"), output_->text(), kTextFiles);
    if (!path.isEmpty()) output_->setText(path);
  });
}

void AttExtDialog::TakeBoxes() {
  data_.m_strTemplateFile = template_->text().toStdString();
  data_.m_strOutputFile = output_->text().toStdString();
  data_.m_nFormat = sdf_->isChecked() ? CAttExtDlg::kSpaceDelimited : CAttExtDlg::kCommaDelimited;
}

void AttExtDialog::accept() {
  TakeBoxes();
  const auto overwrite = [this] {
    return QMessageBox::question(this, QStringLiteral("KOVRA"), QString::fromLatin1(CAttExtDlg::kOverwriteQuestion),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
  };
  if (data_.OnOK(overwrite)) QDialog::accept();
}
