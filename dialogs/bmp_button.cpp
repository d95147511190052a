#include "dialogs/bmp_button.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace {

constexpr int kFocusInset = 4;
constexpr int kMargin = 6;

int Centred(int start, int room, int size) { return start + (room - size) / 2; }

}  // namespace

CBmpButton::Placement CBmpButton::Place(const QRect& client, const QSize& bitmap, const QSize& caption, int layout,
                                        int gap) {
  if (layout == kBitmapAbove || layout == kBitmapBelow) {
    const int top = Centred(client.top(), client.height(), bitmap.height() + gap + caption.height());
    const bool above = layout == kBitmapAbove;
    const int bitmapTop = above ? top : top + caption.height() + gap;
    const int captionTop = above ? top + bitmap.height() + gap : top;
    return {QRect(QPoint(Centred(client.left(), client.width(), bitmap.width()), bitmapTop), bitmap),
            QRect(QPoint(Centred(client.left(), client.width(), caption.width()), captionTop), caption)};
  }
  const int left = Centred(client.left(), client.width(), bitmap.width() + gap + caption.width());
  const bool right = layout == kBitmapRight;
  const int bitmapLeft = right ? left + caption.width() + gap : left;
  const int captionLeft = right ? left : left + bitmap.width() + gap;
  return {QRect(QPoint(bitmapLeft, Centred(client.top(), client.height(), bitmap.height())), bitmap),
          QRect(QPoint(captionLeft, Centred(client.top(), client.height(), caption.height())), caption)};
}

CBmpButton::CBmpButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

void CBmpButton::SetBitmap(const QPixmap& bitmap, const QColor& transparent) {
  bitmap_ = bitmap;
  if (transparent.isValid()) bitmap_.setMask(bitmap_.createMaskFromColor(transparent, Qt::MaskInColor));
  updateGeometry();
  update();
}

CBmpButton::Placement CBmpButton::CurrentPlacement() const {
  const QSize caption = fontMetrics().size(Qt::TextSingleLine, text());
  Placement placement = Place(rect(), bitmap_.size(), caption, layout_, gap_);
  // A pressed button's face moves one pixel right and down.
  if (isDown()) {
    placement.bitmap.translate(1, 1);
    placement.caption.translate(1, 1);
  }
  return placement;
}

QSize CBmpButton::sizeHint() const {
  const QSize caption = fontMetrics().size(Qt::TextSingleLine, text());
  const Placement placement = Place(QRect(), bitmap_.size(), caption, layout_, gap_);
  const QSize content = placement.bitmap.united(placement.caption).size();
  return content.grownBy({kMargin, kMargin, kMargin, kMargin}).expandedTo(QPushButton::sizeHint());
}

void CBmpButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  const QPalette& colors = palette();
  QStyleOptionButton face;
  initStyleOption(&face);
  face.text.clear();
  face.icon = QIcon();
  if (isDown()) {
    painter.fillRect(rect(), colors.color(QPalette::Button));
    painter.setPen(colors.color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  } else {
    painter.drawControl(QStyle::CE_PushButtonBevel, face);
  }
  if (hasFocus()) {
    painter.setPen(colors.color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }

  const Placement placement = CurrentPlacement();
  if (!bitmap_.isNull()) painter.drawPixmap(placement.bitmap.topLeft(), bitmap_);
  if (isEnabled()) {
    painter.setPen(colors.color(QPalette::ButtonText));
  } else {
    painter.setPen(colors.color(QPalette::Light));
    painter.drawText(placement.caption.translated(1, 1), Qt::TextSingleLine, text());
    painter.setPen(colors.color(QPalette::Dark));
  }
  painter.drawText(placement.caption, Qt::TextSingleLine, text());

  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect().adjusted(kFocusInset, kFocusInset, -kFocusInset, -kFocusInset);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}
