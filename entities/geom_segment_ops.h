#pragma once

#include "core/geom_segment.h"
#include "core/matrix2d.h"
#include "core/point2d.h"
#include "database/entity.h"

// Object snap modes, numbered as the OSMODE system variable numbers them.
inline constexpr int kOsnapEndpoint = 1;
inline constexpr int kOsnapMidpoint = 2;
inline constexpr int kOsnapCenter = 4;
inline constexpr int kOsnapNode = 8;
inline constexpr int kOsnapQuadrant = 16;
inline constexpr int kOsnapIntersection = 32;
inline constexpr int kOsnapInsert = 64;
inline constexpr int kOsnapPerpendicular = 128;
inline constexpr int kOsnapTangent = 256;
inline constexpr int kOsnapNearest = 512;

// The modes the usual kinds of record answer.
inline constexpr int kSnapTagBoundedLine =
    kOsnapEndpoint | kOsnapMidpoint | kOsnapIntersection | kOsnapPerpendicular | kOsnapNearest;
inline constexpr int kSnapTagUnboundedLine = kOsnapIntersection | kOsnapPerpendicular | kOsnapNearest;
inline constexpr int kSnapTagArc = kOsnapEndpoint | kOsnapMidpoint | kOsnapCenter | kOsnapQuadrant |
                                   kOsnapIntersection | kOsnapPerpendicular | kOsnapTangent |
                                   kOsnapNearest;
inline constexpr int kSnapTagCircle = kSnapTagArc & ~(kOsnapEndpoint | kOsnapMidpoint);
inline constexpr int kSnapTagCurve = kOsnapIntersection | kOsnapTangent;
// Boundary records answer no snap mode.
inline constexpr int kSnapTagBoundary = 0;

// Appends a heap copy of the record. False when it cannot be allocated:
// producers then stop, and the records already appended stay valid.
bool AppendSegment(GeomSegmentList& segments, const GeomSegment& record);

// Appends a line record through start and end, both mapped by the matrix;
// false as AppendSegment.
bool AppendLineSegment(GeomSegmentList& segments, const FcPoint2d& start, const FcPoint2d& end,
                       int extent, int snapModes, const FcMatrix2d& matrix);

// Appends a line record for each chord of the vertex chain (and the closing
// chord of a closed one), mapped by the matrix.
void AppendChordSegments(const PolylineVertex* vertices, int count, bool closed, const FcMatrix2d& matrix,
                         GeomSegmentList& segments);

// Maps an arc record given in its entity's coordinates (centre, radius,
// angles) by a matrix that keeps circles circular: the centre through the
// matrix, the radius by the image of the unit x vector, each angle to the
// direction of the image of its radius vector, start and end exchanged
// under a mirror, and the end raised by whole turns until it is not below
// the start. A full turn stays a full turn.
void TransformArcSegment(GeomSegment& arc, const FcMatrix2d& matrix);
