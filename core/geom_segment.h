#pragma once

#include "core/matrix2d.h"
#include "core/point2d.h"

class FcEntity;

// Record types of GeomSegment::type.
inline constexpr int kGeomSegmentEmpty = 0;
inline constexpr int kGeomSegmentPoint = 1;
inline constexpr int kGeomSegmentLine = 2;
inline constexpr int kGeomSegmentArc = 3;
// A curve that only its entity can answer for, through its own tangent and
// intersection operations.
inline constexpr int kGeomSegmentCurve = 4;

// Extent codes of a line record.
inline constexpr int kLineExtentSegment = 0;
inline constexpr int kLineExtentInfinite = 1;
inline constexpr int kLineExtentRay = 2;

// The snap and boundary record that entities hand out: one point, line
// piece, arc or curve, in drawing coordinates.
struct GeomSegment {
  int type = kGeomSegmentEmpty;
  int snapModes = 0;
  // Point: the point it offers.
  FcPoint2d point;
  // Line: its two points and its extent (segment, infinite line or ray from
  // first through second).
  FcPoint2d first;
  FcPoint2d second;
  int extent = kLineExtentSegment;
  // Arc: runs counter-clockwise from startAngle to endAngle (radians).
  FcPoint2d centre;
  double radius = 0.0;
  double startAngle = 0.0;
  double endAngle = 0.0;
  FcEntity* entity = nullptr;
  // Curve: handed back to the entity with every question about it.
  int parameter = 0;
  FcMatrix2d matrix;
};
