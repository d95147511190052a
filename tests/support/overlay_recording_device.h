#pragma once

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/point2d.h"
#include "tests/support/recording_device.h"

// A recording device that writes down the figures a rubber band draws on
// the cursor overlay, one readable line per figure, in device units:
//   "line (x,y)-(x,y)", "circle (x,y) r", "arc (x,y) r from..to" (whole
//   degrees, counter-clockwise), "polyline (x,y) ..." or "polygon ..." (the
//   filled kind). Chains of more than eight points are summed up by their
//   box: "polygon N points box (xmin,ymin)-(xmax,ymax)", and for polylines,
//   whose point count is the tessellation's business, "polyline closed box
//   ..." or "polyline open box ...".
class OverlayRecordingDevice : public RecordingDevice {
 public:
  void MoveTo(int x, int y) override { last_ = {x, y}; }
  void LineTo(int x, int y) override {
    figures.push_back("line " + Point(last_) + "-" + Point({x, y}));
    last_ = {x, y};
  }
  void Circle(int x, int y, int r) override {
    figures.push_back("circle " + Point({x, y}) + " " + std::to_string(r));
  }
  void Arc(int x, int y, int r, double start, double end) override {
    figures.push_back("arc " + Point({x, y}) + " " + std::to_string(r) + " " + Degrees(start) + ".." +
                      Degrees(end));
  }
  void Polyline(const FcDevicePoint* p, int n) override { figures.push_back(Chain("polyline", p, n)); }
  void Polygon(const FcDevicePoint* p, int n) override { figures.push_back(Chain("polygon", p, n)); }

  std::vector<std::string> figures;

 private:
  static std::string Point(FcDevicePoint p) { return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")"; }
  static std::string Degrees(double radians) {
    return std::to_string(static_cast<long>(std::lround(radians * 180.0 / kPi)));
  }
  static std::string Chain(const std::string& name, const FcDevicePoint* p, int n) {
    std::string line = name;
    if (n <= 8) {
      for (int i = 0; i < n; ++i) line += " " + Point(p[i]);
      return line;
    }
    FcDevicePoint lo = p[0];
    FcDevicePoint hi = p[0];
    for (int i = 1; i < n; ++i) {
      lo = {std::min(lo.x, p[i].x), std::min(lo.y, p[i].y)};
      hi = {std::max(hi.x, p[i].x), std::max(hi.y, p[i].y)};
    }
    const bool closed = p[0] == p[n - 1];
    const std::string shape = name == "polygon" ? std::to_string(n) + " points" : closed ? "closed" : "open";
    return line + " " + shape + " box " + Point(lo) + "-" + Point(hi);
  }

  FcDevicePoint last_;
};
