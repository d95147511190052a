#include "display/view_transform.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// Length of the image of the vector (length, 0) under the matrix: the
// translation cancels out.
double VectorLength(const FcMatrix2d& m, double length) { return std::hypot(m.a * length, m.d * length); }

}  // namespace

std::int32_t RoundToDevice(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kLow = std::numeric_limits<std::int32_t>::min();
  constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
  const double rounded = std::nearbyint(value);
  if (rounded <= kLow) return std::numeric_limits<std::int32_t>::min();
  if (rounded >= kHigh) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(rounded);
}

void FcViewTransform::Update() {
  const double w = x1 - x0;
  const double h = y1 - y0;
  const double deviceW = static_cast<double>(deviceX1) - deviceX0;
  const double deviceH = static_cast<double>(deviceY1) - deviceY0;
  if (w == 0.0 || h == 0.0 || deviceW == 0.0 || deviceH == 0.0) return;
  const double sx = w / deviceW;
  const double sy = h / deviceH;
  inverse = {sx, 0.0, x0 - sx * deviceX0, 0.0, sy, y0 - sy * deviceY0};
  forward = {1.0 / sx, 0.0, deviceX0 - x0 / sx, 0.0, 1.0 / sy, deviceY0 - y0 / sy};
}

void FcViewTransform::WorldToDevice(double worldX, double worldY, std::int32_t* deviceX,
                                    std::int32_t* deviceY) const {
  if (deviceX) *deviceX = RoundToDevice(forward.a * worldX + forward.b * worldY + forward.c);
  if (deviceY) *deviceY = RoundToDevice(forward.d * worldX + forward.e * worldY + forward.f);
}

void FcViewTransform::DeviceToWorld(double* worldX, double* worldY, std::int32_t deviceX,
                                    std::int32_t deviceY) const {
  TransformXY(deviceX, deviceY, inverse, worldX, worldY);
}

std::int32_t FcViewTransform::WorldLengthToPixels(double worldLength) const {
  return RoundToDevice(WorldLengthToDevice(worldLength));
}

double FcViewTransform::WorldLengthToDevice(double worldLength) const { return VectorLength(forward, worldLength); }

double FcViewTransform::PixelsToWorld(std::int32_t pixels) const { return DeviceLengthToWorld(pixels); }

double FcViewTransform::DeviceLengthToWorld(double deviceLength) const {
  return VectorLength(inverse, deviceLength);
}
