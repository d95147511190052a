#include "dialogs/point_style_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "commands/dialogs/number_char_filter.h"
#include "commands/dialogs/ptype_dlg.h"
#include "dialogs/edit_ex.h"

namespace {

constexpr int kWidth = 40;
constexpr int kHeight = 35;

// The symbol of a point mode on a sample: black with a white symbol when
// selected, light grey with a black one otherwise.
QPixmap SamplePicture(int mode, bool selected) {
  QPixmap pixmap(kWidth, kHeight);
  pixmap.fill(selected ? Qt::black : QColor(192, 192, 192));
  QPainter painter(&pixmap);
  painter.setPen(QColor(128, 128, 128));
  painter.drawRect(0, 0, kWidth - 1, kHeight - 1);
  painter.setPen(selected ? Qt::white : Qt::black);
  const int cx = kWidth / 2;
  const int cy = kHeight / 2;
  if (mode >= 64) {
    painter.drawRect(cx - 10, cy - 10, 20, 20);
    mode -= 64;
  }
  if (mode >= 32) {
    painter.drawEllipse(cx - 9, cy - 9, 19, 19);
    mode -= 32;
  }
  switch (mode) {
    case 0:
      painter.drawPoint(cx, cy);
      break;
    case 2:
      painter.drawLine(cx - 14, cy, cx + 14, cy);
      painter.drawLine(cx, cy - 14, cx, cy + 14);
      break;
    case 3:
      painter.drawLine(cx - 13, cy - 13, cx + 13, cy + 13);
      painter.drawLine(cx + 13, cy - 13, cx - 13, cy + 13);
      break;
    case 4:
      painter.drawLine(cx, cy - 10, cx, cy);
      break;
    default:
      break;
  }
  return pixmap;
}

QString UnitText(int sizeMode) {
  return sizeMode == CPTypeDlg::kAbsoluteSize ? QStringLiteral("Units") : QStringLiteral("%");
}

}  // namespace

PointStyleDialog::PointStyleDialog(CPTypeDlg& data, QWidget* parent) : QDialog(parent), data_(data) {
  setWindowTitle(QStringLiteral("Point Style"));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  grid->setSpacing(11);
  samples_ = new QButtonGroup(this);
  samples_->setObjectName(QStringLiteral("samples"));
  for (int sample = 0; sample < CPTypeDlg::kSamples; ++sample) {
    auto* button = new QToolButton(this);
    QIcon icon;
    const int mode = CPTypeDlg::ModeOfSample(sample);
    icon.addPixmap(SamplePicture(mode, false), QIcon::Normal, QIcon::Off);
    icon.addPixmap(SamplePicture(mode, true), QIcon::Normal, QIcon::On);
    button->setIcon(icon);
    button->setIconSize(QSize(kWidth, kHeight));
    button->setCheckable(true);
    button->setAutoRaise(true);
    samples_->addButton(button, sample);
    grid->addWidget(button, sample / 5, sample % 5);
  }
  if (QAbstractButton* selected = samples_->button(data_.m_nSample)) selected->setChecked(true);
  layout->addLayout(grid);

  auto* sizeRow = new QHBoxLayout;
  auto* sizeLabel = new QLabel(QStringLiteral("Point &size"), this);
  size_ = new CEditEx(this);
  size_->setText(QString::fromStdString(data_.SizeText()));
  size_->setObjectName(QStringLiteral("size"));
  size_->SetFilter(FilterUnsignedNumberChar);
  sizeLabel->setBuddy(size_);
  unit_ = new QLabel(UnitText(data_.m_nSizeMode), this);
  unit_->setObjectName(QStringLiteral("unit"));
  sizeRow->addWidget(sizeLabel);
  sizeRow->addWidget(size_);
  sizeRow->addWidget(unit_);
  layout->addLayout(sizeRow);

  sizeModes_ = new QButtonGroup(this);
  auto* relative = new QRadioButton(QStringLiteral("Set Size &Relative to Screen"), this);
  auto* absolute = new QRadioButton(QStringLiteral("Set Size in &Absolute Units"), this);
  sizeModes_->addButton(relative, CPTypeDlg::kRelativeSize);
  sizeModes_->addButton(absolute, CPTypeDlg::kAbsoluteSize);
  (data_.m_nSizeMode == CPTypeDlg::kAbsoluteSize ? absolute : relative)->setChecked(true);
  layout->addWidget(relative);
  layout->addWidget(absolute);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &PointStyleDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(sizeModes_, &QButtonGroup::idClicked, this, [this](int mode) { unit_->setText(UnitText(mode)); });
}

void PointStyleDialog::accept() {
  const std::string refusal = data_.SetSizeText(size_->text().toStdString());
  if (!refusal.empty()) {
    size_->setFocus();
    QMessageBox::information(this, windowTitle(), QString::fromStdString(refusal));
    return;
  }
  if (samples_->checkedId() >= 0) data_.m_nSample = samples_->checkedId();
  data_.m_nSizeMode = sizeModes_->checkedId();
  QDialog::accept();
}
