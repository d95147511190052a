#include "display/bitmap_helpers.h"

#include <algorithm>
#include <cstddef>

namespace {

FcColorRef Combine(FcColorRef source, FcColorRef target, FcRasterOp operation) {
  switch (operation) {
    case FcRasterOp::kInvert:
      return (source ^ target) & 0xFFFFFF;
    case FcRasterOp::kAnd:
      return source & target;
    case FcRasterOp::kPaint:
      return source | target;
    case FcRasterOp::kCopy:
      break;
  }
  return source;
}

}  // namespace

void FcBitmap::CreateScreenBitmap(int width, int height) {
  if (width <= 0 || height <= 0) return;
  width_ = width;
  height_ = height;
  pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
}

void FcBitmap::Fill(FcColorRef color) {
  std::fill(pixels_.begin(), pixels_.end(), color);
}

FcColorRef FcBitmap::GetPixel(int x, int y) const {
  if (!Contains(x, y)) return 0;
  return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
}

void FcBitmap::SetPixel(int x, int y, FcColorRef color) {
  if (!Contains(x, y)) return;
  pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] = color;
}

void DrawBitmapAt(const FcBitmap& source, FcBitmap& target, int x, int y, FcRasterOp operation) {
  // Work in 64 bits: a far-away position must not overflow the sums.
  const std::int64_t left = std::max<std::int64_t>(0, x);
  const std::int64_t bottom = std::max<std::int64_t>(0, y);
  const std::int64_t right = std::min<std::int64_t>(target.GetWidth(), std::int64_t{x} + source.GetWidth());
  const std::int64_t top = std::min<std::int64_t>(target.GetHeight(), std::int64_t{y} + source.GetHeight());
  for (std::int64_t ty = bottom; ty < top; ++ty) {
    for (std::int64_t tx = left; tx < right; ++tx) {
      const int sx = static_cast<int>(tx - x);
      const int sy = static_cast<int>(ty - y);
      const int px = static_cast<int>(tx);
      const int py = static_cast<int>(ty);
      const FcColorRef pixel = source.GetPixel(sx, sy);
      if (pixel == kClearPixel) continue;
      target.SetPixel(px, py, Combine(pixel, target.GetPixel(px, py), operation));
    }
  }
}
