#pragma once

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "display/display_device.h"

// A platform drawing target: a painter already active on a window, an
// image or a printer page. The screen device paints with it and never ends
// it.
class FcDeviceContext {
 public:
  explicit FcDeviceContext(QPainter& painter) : painter_(&painter) {}
  QPainter& Painter() const { return *painter_; }

 private:
  QPainter* painter_;
};

// The device that draws pixels: passes draw into an off-screen back buffer
// (a 32-bit RGB image) that Present copies to the window; printing passes
// draw straight on a printer's painter through the rotated operations.
//
// Device point (x, y) is the pixel in column x and row height - y of the
// target (ToPixel). Lines include both end pixels and a line of length zero
// sets its one pixel; polygons are outlined with the pen and filled with
// the brush (even-odd rule); a dotted pen draws one pixel and leaves the
// next.
//
// The device lock is a recursive mutex: BeginPaint, BeginPrint and Present
// take it, EndPaint, EndPrint and the end of Present release it; Lock and
// Unlock bracket longer sequences. Resize takes it too, so that a window
// resize never replaces the buffer under another thread's pass.
class FcMFCDisplayDevice : public FcDisplayDevice {
 public:
  FcMFCDisplayDevice();
  ~FcMFCDisplayDevice() override;

  void UpdateCursorSize(int unused) override;
  void BeginPaint(const FcPaintTarget& target, int erase) override;
  void BeginPrint(FcDeviceContext* printer, int offsetX, int offsetY, int quarterTurns) override;
  void DrawGrip(int x, int y, bool hot) override;
  void Circle(int centreX, int centreY, int radius) override;
  void Arc(int centreX, int centreY, int radius, double startAngle, double endAngle) override;
  void PushClipRect(FcDevicePoint corner, FcDevicePoint opposite) override;
  void PushClipPolyPolygon(const FcDevicePoint* points, const std::int32_t* ringCounts, int ringCount) override;
  void PopClip() override;
  void SetPixel(int x, int y) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Polyline(const FcDevicePoint* points, int count) override;
  void Polygon(const FcDevicePoint* points, int count) override;
  void PolyPolygon(const FcDevicePoint* points, const std::int32_t* ringCounts, int ringCount) override;
  // Bitmap pixel (i, j) lands on device point (x + i, y + j).
  void DrawBitmap(int x, int y, int width, int height, const FcBitmap* bitmap) override;
  void SetPixelRotated(int x, int y) override;
  void MoveToRotated(int x, int y) override;
  void LineToRotated(int x, int y) override;
  void PolylineRotated(FcDevicePoint* points, int count) override;
  void PolygonRotated(FcDevicePoint* points, int count) override;
  void PolyPolygonRotated(FcDevicePoint* points, const std::int32_t* ringCounts, int ringCount) override;
  void DrawBitmapRotated(int x, int y, int width, int height, const FcBitmap* bitmap) override;
  void SetColor(FcColorRef color) override;
  void SetLineWidth(int width) override;
  void BeginHighlight() override;
  void EndHighlight() override;
  void BeginXor() override;
  void EndXor() override;
  bool IsXorMode() const override;
  void DrawGrid(FcGraph* drawing, FcDisplaySurface* surface) override;
  void DrawUcsIcon(FcGraph* drawing, FcDisplaySurface* surface) override;
  void EndPaint() override;
  void EndPrint() override;
  // Copies the back buffer into the target's painter with its top-left
  // corner at (x, y) of the target's own coordinates, then paints the
  // overlay over the copy: the surface's preview group, the snap marker
  // and, with the overlay flag, the cursor, the rubber band and the cursor
  // drag object.
  void Present(FcDeviceContext* target, int x, int y, FcGraph* drawing, FcDisplaySurface* surface,
               int overlay) override;
  void Resize(int width, int height) override;
  void CopyToDib(CDib& dib) override;
  void Lock() override;
  void Unlock() override;
  void BeginDrawOn(FcDeviceContext* context) override;
  void EndDrawOn() override;

  // The overlay, drawn on the current target in colours that stand out
  // from the background (screen_device_overlay.cpp).
  void DrawPreviewGroup(FcDisplaySurface* surface);
  void DrawSnapMarker();
  void DrawCursor(FcGraph* drawing, FcDisplaySurface* surface);

  const QImage& BackBuffer() const { return backBuffer_; }
  // The colour-table entry of the background index, or the background RGB
  // when the index is negative.
  FcColorRef BackgroundColor() const;

 private:
  // Starts a pass on the back buffer; the lock is the caller's business.
  void BeginBufferPass(bool erase);
  // Makes the painter the current target of the calling thread.
  void SetTarget(QPainter* painter);
  // Ends any pass; true when it was the outermost one.
  bool EndPass();
  // Width 0, the colour, solid pen and brush, no highlighting.
  void ResetPenAndBrush(FcColorRef startColor);
  void SelectPenAndBrush();
  void PaintPatternBackground();
  void PaintPatternColor();
  QPoint ToPixel(int x, int y) const;
  std::vector<QPoint> ToPixels(const FcDevicePoint* points, int count) const;
  FcDevicePoint Rotated(int x, int y) const;
  void DrawLineFromLast(int x, int y);
  void SetTargetPixel(int x, int y, FcColorRef color);
  // Selects the pen (the caller puts the old one back) and draws the open
  // polylines with it.
  void StrokePolylines(const std::vector<std::vector<FcDevicePoint>>& polylines, const QPen& pen);

  std::recursive_mutex lock_;
  int lastX_ = 0;
  int lastY_ = 0;
  QImage backBuffer_;
  QPainter bufferPainter_;
  // The painter of the current pass; null outside a pass. IsXorMode may be
  // asked from any thread: only the thread that set the target reads it.
  QPainter* target_ = nullptr;
  std::atomic<std::thread::id> targetOwner_;
  // The overlay is being painted by Present.
  bool overlayPainting_ = false;
  // Nested passes of the thread that holds the lock.
  int passDepth_ = 0;
  // One painter save per clip push.
  int clipDepth_ = 0;
  QPainter::CompositionMode savedMode_ = QPainter::CompositionMode_SourceOver;
  // 4 x 4 pixels: six in the colour, ten in the background.
  QImage pattern_;
};

// A screen device for a display surface; installed as the surface's device
// factory by the window side.
std::unique_ptr<FcDisplayDevice> MakeScreenDevice();
