#include "export/export_device.h"

#include <ctime>

#include "core/paths.h"

namespace {

// "x y m\n" with three decimals.
void AppendPointLine(std::string& text, const FcPoint2d& point, const char* suffix) {
  AppendFixed(text, point.x, 3);
  text += ' ';
  AppendFixed(text, point.y, 3);
  text += suffix;
}

// The m line of the first point and l lines of the others.
void AppendRun(std::string& text, const FcExportDevice& device, const FcDevicePoint* points, int count) {
  AppendPointLine(text, device.Scaled(points[0]), " m\n");
  for (int i = 1; i < count; ++i) AppendPointLine(text, device.Scaled(points[i]), " l\n");
}

std::string CreationDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr) return {};
  char buffer[128];
  const std::size_t length = std::strftime(buffer, sizeof buffer, "%A, %B %d, %Y", &local);
  return std::string(buffer, length);
}

}  // namespace

void FcEpsExportDevice::BeginPaint(const FcPaintTarget& target, int) {
  outputPath = target.path;
  if (!OpenOutput()) return;
  std::string text = "%!PS-Adobe-3.0 EPSF-3.0\n%%Creator: KOVRA export\n%%Title: " + PathFileName(outputPath) +
                     "\n%%BoundingBox: 0 0 ";
  AppendPointLine(text, Scaled(width, height), "\n");
  text += "%%Pages: 1\n%%CreationDate: " + CreationDate() +
          "\n%%EndComments\n"
          "%%BeginProlog\n"
          "/m {moveto} def\n"
          "/l {lineto} def\n"
          "/sw {setlinewidth} def\n"
          "/sc {setrgbcolor} def\n"
          "/np {newpath} def\n"
          "/cp {closepath} def\n"
          "/st {stroke} def\n"
          "/m_pExportFile {fill} def\n"
          "/ef {eofill} def\n"
          "%%EndProlog\n"
          "%%BeginSetup\n"
          "%%EndSetup\n";
  Write(text);
}

void FcEpsExportDevice::AddPoint(const FcPoint2d& point) {
  if (!pendingPath_.empty() && pendingPath_.back().x == point.x && pendingPath_.back().y == point.y) return;
  pendingPath_.push_back(point);
}

void FcEpsExportDevice::FlushPath() {
  if (pendingPath_.size() > 1) {
    std::string text = "np\n";
    AppendPointLine(text, pendingPath_.front(), " m\n");
    for (std::size_t i = 1; i < pendingPath_.size(); ++i) AppendPointLine(text, pendingPath_[i], " l\n");
    text += "st\n";
    Write(text);
  }
  pendingPath_.clear();
  pendingPath_.shrink_to_fit();
}

void FcEpsExportDevice::MoveTo(int x, int y) {
  FlushPath();
  AddPoint(Scaled(x, y));
}

void FcEpsExportDevice::LineTo(int x, int y) { AddPoint(Scaled(x, y)); }

void FcEpsExportDevice::SetPixel(int x, int y) {
  FlushPath();
  std::string text = "np\n";
  AppendPointLine(text, Scaled(x, y), " m\n");
  AppendPointLine(text, Scaled(x, y), " l\n");
  text += "st\n";
  Write(text);
}

void FcEpsExportDevice::Polyline(const FcDevicePoint* points, int count) {
  FlushPath();
  if (points == nullptr || count < 2) return;
  std::string text = "np\n";
  AppendRun(text, *this, points, count);
  Write(text + "st\n");
}

void FcEpsExportDevice::Polygon(const FcDevicePoint* points, int count) {
  FlushPath();
  // Fewer than three points enclose nothing.
  if (points == nullptr || count < 3) return;
  std::string text = "np\n";
  AppendRun(text, *this, points, count);
  Write(text + "m_pExportFile\n");
}

void FcEpsExportDevice::PolyPolygon(const FcDevicePoint* points, const std::int32_t* ringCounts, int ringCount) {
  FlushPath();
  if (points == nullptr || ringCounts == nullptr || ringCount < 1) return;
  std::string text = "np\n";
  const FcDevicePoint* ring = points;
  for (int r = 0; r < ringCount; ++r) {
    const int count = ringCounts[r];
    // A ring without points has no first point to start at.
    if (count < 1) continue;
    AppendRun(text, *this, ring, count);
    text += "cp\n";
    ring += count;
  }
  if (ring == points) return;
  text += "ef\n";
  Write(text);
}

void FcEpsExportDevice::SetColor(FcColorRef rgb) {
  if (currentColor_ == rgb) return;
  FlushPath();
  std::string text;
  for (int shift = 0; shift < 24; shift += 8) {
    AppendFixed(text, ((rgb >> shift) & 0xFF) / 255.0, 3);
    text += ' ';
  }
  text += "sc\n";
  Write(text);
  currentColor_ = rgb;
}

void FcEpsExportDevice::EndPaint() {
  if (!Output().IsOpen()) return;
  FlushPath();
  Write("showpage\n%%Trailer\n");
  FinishOutput();
}
