#pragma once

#include "core/corner_fillets.h"

class FcEntity;

// A line, ray or construction line as the straight edge of a corner, with
// its pick; false for any other entity.
bool StraightEdgeOf(const FcEntity& entity, const FcPoint2d& pick, StraightCornerEdge& edge);
