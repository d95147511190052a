#include "export/export_device.h"

#include <charconv>
#include <cmath>

void AppendFixed(std::string& text, double value, int decimals) {
  // Wide enough for any finite double in fixed notation.
  char buffer[400];
  const std::to_chars_result result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (result.ec != std::errc()) {
    text += '0';
    return;
  }
  text.append(buffer, result.ptr);
}

void AppendTrimmed(std::string& text, double value, int decimals) {
  const std::size_t start = text.size();
  AppendFixed(text, value, decimals);
  const std::size_t point = text.find('.', start);
  if (point == std::string::npos) return;
  std::size_t end = text.find_last_not_of('0');
  if (end == point && point != start) --end;
  text.resize(end + 1);
}

std::string FormatTrimmed(double value, int decimals) {
  std::string text;
  AppendTrimmed(text, value, decimals);
  return text;
}

double FcExportDevice::UnseenChordHeight() const { return 0.5 * scale * std::pow(10.0, -CoordinateDecimals()); }

void FcExportDevice::Circle(int centreX, int centreY, int radius) {
  WriteCurve(centreX, centreY, radius, 0.0, kTwoPi);
}

void FcExportDevice::Arc(int centreX, int centreY, int radius, double startAngle, double endAngle) {
  WriteCurve(centreX, centreY, radius, startAngle, endAngle - startAngle);
}
