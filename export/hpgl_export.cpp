#include "export/hpgl_export.h"

#include <charconv>

namespace {

// "x,y" followed by the separator.
void AppendPoint(std::string& text, const FcPoint2d& point, const char* separator) {
  AppendFixed(text, point.x, 3);
  text += ',';
  AppendFixed(text, point.y, 3);
  text += separator;
}

// Pen up to the first point, then pen down at it.
void AppendPenUpDown(std::string& text, const FcPoint2d& first, const char* between) {
  text += "PU";
  AppendPoint(text, first, ";");
  text += between;
  text += "PD";
  AppendPoint(text, first, ",");
}

}  // namespace

void FcHPGLExportDevice::BeginPaint(const FcPaintTarget& target, int) {
  outputPath = target.path;
  if (!OpenOutput()) return;
  const FcPoint2d size = Scaled(width, height);
  std::string text = "IN;SP1;SC0.0,";
  AppendFixed(text, size.x, 3);
  text += ",0.0,";
  AppendFixed(text, size.y, 3);
  text += ";\n";
  Write(text);
}

void FcHPGLExportDevice::FlushPath() {
  if (pendingPath_.size() > 1) {
    std::string text;
    AppendPenUpDown(text, pendingPath_.front(), "");
    for (std::size_t i = 1; i + 1 < pendingPath_.size(); ++i) AppendPoint(text, pendingPath_[i], ",");
    AppendPoint(text, pendingPath_.back(), ";");
    Write(text);
  }
  pendingPath_.clear();
  pendingPath_.shrink_to_fit();
}

void FcHPGLExportDevice::MoveTo(int x, int y) {
  FlushPath();
  pendingPath_.push_back(Scaled(x, y));
}

void FcHPGLExportDevice::LineTo(int x, int y) { pendingPath_.push_back(Scaled(x, y)); }

void FcHPGLExportDevice::SetPixel(int x, int y) {
  FlushPath();
  std::string text;
  AppendPenUpDown(text, Scaled(x, y), "");
  text.back() = ';';
  Write(text);
}

void FcHPGLExportDevice::Polyline(const FcDevicePoint* points, int count) {
  FlushPath();
  if (points == nullptr || count < 2) return;
  std::string text;
  AppendPenUpDown(text, Scaled(points[0]), "");
  for (int i = 1; i < count - 1; ++i) AppendPoint(text, Scaled(points[i]), ",");
  AppendPoint(text, Scaled(points[count - 1]), ";");
  Write(text);
}

void FcHPGLExportDevice::Polygon(const FcDevicePoint* points, int count) {
  FlushPath();
  if (points == nullptr || count <= 2 || !polygonFill_) return;
  std::string text;
  AppendPenUpDown(text, Scaled(points[0]), "FT2;PM0;");
  for (int i = 0; i < count; ++i) AppendPoint(text, Scaled(points[i]), ",");
  AppendPoint(text, Scaled(points[0]), ";PM2;FP;\n");
  Write(text);
}

void FcHPGLExportDevice::PolyPolygon(const FcDevicePoint* points, const std::int32_t* ringCounts, int ringCount) {
  FlushPath();
  if (points == nullptr || ringCounts == nullptr || ringCount < 1 || ringCounts[0] <= 2) return;
  // Rings without points have no first point to close on; the last ring
  // with points closes the polygon.
  int last = ringCount - 1;
  while (ringCounts[last] < 1) --last;
  std::string text;
  const FcDevicePoint* ring = points;
  for (int r = 0; r <= last; ++r) {
    const int count = ringCounts[r];
    if (count < 1) continue;
    text += "PU";
    AppendPoint(text, Scaled(ring[0]), r == 0 ? ";FT2;PM0;PD" : ";PD");
    for (int i = 1; i < count; ++i) AppendPoint(text, Scaled(ring[i]), ",");
    AppendPoint(text, Scaled(ring[0]), r == last ? ";PM2;" : ";PM1;");
    ring += count;
  }
  text += "FP;\n";
  Write(text);
}

void FcHPGLExportDevice::SetPen(int pen) {
  FlushPath();
  polygonFill_ = pen >= 0;
  if (pen < 0) return;
  char buffer[16];
  const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, pen);
  Write("SP" + std::string(buffer, result.ptr) + ";");
}

void FcHPGLExportDevice::EndPaint() {
  FlushPath();
  Write("PG;");
  FinishOutput();
}
