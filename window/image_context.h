#pragma once

#include <functional>

class FcDeviceContext;
class QImage;

// Runs paint with a drawing target whose painter is active on the image.
void PaintThroughContext(QImage& image, const std::function<void(FcDeviceContext*)>& paint);
