#pragma once

#include <array>
#include <utility>
#include <vector>

#include "core/point2d.h"

// The figure a point entity is drawn as, chosen by a PDMODE value and sized
// by a marker size: a square (mode + 64), a circle (mode + 32) and one of a
// dot (0), nothing (1), a cross (2), an X (3) or an upward tick (4). Square,
// cross, X and tick are turned clockwise by the point's angle about it.
struct FcPointMarker {
  bool square = false;
  std::array<FcPoint2d, 4> squareCorners{};
  bool circle = false;
  double circleRadius = 0.0;
  bool dot = false;
  std::vector<std::pair<FcPoint2d, FcPoint2d>> lines;
};

// The marker size a PDSIZE value gives: a positive value is the size; 0
// counts as -5; a negative value is that percentage, halved, of the smaller
// side of the world window.
double PointMarkerSize(double pdsize, double windowWidth, double windowHeight);

FcPointMarker BuildPointMarker(const FcPoint2d& location, double angle, int mode, double size);
