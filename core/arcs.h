#pragma once

#include "core/point2d.h"

// Circular arc constructions. A bulge is tan(included angle / 4) on the
// chord from a start point to an end point: positive when the arc runs
// counter-clockwise from start to end, negative when it runs clockwise,
// 0 for a straight segment. Outputs passed by pointer are optional (null
// when not wanted); outputs passed by reference are always written on
// success. Angles are radians.

// Centre, mid point and radius of the arc of a bulged segment. Returns 1, or
// 0 for a zero bulge or coincident points.
int ArcFromChordBulge(const FcPoint2d& start, double bulge, const FcPoint2d& end, FcPoint2d& centre,
                      FcPoint2d* mid, double* radius);

// Length of a polyline segment: its arc, or its chord when it is straight.
double BulgeSegmentLength(const FcPoint2d& start, const FcPoint2d& end, double bulge);

// Circle through three points, with the bulge of the arc first-middle-last.
// False when two points coincide or the three are collinear.
bool CircleThrough3Points(const FcPoint2d& first, const FcPoint2d& middle, const FcPoint2d& last,
                          FcPoint2d& centre, double* radius, double* bulge);

// Arc through three points as centre, radius and angles, ordered so that the
// counter-clockwise arc from startAngle to endAngle passes through middle.
// The end angle may be left above 2*pi.
bool ArcThrough3Points(const FcPoint2d& first, const FcPoint2d& middle, const FcPoint2d& last,
                       FcPoint2d& centre, double& radius, double& startAngle, double& endAngle);

// Arc leaving start in the direction tangentAngle and ending at end.
// Returns 1, or 0 when the points coincide or end lies on the tangent line.
int ArcFromStartDirectionEnd(const FcPoint2d& start, double tangentAngle, const FcPoint2d& end,
                             FcPoint2d* centre, double* radius, double* bulge);

// The counter-clockwise arc of less than half a circle on a chord with a
// given radius. Returns 1, or 0 when the radius is below the half chord or
// the points coincide.
int ArcFromChordRadius(const FcPoint2d& start, const FcPoint2d& end, double radius,
                       FcPoint2d* centre, double* bulge);

// Counter-clockwise arc from start with a radius, an included angle and the
// direction of its chord. Returns 1, or 0 when the chord is zero (included
// angle 0 or a full turn).
int ArcFromStartRadiusAngle(const FcPoint2d& start, double radius, double includedAngle,
                            double chordAngle, FcPoint2d* end, FcPoint2d* centre, double* bulge);

// Counter-clockwise arc on a chord with an included angle. Returns 1, or 0
// when the points coincide or no finite centre exists.
int ArcFromChordAngle(const FcPoint2d& start, const FcPoint2d& end, double includedAngle,
                      FcPoint2d* centre, double* radius, double* bulge);

// Bulge of the arc about centre from start to end, running counter-clockwise
// for direction > 0 and clockwise otherwise. False when start lies on the
// centre or coincides with end.
bool BulgeFromCenter(const FcPoint2d& start, const FcPoint2d& end, const FcPoint2d& centre,
                     int direction, double& bulge);

// Counter-clockwise arc from start about centre; end is moved onto the circle
// along its direction from the centre. Returns 1, or 0 (nothing written)
// when the radius is zero, end lies on the centre or the arc has no chord.
int ArcFromStartCenterEnd(const FcPoint2d& start, const FcPoint2d& centre, FcPoint2d& end,
                          double* bulge, double* radius);

// Bounding box of the arc from startAngle to endAngle; the caller passes
// endAngle above startAngle.
void ArcBoundingBox(const FcPoint2d& centre, double radius, double startAngle, double endAngle,
                    FcPoint2d& minCorner, FcPoint2d& maxCorner);

// The arc point on the line through centre and p nearest to p. False when
// that line meets the arc nowhere.
bool NearestArcPointOnRadialLine(const FcPoint2d& centre, double radius, double startAngle,
                                 double endAngle, const FcPoint2d& p, FcPoint2d& out);
