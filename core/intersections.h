#pragma once

#include "core/geom_segment.h"
#include "core/point2d.h"

// Intersection routines. Every line parameter window is [-kTolerance,
// 1 + kTolerance] for a segment and [-kTolerance, inf) for a ray. Routines
// that can find two points write them to a caller's array of two; a single
// result goes to out[0].

// Crossing of line A (a1, a2) with line B (b1, b2). Kinds: 0 both lines
// infinite; 1 and 11 A infinite, B a segment; any other both segments.
// Kinds 10 and 11 also accept collinear lines where b2 lies on A. Except for
// parallel lines, out receives the crossing of the infinite lines even when
// the result is false.
bool IntersectLines(short kind, const FcPoint2d& a1, const FcPoint2d& a2, const FcPoint2d& b1,
                    const FcPoint2d& b2, FcPoint2d& out);
// Ray from r1 through r2 with the segment s1-s2. out untouched on false.
bool IntersectRaySegment(const FcPoint2d& r1, const FcPoint2d& r2, const FcPoint2d& s1,
                         const FcPoint2d& s2, FcPoint2d& out);
// Ray from r1 through r2 with the ray from q1 through q2.
bool IntersectRays(const FcPoint2d& r1, const FcPoint2d& r2, const FcPoint2d& q1,
                   const FcPoint2d& q2, FcPoint2d& out);
// Ray from r1 through r2 with the infinite line through l1 and l2.
bool IntersectRayLine(const FcPoint2d& r1, const FcPoint2d& r2, const FcPoint2d& l1,
                      const FcPoint2d& l2, FcPoint2d& out);

// Whether the infinite line l1-l2 touches the circle; foot receives the foot
// of the perpendicular from the centre in any case.
bool IsLineTangentToCircle(const FcPoint2d& l1, const FcPoint2d& l2, const FcPoint2d& centre,
                           double radius, FcPoint2d& foot);

// Line p1-p2 with the arc (or circle) about centre. Kinds: 1 segment with
// arc, 2 infinite line with arc, 3 ray with arc, 4 ray with circle,
// 5 segment with circle, any other infinite line with circle. Returns 0, 1
// or 2; the points come in the order met going from p1 towards p2.
int IntersectLineArc(const FcPoint2d& p1, const FcPoint2d& p2, const FcPoint2d& centre, short kind,
                     double start, double end, double radius, FcPoint2d (&out)[2]);

// Two arcs or circles. Kinds: 0 two circles; 1 two arcs; 2 arc 1 with
// circle 2; 3 and 4 two arcs, where equal concentric circles meet at end1
// (3) or start1 (4); any other only a shared end point. Returns 0, 1 or 2.
int IntersectArcs(const FcPoint2d& centre1, FcPoint2d (&out)[2], const FcPoint2d& centre2,
                  short kind, double start1, double end1, double radius1, double start2,
                  double end2, double radius2);

// Infinite line p1-p2 with the axis-aligned ellipse of semi-axes a (along x)
// and b (along y). Returns 0 or 2 (a touching line gives its point twice).
int IntersectLineAxisEllipse(const FcPoint2d& centre, double a, double b, FcPoint2d (&out)[2],
                             const FcPoint2d& p1, const FcPoint2d& p2);

// Kinds of IntersectLineEllipse: 0 or negative infinite line with full
// ellipse, 1 segment with elliptical arc, 2 infinite line with elliptical
// arc, 3 ray with elliptical arc, 4 ray with full ellipse (at most one
// point), 5 segment with full ellipse; above 5 nothing. start and end are
// polar angles measured from the major axis.
int IntersectLineEllipse(FcPoint2d (&out)[2], const FcPoint2d& centre, const FcPoint2d& major,
                         const FcPoint2d& p1, const FcPoint2d& p2, short kind, double ratio,
                         double start, double end);

// Crossings of two snap and boundary records (lines and circular arcs).
// Point, empty and curve records give 0.
int IntersectGeomSegments(const GeomSegment& s, const GeomSegment& t, FcPoint2d (&out)[2]);
