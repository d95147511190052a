#pragma once

#include "commands/modify/crossing_sides.h"
#include "core/data_array.h"
#include "core/polyline_vertex.h"

// Where crossings lie on one polyline segment, from vertex v to the point
// w; v's bulge makes it straight (0) or an arc, counter-clockwise for a
// positive bulge.

// The crossings nearest to the pick on v's side of it (A) and on w's side
// (B); along the arc for a bulged segment. None when the arc cannot be
// formed.
CrossingSides ClassifySegmentCrossings(const PolylineVertex& v, const FcPoint2d& w, const FcPoint2d& pick,
                                       const FcPoint2dArray& crossings);
// The crossing met first going from v along the segment; false when none
// can be told.
bool CrossingNearestSegmentStart(const PolylineVertex& v, const FcPoint2d& w, const FcPoint2dArray& crossings,
                                 FcPoint2d& out);
// The crossing met last going from v along the segment.
bool CrossingNearestSegmentEnd(const PolylineVertex& v, const FcPoint2d& w, const FcPoint2dArray& crossings,
                               FcPoint2d& out);

// How far x lies along the segment from v, as a part of the whole: by
// length for a straight segment, by angle for an arc (beyond 1 past w's end
// of the arc), by chord lengths when the arc cannot be formed.
double SegmentFraction(const PolylineVertex& v, const FcPoint2d& w, const FcPoint2d& x);

// Whether the segment's start and end widths differ.
bool IsTapered(const PolylineVertex& v);
// The width part of the way from 'from' to 'to' (beyond 'to' for a part
// above 1), never below 0.
double WidthAlong(double from, double to, double part);
