#include "dialogs/dim_arrow_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kSide = 13;
constexpr int kArrowCount = 20;
// The tip of the arrow, on the dimension line.
constexpr QPointF kTip(11.5, 6.5);

QPainterPath Polygon(std::initializer_list<QPointF> points) {
  QPainterPath path;
  path.addPolygon(QPolygonF(points));
  path.closeSubpath();
  return path;
}

QPainterPath Circle(double radius) {
  QPainterPath path;
  path.addEllipse(kTip - QPointF(radius, 0.0), radius, radius);
  return path;
}

QPainterPath Box(double half) {
  QPainterPath path;
  path.addRect(QRectF(kTip.x() - 2.0 * half, kTip.y() - half, 2.0 * half, 2.0 * half));
  return path;
}

QPainterPath Lines(std::initializer_list<QPointF> ends) {
  QPainterPath path;
  for (const QPointF& end : ends) {
    path.moveTo(kTip);
    path.lineTo(end);
  }
  return path;
}

enum class Fill { kNone, kBlank, kFilled };

Fill FillOf(int position) {
  switch (position) {
    case 0:
    case 3:
    case 11:
    case 15:
    case 17:
      return Fill::kFilled;
    case 4:
    case 5:
    case 6:
    case 9:
    case 10:
    case 18:
    case 19:
      return Fill::kNone;
    default:
      // A blank shape hides the dimension line under it.
      return Fill::kBlank;
  }
}

QPainterPath ArrowShape(int position) {
  const QPointF tip = kTip;
  switch (position) {
    case 0:
    case 1:
      return Polygon({tip, {4.5, 3.5}, {4.5, 9.5}});
    case 2: {
      QPainterPath path = Polygon({tip, {4.5, 3.5}, {4.5, 9.5}});
      path.moveTo(4.5, 6.5);
      path.lineTo(tip);
      return path;
    }
    case 3:
    case 12:
      return Circle(2.5);
    case 4:
    case 5: {
      QPainterPath path;
      path.moveTo(tip + QPointF(-3.0, 3.0));
      path.lineTo(tip + QPointF(1.0, -4.0));
      return path;
    }
    case 6:
      return Lines({{4.5, 3.5}, {4.5, 9.5}});
    case 7:
      return Circle(3.0);
    case 8: {
      QPainterPath path = Circle(3.0);
      path.addEllipse(tip - QPointF(3.0, 0.0), 1.5, 1.5);
      return path;
    }
    case 9:
      return Lines({{7.5, 2.5}, {7.5, 10.5}});
    case 10:
      return Lines({{3.5, 4.5}, {3.5, 8.5}});
    case 11:
    case 13:
      return Circle(1.5);
    case 14:
    case 15:
      return Box(2.5);
    case 16:
    case 17:
      return Polygon({tip + QPointF(0.0, -4.0), tip + QPointF(0.0, 4.0), tip + QPointF(-6.0, 0.0)});
    case 18: {
      QPainterPath path;
      path.moveTo(tip + QPointF(-3.0, 4.0));
      path.cubicTo(tip + QPointF(1.0, 4.0), tip + QPointF(-1.0, -4.0), tip + QPointF(3.0, -4.0));
      return path;
    }
    default:
      return {};
  }
}

}  // namespace

QIcon DimArrowPicture(int position) {
  if (position < 0 || position >= kArrowCount) return {};
  QPixmap pixmap(kSide, kSide);
  pixmap.fill(Qt::white);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::black, 1.0));
  painter.drawLine(QPointF(0.5, kTip.y()), kTip);
  // The architectural tick is the heavy one.
  if (position == 4) painter.setPen(QPen(Qt::black, 2.0));
  const Fill fill = FillOf(position);
  painter.setBrush(fill == Fill::kFilled ? QBrush(Qt::black) : fill == Fill::kBlank ? QBrush(Qt::white) : QBrush());
  painter.drawPath(ArrowShape(position));
  return QIcon(pixmap);
}
