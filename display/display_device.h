#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/point2d.h"
#include "display/device_point.h"

class CDib;
class FcBitmap;
class FcDisplaySurface;
class FcDragObject;
class FcGraph;
// A platform drawing target (a window or a printer page). Only the screen
// device knows what it is; the drawing side passes it through untouched.
class FcDeviceContext;

// Colours are RGB values with red in the low byte, green in the second and
// blue in the third.
using FcColorRef = std::uint32_t;

inline constexpr FcColorRef MakeColorRef(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return FcColorRef{red} | (FcColorRef{green} << 8) | (FcColorRef{blue} << 16);
}

// What a drawing pass draws on: the screen device takes the context (null
// draws into its back buffer alone); the export devices take the path of
// the file they write.
struct FcPaintTarget {
  FcDeviceContext* context = nullptr;
  std::string path;
};

// The drawing device of the display: primitives, the display surface, the
// rubber-band previews and the grips draw only through it. Coordinates are
// device units with y upward; angles are radians counterclockwise.
//
// Calling orders every device can rely on:
//  - screen redraw: BeginPaint, for every group SetPen/SetColor/SetLineWidth
//    and the drawing operations (images as PushClipPolyPolygon, DrawBitmap,
//    PopClip), highlighted groups between BeginHighlight and EndHighlight,
//    the temporary group between BeginXor and EndXor, DrawGrid, DrawUcsIcon,
//    EndPaint; then Present from the window's paint handler;
//  - printing: background index 7 and white background RGB stored, then
//    BeginPrint, the rotated operations, EndPrint;
//  - preview pictures: Lock, Resize, BeginDrawOn, the groups, EndDrawOn,
//    CopyToDib, Resize back, Unlock;
//  - export: BeginPaint with the file path, the groups, EndPaint.
// Drawing operations are only called inside a pass; the clip stack is empty
// at the start of a pass and every push is popped in the same pass.
//
// BeginPaint, BeginPrint and Present take the device's re-entrant lock and
// EndPaint and EndPrint release it; Lock and Unlock take and release the
// same lock around sequences of calls. BeginDrawOn and EndDrawOn neither
// take nor release it.
class FcDisplayDevice {
 public:
  FcDisplayDevice() = default;
  FcDisplayDevice(const FcDisplayDevice&) = delete;
  FcDisplayDevice& operator=(const FcDisplayDevice&) = delete;
  virtual ~FcDisplayDevice() = default;

  // Width and height, then the other's line width and colour through
  // SetLineWidth and SetColor, then the colour mode (so that SetColor still
  // applies this device's old mode).
  void CopyState(const FcDisplayDevice& other);
  // False when the last pass could not put its whole output in place (an
  // export file that could not be written); a screen never fails.
  virtual bool Succeeded() const { return true; }
  // The distance in device units between a curve and its chords that the
  // output cannot show at all; 0 when the device has no such limit of its
  // own (a screen or printer shows every pixel).
  virtual double UnseenChordHeight() const { return 0.0; }

  // True when Circle and Arc write true curves: the display list then hands
  // the device the circles and arcs that show whole, instead of their
  // chords. Every other device gets chords.
  virtual bool DrawsCurves() const { return false; }

  // An export device that can draw one pass in contiguous slices of the
  // display list, each slice on a thread of its own, gives here a device
  // for one slice: it starts as this device stands after BeginPaint, takes
  // the drawing calls of its slice and then EndPaint, all on the slice's
  // thread. TakeSlice, called on the pass's thread for every slice in
  // order, joins a slice's output to this device's as if this device had
  // drawn it. Slices are cut between groups, and every primitive starts
  // with its colour, so a slice never continues a path of the one before.
  // Null (the default) draws the pass in one piece.
  virtual std::unique_ptr<FcDisplayDevice> MakeSliceDevice() { return nullptr; }
  virtual void TakeSlice(FcDisplayDevice& slice) { (void)slice; }

