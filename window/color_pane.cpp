#include "window/color_pane.h"

#include <QPainter>
#include <QPolygon>

#include "display/color_table.h"
#include "window/screen_device_colors.h"

std::optional<int> PaneColorIndex(const QString& text) {
  bool number = false;
  const int index = text.toInt(&number);
  if (!number || index < 1 || index > 255) return std::nullopt;
  return index;
}

void DrawWhiteBlackSwatch(QPainter& painter, const QRect& rect, bool framed) {
  const QPoint topLeft = rect.topLeft();
  const QPoint topRight = rect.topRight() + QPoint(1, 0);
  const QPoint bottomLeft = rect.bottomLeft() + QPoint(0, 1);
  const QPoint bottomRight = rect.bottomRight() + QPoint(1, 1);
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  painter.drawPolygon(QPolygon({topLeft, bottomLeft, topRight}));
  painter.setBrush(Qt::black);
  painter.drawPolygon(QPolygon({bottomRight, bottomLeft, topRight}));
  if (framed) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(rect);
  }
  painter.restore();
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
