#include "dialogs/dib_preview.h"

#include <QPainter>
#include <cstring>

#include "dialogs/paint_box.h"
#include "imaging/dib.h"

QImage DibImage(const CDib& picture) {
  int bitCount = 0;
  int stride = 0;
  const std::uint8_t* bits = picture.GetBits(&bitCount, &stride);
  const int width = picture.GetWidth();
  const int height = picture.GetHeight();
  if (bits == nullptr || bitCount != 24 || width <= 0 || height <= 0) return {};
  QImage image(width, height, QImage::Format_BGR888);
  for (int row = 0; row < height; ++row)
    std::memcpy(image.scanLine(height - 1 - row), bits + static_cast<std::ptrdiff_t>(row) * stride,
                static_cast<std::size_t>(width) * 3);
  return image;
}

QImage PreviewImage(const CDib& picture, const QSize& box) {
  const QImage image = DibImage(picture);
  if (image.isNull() || (image.width() <= box.width() && image.height() <= box.height())) return image;
  return image.scaled(box, Qt::KeepAspectRatio, Qt::FastTransformation);
}

CPaintBox* NewPreviewBox(int side, const QImage* picture, QWidget* parent) {
  auto* box = new CPaintBox(parent);
  box->setObjectName(QStringLiteral("preview"));
  box->setFixedSize(side, side);
  box->m_paint = [box, picture](QPainter& painter) {
    if (picture->isNull()) return;
    painter.drawImage(box->rect().center() - picture->rect().center(), *picture);
  };
  return box;
}
