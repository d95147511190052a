#include "dialogs/color_sel_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/value_format.h"
#include "dialogs/color_swatches.h"

namespace {

constexpr int kSwatchSide = 20;

QString ColorText(short color) { return QString::fromStdString(ColorIndexToText(color)); }

QGroupBox* SwatchRow(const QString& title, short first, short last, const std::function<void(short)>& chosen,
                     QWidget* parent) {
  auto* group = new QGroupBox(title, parent);
  auto* row = new QHBoxLayout(group);
  for (short color = first; color <= last; ++color) {
    auto* swatch = new ColorSwatch(color, chosen, group);
    swatch->setObjectName(QStringLiteral("color%1").arg(color));
    row->addWidget(swatch);
  }
  row->addStretch();
  return group;
}

}  // namespace

ColorSwatch::ColorSwatch(short color, std::function<void(short)> chosen, QWidget* parent)
    : QWidget(parent), color_(color), chosen_(std::move(chosen)) {
  setFixedSize(kSwatchSide, kSwatchSide);
}

void ColorSwatch::SetColor(short color) {
  color_ = color;
  update();
}

void ColorSwatch::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawColorSwatch(painter, rect().adjusted(0, 0, -1, -1), color_, false);
}

void ColorSwatch::mousePressEvent(QMouseEvent* event) {
  if (chosen_ && event->button() == Qt::LeftButton) chosen_(color_);
}

ColorPaletteArea::ColorPaletteArea(PaletteArea area, std::function<void(short)> chosen, QWidget* parent)
    : QWidget(parent), area_(area), chosen_(std::move(chosen)) {
  setFixedSize(kPaletteAreaWidth, kPaletteAreaHeight);
}

void ColorPaletteArea::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Button));
  painter.setPen(QPen(Qt::black, 0));
  for (int row = 0; row < kPaletteRows; ++row) {
    for (int column = 0; column < kPaletteColumns; ++column) {
      painter.setBrush(IndexQColor(PaletteCellColor(area_, row, column)));
      painter.drawRect(PaletteCellLeft(column), PaletteCellTop(area_, row), kPaletteCellExtent, kPaletteCellExtent);
    }
  }
}

void ColorPaletteArea::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  if (const std::optional<short> color = PaletteColorAt(area_, at.x(), at.y())) chosen_(*color);
}

ColorSelDialog::ColorSelDialog(CColorSelDlg& data, QWidget* parent)
    : QDialog(parent), data_(data), color_(data.m_nColor) {
  setWindowTitle(QStringLiteral("select Color"));
  const auto pick = [this](short color) { Pick(color); };
  auto* layout = new QVBoxLayout(this);

  auto* top = new QHBoxLayout;
  top->addWidget(SwatchRow(QStringLiteral("Standard Colors"), 1, 9, pick, this));
  top->addWidget(SwatchRow(QStringLiteral("Gray Shades"), 250, 255, pick, this));
  auto* logical = new QGroupBox(QStringLiteral("Logical Colors"), this);
  auto* logicalRow = new QHBoxLayout(logical);
  auto* byLayer = new QPushButton(QStringLiteral("By &Layer"), logical);
  byLayer->setObjectName(QStringLiteral("byLayer"));
  auto* byBlock = new QPushButton(QStringLiteral("By &Block"), logical);
  byBlock->setObjectName(QStringLiteral("byBlock"));
  byLayer->setAutoDefault(false);
  byBlock->setAutoDefault(false);
  byLayer->setEnabled(data.m_bEnableLogical != 0);
  byBlock->setEnabled(data.m_bEnableLogical != 0);
  connect(byLayer, &QPushButton::clicked, this, [this] { Pick(256); });
  connect(byBlock, &QPushButton::clicked, this, [this] { Pick(0); });
  logicalRow->addWidget(byLayer);
  logicalRow->addWidget(byBlock);
  top->addWidget(logical);
  layout->addLayout(top);

  auto* full = new QGroupBox(QStringLiteral("Full Color Pallete"), this);
  auto* areas = new QVBoxLayout(full);
  areas->setSpacing(kPaletteAreaGap);
  auto* upper = new ColorPaletteArea(PaletteArea::kUpper, pick, full);
  upper->setObjectName(QStringLiteral("upperPalette"));
  auto* lower = new ColorPaletteArea(PaletteArea::kLower, pick, full);
  lower->setObjectName(QStringLiteral("lowerPalette"));
  areas->addWidget(upper);
  areas->addWidget(lower);
  layout->addWidget(full);

  auto* selected = new QGroupBox(QStringLiteral("Selected Color"), this);
  auto* selectedRow = new QHBoxLayout(selected);
  text_ = new QLineEdit(selected);
  text_->setObjectName(QStringLiteral("selectedColor"));
  text_->setReadOnly(true);
  sample_ = new ColorSwatch(ColorSelSample(color_, data.m_nLayerColor), nullptr, selected);
  sample_->setObjectName(QStringLiteral("sample"));
  selectedRow->addWidget(text_);
  selectedRow->addWidget(sample_);
  layout->addWidget(selected);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  connect(this, &QDialog::accepted, this, [this] { data_.m_nColor = color_; });
  Pick(color_);
}

void ColorSelDialog::Pick(short color) {
  color_ = color;
  text_->setText(ColorText(color));
  sample_->SetColor(ColorSelSample(color, data_.m_nLayerColor));
}
