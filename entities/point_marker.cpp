#include "entities/point_marker.h"

#include <algorithm>

#include "core/matrix2d.h"

namespace {

constexpr int kSquareFlag = 64;
constexpr int kCircleFlag = 32;

// Figure 1 is drawn as nothing, like every figure above 4.
enum MarkerFigure { kDot = 0, kCross = 2, kDiagonalCross = 3, kTick = 4 };

// The lines of the remaining figure, before the rotation.
std::vector<std::pair<FcPoint2d, FcPoint2d>> FigureLines(const FcPoint2d& p, int figure,
                                                         double size, double s) {
  switch (figure) {
    case kCross:
      return {{{p.x - size, p.y}, {p.x + size, p.y}}, {{p.x, p.y - size}, {p.x, p.y + size}}};
    case kDiagonalCross:
      return {{{p.x - size, p.y - size}, {p.x + size, p.y + size}},
              {{p.x - size, p.y + size}, {p.x + size, p.y - size}}};
    case kTick:
      return {{p, {p.x, p.y + s}}};
    default:
      return {};
  }
}

}  // namespace

double PointMarkerSize(double pdsize, double windowWidth, double windowHeight) {
  if (pdsize > 0.0) return pdsize;
  const double percent = pdsize == 0.0 ? -5.0 : pdsize;
  return -percent * 0.005 * std::min(windowWidth, windowHeight);
}

FcPointMarker BuildPointMarker(const FcPoint2d& location, double angle, int mode, double size) {
  FcMatrix2d rotation;
  RotationMatrix(location.x, location.y, kTwoPi - angle, rotation);
  const double s = 0.7 * size;
  FcPointMarker marker;
  if (mode >= kSquareFlag) {
    marker.square = true;
    marker.squareCorners = {FcPoint2d{location.x - s, location.y - s},
                            FcPoint2d{location.x + s, location.y - s},
                            FcPoint2d{location.x + s, location.y + s},
                            FcPoint2d{location.x - s, location.y + s}};
    for (FcPoint2d& corner : marker.squareCorners) TransformPoint(rotation, corner);
    mode -= kSquareFlag;
  }
  if (mode >= kCircleFlag) {
    marker.circle = true;
    marker.circleRadius = s;
    mode -= kCircleFlag;
  }
  marker.dot = mode == kDot;
  marker.lines = FigureLines(location, mode, size, s);
  for (auto& [from, to] : marker.lines) {
    TransformPoint(rotation, from);
    TransformPoint(rotation, to);
  }
  return marker;
}