  // Recomputes the cross-hair arm from the cursor-size setting and the
  // device size; the argument is not used.
  virtual void UpdateCursorSize(int unused) = 0;
  // Starts a drawing pass; the low byte of erase asks the screen device to
  // clear its back buffer to the background colour.
  virtual void BeginPaint(const FcPaintTarget& target, int erase) = 0;
  // Starts a printing pass drawn through the rotated operations.
  virtual void BeginPrint(FcDeviceContext* printer, int offsetX, int offsetY, int quarterTurns) = 0;
  // One grip box centred on (x, y) in the current colour.
  virtual void DrawGrip(int x, int y, bool hot) = 0;
  virtual void Circle(int centreX, int centreY, int radius) = 0;
  // Counterclockwise from the start angle to the end angle.
  virtual void Arc(int centreX, int centreY, int radius, double startAngle, double endAngle) = 0;
  virtual void PushClipRect(FcDevicePoint corner, FcDevicePoint opposite) = 0;
  virtual void PushClipPolyPolygon(const FcDevicePoint* points, const std::int32_t* ringCounts,
                                   int ringCount) = 0;
  // Nothing when no clip state is saved.
  virtual void PopClip() = 0;
  virtual void SetPixel(int x, int y) = 0;
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;
  virtual void Polyline(const FcDevicePoint* points, int count) = 0;
  // Closed and filled with the current colour.
  virtual void Polygon(const FcDevicePoint* points, int count) = 0;
  // The rings filled together with the even-odd rule.
  virtual void PolyPolygon(const FcDevicePoint* points, const std::int32_t* ringCounts, int ringCount) = 0;
  // Copies width x height pixels from the bitmap's origin to (x, y).
  virtual void DrawBitmap(int x, int y, int width, int height, const FcBitmap* bitmap) = 0;
  // The rotated operations turn every point by the print quarter turns and
  // add the print offset; the point arrays are changed in place.
  virtual void SetPixelRotated(int x, int y) = 0;
  virtual void MoveToRotated(int x, int y) = 0;
  virtual void LineToRotated(int x, int y) = 0;
  virtual void PolylineRotated(FcDevicePoint* points, int count) = 0;
  virtual void PolygonRotated(FcDevicePoint* points, int count) = 0;
  virtual void PolyPolygonRotated(FcDevicePoint* points, const std::int32_t* ringCounts, int ringCount) = 0;
  virtual void DrawBitmapRotated(int x, int y, int width, int height, const FcBitmap* bitmap) = 0;
  // Makes the colour current for pens, fills and pixels, after the colour
  // mode.
  virtual void SetColor(FcColorRef color) = 0;
  // Selects a plotter pen (a colour index); only plotters use it.
  virtual void SetPen(int pen);
  // Negative widths are taken as 0.
  virtual void SetLineWidth(int width) = 0;
  virtual void BeginHighlight() = 0;
  virtual void EndHighlight() = 0;
  // Inverting raster operation: drawing twice erases.
  virtual void BeginXor() = 0;
  virtual void EndXor() = 0;
  virtual bool IsXorMode() const = 0;
  virtual void DrawGrid(FcGraph* drawing, FcDisplaySurface* surface) = 0;
  virtual void DrawUcsIcon(FcGraph* drawing, FcDisplaySurface* surface) = 0;
  virtual void EndPaint() = 0;
  virtual void EndPrint() = 0;
  // Copies the back buffer to the target at (x, y) and paints the overlay
  // over the copy: the surface's preview group and the snap marker, and
  // the cursor, its rubber band and the cursor drag object when the low
  // byte of overlay is set. The back buffer never holds the overlay.
  virtual void Present(FcDeviceContext* target, int x, int y, FcGraph* drawing, FcDisplaySurface* surface,
                       int overlay) = 0;
  // Ignored when either size is not positive or both are unchanged.
  virtual void Resize(int width, int height) = 0;
  virtual void CopyToDib(CDib& dib) = 0;
  virtual void Lock() = 0;
  virtual void Unlock() = 0;
  // A pass into the back buffer under a lock the caller holds; always clears.
  virtual void BeginDrawOn(FcDeviceContext* context) = 0;
  virtual void EndDrawOn() = 0;

  std::int32_t width = 800;
  std::int32_t height = 600;
  // 0 is the thinnest pen.
  std::int32_t lineWidth = 0;
  FcColorRef color = 0xFFFFFF;
  // Used when the background index is negative.
  FcColorRef backgroundRgb = 0;
  // Index into the 256-entry colour table; negative selects backgroundRgb.
  std::int16_t backgroundIndex = 7;
  std::int32_t cursorX = 400;
  std::int32_t cursorY = 300;
  // The cursor in world coordinates, handed to the drag preview.
  FcPoint2d cursorPoint;
  // Length in pixels of each of the four cross-hair arms.
  std::int32_t crossHairArm = 0;
  FcColorRef cursorColor = 0;
  // 1 cross-hair with pick box, 2 pick box only, 3 cross-hair with aperture.
  std::int32_t cursorKind = 1;
  // 0 full colour, 1 grey (luminance), 2 monochrome (everything black).
  std::int32_t colorMode = 0;
  bool highlighting = false;
  bool printing = false;
  std::int32_t printOffsetX = 0;
  std::int32_t printOffsetY = 0;
  // 0 to 3.
  std::int32_t printQuarterTurns = 0;
  // 0 none, 1 line, 2 dotted line, 3 rectangle, 4 selection window (solid
  // when the cursor is right of the anchor, dotted otherwise), 5 dotted
  // rectangle.
  std::int32_t bandStyle = 0;
  std::int32_t bandAnchorX = 0;
  std::int32_t bandAnchorY = 0;
  std::int32_t snapMarkerX = 0;
  std::int32_t snapMarkerY = 0;
  // One object-snap mode bit; 0 for no marker.
  std::int32_t snapMarkerKind = 0;
  // Owned by the command that set it; the device never deletes it.
  FcDragObject* dragPreview = nullptr;
};
