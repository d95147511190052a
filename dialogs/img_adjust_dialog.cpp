#include "dialogs/img_adjust_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include "commands/dialogs/img_adjust_dlg.h"
#include "dialogs/dib_preview.h"
#include "dialogs/paint_box.h"

namespace {

constexpr int kPreviewSide = 160;

}  // namespace

ImgAdjustDialog::ImgAdjustDialog(CImgAdjustDlg& data, QWidget* parent) : QDialog(parent), data_(data) {
  setWindowTitle(QStringLiteral("Image Adjust"));
  auto* layout = new QVBoxLayout(this);
  preview_ = NewPreviewBox(kPreviewSide, &picture_, this);
  layout->addWidget(preview_, 0, Qt::AlignHCenter);

  auto* grid = new QGridLayout;
  struct Row {
    const char* name;
    const char* label;
    const char* low;
    const char* high;
    int* value;
  };
  const Row rows[] = {
      {"brightness", "Brightness", "Dark", "Light", &data_.m_nBrightness},
      {"contrast", "Contrast", "Low", "High", &data_.m_nContrast},
      {"fade", "Fade", "Min", "Max", &data_.m_nFade},
  };
  for (int i = 0; i < 3; ++i) {
    const Row& row = rows[i];
    auto* slider = new QSlider(Qt::Horizontal, this);
    slider->setObjectName(QString::fromLatin1(row.name) + QStringLiteral("Slider"));
    slider->setRange(CImgAdjustDlg::kMinValue, CImgAdjustDlg::kMaxValue);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(10);
    slider->setPageStep(10);
    auto* number = new QSpinBox(this);
    number->setObjectName(QString::fromLatin1(row.name));
    number->setRange(CImgAdjustDlg::kMinValue, CImgAdjustDlg::kMaxValue);
    grid->addWidget(new QLabel(QString::fromLatin1(row.label), this), i, 0);
    grid->addWidget(new QLabel(QString::fromLatin1(row.low), this), i, 1);
    grid->addWidget(slider, i, 2);
    grid->addWidget(new QLabel(QString::fromLatin1(row.high), this), i, 3);
    grid->addWidget(number, i, 4);
    settings_[i] = {slider, number, row.value};
    connect(slider, &QSlider::valueChanged, this, [this, i](int value) {
      *settings_[i].value = value;
      Show();
      RefreshPreview();
    });
    connect(number, &QSpinBox::editingFinished, this, [this, i] {
      *settings_[i].value = settings_[i].number->value();
      Show();
      RefreshPreview();
    });
  }
  layout->addLayout(grid);

  showImage_ = new QCheckBox(QStringLiteral("Show image"), this);
  showImage_->setObjectName(QStringLiteral("showImage"));
  layout->addWidget(showImage_);
  connect(showImage_, &QCheckBox::toggled, this, [this](bool on) { data_.m_bShowImage = on ? 1 : 0; });

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  QPushButton* reset = buttons->addButton(QStringLiteral("Reset"), QDialogButtonBox::ResetRole);
  reset->setObjectName(QStringLiteral("reset"));
  connect(reset, &QPushButton::clicked, this, [this] {
    data_.Reset();
    Show();
    RefreshPreview();
  });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);

  Show();
  RefreshPreview();
}

void ImgAdjustDialog::Show() {
  for (const Setting& setting : settings_) {
    const QSignalBlocker blockSlider(setting.slider);
    const QSignalBlocker blockNumber(setting.number);
    setting.slider->setValue(*setting.value);
    setting.number->setValue(*setting.value);
  }
  const QSignalBlocker blockShow(showImage_);
  showImage_->setChecked(data_.m_bShowImage != 0);
}

void ImgAdjustDialog::RefreshPreview() {
  CDib adjusted;
  picture_ = data_.MakePreview(adjusted) ? PreviewImage(adjusted, preview_->size()) : QImage();
  preview_->update();
}

void ImgAdjustDialog::accept() {
  for (const Setting& setting : settings_) *setting.value = setting.number->value();
  data_.m_bShowImage = showImage_->isChecked() ? 1 : 0;
  for (const Setting& setting : settings_) {
    if (focusWidget() != setting.number) continue;
    Show();
    RefreshPreview();
    return;
  }
  QDialog::accept();
}
