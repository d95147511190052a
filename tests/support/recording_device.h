#pragma once

#include <string>
#include <vector>

#include "display/display_device.h"

// A display device that writes down every call it gets, one line each, so
// that tests can check what a pass sends.
class RecordingDevice : public FcDisplayDevice {
 public:
  void UpdateCursorSize(int) override {}
  void BeginPaint(const FcPaintTarget& target, int erase) override {
    Log("BeginPaint " + target.path + " " + std::to_string(erase));
  }
  void BeginPrint(FcDeviceContext*, int x, int y, int turns) override { Log("BeginPrint", x, y, turns); }
  void DrawGrip(int x, int y, bool) override { Log("DrawGrip", x, y); }
  void Circle(int x, int y, int r) override { Log("Circle", x, y, r); }
  void Arc(int x, int y, int r, double, double) override { Log("Arc", x, y, r); }
  void PushClipRect(FcDevicePoint, FcDevicePoint) override { Log("PushClipRect"); }
  void PushClipPolyPolygon(const FcDevicePoint*, const std::int32_t*, int) override { Log("PushClipPolyPolygon"); }
  void PopClip() override { Log("PopClip"); }
  void SetPixel(int x, int y) override { Log("SetPixel", x, y); }
  void MoveTo(int x, int y) override { Log("MoveTo", x, y); }
  void LineTo(int x, int y) override { Log("LineTo", x, y); }
  void Polyline(const FcDevicePoint* p, int n) override { Log("Polyline", p, n); }
  void Polygon(const FcDevicePoint* p, int n) override { Log("Polygon", p, n); }
  void PolyPolygon(const FcDevicePoint* p, const std::int32_t* counts, int rings) override {
    Log("PolyPolygon rings " + std::to_string(rings) + " first " + std::to_string(counts[0]));
    static_cast<void>(p);
  }
  void DrawBitmap(int x, int y, int, int, const FcBitmap*) override { Log("DrawBitmap", x, y); }
  void SetPixelRotated(int x, int y) override { Log("SetPixelRotated", x, y); }
  void MoveToRotated(int x, int y) override { Log("MoveToRotated", x, y); }
  void LineToRotated(int x, int y) override { Log("LineToRotated", x, y); }
  void PolylineRotated(FcDevicePoint* p, int n) override { Log("PolylineRotated", p, n); }
  void PolygonRotated(FcDevicePoint* p, int n) override { Log("PolygonRotated", p, n); }
  void PolyPolygonRotated(FcDevicePoint*, const std::int32_t*, int rings) override {
    Log("PolyPolygonRotated " + std::to_string(rings));
  }
  void DrawBitmapRotated(int x, int y, int, int, const FcBitmap*) override { Log("DrawBitmapRotated", x, y); }
  void SetColor(FcColorRef rgb) override {
    color = rgb;
    if (logColors) Log("SetColor " + std::to_string(rgb));
  }
  void SetLineWidth(int width) override {
    lineWidth = width < 0 ? 0 : width;
    if (logColors) Log("SetLineWidth", width);
  }
  void BeginHighlight() override { Log("BeginHighlight"); }
  void EndHighlight() override { Log("EndHighlight"); }
  void BeginXor() override {
    xorMode = true;
    Log("BeginXor");
  }
  void EndXor() override {
    xorMode = false;
    Log("EndXor");
  }
  bool IsXorMode() const override { return xorMode; }
  void DrawGrid(FcGraph*, FcDisplaySurface*) override { Log("DrawGrid"); }
  void DrawUcsIcon(FcGraph*, FcDisplaySurface*) override { Log("DrawUcsIcon"); }
  void EndPaint() override { Log("EndPaint"); }
  void EndPrint() override { Log("EndPrint"); }
  void Present(FcDeviceContext*, int, int, FcGraph*, FcDisplaySurface*, int) override { Log("Present"); }
  void Resize(int w, int h) override { Log("Resize", w, h); }
  void CopyToDib(CDib&) override { Log("CopyToDib"); }
  void Lock() override { Log("Lock"); }
  void Unlock() override { Log("Unlock"); }
  void BeginDrawOn(FcDeviceContext*) override { Log("BeginDrawOn"); }
  void EndDrawOn() override { Log("EndDrawOn"); }

  // The lines that start with the word.
  std::vector<std::string> CallsOf(const std::string& word) const {
    std::vector<std::string> found;
    for (const std::string& line : calls) {
      if (line.rfind(word + " ", 0) == 0 || line == word) found.push_back(line);
    }
    return found;
  }

  std::vector<std::string> calls;
  bool logColors = false;
  bool xorMode = false;

 private:
  void Log(const std::string& line) { calls.push_back(line); }
  void Log(const std::string& name, int x, int y) { Log(name + " " + std::to_string(x) + " " + std::to_string(y)); }
  void Log(const std::string& name, int x, int y, int z) {
    Log(name + " " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(z));
  }
  void Log(const std::string& name, int value) { Log(name + " " + std::to_string(value)); }
  void Log(const std::string& name, const FcDevicePoint* p, int n) {
    std::string line = name;
    for (int i = 0; i < n; ++i) line += " (" + std::to_string(p[i].x) + "," + std::to_string(p[i].y) + ")";
    Log(line);
  }
};
