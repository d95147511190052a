#include "dialogs/swatches.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygon>

#include "display/color_table.h"

QIcon ColorSwatch(int color, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  const QRect square(1, 1, size - 3, size - 3);
  if (color == 7) {
    painter.fillRect(square, Qt::white);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawPolygon(QPolygon({square.bottomLeft(), square.topRight(), square.bottomRight()}));
  } else {
    const FcColorRef rgb = ColorIndexRgb(color);
    painter.fillRect(square, QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF));
  }
  painter.setPen(Qt::darkGray);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(square);
  return QIcon(pixmap);
}
