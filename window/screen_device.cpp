#include "window/screen_device.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <thread>

#include "display/color_table.h"
#include "imaging/dib.h"
#include "window/dib_bitmap.h"
#include "window/screen_device_colors.h"
#include "platform/program_settings.h"

// Passes, pens and brushes, the lock and the back buffer. The drawing
// operations are in screen_device_drawing.cpp, the overlay in
// screen_device_overlay.cpp, the grid and the UCS icon in
// screen_device_grid.cpp.

namespace {

constexpr FcColorRef kBlack = 0x000000;
constexpr FcColorRef kWhite = 0xFFFFFF;
// Larger buffers are refused rather than allocated: no screen is that big.
constexpr int kMaxBufferSide = 32767;

// Where the highlight pattern shows the colour; the other ten pixels show
// the background. (column, row), rows from the top.
constexpr int kPatternColorPixels[6][2] = {{0, 1}, {1, 0}, {1, 2}, {2, 3}, {3, 0}, {3, 2}};

}  // namespace

FcMFCDisplayDevice::FcMFCDisplayDevice()
    : backBuffer_(width, height, QImage::Format_RGB32), pattern_(4, 4, QImage::Format_RGB32) {}

FcMFCDisplayDevice::~FcMFCDisplayDevice() {
  if (bufferPainter_.isActive()) bufferPainter_.end();
}

FcColorRef FcMFCDisplayDevice::BackgroundColor() const {
  return backgroundIndex < 0 ? backgroundRgb : ColorIndexRgb(backgroundIndex);
}

void FcMFCDisplayDevice::Lock() { lock_.lock(); }

void FcMFCDisplayDevice::Unlock() { lock_.unlock(); }

void FcMFCDisplayDevice::BeginPaint(const FcPaintTarget&, int erase) {
  lock_.lock();
  if (passDepth_++ > 0) return;
  BeginBufferPass((erase & 0xFF) != 0);
}

void FcMFCDisplayDevice::BeginDrawOn(FcDeviceContext*) {
  if (passDepth_++ > 0) return;
  BeginBufferPass(true);
}

void FcMFCDisplayDevice::BeginBufferPass(bool erase) {
  PaintPatternBackground();
  SetTarget(nullptr);
  clipDepth_ = 0;
  if (!bufferPainter_.begin(&backBuffer_)) return;
  SetTarget(&bufferPainter_);
  if (erase) bufferPainter_.fillRect(backBuffer_.rect(), ToQColor(BackgroundColor()));
  // Not through SetColor: the colour mode does not apply here.
  ResetPenAndBrush(colorMode == 2 ? kBlack : kWhite);
}

void FcMFCDisplayDevice::BeginPrint(FcDeviceContext* printer, int offsetX, int offsetY, int quarterTurns) {
  lock_.lock();
  if (passDepth_++ > 0) return;
  printing = true;
  printOffsetX = offsetX;
  printOffsetY = offsetY;
  printQuarterTurns = quarterTurns;
  clipDepth_ = 0;
  SetTarget(printer != nullptr && printer->Painter().isActive() ? &printer->Painter() : nullptr);
  if (target_ != nullptr) target_->save();
  ResetPenAndBrush(kBlack);
}

bool FcMFCDisplayDevice::EndPass() {
  if (--passDepth_ > 0) return false;
  if (target_ != nullptr) {
    for (; clipDepth_ > 0; --clipDepth_) target_->restore();
    if (target_ == &bufferPainter_) {
      bufferPainter_.end();
    } else {
      // The printer's painter stays the caller's, as it was handed over.
      target_->restore();
    }
  }
  SetTarget(nullptr);
  clipDepth_ = 0;
  return true;
}

void FcMFCDisplayDevice::EndPaint() {
  if (passDepth_ == 0) return;
  EndPass();
  lock_.unlock();
}

void FcMFCDisplayDevice::EndDrawOn() {
  if (passDepth_ == 0) return;
  EndPass();
}

void FcMFCDisplayDevice::EndPrint() {
  if (passDepth_ == 0) return;
  if (EndPass()) printing = false;
  lock_.unlock();
}

void FcMFCDisplayDevice::ResetPenAndBrush(FcColorRef startColor) {
  lineWidth = 0;
  color = startColor;
  highlighting = false;
  SelectPenAndBrush();
}

void FcMFCDisplayDevice::SelectPenAndBrush() {
  if (target_ == nullptr) return;
  const QColor c = ToQColor(color);
  if (highlighting) {
    target_->setPen(DottedPen(c));
    PaintPatternColor();
    target_->setBrush(QBrush(pattern_));
    return;
  }
  target_->setPen(SolidPen(c, lineWidth));
  target_->setBrush(QBrush(c));
}

// The colour pixels are painted over whenever a highlight pen is made.
void FcMFCDisplayDevice::PaintPatternBackground() { pattern_.fill(ToQColor(BackgroundColor())); }

