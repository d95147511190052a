#pragma once

#include <vector>

#include "core/point2d.h"

// Where the figures of the geometric characteristics are drawn.
class FcSymbolPainter {
 public:
  virtual ~FcSymbolPainter() = default;
  virtual void Line(const FcPoint2d& start, const FcPoint2d& end) = 0;
  virtual void Polyline(const std::vector<FcPoint2d>& points, bool closed) = 0;
  virtual void Circle(const FcPoint2d& centre, double radius) = 0;
  // Counter-clockwise, radians.
  virtual void Arc(const FcPoint2d& centre, double radius, double startAngle, double endAngle) = 0;
};

// Draws the figure of the symbol letter ('a' to 'u') at the pen, standing
// on the row's middle line, at size s (twice the text height); answers the
// pen advance. A letter without a figure draws nothing and advances 0.
double DrawToleranceSymbol(char letter, const FcPoint2d& pen, double s, FcSymbolPainter& painter);
