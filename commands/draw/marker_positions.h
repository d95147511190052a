#pragma once

#include <vector>

#include "core/point2d.h"

class FcEntity;

// Where Divide and Measure put their markers along one object, in world
// coordinates and in order along it, each with the object's direction
// there (radians; the tangent on curves).
struct Marker {
  FcPoint2d at;
  double direction = 0.0;
};
using Markers = std::vector<Marker>;

// The object kinds the markers can follow: lines, circles, arcs and
// polylines.
bool CanCarryMarkers(const FcEntity& entity);

// The length the markers are spread over: a circle's circumference, an
// arc's, a polyline's along its segments (its fit when it is fitted).
double MarkedLength(const FcEntity& entity);

// parts - 1 markers that cut the object into equal parts; a circle or a
// closed polyline gets parts markers, the first at its start (a circle's
// start is angleZero, in world radians).
Markers DivideMarkers(const FcEntity& entity, int parts, double angleZero);
// A marker every spacing from the object's start, the end included when
// it falls there; a closed polyline has one at its start as well.
Markers MeasureMarkers(const FcEntity& entity, double spacing, double angleZero);
