#pragma once

#include <string>

#include "core/point2d.h"

class FcGraph;

// "X= ...    Y= ..." for a point already in the current UCS, each
// coordinate as a drawing distance.
std::string FormatUcsCoordinates(const FcPoint2d& ucsPoint, const FcGraph& graph);
