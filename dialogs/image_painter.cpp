#include "dialogs/image_painter.h"

namespace {

FcImagePainter& InstalledPainter() {
  static FcImagePainter painter = nullptr;
  return painter;
}

}  // namespace

void SetImagePainter(FcImagePainter painter) { InstalledPainter() = painter; }

void PaintOnImage(QImage& image, const std::function<void(FcDeviceContext*)>& paint) {
  if (InstalledPainter() != nullptr) InstalledPainter()(image, paint);
}
