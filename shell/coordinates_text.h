#pragma once

#include <string>

#include "core/point2d.h"

class FcSystemVar;

// What the coordinates pane shows for the cursor point (current UCS): empty
// with COORDS 0; with COORDS 2 and a base point, the distance and angle
// from it; otherwise the point's x and y. Units and precision follow
// LUNITS/LUPREC and AUNITS/AUPREC, the angle ANGBASE and ANGDIR.
std::string CoordinatesText(const FcSystemVar& vars, const FcPoint2d& point, const FcPoint2d* base);
