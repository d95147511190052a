#include "dialogs/pick_buttons.h"

#include <QPainter>
#include <QPixmap>

#include "dialogs/bmp_button.h"

namespace {

constexpr int kSide = 16;
const QColor kTransparent(255, 0, 255);

// A crosshair over a point, or a dashed window round two objects.
QPixmap Picture(PickPicture picture) {
  QPixmap bitmap(kSide, kSide);
  bitmap.fill(kTransparent);
  QPainter painter(&bitmap);
  painter.setPen(Qt::black);
  if (picture == PickPicture::kPoint) {
    painter.drawLine(8, 1, 8, 14);
    painter.drawLine(1, 8, 14, 8);
    painter.fillRect(6, 6, 5, 5, Qt::red);
    return bitmap;
  }
  painter.drawLine(3, 12, 7, 4);
  painter.drawEllipse(8, 8, 5, 5);
  painter.setPen(QPen(Qt::blue, 1, Qt::DashLine));
  painter.drawRect(1, 1, 14, 14);
  return bitmap;
}

}  // namespace

CBmpButton* NewPickButton(const char* name, const QString& caption, PickPicture picture, QWidget* parent) {
  auto* button = new CBmpButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->SetBitmap(Picture(picture), kTransparent);
  return button;
}
