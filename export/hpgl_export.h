#pragma once

#include <vector>

#include "export/export_device.h"

// An HP-GL/2 plotter file. Pens follow the primitives' colour indexes
// (SetPen); RGB colours are not used. Coordinates are plotter user units:
// the header scales the exported area to width/1000 by height/1000,
// isotropically.
class FcHPGLExportDevice : public FcExportDevice {
 public:
  void BeginPaint(const FcPaintTarget& target, int reserved) override;
  void SetPixel(int x, int y) override;
  void MoveTo(int x, int y) override;
  // Every point is kept, also one equal to the previous.
  void LineTo(int x, int y) override;
  void Polyline(const FcDevicePoint* points, int count) override;
  // Filled, unless the current pen is negative (a true colour).
  void Polygon(const FcDevicePoint* points, int count) override;
  void PolyPolygon(const FcDevicePoint* points, const std::int32_t* ringCounts, int ringCount) override;
  void SetColor(FcColorRef) override {}
  // A negative pen selects nothing and switches single-polygon filling off.
  void SetPen(int pen) override;
  void EndPaint() override;

 private:
  void FlushPath();

  std::vector<FcPoint2d> pendingPath_;
  bool polygonFill_ = true;
};
