#pragma once

#include "core/corner_fillets.h"

class FcSystemVar;

// Where a chamfer cuts two straight edges.
struct ChamferCut {
  FcPoint2d onFirst;
  FcPoint2d onSecond;
  FcPoint2d corner;
};

// The chamfer between the edges by the drawing's method (CHAMMODE): two
// distances from the corner (CHAMFERA on the first edge, CHAMFERB on the
// second), or a length on the first edge (CHAMFERC) and an angle from it
// (CHAMFERD). A distance or length of 0 leaves that edge at the corner.
// False, after the history line that says why, when the edges are parallel
// or an edge cannot reach its point.
bool ChamferPoints(const StraightCornerEdge& first, const StraightCornerEdge& second, const FcSystemVar& vars,
                   ChamferCut& cut);

inline constexpr const char* kInvalidChamferDistance = "Invalid chamfer distance.";
inline constexpr const char* kInvalidChamferAngle = "Invalid chamfer angle.";
