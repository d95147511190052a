#include "dialogs/snap_marker_picture.h"

#include <QPainter>
#include <QPolygon>

#include "display/cursor_overlay.h"

QPixmap SnapMarkerPicture(int kind, int side, const QColor& ink) {
  QPixmap picture(side, side);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setPen(QPen(ink, 1));
  const int centre = side / 2;
  const FcOverlayShape shape = SnapMarkerShape(kind, centre, centre, centre - 2);
  // The marker's y runs up, the picture's down.
  const auto at = [side](const FcDevicePoint& point) { return QPoint(point.x, side - 1 - point.y); };
  for (const FcDevicePolyline& polyline : shape.polylines) {
    QPolygon points;
    for (const FcDevicePoint& point : polyline) points << at(point);
    painter.drawPolyline(points);
  }
  if (shape.circleRadius > 0) painter.drawEllipse(at(shape.circleCentre), shape.circleRadius, shape.circleRadius);
  return picture;
}
