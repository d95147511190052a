#pragma once

#include <cstdint>
#include <vector>

#include "display/display_device.h"

// Raster operations of a block copy: the result from the source pixel s and
// the destination pixel d.
enum class FcRasterOp : std::uint32_t {
  kCopy = 0x00CC0020,    // s
  kInvert = 0x00660046,  // s ^ d
  kAnd = 0x008800C6,     // s & d
  kPaint = 0x00EE0086,   // s | d
};

// A bitmap pixel of this value paints nothing: the device keeps what it
// had there. The image primitive leaves clipped and transparent pixels so.
inline constexpr FcColorRef kClearPixel = 0xFF000000;

// A device bitmap: width x height RGB pixels (red in the low byte), row 0
// at the bottom, so that pixel (x, y) sits at device point (x, y). The
// screen device keeps pictures in it and the image primitive hands its
// resampled picture to the device in it.
class FcBitmap {
 public:
  FcBitmap() = default;

  // Nothing unless both sizes are above 0; otherwise the bitmap held is
  // replaced by a new one of that size (all pixels black).
  void CreateScreenBitmap(int width, int height);
  // Every pixel becomes the colour; nothing for a bitmap without size.
  void Fill(FcColorRef color);

  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  bool IsEmpty() const { return pixels_.empty(); }
  // Pixels outside the bitmap read as black and are not written.
  FcColorRef GetPixel(int x, int y) const;
  void SetPixel(int x, int y, FcColorRef color);
  // The rows bottom first, width pixels each.
  const std::vector<FcColorRef>& GetPixels() const { return pixels_; }

 private:
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  int width_ = 0;
  int height_ = 0;
  std::vector<FcColorRef> pixels_;
};

// Copies the whole source bitmap to (x, y) of the target with the raster
// operation; what falls outside the target is cut off, and clear source
// pixels leave the target's.
void DrawBitmapAt(const FcBitmap& source, FcBitmap& target, int x, int y, FcRasterOp operation);