void FcMFCDisplayDevice::PaintPatternColor() {
  const QRgb c = ToQColor(color).rgb();
  for (const auto& pixel : kPatternColorPixels) pattern_.setPixel(pixel[0], pixel[1], c);
}

void FcMFCDisplayDevice::SetColor(FcColorRef rgb) {
  if (colorMode == 1) {
    const int l = ColorLuminance(rgb);
    rgb = MakeColorRef(static_cast<std::uint8_t>(l), static_cast<std::uint8_t>(l), static_cast<std::uint8_t>(l));
  } else if (colorMode == 2) {
    rgb = kBlack;
  }
  if (rgb == color) return;
  color = rgb;
  SelectPenAndBrush();
}

void FcMFCDisplayDevice::SetLineWidth(int width) {
  if (width == lineWidth) return;
  lineWidth = std::max(width, 0);
  if (highlighting || target_ == nullptr) return;
  target_->setPen(SolidPen(ToQColor(color), lineWidth));
}

void FcMFCDisplayDevice::BeginHighlight() {
  if (printing) return;
  highlighting = true;
  SelectPenAndBrush();
}

void FcMFCDisplayDevice::EndHighlight() {
  highlighting = false;
  SelectPenAndBrush();
}

void FcMFCDisplayDevice::BeginXor() {
  if (printing || target_ == nullptr) return;
  savedMode_ = target_->compositionMode();
  target_->setCompositionMode(XorMode(IsBrightColor(BackgroundColor())));
}

void FcMFCDisplayDevice::EndXor() {
  if (printing || target_ == nullptr) return;
  target_->setCompositionMode(savedMode_);
}

void FcMFCDisplayDevice::SetTarget(QPainter* painter) {
  target_ = painter;
  targetOwner_ = painter != nullptr ? std::this_thread::get_id() : std::thread::id();
}

bool FcMFCDisplayDevice::IsXorMode() const {
  // Another thread's pass is none of the caller's business (and its
  // painter may change under it).
  if (targetOwner_.load() != std::this_thread::get_id() || target_ == nullptr) return false;
  // The overlay stands where inverted drawing used to: rubber bands keep
  // its coarser curves.
  if (overlayPainting_) return true;
  const QPainter::CompositionMode mode = target_->compositionMode();
  return mode == XorMode(false) || mode == XorMode(true);
}

void FcMFCDisplayDevice::Present(FcDeviceContext* target, int x, int y, FcGraph* drawing, FcDisplaySurface* surface,
                                 int overlay) {
  std::lock_guard guard(lock_);
  if (target == nullptr || !target->Painter().isActive()) return;
  QPainter& out = target->Painter();
  const QPainter::CompositionMode mode = out.compositionMode();
  out.setCompositionMode(QPainter::CompositionMode_Source);
  out.drawImage(QPoint(x, y), backBuffer_);
  out.setCompositionMode(mode);
  // A pass of this thread is still open: the picture is shown as it is.
  if (passDepth_ > 0) return;
  // The overlay is painted on the copy alone: the back buffer never holds
  // it, so nothing has to be inverted back and any paint engine will do.
  out.save();
  out.translate(x, y);
  out.setClipRect(0, 0, width, height);
  SetTarget(&out);
  overlayPainting_ = true;
  DrawPreviewGroup(surface);
  DrawSnapMarker();
  if ((overlay & 0xFF) != 0) DrawCursor(drawing, surface);
  overlayPainting_ = false;
  SetTarget(nullptr);
  out.restore();
}

void FcMFCDisplayDevice::Resize(int newWidth, int newHeight) {
  if (newWidth <= 0 || newHeight <= 0 || newWidth > kMaxBufferSide || newHeight > kMaxBufferSide) return;
  std::lock_guard guard(lock_);
  if (newWidth == width && newHeight == height && backBuffer_.size() == QSize(newWidth, newHeight)) return;
  if (passDepth_ > 0) return;
  width = newWidth;
  height = newHeight;
  backBuffer_ = QImage(width, height, QImage::Format_RGB32);
  backBuffer_.fill(ToQColor(BackgroundColor()));
  UpdateCursorSize(0);
  cursorX = width / 2;
  cursorY = height / 2;
}

void FcMFCDisplayDevice::UpdateCursorSize(int) {
  const int size = GetProgramSettings().cursor_size;
  const double w = width;
  const double h = height;
  if (size == 100) {
    crossHairArm = static_cast<std::int32_t>(std::sqrt(w * w + h * h)) + 5;
    return;
  }
  crossHairArm = static_cast<std::int32_t>(std::max(w, h) * size * 0.005) + 3;
}

void FcMFCDisplayDevice::CopyToDib(CDib& dib) {
  std::lock_guard guard(lock_);
  CreateFromBitmap(dib, backBuffer_, nullptr);
}

std::unique_ptr<FcDisplayDevice> MakeScreenDevice() { return std::make_unique<FcMFCDisplayDevice>(); }
