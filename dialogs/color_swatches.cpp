#include "dialogs/color_swatches.h"

#include <QPainter>
#include <QPolygon>

#include "display/color_table.h"

QColor IndexQColor(int index) {
  const FcColorRef color = ColorIndexRgb(index);
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
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

void DrawColorSwatch(QPainter& painter, const QRect& rect, int index, bool framed) {
  if (index == 7) {
    DrawWhiteBlackSwatch(painter, rect, framed);
    return;
  }
  const QColor color = IndexQColor(index);
  painter.save();
  painter.setPen(QPen(framed ? QColor(Qt::black) : color, 0));
  painter.setBrush(color);
  painter.drawRect(rect);
  painter.restore();
}

void DrawTrueColorSwatch(QPainter& painter, const QRect& rect) {
  const int band = rect.height() / 3;
  painter.save();
  painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), band), Qt::red);
  painter.fillRect(QRect(rect.left(), rect.top() + band, rect.width(), band), Qt::green);
  painter.fillRect(QRect(rect.left(), rect.top() + 2 * band, rect.width(), rect.height() - 2 * band), Qt::blue);
  painter.setPen(QPen(Qt::black, 0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(rect);
  painter.restore();
}

QColor FromStoredRgb(std::uint32_t rgb) { return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

std::uint32_t ToStoredRgb(const QColor& color) {
  return static_cast<std::uint32_t>(color.red()) | static_cast<std::uint32_t>(color.green()) << 8 |
         static_cast<std::uint32_t>(color.blue()) << 16;
}
