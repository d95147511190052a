#pragma once

// Names for the kind codes of the intersection routines, as the arc and
// area code uses them.
inline constexpr short kInfiniteLines = 0;   // IntersectLines: both lines infinite
inline constexpr short kBothSegments = 2;    // IntersectLines: both segments
inline constexpr short kSegmentWithArc = 1;  // IntersectLineArc: segment with arc
inline constexpr short kArcWithArc = 1;      // IntersectArcs: two arcs
inline constexpr short kLineWithCircle = 0;  // IntersectLineArc: infinite line with full circle
inline constexpr short kRayWithCircle = 4;   // IntersectLineArc: ray with full circle
inline constexpr short kTwoCircles = 0;      // IntersectArcs: two full circles
