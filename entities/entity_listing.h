#pragma once

#include <string>

#include "core/point2d.h"

class FcEntity;
class FcGraph;

// The routines through which every entity's LIST output shows coordinates,
// distances and angles in the drawing's current UCS and units. A null
// drawing stands for the settings of a new drawing.

FcPoint2d WorldToUcsPoint(const FcPoint2d& point, const FcGraph* graph);

struct FormattedPoint {
  std::string x;
  std::string y;
};

// The point's X and Y in the current UCS, each as a drawing distance.
FormattedPoint FormatPoint(const FcPoint2d& point, const FcGraph* graph);
// In the drawing's LUNITS and LUPREC.
std::string FormatDrawingDistance(double value, const FcGraph* graph);
// In the drawing's AUNITS and AUPREC; the caller has applied the UCS,
// ANGBASE and ANGDIR (UcsDirectionAngle).
std::string FormatDrawingAngle(double value, const FcGraph* graph);

// The direction from one world point to another as the user reads it: in
// the current UCS, counted from ANGBASE, clockwise when ANGDIR is 1. Lies
// in [0, 2*pi]; 2*pi only for a clockwise direction along ANGBASE.
double UcsDirectionAngle(const FcPoint2d& from, const FcPoint2d& to, const FcGraph* graph);
