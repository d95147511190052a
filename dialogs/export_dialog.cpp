#include "dialogs/export_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <charconv>

#include "commands/dialogs/export_dlg.h"
#include "core/number_separators.h"
#include "core/value_parse.h"
#include "dialogs/file_dialog_ex.h"

namespace {

const char* const kTypeNames[] = {"HPGL(*.plt)", "Adobe PDF file(*.pdf)", "Scalable vector graphics(*.svg)",
                                  "Compressed scalable vector graphics(*.svgz)", "Encapsulated PostScript(*.eps)"};

// Radio buttons in the dialog's order and the area each one stands for.
const struct {
  const char* text;
  short area;
} kAreaButtons[] = {
    {"Current &display", CExportDlg::kAreaDisplay},
    {"Zoom &extent", CExportDlg::kAreaExtents},
    {"&Limits", CExportDlg::kAreaLimits},
    {"Wi&ndow", CExportDlg::kAreaWindow},
};

QString ShowNumber(double value) {
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, error == std::errc() ? end : buffer);
  std::replace(text.begin(), text.end(), '.', GetNumberSeparators().decimal);
  return QString::fromStdString(text);
}

bool TakeNumber(const QLineEdit& box, double& value) { return ParseReal(box.text().toStdString(), value); }

}  // namespace

ExportDialog::ExportDialog(CExportDlg& data, QWidget* parent) : QDialog(parent), data_(data) {
  setWindowTitle(QStringLiteral("Export"));
  data_.OnInitDialog();
  auto* layout = new QVBoxLayout(this);

  auto* fileRow = new QHBoxLayout;
  auto* fileLabel = new QLabel(QStringLiteral("Export &file"), this);
  file_ = new QLineEdit(this);
  file_->setObjectName(QStringLiteral("file"));
  fileLabel->setBuddy(file_);
  auto* browse = new QPushButton(QStringLiteral("..."), this);
  browse->setObjectName(QStringLiteral("browse"));
  fileRow->addWidget(fileLabel);
  fileRow->addWidget(file_, 1);
  fileRow->addWidget(browse);
  layout->addLayout(fileRow);

  auto* typeRow = new QHBoxLayout;
  auto* typeLabel = new QLabel(QStringLiteral("Export file &type"), this);
  type_ = new QComboBox(this);
  type_->setObjectName(QStringLiteral("type"));
  for (const char* name : kTypeNames) type_->addItem(QString::fromLatin1(name));
  typeLabel->setBuddy(type_);
  typeRow->addWidget(typeLabel);
  typeRow->addWidget(type_, 1);
  layout->addLayout(typeRow);

  auto* area = new QGroupBox(QStringLiteral("Export area"), this);
  auto* areaLayout = new QGridLayout(area);
  for (int i = 0; i < 4; ++i) {
    areas_[i] = new QRadioButton(QString::fromLatin1(kAreaButtons[i].text), area);
    areaLayout->addWidget(areas_[i], i / 2, i % 2);
    const short code = kAreaButtons[i].area;
    connect(areas_[i], &QRadioButton::clicked, this, [this, code] { data_.SelectArea(code); });
  }
  auto* pick = new QPushButton(QStringLiteral("Pic&k Window <"), area);
  pick->setObjectName(QStringLiteral("pick"));
  areaLayout->addWidget(pick, 2, 1);
  layout->addWidget(area);

  auto* size = new QGroupBox(QStringLiteral("Graph size"), this);
  auto* sizeLayout = new QFormLayout(size);
  width_ = new QLineEdit(size);
  width_->setObjectName(QStringLiteral("width"));
  height_ = new QLineEdit(size);
  height_->setObjectName(QStringLiteral("height"));
  units_ = new QComboBox(size);
  units_->setObjectName(QStringLiteral("units"));
  units_->addItems({QStringLiteral("Pixel"), QStringLiteral("Inch"), QStringLiteral("mm")});
  sizeLayout->addRow(QStringLiteral("&Width"), width_);
  sizeLayout->addRow(QStringLiteral("&Height"), height_);
  unitsLabel_ = new QLabel(QStringLiteral("&Units"), size);
  unitsLabel_->setBuddy(units_);
  sizeLayout->addRow(unitsLabel_, units_);
  layout->addWidget(size);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);

  ShowMembers();
  connect(type_, &QComboBox::currentIndexChanged, this, [this](int index) {
    data_.SelectType(index);
    ShowFileAndUnits();
  });
  connect(units_, &QComboBox::currentIndexChanged, this, [this](int index) {
    TakeBoxes();
    data_.SelectUnits(index);
    ShowSize();
  });
  connect(browse, &QPushButton::clicked, this, &ExportDialog::Browse);
  connect(pick, &QPushButton::clicked, this, &ExportDialog::PickWindow);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void ExportDialog::done(int result) {
  if (result != QDialog::Accepted) {
    QDialog::done(result == CExportDlg::kPickWindow ? result : CModalDialog::kCancel);
    return;
  }
  if (!TakeBoxes()) return;
  const std::string refusal = data_.Accept();
  if (!refusal.empty()) {
    QMessageBox::warning(this, windowTitle(), QString::fromStdString(refusal));
    return;
  }
  QDialog::done(CModalDialog::kOk);
}

void ExportDialog::ShowMembers() {
  for (int i = 0; i < 4; ++i) areas_[i]->setChecked(kAreaButtons[i].area == data_.m_nArea);
  const QSignalBlocker blockType(type_);
  type_->setCurrentIndex(data_.m_nType);
  file_->setText(QString::fromStdString(data_.m_strFileName));
  ShowSize();
}

void ExportDialog::ShowFileAndUnits() {
  file_->setText(QString::fromStdString(data_.m_strFileName));
  const QSignalBlocker blockType(type_);
  type_->setCurrentIndex(data_.m_nType);
  const QSignalBlocker blockUnits(units_);
  units_->setCurrentIndex(data_.m_nUnits);
  unitsLabel_->setEnabled(data_.UnitsEnabled());
  units_->setEnabled(data_.UnitsEnabled());
}

void ExportDialog::ShowSize() {
  width_->setText(ShowNumber(data_.m_dWidth));
  height_->setText(ShowNumber(data_.m_dHeight));
  const QSignalBlocker blockUnits(units_);
  units_->setCurrentIndex(data_.m_nUnits);
}

bool ExportDialog::TakeBoxes() {
  data_.m_strFileName = file_->text().toStdString();
  const bool widthRead = TakeNumber(*width_, data_.m_dWidth);
  const bool heightRead = TakeNumber(*height_, data_.m_dHeight);
  if (widthRead && heightRead) return true;
  QMessageBox::warning(this, windowTitle(), QStringLiteral("Please enter a number."));
  (widthRead ? height_ : width_)->setFocus();
  return false;
}

void ExportDialog::Browse() {
  FileDialogEx chooser(this, CExportDlg::kBrowseFilter, type_->currentIndex() + 1);
  chooser.setObjectName(QStringLiteral("browseFile"));
  chooser.setAcceptMode(QFileDialog::AcceptSave);
  chooser.selectFile(file_->text());
  chooser.m_pfnTypeChange = [](int filterIndex, std::string& name) {
    name = CExportDlg::BrowseName(name, filterIndex - 1);
  };
  if (chooser.exec() == QDialog::Accepted && !chooser.selectedFiles().isEmpty())
    data_.TakeChosenFile(chooser.selectedFiles().first().toStdString());
  ShowFileAndUnits();
}

void ExportDialog::PickWindow() {
  // A box without a number is said but does not hold the pick up.
  TakeBoxes();
  QDialog::done(CExportDlg::kPickWindow);
}
