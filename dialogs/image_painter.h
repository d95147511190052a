#pragma once

#include <functional>

class FcDeviceContext;
class QImage;

// Paints on an image through the platform drawing target that printing
// passes draw on. Only the window knows what that target is, so it installs
// the painter at start-up; without one nothing is painted.
using FcImagePainter = void (*)(QImage& image, const std::function<void(FcDeviceContext*)>& paint);
void SetImagePainter(FcImagePainter painter);
void PaintOnImage(QImage& image, const std::function<void(FcDeviceContext*)>& paint);
