#include "window/color_pane.h"

#include <QPainter>

#include "display/color_table.h"
#include "window/screen_device_colors.h"

std::optional<int> PaneColorIndex(const QString& text) {
  bool number = false;
  const int index = text.toInt(&number);
  if (!number || index < 1 || index > 255) return std::nullopt;
  return index;
}

ColorPane::ColorPane(QWidget* parent) : QLabel(parent) {}

QSize ColorPane::sizeHint() const {
  if (!PaneColorIndex(text())) return QLabel::sizeHint();
  // A square of the text's height, with the pane's frame around it.
  const int side = fontMetrics().height() + 2 * frameWidth();
  return {side, side};
}

void ColorPane::paintEvent(QPaintEvent* event) {
  const std::optional<int> index = PaneColorIndex(text());
  if (!index) {
    QLabel::paintEvent(event);
    return;
  }
  QPainter painter(this);
  // Inside the frame, one pixel in at the left and top and two at the
  // right and bottom.
  const QRect inside = contentsRect().adjusted(1, 1, -2, -2);
  if (*index == 7) {
    DrawWhiteBlackSwatch(painter, inside, false);
  } else {
    painter.fillRect(inside, ToQColor(ColorIndexRgb(*index)));
  }
  drawFrame(&painter);
}
