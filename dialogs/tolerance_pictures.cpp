#include "dialogs/tolerance_pictures.h"

#include <cmath>

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QToolButton>

#include "commands/dialogs/tolerance_symbols.h"

namespace {

constexpr int kWidth = 30;
constexpr int kHeight = 27;
constexpr QPointF kCentre(15.0, 13.5);

void Arrow(QPainter& p, QPointF from, QPointF to) {
  p.drawLine(from, to);
  const QPointF along = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
  const QPointF across(-along.y(), along.x());
  p.setBrush(Qt::black);
  p.drawPolygon(QPolygonF{to, to - along * 5 + across * 2.5, to - along * 5 - across * 2.5});
  p.setBrush(Qt::NoBrush);
}

void Lettered(QPainter& p, const char* letter) {
  p.drawEllipse(kCentre, 10.0, 10.0);
  QFont font = p.font();
  font.setPixelSize(13);
  font.setBold(true);
  p.setFont(font);
  p.drawText(QRectF(0, 0, kWidth, kHeight), Qt::AlignCenter, QString::fromLatin1(letter));
}

void Draw(QPainter& p, int symbol) {
  namespace s = tolerance_symbol;
  switch (symbol) {
    case s::kPosition:
      p.drawEllipse(kCentre, 7.0, 7.0);
      p.drawLine(QPointF(4, 13.5), QPointF(26, 13.5));
      p.drawLine(QPointF(15, 2.5), QPointF(15, 24.5));
      return;
    case s::kConcentricity:
      p.drawEllipse(kCentre, 4.0, 4.0);
      p.drawEllipse(kCentre, 9.0, 9.0);
      return;
    case s::kSymmetry:
      p.drawLine(QPointF(9, 8), QPointF(21, 8));
      p.drawLine(QPointF(4, 13.5), QPointF(26, 13.5));
      p.drawLine(QPointF(9, 19), QPointF(21, 19));
      return;
    case s::kParallelism:
      p.drawLine(QPointF(7, 22), QPointF(14, 5));
      p.drawLine(QPointF(16, 22), QPointF(23, 5));
      return;
    case s::kPerpendicularity:
      p.drawLine(QPointF(15, 4), QPointF(15, 22));
      p.drawLine(QPointF(5, 22), QPointF(25, 22));
      return;
    case s::kAngularity:
      p.drawLine(QPointF(6, 22), QPointF(24, 22));
      p.drawLine(QPointF(6, 22), QPointF(22, 6));
      return;
    case s::kCylindricity:
      p.drawEllipse(kCentre, 6.0, 6.0);
      p.drawLine(QPointF(5, 23), QPointF(13, 4));
      p.drawLine(QPointF(17, 23), QPointF(25, 4));
      return;
    case s::kFlatness:
      p.drawPolygon(QPolygonF{QPointF(5, 19), QPointF(20, 19), QPointF(25, 8), QPointF(10, 8)});
      return;
    case s::kCircularity:
      p.drawEllipse(kCentre, 9.0, 9.0);
      return;
    case s::kStraightness:
      p.drawLine(QPointF(4, 13.5), QPointF(26, 13.5));
      return;
    case s::kSurfaceProfile:
    case s::kLineProfile: {
      QPainterPath arc;
      arc.moveTo(24, 19);
      arc.arcTo(QRectF(6, 10, 18, 18), 0, 180);
      if (symbol == s::kSurfaceProfile) arc.closeSubpath();
      p.drawPath(arc);
      return;
    }
    case s::kCircularRunout:
      Arrow(p, QPointF(9, 23), QPointF(21, 5));
      return;
    case s::kTotalRunout:
      Arrow(p, QPointF(5, 23), QPointF(14, 5));
      Arrow(p, QPointF(14, 23), QPointF(23, 5));
      p.drawLine(QPointF(5, 23), QPointF(14, 23));
      return;
    case s::kMaximumMaterial:
      Lettered(p, "M");
      return;
    case s::kLeastMaterial:
      Lettered(p, "L");
      return;
    case s::kRegardlessOfSize:
      Lettered(p, "S");
      return;
    case s::kProjectedZone:
      Lettered(p, "P");
      return;
    case s::kDiameter:
      p.drawEllipse(kCentre, 7.0, 7.0);
      p.drawLine(QPointF(7, 23), QPointF(23, 4));
      return;
    default:
      return;
  }
}

}  // namespace

QPixmap TolerancePicture(int symbol, bool inverted) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.5));
    Draw(painter, symbol);
  }
  if (inverted) image.invertPixels();
  return QPixmap::fromImage(image);
}

QToolButton* NewPictureBox(const QString& name, int symbol, QWidget* parent) {
  auto* box = new QToolButton(parent);
  box->setObjectName(name);
  box->setAutoRaise(true);
  box->setIconSize(QSize(kWidth, kHeight));
  box->setFixedSize(kWidth + 6, kHeight + 6);
  ShowPicture(box, symbol);
  return box;
}

void ShowPicture(QToolButton* box, int symbol, bool inverted) {
  box->setIcon(QIcon(TolerancePicture(symbol, inverted)));
  box->setProperty("symbol", symbol);
}
