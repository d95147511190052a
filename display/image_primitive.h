#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "core/handle.h"
#include "core/matrix2d.h"
#include "core/point2d.h"
#include "database/draw_sink.h"
#include "display/bitmap_helpers.h"
#include "display/display_primitives.h"

class CDib;
class FcDisplaySurface;

// The display primitive of a raster image: a parallelogram given by an
// insertion point and the world vectors of one picture pixel along its
// rows (u) and columns (v). A screen draw resamples the picture into a
// bitmap that covers the image's part of the view pixel for pixel, with the
// brightness, contrast and fade applied, and keeps it while the view stays
// unchanged. A frame is drawn around it unless the drawing's raster
// variables switch image frames off. A clip boundary keeps only the part
// of the picture inside it, and the frame runs along the boundary; a
// transparent image leaves its white pixels out.
class FcDsImage : public FcDsEntity {
 public:
  FcDsImage(FcHandle entityHandle, int partTag);

  // The picture (not owned; null or empty shows the frame only), the
  // insertion point, the pixel vectors, the size in pixels to use without
  // a picture, and the display settings (50, 50, 0 leave the picture as it
  // is).
  void SetImage(const CDib* picture, const FcPoint2d& insertion, const FcPoint2d& u, const FcPoint2d& v,
                int width, int height, int brightness, int contrast, int fade);
  // Frees the bitmap and the device outline.
  void ReleaseBitmap();
  void SetTransparent(bool transparent);
  // A polygon in picture units (s along u, t along v, from the insertion
  // point); fewer than three points clip nothing.
  void SetClipBoundary(std::span<const FcPoint2d> boundary);

  void Transform(const FcMatrix2d& matrix) override;
  void Draw(FcDisplaySurface& surface) override;
  void DrawRotated(FcDisplaySurface& surface) override;
  void GetExtents(FcPoint2d& min, FcPoint2d& max) override;
  // Both window tests need the picture and its frame drawn; they set the
  // part tag: 0 inside, 1 to 4 for the frame edge that meets the box.
  bool InsideWindow(const FcPoint2d& min, const FcPoint2d& max) override;
  bool CrossesWindow(const FcPoint2d& min, const FcPoint2d& max) override;

  const FcBitmap* GetBitmap() const { return bitmap_.get(); }
  bool FrameDrawn() const { return frameDrawn_; }
  bool IsTransparent() const { return transparent_; }
  const std::vector<FcPoint2d>& GetClipBoundary() const { return clip_; }

 private:
  // Corners and frame from the insertion point, vectors and size.
  void SetCorners(const FcPoint2d& insertion, int width, int height);
  // The frame along the clip boundary, or along the corners without one.
  void SetFrame();
  // The clip boundary in world units.
  std::vector<FcPoint2d> ClipInWorld() const;
  // The device outline of the corners clipped to the view; false when
  // nothing of the image is in view.
  bool ClipOutline(const FcDisplaySurface& surface);
  // The map from device pixels to picture pixels; false when the image or
  // the view has no area.
  bool DeviceToPictureMatrix(const FcDisplaySurface& surface, FcMatrix2d& out) const;
  // A new bitmap over the outline's bounding box (which becomes the bitmap's
  // place), filled from the picture through the map; null when it cannot be
  // made.
  std::unique_ptr<FcBitmap> Resample(const FcMatrix2d& deviceToPicture, FcColorRef background);
  // The bitmap through the outline as clip.
  void DrawBitmapClipped(FcDisplayDevice& device, bool rotated) const;
  // The frame step: drawn unless the drawing switches frames off.
  void DrawFrame(FcDisplaySurface& surface, bool rotated);

  const CDib* picture_ = nullptr;
  int pictureWidth_ = 0;
  int pictureHeight_ = 0;
  FcDsPolyline frame_;
  bool frameDrawn_ = false;
  FcPoint2d u_;
  FcPoint2d v_;
  std::uint16_t brightness_ = 50;
  std::uint16_t contrast_ = 50;
  std::uint16_t fade_ = 0;
  bool transparent_ = false;
  // Picture units; empty without a clip boundary.
  std::vector<FcPoint2d> clip_;
  FcPoint2d corners_[4];
  std::unique_ptr<FcBitmap> bitmap_;
  std::vector<FcDevicePoint> outline_;
  int bitmapWidth_ = 0;
  int bitmapHeight_ = 0;
  int bitmapX_ = 0;
  int bitmapY_ = 0;
};

// One image primitive in the surface's current group: the insertion point
// through the surface's insert matrix, the vectors through its linear part.
// Without a picture only the frame shows. The clip boundary is in picture
// units (see FcDsImage::SetClipBoundary); empty clips nothing.
void AddImageToSurface(FcDisplaySurface* surface, const FcSinkImage& image, FcHandle handle, int partTag);

// The brightness, contrast and fade adjustment of one 8-bit channel, with
// the background's matching channel for the fade.
std::uint8_t AdjustImageChannel(int channel, int brightness, int contrast, int fade, int background);
