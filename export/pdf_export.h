#pragma once

#include <memory>

#include "export/export_device.h"

class CPDF;
class CPDFStream;

// A one-page PDF 1.2 file: the exported area in points with a margin of 15
// points on every side. The page's content grows in memory while the
// primitives draw and the document is written by EndPaint. Runs of MoveTo
// and LineTo form one path that is stroked when another call comes.
class FcPDFExportDevice : public FcExportDevice {
 public:
  FcPDFExportDevice();
  ~FcPDFExportDevice() override;

  void BeginPaint(const FcPaintTarget& target, int reserved) override;
  void SetPixel(int x, int y) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Polyline(const FcDevicePoint* points, int count) override;
  // Closed, filled with the non-zero rule and stroked.
  void Polygon(const FcDevicePoint* points, int count) override;
  // Filled with the even-odd rule and stroked.
  void PolyPolygon(const FcDevicePoint* points, const std::int32_t* ringCounts, int ringCount) override;
  // Written at every call, also when the colour has not changed.
  void SetColor(FcColorRef rgb) override;
  void EndPaint() override;

 protected:
  int CoordinateDecimals() const override { return 2; }

 private:
  void Append(const std::string& text);
  // Strokes the open path.
  void EndOpenPath();
  // "x y m " of a point in points, the offsets added.
  void AppendMoveTo(std::string& text, const FcPoint2d& point) const;
  void AppendLineTo(std::string& text, const FcPoint2d& point) const;
  // The move-to of the first point (repeated as a line-to when asked) and
  // line-tos of the others that write other numbers than the point before.
  void AppendRun(std::string& text, const FcDevicePoint* points, int count, bool repeatFirst = false) const;

  std::unique_ptr<CPDF> document_;
  double offsetX_ = 0.0;
  double offsetY_ = 0.0;
  // Points, without the offsets.
  FcPoint2d current_;
  bool movePending_ = false;
  bool pathOpen_ = false;
  // Owned by the document.
  CPDFStream* content_ = nullptr;
};
