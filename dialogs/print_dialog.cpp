#include "dialogs/print_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "commands/dialogs/pen_width_dlg.h"
#include "commands/dialogs/preview_dlg.h"
#include "commands/dialogs/print_dlg.h"
#include "dialogs/dialog_shows.h"
#include "shell/printer.h"

namespace {

const struct {
  const char* text;
  short area;
} kAreaButtons[] = {
    {"Dis&play", CPrintDlg::kAreaDisplay},
    {"&Limits", CPrintDlg::kAreaLimits},
    {"Extent&s", CPrintDlg::kAreaExtents},
    {"&Window", CPrintDlg::kAreaWindow},
};

QLineEdit* NewBox(QWidget* parent, const char* name) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

}  // namespace

PrintDialog::PrintDialog(CPrintDlg& data, QWidget* parent) : QDialog(parent), data_(data) {
  setWindowTitle(QStringLiteral("Print"));
  data_.OnInitDialog();
  auto* layout = new QVBoxLayout(this);

  auto* area = new QGroupBox(QStringLiteral("Print Area"), this);
  auto* areaLayout = new QGridLayout(area);
  for (int i = 0; i < 4; ++i) {
    areas_[i] = new QRadioButton(QString::fromLatin1(kAreaButtons[i].text), area);
    areaLayout->addWidget(areas_[i], i / 2, i % 2);
    const short code = kAreaButtons[i].area;
    connect(areas_[i], &QRadioButton::clicked, this, [this, code] {
      TakeBoxes();
      data_.SelectArea(code);
      ShowMembers();
    });
  }
  auto* pick = new QPushButton(QStringLiteral("Wi&ndow Pick<"), area);
  pick->setObjectName(QStringLiteral("pick"));
  areaLayout->addWidget(pick, 2, 1);
  layout->addWidget(area);

  auto* options = new QGridLayout;
  colors_ = new QComboBox(this);
  colors_->setObjectName(QStringLiteral("colors"));
  colors_->addItems({QStringLiteral("Black/White"), QStringLiteral("Gray"), QStringLiteral("256 Colors")});
  options->addWidget(new QLabel(QStringLiteral("Print C&olors"), this), 0, 0);
  options->addWidget(colors_, 0, 1);
  copies_ = new QSpinBox(this);
  copies_->setObjectName(QStringLiteral("copies"));
  copies_->setRange(0, 9999);
  options->addWidget(new QLabel(QStringLiteral("Print &Copies"), this), 1, 0);
  options->addWidget(copies_, 1, 1);
  layout->addLayout(options);

  auto* paper = new QGroupBox(QStringLiteral("Paper Size"), this);
  auto* paperLayout = new QGridLayout(paper);
  inch_ = new QRadioButton(QStringLiteral("&Inch"), paper);
  mm_ = new QRadioButton(QStringLiteral("&mm"), paper);
  paperSize_ = new QLabel(paper);
  paperLayout->addWidget(inch_, 0, 0);
  paperLayout->addWidget(mm_, 0, 1);
  paperLayout->addWidget(paperSize_, 1, 0, 1, 2);
  layout->addWidget(paper);

  auto* place = new QGroupBox(QStringLiteral("Scale, Rotation and Origin"), this);
  auto* placeLayout = new QGridLayout(place);
  rotation_ = new QComboBox(place);
  rotation_->setObjectName(QStringLiteral("rotation"));
  rotation_->addItems({QStringLiteral("0"), QStringLiteral("90"), QStringLiteral("180"), QStringLiteral("270")});
  placeLayout->addWidget(new QLabel(QStringLiteral("&Rotation Degree"), place), 0, 0);
  placeLayout->addWidget(rotation_, 0, 1);
  offsetX_ = NewBox(place, "offsetX");
  offsetY_ = NewBox(place, "offsetY");
  placeLayout->addWidget(new QLabel(QStringLiteral("Offset &X"), place), 1, 0);
  placeLayout->addWidget(offsetX_, 1, 1);
  placeLayout->addWidget(new QLabel(QStringLiteral("&Y"), place), 1, 2);
  placeLayout->addWidget(offsetY_, 1, 3);
  center_ = new QCheckBox(QStringLiteral("C&enter print"), place);
  placeLayout->addWidget(center_, 2, 0, 1, 2);
  scaleLabel_ = new QLabel(place);
  scalePaper_ = NewBox(place, "scalePaper");
  scaleDrawing_ = NewBox(place, "scaleDrawing");
  placeLayout->addWidget(scaleLabel_, 3, 0);
  placeLayout->addWidget(scalePaper_, 3, 1);
  placeLayout->addWidget(new QLabel(QStringLiteral("="), place), 3, 2);
  placeLayout->addWidget(scaleDrawing_, 3, 3);
  placeLayout->addWidget(new QLabel(QStringLiteral("Drawing Units"), place), 3, 4);
  fit_ = new QCheckBox(QStringLiteral("Scaled &to Fit"), place);
  placeLayout->addWidget(fit_, 4, 0, 1, 2);
  layout->addWidget(place);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
  auto* print = buttons->addButton(QStringLiteral("Print"), QDialogButtonBox::AcceptRole);
  print->setDefault(true);
  auto* device = buttons->addButton(QStringLiteral("&Device Set..."), QDialogButtonBox::ActionRole);
  auto* pens = buttons->addButton(QStringLiteral("Pen Widt&h set..."), QDialogButtonBox::ActionRole);
  auto* preview = buttons->addButton(QStringLiteral("Pre&view..."), QDialogButtonBox::ActionRole);
  layout->addWidget(buttons);

  ShowMembers();
  const auto change = [this](auto handler) {
    return [this, handler](auto value) {
      TakeBoxes();
      handler(value);
      ShowMembers();
    };
  };
  connect(rotation_, &QComboBox::activated, this, change([this](int index) { data_.SelectRotation(index); }));
  connect(colors_, &QComboBox::activated, this, [this](int index) { data_.m_nColors = index; });
  connect(inch_, &QRadioButton::clicked, this, change([this](bool) { data_.SelectUnit(CPrintDlg::kUnitInch); }));
  connect(mm_, &QRadioButton::clicked, this, change([this](bool) { data_.SelectUnit(CPrintDlg::kUnitMm); }));
  connect(center_, &QCheckBox::clicked, this, change([this](bool on) { data_.SetCenter(on); }));
  connect(fit_, &QCheckBox::clicked, this, change([this](bool on) { data_.SetScaleFit(on); }));
  for (QLineEdit* box : {scalePaper_, scaleDrawing_})
    connect(box, &QLineEdit::editingFinished, this, [this] {
      TakeBoxes();
      data_.Refresh();
      ShowMembers();
    });
  connect(pick, &QPushButton::clicked, this, [this] {
    TakeBoxes();
    data_.PickWindow();
    QDialog::done(CPrintDlg::kPickWindow);
  });
  connect(device, &QPushButton::clicked, this, &PrintDialog::DeviceSetup);
  connect(pens, &QPushButton::clicked, this, [this] {
    CPenWidthDlg widths;
    ShowModalDialog(widths, this);
  });
  connect(preview, &QPushButton::clicked, this, &PrintDialog::Preview);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void PrintDialog::done(int result) {
  if (result != QDialog::Accepted) {
    QDialog::done(CModalDialog::kCancel);
    return;
  }
  TakeBoxes();
  // Enter in a number box applies it and keeps the dialog open.
  for (QLineEdit* box : {offsetX_, offsetY_, scalePaper_, scaleDrawing_}) {
    if (!box->hasFocus()) continue;
    data_.Refresh();
    ShowMembers();
    box->selectAll();
    return;
  }
  data_.m_nFocus = CPrintDlg::kNoBox;
  const std::string refusal = data_.Accept();
  if (!refusal.empty()) {
    Refuse(refusal);
    return;
  }
  QDialog::done(CModalDialog::kOk);
}

void PrintDialog::Refuse(const std::string& refusal) {
  ShowMembers();
  QMessageBox::warning(this, windowTitle(), QString::fromStdString(refusal));
  if (data_.m_nFocus == CPrintDlg::kBoxCopies) copies_->setFocus();
  if (QLineEdit* box = FocusBox(data_.m_nFocus)) box->setFocus();
}

void PrintDialog::Preview() {
  TakeBoxes();
  data_.m_nFocus = CPrintDlg::kNoBox;
  CPreviewDlg preview;
  const std::string refusal = data_.FillPreview(preview);
  if (!refusal.empty()) {
    Refuse(refusal);
    return;
  }
  ShowModalDialog(preview, this);
}

QLineEdit* PrintDialog::FocusBox(int box) const {
  switch (box) {
    case CPrintDlg::kBoxOffsetX:
      return offsetX_;
    case CPrintDlg::kBoxOffsetY:
      return offsetY_;
    case CPrintDlg::kBoxScalePaper:
      return scalePaper_;
    case CPrintDlg::kBoxScaleDrawing:
      return scaleDrawing_;
    default:
      return nullptr;
  }
}

void PrintDialog::ShowMembers() {
  for (int i = 0; i < 4; ++i) areas_[i]->setChecked(kAreaButtons[i].area == data_.m_nArea);
  colors_->setCurrentIndex(data_.m_nColors);
  copies_->setValue(data_.m_nCopies);
  inch_->setChecked(data_.m_nUnit == CPrintDlg::kUnitInch);
  mm_->setChecked(data_.m_nUnit == CPrintDlg::kUnitMm);
  paperSize_->setText(QString::fromStdString(data_.PaperSizeText()));
  rotation_->setCurrentIndex(data_.m_nRotation);
  offsetX_->setText(QString::fromStdString(data_.m_strOffsetX));
  offsetY_->setText(QString::fromStdString(data_.m_strOffsetY));
  center_->setChecked(data_.m_bCenter);
  offsetX_->setEnabled(!data_.m_bCenter);
  offsetY_->setEnabled(!data_.m_bCenter);
  scaleLabel_->setText(QString::fromStdString(data_.ScaleLabel()));
  scalePaper_->setText(QString::fromStdString(data_.m_strScalePaper));
  scaleDrawing_->setText(QString::fromStdString(data_.m_strScaleDrawing));
  fit_->setChecked(data_.m_bScaleFit);
  scalePaper_->setEnabled(!data_.m_bScaleFit);
  scaleDrawing_->setEnabled(!data_.m_bScaleFit);
}

void PrintDialog::TakeBoxes() {
  data_.m_nCopies = copies_->value();
  data_.m_strOffsetX = offsetX_->text().toStdString();
  data_.m_strOffsetY = offsetY_->text().toStdString();
  data_.m_strScalePaper = scalePaper_->text().toStdString();
  data_.m_strScaleDrawing = scaleDrawing_->text().toStdString();
}

void PrintDialog::DeviceSetup() {
  const std::shared_ptr<FcPrinter> printer = GetPrinter();
  if (printer == nullptr || !printer->Setup()) return;
  TakeBoxes();
  data_.TakePrinterSetup(printer->Copies(), printer->Page());
  ShowMembers();
}
