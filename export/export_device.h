#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/point2d.h"
#include "display/display_device.h"
#include "export/export_file.h"

// Numbers in export files, independent of the locale. AppendFixed gives the
// fixed-point form with the decimals ("%.3f"); AppendTrimmed then drops
// trailing zeros and a point left at the end: with two decimals 12.5 gives
// "12.5", 3.0 gives "3" and -0.001 gives "-0".
void AppendFixed(std::string& text, double value, int decimals);
void AppendTrimmed(std::string& text, double value, int decimals);
std::string FormatTrimmed(double value, int decimals);

// The common base of the file devices. Everything a file cannot express
// (cursor, grid, clipping, bitmaps, inverting, highlighting, line widths,
// printing, locking) does nothing. Coordinates arrive as device units with
// y upward and are divided by the scale into the format's own unit.
class FcExportDevice : public FcDisplayDevice {
 public:
  void UpdateCursorSize(int) override {}
  void BeginPrint(FcDeviceContext*, int, int, int) override {}
  void DrawGrip(int, int, bool) override {}
  // Through WriteCurve, which devices that draw curves override.
  void Circle(int centreX, int centreY, int radius) override;
  void Arc(int centreX, int centreY, int radius, double startAngle, double endAngle) override;
  void PushClipRect(FcDevicePoint, FcDevicePoint) override {}
  void PushClipPolyPolygon(const FcDevicePoint*, const std::int32_t*, int) override {}
  void PopClip() override {}
  void DrawBitmap(int, int, int, int, const FcBitmap*) override {}
  void SetPixelRotated(int, int) override {}
  void MoveToRotated(int, int) override {}
  void LineToRotated(int, int) override {}
  void PolylineRotated(FcDevicePoint*, int) override {}
  void PolygonRotated(FcDevicePoint*, int) override {}
  void PolyPolygonRotated(FcDevicePoint*, const std::int32_t*, int) override {}
  void DrawBitmapRotated(int, int, int, int, const FcBitmap*) override {}
  void SetLineWidth(int) override {}
  void BeginHighlight() override {}
  void EndHighlight() override {}
  void BeginXor() override {}
  void EndXor() override {}
  bool IsXorMode() const override { return false; }
  void DrawGrid(FcGraph*, FcDisplaySurface*) override {}
  void DrawUcsIcon(FcGraph*, FcDisplaySurface*) override {}
  void EndPrint() override {}
  void Present(FcDeviceContext*, int, int, FcGraph*, FcDisplaySurface*, int) override {}
  void Resize(int, int) override {}
  void CopyToDib(CDib&) override {}
  void Lock() override {}
  void Unlock() override {}
  void BeginDrawOn(FcDeviceContext*) override {}
  void EndDrawOn() override {}

  // The device point in output units.
  FcPoint2d Scaled(int x, int y) const { return {x / scale, y / scale}; }
  FcPoint2d Scaled(const FcDevicePoint& point) const { return Scaled(point.x, point.y); }

  // True once EndPaint has put the whole file in place; an export whose
  // file could not be created or written reports false.
  bool Succeeded() const override { return succeeded_; }
  // Half a unit of the last decimal written: a curve tessellated finer
  // than that writes the same numbers with more points.
  double UnseenChordHeight() const override;

  // Set by BeginPaint.
  std::string outputPath;
  // The export dialog's choice (0 the format's unit, 1 inches, 2
  // millimetres); no output depends on it.
  std::int16_t unitsCode = 0;
  // Device units per output unit.
  double scale = 1000.0;

 protected:
  // A circle (a sweep of a whole turn) or an arc, counterclockwise from the
  // start angle when the sweep is positive; nothing by default.
  virtual void WriteCurve(int centreX, int centreY, int radius, double startAngle, double sweep) {
    (void)centreX, (void)centreY, (void)radius, (void)startAngle, (void)sweep;
  }
  // The decimals of the output unit that the format writes coordinates with.
  virtual int CoordinateDecimals() const { return 3; }
  bool OpenOutput() { return output_.Open(outputPath); }
  void Write(std::string_view bytes) { output_.Write(bytes); }
  FcExportFile& Output() { return output_; }
  void FinishOutput() { succeeded_ = output_.Commit(); }

 private:
  FcExportFile output_;
  bool succeeded_ = false;
};

// Encapsulated PostScript. Runs of MoveTo and LineTo gather in a pending
// path that is stroked when another kind of call comes.
class FcEpsExportDevice : public FcExportDevice {
 public:
  void BeginPaint(const FcPaintTarget& target, int reserved) override;
  void SetPixel(int x, int y) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Polyline(const FcDevicePoint* points, int count) override;
  // Filled; the fill closes the outline.
  void Polygon(const FcDevicePoint* points, int count) override;
  void PolyPolygon(const FcDevicePoint* points, const std::int32_t* ringCounts, int ringCount) override;
  void SetColor(FcColorRef rgb) override;
  void EndPaint() override;

 private:
  // A point equal to the last pending one adds nothing.
  void AddPoint(const FcPoint2d& point);
  // Strokes the pending path when it has more than one point and empties it.
  void FlushPath();

  std::vector<FcPoint2d> pendingPath_;
  std::optional<FcColorRef> currentColor_;
};
