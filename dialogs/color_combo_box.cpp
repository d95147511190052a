#include "dialogs/color_combo_box.h"

#include <QPainter>
#include <QPixmap>

#include "commands/dialogs/color_list.h"
#include "commands/dialogs/color_sel_dlg.h"
#include "commands/dialogs/option_dlg.h"
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

ColorComboBox::ColorComboBox(int color, bool withBlack, QWidget* parent)
    : QComboBox(parent), graph_(nullptr), color_(color), programList_(true), withBlack_(withBlack) {
  setIconSize(QSize(kSwatchSide, kSwatchSide));
  Fill();
  connect(this, &QComboBox::activated, this, [this](int index) { Choose(index); });
}

void ColorComboBox::Fill() {
  clear();
  const std::vector<ColorListEntry> entries =
      programList_ ? OptionColorEntries(color_, withBlack_) : ColorListEntries(color_);
  for (const ColorListEntry& entry : entries)
    addItem(SwatchIcon(entry.color), QString::fromStdString(entry.text), entry.color);
  const std::string current = programList_ ? OptionColorText(color_) : ColorListText(color_);
  setCurrentIndex(findText(QString::fromStdString(current)));
}

bool ColorComboBox::Takes(int color) const {
  if (!programList_) return true;
  return (color >= 1 && color <= 255) || (withBlack_ && color == kByBlock);
}

void ColorComboBox::Choose(int index) {
  if (index < 0 || index >= count()) return;
  const int chosen = itemData(index).toInt();
  if (chosen != kColorListOthers) {
    color_ = chosen;
    return;
  }
  CColorSelDlg select;
  if (programList_) {
    select.m_nColor = static_cast<short>(color_);
    select.m_bEnableLogical = 0;
  } else {
    select.m_nColor = graph_ != nullptr ? OthersStartColor(*graph_, othersLayer_) : static_cast<short>(color_);
    select.m_bEnableLogical = 1;
  }
  if (ShowModalDialog(select, this) == CModalDialog::kOk && Takes(select.m_nColor)) color_ = select.m_nColor;
  // The list gets an entry of the new colour, and "Others..." is no longer
  // shown as chosen after Cancel.
  Fill();
}
