#include "window/image_context.h"

#include <QImage>
#include <QPainter>

#include "window/screen_device.h"

void PaintThroughContext(QImage& image, const std::function<void(FcDeviceContext*)>& paint) {
  QPainter painter;
  if (!painter.begin(&image)) return;
  FcDeviceContext context(painter);
  paint(&context);
}
