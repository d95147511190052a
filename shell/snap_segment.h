#pragma once

#include "core/geom_segment.h"
#include "core/point2d.h"

// The snap point one record offers under a mode mask.
struct SnapCandidate {
  // The single OSMODE bit that found it; 0 when the record offers nothing.
  int mode = 0;
  FcPoint2d point;
  double distance = 0.0;
};

// Tries every mode that is both in the mask and in the record's tag, in the
// fixed order end point, midpoint, centre, tangent, perpendicular, quadrant,
// nearest, node, insertion point; a later point wins only when it is
// strictly nearer to the cursor. Tangent and perpendicular need a base
// point (null: none). A curve record is answered by its entity. Degenerate
// records (zero length, zero radius) and points that are not finite give
// nothing rather than a point computed from a division by zero.
SnapCandidate SnapSegment(const GeomSegment& segment, const FcPoint2d* basePoint, const FcPoint2d& cursor,
                          int mask);
