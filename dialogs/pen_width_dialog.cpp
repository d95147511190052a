#include "dialogs/pen_width_dialog.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "commands/dialogs/pen_width_dlg.h"
#include "dialogs/color_swatches.h"
#include "dialogs/number_box.h"
#include "dialogs/swatches.h"

namespace {

constexpr int kColumnWidth = 100;
constexpr int kSwatchSize = 24;

QPixmap BigSwatch(int index) {
  QPixmap picture(kSwatchSize, kSwatchSize);
  picture.fill(Qt::transparent);
  if (index < 1) return picture;
  QPainter painter(&picture);
  DrawColorSwatch(painter, QRect(0, 0, kSwatchSize - 1, kSwatchSize - 1), index, true);
  return picture;
}

}  // namespace

PenWidthDialog::PenWidthDialog(CPenWidthDlg& data, QWidget* parent) : QDialog(parent), data_(data) {
  setWindowTitle(QStringLiteral("Pen Width Set"));
  data_.OnInitDialog();
  auto* layout = new QHBoxLayout(this);

  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("widths"));
  list_->setHeaderLabels({QStringLiteral("Color Index"), QStringLiteral("Width")});
  list_->setRootIsDecorated(false);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->header()->resizeSection(0, kColumnWidth);
  list_->header()->resizeSection(1, kColumnWidth);
  for (int index = 1; index < kPenColorCount; ++index) {
    auto* item = new QTreeWidgetItem(list_, {QString::number(index), QString()});
    item->setIcon(0, ColorSwatch(index));
    item->setData(0, Qt::UserRole, index);
  }
  layout->addWidget(list_);

  auto* side = new QVBoxLayout;
  auto* color = new QGridLayout;
  color->addWidget(new QLabel(QStringLiteral("Color"), this), 0, 0);
  swatch_ = new QLabel(this);
  swatch_->setPixmap(BigSwatch(-1));
  color->addWidget(swatch_, 0, 1);
  colorText_ = new QLabel(this);
  colorText_->setObjectName(QStringLiteral("colorText"));
  color->addWidget(colorText_, 0, 2);
  widthLabel_ = new QLabel(QStringLiteral("&Width"), this);
  width_ = new QLineEdit(this);
  width_->setObjectName(QStringLiteral("width"));
  // Digits and one decimal separator, as the box's filter lets through.
  width_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*[.,]?\\d*")), width_));
  widthLabel_->setBuddy(width_);
  color->addWidget(widthLabel_, 1, 0);
  color->addWidget(width_, 1, 1, 1, 2);
  side->addLayout(color);

  auto* unit = new QGroupBox(QStringLiteral("Unit"), this);
  auto* unitLayout = new QVBoxLayout(unit);
  inch_ = new QRadioButton(QStringLiteral("&Inch"), unit);
  mm_ = new QRadioButton(QStringLiteral("&mm"), unit);
  unitLayout->addWidget(inch_);
  unitLayout->addWidget(mm_);
  inch_->setChecked(data_.m_nUnit == CPenWidthDlg::kUnitInch);
  mm_->setChecked(data_.m_nUnit == CPenWidthDlg::kUnitMm);
  side->addWidget(unit);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this);
  side->addWidget(buttons);
  side->addStretch();
  layout->addLayout(side);

  ShowWidths();
  SelectionChanged();
  width_->installEventFilter(this);
  connect(list_, &QTreeWidget::itemSelectionChanged, this, &PenWidthDialog::SelectionChanged);
  for (QRadioButton* button : {inch_, mm_})
    connect(button, &QRadioButton::clicked, this, [this] {
      data_.SelectUnit(mm_->isChecked() ? CPenWidthDlg::kUnitMm : CPenWidthDlg::kUnitInch);
      ShowWidths();
      if (data_.m_nSelected >= 0) width_->setText(QString::fromStdString(data_.WidthText(data_.m_nSelected)));
    });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void PenWidthDialog::ShowWidths() {
  for (int row = 0; row < list_->topLevelItemCount(); ++row) {
    QTreeWidgetItem* item = list_->topLevelItem(row);
    item->setText(1, QString::fromStdString(data_.WidthText(item->data(0, Qt::UserRole).toInt())));
  }
}

void PenWidthDialog::SelectionChanged() {
  std::vector<int> indices;
  for (const QTreeWidgetItem* item : list_->selectedItems()) indices.push_back(item->data(0, Qt::UserRole).toInt());
  data_.Select(indices);
  colorText_->setText(QString::fromStdString(data_.ColorText()));
  swatch_->setPixmap(BigSwatch(data_.m_nSelected));
  if (data_.m_nSelected >= 0) width_->setText(QString::fromStdString(data_.WidthText(data_.m_nSelected)));
  const bool any = !data_.m_selected.empty();
  widthLabel_->setEnabled(any);
  width_->setEnabled(any);
}

bool PenWidthDialog::ApplyWidth() {
  const std::string refusal = data_.ApplyWidth(width_->text().toStdString());
  if (refusal.empty()) {
    ShowWidths();
    return true;
  }
  width_->setText(QStringLiteral("0"));
  width_->selectAll();
  // The message takes the focus from the box; that is no second leaving.
  refusing_ = true;
  ShowRefusal(this, QString::fromStdString(refusal));
  refusing_ = false;
  return false;
}

bool PenWidthDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == width_ && event->type() == QEvent::FocusOut && !refusing_ && width_->isEnabled()) ApplyWidth();
  return QDialog::eventFilter(watched, event);
}

void PenWidthDialog::done(int result) {
  if (result != QDialog::Accepted) {
    QDialog::done(CModalDialog::kCancel);
    return;
  }
  // Enter in the width box applies the width and keeps the dialog open.
  if (width_->hasFocus()) {
    ApplyWidth();
    width_->selectAll();
    return;
  }
  data_.Accept();
  QDialog::done(CModalDialog::kOk);
}
