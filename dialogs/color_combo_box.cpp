#include "dialogs/color_combo_box.h"

#include <QPainter>
#include <QPixmap>

#include "commands/dialogs/color_list.h"
#include "commands/dialogs/color_sel_dlg.h"
#include "database/layer.h"
#include "dialogs/color_swatches.h"
#include "dialogs/dialog_shows.h"

namespace {

constexpr int kSwatchSide = 14;
constexpr int kByBlock = 0;
constexpr int kByLayer = 256;

QIcon SwatchIcon(int color) {
  QPixmap pixmap(kSwatchSide, kSwatchSide);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  const QRect square(0, 0, kSwatchSide - 1, kSwatchSide - 1);
  if (color == kColorListOthers) {
    DrawTrueColorSwatch(painter, square);
  } else if (color == kByBlock) {
    painter.fillRect(square, Qt::black);
  } else if (color == kByLayer) {
    // ByLayer has no palette colour: an empty square.
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(square);
  } else {
    DrawColorSwatch(painter, square, color, true);
  }
  return QIcon(pixmap);
}

}  // namespace

ColorComboBox::ColorComboBox(const FcGraph* graph, std::string othersLayer, int color, QWidget* parent)
    : QComboBox(parent), graph_(graph), othersLayer_(std::move(othersLayer)), color_(color) {
  setIconSize(QSize(kSwatchSide, kSwatchSide));
  Fill();
  connect(this, &QComboBox::activated, this, [this](int index) { Choose(index); });
}

void ColorComboBox::Fill() {
  clear();
  for (const ColorListEntry& entry : ColorListEntries(color_))
    addItem(SwatchIcon(entry.color), QString::fromStdString(entry.text), entry.color);
  setCurrentIndex(findText(QString::fromStdString(ColorListText(color_))));
}

void ColorComboBox::Choose(int index) {
  if (index < 0 || index >= count()) return;
  const int chosen = itemData(index).toInt();
  if (chosen != kColorListOthers) {
    color_ = chosen;
    return;
  }
  CColorSelDlg select;
  select.m_nColor = graph_ != nullptr ? OthersStartColor(*graph_, othersLayer_) : FcLayer::kDefaultColor;
  select.m_bEnableLogical = 1;
  if (ShowModalDialog(select, this) == CModalDialog::kOk) color_ = select.m_nColor;
  // The list gets an entry of the new colour, and "Others..." is no longer
  // shown as chosen after Cancel.
  Fill();
}
