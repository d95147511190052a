#include "export/pdf_export.h"

#include <string_view>

#include "export/pdf_document.h"
#include "export/pdf_stream.h"

namespace {

constexpr double kMargin = 15.0;

void AppendCoordinates(std::string& text, double x, double y, const char* op) {
  AppendTrimmed(text, x, 2);
  text += ' ';
  AppendTrimmed(text, y, 2);
  text += op;
}

// Drops the line-to just appended at `start` when it writes the same
// numbers as the previous point of the run, which `previous` holds and
// then takes the new one's: small curves and glyphs have many device
// points that the two decimals written cannot tell apart.
void DropRepeatedLineTo(std::string& text, std::size_t start, std::string& previous) {
  const std::string_view written = std::string_view(text).substr(start);
  if (written == previous) {
    text.resize(start);
    return;
  }
  previous.assign(written);
}

}  // namespace

FcPDFExportDevice::FcPDFExportDevice() = default;

FcPDFExportDevice::~FcPDFExportDevice() = default;

void FcPDFExportDevice::BeginPaint(const FcPaintTarget& target, int) {
  outputPath = target.path;
  movePending_ = false;
  pathOpen_ = false;
  document_ = std::make_unique<CPDF>();
  CPDFPages& pages = document_->GetCatalog().GetPages();
  const FcPoint2d size = Scaled(width, height);
  pages.SetMediaBox(30 + static_cast<std::int32_t>(size.x), 30 + static_cast<std::int32_t>(size.y));
  content_ = pages.AddPage(*document_)->AddContentStream(*document_);
  offsetX_ = kMargin;
  offsetY_ = kMargin;
  Append(FormatTrimmed(0.0, 3) + " w 1 J 1 j ");
}

void FcPDFExportDevice::Append(const std::string& text) {
  if (content_ != nullptr) content_->Append(text.data(), text.size());
}

void FcPDFExportDevice::AppendMoveTo(std::string& text, const FcPoint2d& point) const {
  AppendCoordinates(text, point.x + offsetX_, point.y + offsetY_, " m ");
}

void FcPDFExportDevice::AppendLineTo(std::string& text, const FcPoint2d& point) const {
  AppendCoordinates(text, point.x + offsetX_, point.y + offsetY_, " l ");
}

void FcPDFExportDevice::AppendRun(std::string& text, const FcDevicePoint* points, int count,
                                  bool repeatFirst) const {
  std::string previous;
  std::size_t start = text.size();
  AppendMoveTo(text, Scaled(points[0]));
  previous = text.substr(start, text.size() - start - 2) + "l ";
  if (repeatFirst) AppendLineTo(text, Scaled(points[0]));
  for (int i = 1; i < count; ++i) {
    start = text.size();
    AppendLineTo(text, Scaled(points[i]));
    DropRepeatedLineTo(text, start, previous);
  }
}

void FcPDFExportDevice::EndOpenPath() {
  if (pathOpen_) Append("S ");
  pathOpen_ = false;
  movePending_ = false;
}

void FcPDFExportDevice::MoveTo(int x, int y) {
  if (pathOpen_) Append("S ");
  movePending_ = true;
  pathOpen_ = false;
  current_ = Scaled(x, y);
}

void FcPDFExportDevice::LineTo(int x, int y) {
  const FcPoint2d point = Scaled(x, y);
  std::string text;
  if (movePending_) {
    pathOpen_ = true;
    movePending_ = false;
    AppendMoveTo(text, current_);
    AppendLineTo(text, point);
  } else if (pathOpen_ && (point.x != current_.x || point.y != current_.y)) {
    AppendLineTo(text, point);
  }
  Append(text);
  current_ = point;
}

void FcPDFExportDevice::SetPixel(int x, int y) {
  EndOpenPath();
  std::string text;
  AppendMoveTo(text, Scaled(x, y));
  AppendLineTo(text, Scaled(x, y));
  Append(text + "S ");
}

void FcPDFExportDevice::Polyline(const FcDevicePoint* points, int count) {
  EndOpenPath();
  if (points == nullptr || count < 2) return;
  std::string text;
  // The first point is repeated as the first line-to, as the files have
  // always had it.
  AppendRun(text, points, count, true);
  Append(text + "S ");
}

void FcPDFExportDevice::Polygon(const FcDevicePoint* points, int count) {
  EndOpenPath();
  if (points == nullptr || count < 3) return;
  std::string text;
  AppendRun(text, points, count);
  Append(text + "b ");
}

void FcPDFExportDevice::PolyPolygon(const FcDevicePoint* points, const std::int32_t* ringCounts, int ringCount) {
  EndOpenPath();
  if (points == nullptr || ringCounts == nullptr || ringCount < 1) return;
  std::string text;
  int total = 0;
  const FcDevicePoint* ring = points;
  for (int r = 0; r < ringCount; ++r) {
    const int count = ringCounts[r];
    // A ring without points has no first point to start at.
    if (count < 1) continue;
    AppendRun(text, ring, count);
    text += "h ";
    ring += count;
    total += count;
  }
  if (total < 3) return;
  Append(text + "B* ");
}

void FcPDFExportDevice::SetColor(FcColorRef rgb) {
  if (pathOpen_) {
    Append("S ");
    pathOpen_ = false;
    movePending_ = false;
  }
  std::string components[3];
  for (int i = 0; i < 3; ++i) AppendTrimmed(components[i], ((rgb >> (8 * i)) & 0xFF) / 255.0, 3);
  if (components[0] == components[1] && components[1] == components[2]) {
    Append(components[0] + " G " + components[0] + " g ");
    return;
  }
  const std::string rgbText = components[0] + " " + components[1] + " " + components[2];
  Append(rgbText + " RG " + rgbText + " rg ");
}

void FcPDFExportDevice::EndPaint() {
  if (pathOpen_) Append("S");
  if (document_ == nullptr || !OpenOutput()) return;
  if (!document_->Write(Output().GetStream())) Output().MarkFailed();
  FinishOutput();
}
