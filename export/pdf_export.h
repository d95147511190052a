#pragma once

#include <memory>
#include <optional>
#include <string>

#include "export/deflate_blocks.h"
#include "export/export_device.h"

class CPDF;
class CPDFPage;
class CPDFStream;

// A one-page PDF 1.2 file: the exported area in points with a margin of 15
// points on every side. The page's content is compressed while the
// primitives draw and the document is written by EndPaint. Runs of MoveTo
// and LineTo form one path that is stroked when another call comes.
//
// A large export draws in slices on several threads (MakeSliceDevice):
// every slice compresses its part of the content, cut between operators
// into blocks of about a megabyte, into content streams of its own
// (FcDeflateBlocks: whole blocks at the fastest level, which would
// otherwise take most of the export's time), and the page lists the
// streams in order, so that their concatenation is the content one device
// would have written.
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
  // Cubic Bezier segments, as many as keep the curve within the unseen
  // chord height of the true circle; stroked like a polyline.
  bool DrawsCurves() const override { return true; }
  // Written at every call, also when the colour has not changed.
  void SetColor(FcColorRef rgb) override;
  void EndPaint() override;

  std::unique_ptr<FcDisplayDevice> MakeSliceDevice() override;
  void TakeSlice(FcDisplayDevice& slice) override;

 protected:
  void WriteCurve(int centreX, int centreY, int radius, double startAngle, double sweep) override;
  int CoordinateDecimals() const override { return 2; }

 private:
  // Where the operators go: the page's current content stream, or for a
  // slice the slice's own compressed bytes. They gather in text_ first so
  // that zlib gets them in large pieces.
  void Append(std::string_view text);
  void FlushText();
  void FlushIfLarge();
  // Strokes the open path.
  void EndOpenPath();
  // "x y" of a point in points, the offsets added.
  void AppendNumbers(const FcPoint2d& point);
  void AppendMoveTo(const FcPoint2d& point);
  void AppendLineTo(const FcPoint2d& point);
  // The move-to of the first point (repeated as a line-to when asked) and
  // line-tos of the others that write other numbers than the point before.
  void AppendRun(const FcDevicePoint* points, int count, bool repeatFirst = false);

  std::unique_ptr<CPDF> document_;
  double offsetX_ = 0.0;
  double offsetY_ = 0.0;
  // Points, without the offsets.
  FcPoint2d current_;
  bool movePending_ = false;
  bool pathOpen_ = false;
  // Owned by the document; null after a slice was taken until more content
  // comes, which then starts a new stream after the slice's.
  CPDFPage* page_ = nullptr;
  CPDFStream* content_ = nullptr;
  std::string text_;
  // The numbers of the last point of a run, to leave out a point that
  // writes the same.
  std::string previousNumbers_;
  // The colour operators last written and their colour.
  std::optional<std::string> colorOperators_;
  FcColorRef colorOperatorsRgb_ = 0;
  // A slice device writes here instead of into a document.
  std::unique_ptr<FcDeflateBlocks> sliceContent_;
};
