#pragma once

#include <memory>
#include <optional>
#include <string>

#include "export/parallel_gzip.h"
#include "export/export_device.h"

// The SVG keyword of the colour when one has exactly its value, else
// "RGB(r,g,b)".
std::string SvgColorKeyword(FcColorRef rgb);

// An SVG document, or with `compressed` set the same document gzip-compressed
// (".svgz"). The document goes to the file in pieces while it is drawn and
// the file takes the target's place at EndPaint. Runs
// of MoveTo and LineTo in one colour share one path element; polylines,
// polygons (closed, filled and outlined), poly-polygons and pixels are
// elements of their own. y is flipped so that it grows downward
// from the top of the exported area.
class FcSVGExportDevice : public FcExportDevice {
 public:
  void BeginPaint(const FcPaintTarget& target, int reserved) override;
  void SetPixel(int x, int y) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Polyline(const FcDevicePoint* points, int count) override;
  void Polygon(const FcDevicePoint* points, int count) override;
  void PolyPolygon(const FcDevicePoint* points, const std::int32_t* ringCounts, int ringCount) override;
  // Elliptical-arc commands on a circle, a path element of their own.
  bool DrawsCurves() const override { return true; }
  void SetColor(FcColorRef rgb) override;
  void EndPaint() override;

  bool compressed = false;

 protected:
  void WriteCurve(int centreX, int centreY, int radius, double startAngle, double sweep) override;
  int CoordinateDecimals() const override { return 2; }

 private:
  // Closes the open path element.
  void FlushPath();
  // Writes (or compresses) the document text so far to the file.
  void FlushDocument();
  void FlushIfLarge();
  // "x y" of the device point in user units.
  void AppendPoint(std::string& text, double x, double y) const;
  // "M" the first point, "L" and the others separated by blanks.
  void AppendRun(std::string& text, const FcDevicePoint* points, int count) const;
  // Ends a stroked path element.
  std::string StrokeAttributes() const;

  // The text not yet written.
  std::string document_;
  bool outputOpen_ = false;
  // For a compressed document: one gzip member, compressed on several
  // threads while the drawing goes on.
  std::unique_ptr<FcParallelGzip> gzip_;
  // Subpaths in the open path element; 0 when none is open.
  int subpathCount_ = 0;
  // Device units.
  double currentX_ = 0.0;
  double currentY_ = 0.0;
  bool movePending_ = false;
  bool drawing_ = false;
  std::string colorKeyword_ = "black";
  std::optional<FcColorRef> currentColor_;
  std::string strokeWidth_ = "0.2";
};
