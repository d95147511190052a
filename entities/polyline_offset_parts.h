#pragma once

#include "core/point2d.h"
#include "core/polyline_vertex.h"
#include "entities/polyline_offset.h"

class FcPolyline;

// The pieces of the polyline offset, shared by its files. Side +1 is the
// left of the direction of travel, -1 the right; one side serves the whole
// polyline.

// The segment the side was taken from.
struct OffsetSideChoice {
  int segment = -1;
  int side = 0;
  double carrierDistance = 0.0;
};

// The segment nearest the point among those it can see (no other segment
// in between), preferring those whose foot lies on them. False when there
// is none.
bool ChooseOffsetSide(const FcPolyline& polyline, const FcPoint2d& point, OffsetSideChoice& choice);

// One segment offset: start carries the source start vertex's widths and the
// new bulge, end the end vertex's widths; both without handles.
struct OffsetPiece {
  PolylineVertex start;
  PolylineVertex end;
};

// False when the segment collapses: an arc whose radius would not stay
// above 0, or whose offset has no chord.
bool OffsetSegment(const PolylineVertex& vertex, const PolylineVertex& next, int side, double distance,
                   OffsetPiece& piece);

// Appends the piece to the chain built so far; sourceVertex is the source
// vertex at the joint.
void JoinOffsetSegment(const FcPoint2d& sourceVertex, OffsetPiece piece, int side, OffsetGapType gapType,
                       FcPolyline& result);

// Closes the chain with the offset of the closing segment, which runs from
// the last source vertex to the first.
void CloseOffsetPolyline(OffsetPiece piece, const FcPoint2d& lastSource, const FcPoint2d& firstSource, int side,
                         OffsetGapType gapType, FcPolyline& result);
