#include "display/image_primitive.h"

#include <algorithm>
#include <cmath>

#include "core/geometry_basics.h"
#include "core/point_in_polygon.h"
#include "display/builder_support.h"
#include "display/color_table.h"
#include "imaging/dib.h"
#include "display/display_surface.h"
#include "database/raster_variables.h"
#include "display/view_transform.h"

namespace {

// A resampled bitmap never needs more pixels than a large screen has; the
// bound keeps a broken view from asking for an absurd block.
constexpr std::int64_t kMaxBitmapPixels = std::int64_t{1} << 26;

// Where a resampled bitmap lies on the device.
struct BitmapPlace {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

BitmapPlace BoundsOf(const std::vector<FcDevicePoint>& points) {
  BitmapPlace place;
  if (points.empty()) return place;
  std::int64_t minX = points.front().x;
  std::int64_t minY = points.front().y;
  std::int64_t maxX = minX;
  std::int64_t maxY = minY;
  for (const FcDevicePoint& p : points) {
    minX = std::min<std::int64_t>(minX, p.x);
    minY = std::min<std::int64_t>(minY, p.y);
    maxX = std::max<std::int64_t>(maxX, p.x);
    maxY = std::max<std::int64_t>(maxY, p.y);
  }
  const std::int64_t width = maxX - minX + 1;
  const std::int64_t height = maxY - minY + 1;
  if (width * height > kMaxBitmapPixels) return place;
  place = {static_cast<int>(minX), static_cast<int>(minY), static_cast<int>(width), static_cast<int>(height)};
  return place;
}

FcColorRef BackgroundOf(const FcDisplayDevice& device) {
  return device.backgroundIndex < 0 ? device.backgroundRgb : ColorIndexRgb(device.backgroundIndex);
}

// The print rotation and offset of the device's rotated operations as a
// matrix on device points.
FcMatrix2d PrintRotation(const FcDisplayDevice& device) {
  const double w = device.width;
  const double h = device.height;
  const double ox = device.printOffsetX;
  const double oy = device.printOffsetY;
  switch (((device.printQuarterTurns % 4) + 4) % 4) {
    case 1:
      return {0.0, -1.0, w + ox, 1.0, 0.0, oy};
    case 2:
      return {-1.0, 0.0, w + ox, 0.0, -1.0, h + oy};
    case 3:
      return {0.0, 1.0, ox, -1.0, 0.0, h + oy};
    default:
      return {1.0, 0.0, ox, 0.0, 1.0, oy};
  }
}

std::uint16_t ClampSetting(int value) { return static_cast<std::uint16_t>(std::clamp(value, 0, 100)); }

}  // namespace

std::uint8_t AdjustImageChannel(int channel, int brightness, int contrast, int fade, int background) {
  double c = channel;
  if (brightness != 50) {
    const double k = brightness <= 50 ? brightness * 0.02 : (brightness - 50) * 0.02;
    c = brightness > 50 ? std::trunc((255.0 - c) * k + c) : std::trunc(c * k);
  }
  // Contrast in integers: c / q with q a ratio of integers is exact this way.
  const int l = (contrast - 50) * 2;
  const auto whole = static_cast<int>(c);
  if (contrast > 50) {
    if (whole <= l) {
      c = 0.0;
    } else if (whole < 255 - l) {
      c = (whole - l) * 255 / (255 - 2 * l);
    } else {
      c = 255.0;
    }
  } else if (contrast < 50) {
    c = whole * (2 * l + 255) / 255 - l;
  }
  if (fade > 0) c += std::trunc((background - c) * (fade * 0.01));
  return static_cast<std::uint8_t>(std::clamp(c, 0.0, 255.0));
}

FcDsImage::FcDsImage(FcHandle entityHandle, int partTag)
    : FcDsEntity(entityHandle, partTag), frame_(entityHandle, partTag) {}

void FcDsImage::SetImage(const CDib* picture, const FcPoint2d& insertion, const FcPoint2d& u, const FcPoint2d& v,
                         int width, int height, int brightness, int contrast, int fade) {
  deviceCacheValid = false;
  brightness_ = ClampSetting(brightness);
  contrast_ = ClampSetting(contrast);
  fade_ = ClampSetting(fade);
  u_ = u;
  v_ = v;
  ReleaseBitmap();
  picture_ = nullptr;
  pictureWidth_ = 0;
  pictureHeight_ = 0;
  int bitCount = 0;
  int stride = 0;
  // Only a 24-bit picture can be sampled; any other shows as absent.
  if (picture != nullptr && picture->GetBits(&bitCount, &stride) != nullptr && bitCount == 24) {
    picture_ = picture;
    pictureWidth_ = picture->GetWidth();
    pictureHeight_ = picture->GetHeight();
    SetCorners(insertion, pictureWidth_, pictureHeight_);
    return;
  }
  SetCorners(insertion, width, height);
}

void FcDsImage::SetCorners(const FcPoint2d& insertion, int width, int height) {
  const FcPoint2d along{width * u_.x, width * u_.y};
  const FcPoint2d up{height * v_.x, height * v_.y};
  corners_[0] = insertion;
  corners_[1] = {insertion.x + along.x, insertion.y + along.y};
  corners_[2] = {corners_[1].x + up.x, corners_[1].y + up.y};
  corners_[3] = {insertion.x + up.x, insertion.y + up.y};
  SetFrame();
  extentsValid = false;
}

void FcDsImage::SetFrame() {
  if (clip_.empty()) {
    frame_.SetPointArray(corners_, 4);
    frame_.AddPoint(corners_[0]);
    return;
  }
  const std::vector<FcPoint2d> boundary = ClipInWorld();
  frame_.SetPointArray(boundary.data(), static_cast<int>(boundary.size()));
  const bool closed = boundary.front().x == boundary.back().x && boundary.front().y == boundary.back().y;
  if (!closed) frame_.AddPoint(boundary.front());
}

std::vector<FcPoint2d> FcDsImage::ClipInWorld() const {
  std::vector<FcPoint2d> world;
  world.reserve(clip_.size());
  for (const FcPoint2d& p : clip_) {
    world.push_back({corners_[0].x + p.x * u_.x + p.y * v_.x, corners_[0].y + p.x * u_.y + p.y * v_.y});
  }
  return world;
}

void FcDsImage::SetTransparent(bool transparent) {
  transparent_ = transparent;
  deviceCacheValid = false;
}

void FcDsImage::SetClipBoundary(std::span<const FcPoint2d> boundary) {
  clip_.clear();
  if (boundary.size() >= 3) clip_.assign(boundary.begin(), boundary.end());
  SetFrame();
  deviceCacheValid = false;
}

void FcDsImage::ReleaseBitmap() {
  bitmap_.reset();
  outline_.clear();
  outline_.shrink_to_fit();
  bitmapWidth_ = 0;
  bitmapHeight_ = 0;
}

void FcDsImage::Transform(const FcMatrix2d& matrix) {
  for (FcPoint2d& corner : corners_) TransformPoint(matrix, corner);
  u_ = TransformVector(matrix, u_);
  v_ = TransformVector(matrix, v_);
  frame_.Transform(matrix);
  deviceCacheValid = false;
  extentsValid = false;
}

void FcDsImage::GetExtents(FcPoint2d& min, FcPoint2d& max) {
  if (!extentsValid) CacheExtentsOf({corners_, corners_ + 4});
  GetCachedExtents(min, max);
}

bool FcDsImage::ClipOutline(const FcDisplaySurface& surface) {
  if (!clip_.empty()) return surface.GetView()->ClipPolygonToDevice(ClipInWorld(), outline_) && !outline_.empty();
  return surface.GetView()->ClipPolygonToDevice(corners_, outline_) && !outline_.empty();
}

bool FcDsImage::DeviceToPictureMatrix(const FcDisplaySurface& surface, FcMatrix2d& out) const {
  const FcMatrix2d image{u_.x, v_.x, corners_[0].x, u_.y, v_.y, corners_[0].y};
  FcMatrix2d worldToPicture;
  if (!InvertMatrix(image, worldToPicture)) return false;
  out = surface.GetView()->inverse;
  MultiplyMatrix(out, worldToPicture);
  return true;
}

void FcDsImage::DrawBitmapClipped(FcDisplayDevice& device, bool rotated) const {
  const auto count = static_cast<std::int32_t>(outline_.size());
  device.PushClipPolyPolygon(outline_.data(), &count, 1);
  if (rotated) {
    device.DrawBitmapRotated(bitmapX_, bitmapY_, bitmapWidth_, bitmapHeight_, bitmap_.get());
  } else {
    device.DrawBitmap(bitmapX_, bitmapY_, bitmapWidth_, bitmapHeight_, bitmap_.get());
  }
  device.PopClip();
}

std::unique_ptr<FcBitmap> FcDsImage::Resample(const FcMatrix2d& m, FcColorRef background) {
  const BitmapPlace place = BoundsOf(outline_);
  bitmapX_ = place.x;
  bitmapY_ = place.y;
  bitmapWidth_ = place.width;
  bitmapHeight_ = place.height;
  int bitCount = 0;
  int stride = 0;
  const std::uint8_t* bits = picture_->GetBits(&bitCount, &stride);
  if (bits == nullptr || bitCount != 24 || bitmapWidth_ <= 0 || bitmapHeight_ <= 0) return nullptr;
  auto bitmap = std::make_unique<FcBitmap>();
  bitmap->CreateScreenBitmap(bitmapWidth_, bitmapHeight_);
  if (bitmap->IsEmpty()) return nullptr;
  // The boundary may reach past the picture: what lies outside either
  // paints nothing, whatever the device does with the outline.
  if (!clip_.empty()) bitmap->Fill(kClearPixel);
  const bool adjust = brightness_ != 50 || contrast_ != 50 || fade_ != 0;
  const int backgroundChannels[3] = {static_cast<int>((background >> 16) & 0xFF),
                                     static_cast<int>((background >> 8) & 0xFF), static_cast<int>(background & 0xFF)};
  for (int row = bitmapHeight_ - 1; row >= 0; --row) {
    const int y = bitmapY_ + row;
    bool hit = false;
    for (int column = 0; column < bitmapWidth_; ++column) {
      double s = 0.0;
      double t = 0.0;
      TransformXY(bitmapX_ + column, y, m, &s, &t);
      const bool inside = s >= 0.0 && t >= 0.0 && s < pictureWidth_ && t < pictureHeight_;
      const long i = inside ? std::lround(s) : 0;
      const long j = inside ? std::lround(t) : 0;
      if (!inside || i >= pictureWidth_ || j >= pictureHeight_) {
        if (hit) break;
        continue;
      }
      hit = true;
      // A boundary may be concave: a miss does not end the row.
      if (!clip_.empty() && PointInPolygon({s, t}, clip_) < 0) continue;
      const std::uint8_t* pixel = bits + static_cast<std::ptrdiff_t>(j) * stride + i * 3;
      if (transparent_ && pixel[0] == 0xFF && pixel[1] == 0xFF && pixel[2] == 0xFF) {
        bitmap->SetPixel(column, row, kClearPixel);
        continue;
      }
      std::uint8_t bgr[3] = {pixel[0], pixel[1], pixel[2]};
      if (adjust) {
        for (int k = 0; k < 3; ++k) {
          bgr[k] = AdjustImageChannel(bgr[k], brightness_, contrast_, fade_, backgroundChannels[k]);
        }
      }
      bitmap->SetPixel(column, row, MakeColorRef(bgr[2], bgr[1], bgr[0]));
    }
  }
  return bitmap;
}

void FcDsImage::Draw(FcDisplaySurface& surface) {
  if (!CanDraw(surface)) return;
  FcDisplayDevice& device = *surface.GetDevice();
  if (bitmap_ != nullptr && CacheUsable(surface)) {
    if (drawn) DrawBitmapClipped(device, false);
    DrawFrame(surface, false);
    return;
  }
  ReleaseBitmap();
  drawn = false;
  frameDrawn_ = false;
  if (PlaceInView(surface) == Placement::kOutside || !ClipOutline(surface)) return;
  deviceCacheValid = false;
  FcMatrix2d deviceToPicture;
  if (picture_ != nullptr && surface.interactiveMode != 1 && DeviceToPictureMatrix(surface, deviceToPicture)) {
    bitmap_ = Resample(deviceToPicture, BackgroundOf(device));
    if (bitmap_ != nullptr) {
      DrawBitmapClipped(device, false);
      deviceCacheValid = true;
    }
  }
  DrawFrame(surface, false);
  drawn = true;
}

void FcDsImage::DrawRotated(FcDisplaySurface& surface) {
  if (!CanDraw(surface)) return;
  FcDisplayDevice& device = *surface.GetDevice();
  drawn = false;
  ReleaseBitmap();
  if (PlaceInView(surface) == Placement::kOutside || !ClipOutline(surface)) return;
  deviceCacheValid = false;
  const FcMatrix2d rotation = PrintRotation(device);
  for (FcDevicePoint& p : outline_) {
    double x = 0.0;
    double y = 0.0;
    TransformXY(p.x, p.y, rotation, &x, &y);
    p = {RoundToDevice(x), RoundToDevice(y)};
  }
  FcMatrix2d deviceToPicture;
  FcMatrix2d unrotate;
  if (picture_ != nullptr && DeviceToPictureMatrix(surface, deviceToPicture) && InvertMatrix(rotation, unrotate)) {
    MultiplyMatrix(unrotate, deviceToPicture);
    bitmap_ = Resample(unrotate, BackgroundOf(device));
    if (bitmap_ != nullptr) DrawBitmapClipped(device, true);
  }
  ReleaseBitmap();
  DrawFrame(surface, true);
  drawn = true;
}

void FcDsImage::DrawFrame(FcDisplaySurface& surface, bool rotated) {
  const FcGraph* graph = surface.GetOwner();
  const FcRasterVariables* variables = graph != nullptr ? FindRasterVariables(*graph) : nullptr;
  if (variables != nullptr && variables->GetImageFrame() == 0) {
    frameDrawn_ = false;
    return;
  }
  frame_.colorIndex = colorIndex;
  frame_.trueColor = trueColor;
  frame_.visible = visible;
  frame_.InvalidateDeviceCache();
  if (rotated) {
    frame_.DrawRotated(surface);
  } else {
    frame_.Draw(surface);
  }
  frameDrawn_ = true;
}

bool FcDsImage::InsideWindow(const FcPoint2d& min, const FcPoint2d& max) {
  partTag = 0;
  if (!drawn || !frameDrawn_) return false;
  FcPoint2d low;
  FcPoint2d high;
  GetExtents(low, high);
  return BoxInsideBox(low, high, min, max);
}

bool FcDsImage::CrossesWindow(const FcPoint2d& min, const FcPoint2d& max) {
  if (!drawn || !frameDrawn_) return false;
  partTag = 0;
  FcPoint2d low;
  FcPoint2d high;
  GetExtents(low, high);
  if (BoxInsideBox(low, high, min, max)) {
    partTag = 1;
    return true;
  }
  if (!BoxesOverlap(low, high, min, max)) return false;
  for (int edge = 0; edge < 4; ++edge) {
    if (SegmentMeetsRect(corners_[edge], corners_[(edge + 1) % 4], min, max)) {
      partTag = edge + 1;
      return true;
    }
  }
  if (picture_ == nullptr) return false;
  const FcPoint2d boxCorners[4] = {min, max, {min.x, max.y}, {max.x, min.y}};
  for (const FcPoint2d& corner : boxCorners) {
    if (PointInPolygon(corner, corners_) >= 0) return true;
  }
  return false;
}

void AddImageToSurface(FcDisplaySurface* surface, const FcSinkImage& image, FcHandle handle, int partTag) {
  if (surface == nullptr) return;
  auto primitive = std::make_unique<FcDsImage>(handle, partTag);
  FcPoint2d point = image.insertion;
  TransformPoint(surface->insertMatrix, point);
  primitive->SetImage(image.picture, point, TransformVector(surface->insertMatrix, image.u),
                      TransformVector(surface->insertMatrix, image.v), image.width, image.height, image.brightness,
                      image.contrast, image.fade);
  primitive->SetTransparent(image.transparent);
  primitive->SetClipBoundary(image.clipBoundary);
  EmitPrimitive(surface, std::move(primitive));
}
