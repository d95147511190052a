#pragma once

#include <string_view>

#include "core/geom_segment.h"
#include "core/point2d.h"

// Asks with the prompt until an arc or circle (or, when lines are taken,
// a line) is picked, saying why each other pick is refused: the first
// snap segment of the pick and its world point. False when the prompt ends
// without a pick.
bool PickCurveSegment(std::string_view prompt, bool takeLines, std::string_view refusal, GeomSegment& segment,
                      FcPoint2d& pickPoint);

// "Select arc or circle": its arc segment (a circle's sweeps 0).
bool PickArcOrCircleSegment(GeomSegment& arc, FcPoint2d& pickPoint);
