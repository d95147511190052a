#pragma once

#include <cstdint>
#include <vector>

#include "core/handle.h"
#include "core/point2d.h"
#include "core/polyline_vertex.h"

class FcDisplaySurface;
struct VertexChain;

// The builders through which entities put their geometry on a display
// surface. Points are in the entity's own units: each builder applies the
// surface's insert matrix, decides whether the current linetype is drawn
// as dashes, tessellates curves fine enough for the view and hands the
// primitives to the surface. Geometry that is not finite is dropped.

void AddPointToSurface(FcDisplaySurface* surface, const FcPoint2d& point, FcHandle handle, int partTag);
void AddLineToSurface(FcDisplaySurface* surface, const FcPoint2d& start, const FcPoint2d& end, int partTag,
                      FcHandle handle);
// A direction of zero length draws nothing.
void AddXLineToSurface(FcDisplaySurface* surface, const FcPoint2d& basePoint, const FcPoint2d& direction,
                       FcHandle handle, int partTag);
void AddRayToSurface(FcDisplaySurface* surface, const FcPoint2d& basePoint, const FcPoint2d& direction,
                     FcHandle handle, int partTag);
void AddPolylineToSurface(FcDisplaySurface* surface, const FcPoint2d* points, int count, bool closed,
                          FcHandle handle, int partTag);
// Widths are ignored.
void AddVertexChainToSurface(FcDisplaySurface* surface, const PolylineVertex* vertices, int count, bool closed,
                             FcHandle handle, int partTag);
// A tessellated ellipse or spline; the first vertex's widths hold for all.
void AddEllipseOrSplineToSurface(FcDisplaySurface* surface, const PolylineVertex* vertices, int count, bool closed,
                                 FcHandle handle, int partTag);
// A full circle.
void AddCurveToSurface(FcDisplaySurface* surface, const FcPoint2d& centre, double radius, FcHandle handle,
                       int partTag);
// Counterclockwise from the start angle to the end angle (radians).
void AddArcToSurface(FcDisplaySurface* surface, const FcPoint2d& centre, double radius, double startAngle,
                     double endAngle, FcHandle handle, int partTag);
// A filled polygon.
void AddSolidToSurface(FcDisplaySurface* surface, const FcPoint2d* points, int count, FcHandle handle, int partTag);
// One primitive for all strokes; each goes through the insert matrix.
void AddStrokesToSurface(FcDisplaySurface* surface, const FcPoint2d* points, const std::int32_t* strokeCounts,
                         int strokeCount, FcHandle handle, int partTag);
// Rings filled together; ringCounts gives the points of each ring.
void AddPolyPolygonToSurface(FcDisplaySurface* surface, const FcPoint2d* points, const std::int32_t* ringCounts,
                             int ringCount, FcHandle handle, int partTag);
// A polyline with widths or arcs; each primitive is tagged with the index
// of the vertex that starts its segment.
void AddWidePolylineToSurface(FcDisplaySurface* surface, const PolylineVertex* vertices, int count, bool closed,
                              FcHandle handle);

// The following take world geometry, already through the insert matrix.

// Thin stretches as polylines, wide segments as filled outlines.
void AddVertexArrayToSurface(FcDisplaySurface* surface, const PolylineVertex* vertices, int count, bool closed,
                             FcHandle handle, int partTag);
// The dashes and dots of a dash list.
void AddChainListToSurface(FcDisplaySurface* surface, const VertexChain* list, FcHandle handle, int partTag);
// The filled outline of the straight wide segment a to b, mitred against
// the previous segment (ending at a) and the next one (from b to
// nextNext) where they exist; either may be null.
void AddWidePolylineJoinsToSurface(FcDisplaySurface* surface, const PolylineVertex* previous, const PolylineVertex& a,
                                   const PolylineVertex& b, const PolylineVertex* nextNext, FcHandle handle);

// The crossing of the line p1-q1 with the line through p2 and q2, when the
// lines are not parallel and the crossing lies within 35 percent beyond
// either segment's ends.
bool MiterPoint(const FcPoint2d& p1, const FcPoint2d& q1, const FcPoint2d& p2, const FcPoint2d& q2, FcPoint2d& out);

// Tessellation: chord height of a circle of local radius r for the view
// (finer in high precision), then the chains. A circle has n + 1 vertices
// (the last repeats the first), an arc n + 1 vertices from start to end
// with the width going from startWidth to endWidth.
double ChordHeight(const FcDisplaySurface& surface, double radius);
std::vector<PolylineVertex> TessellateCircle(const FcDisplaySurface& surface, double radius, double chordHeight,
                                             const FcPoint2d& centre);
std::vector<PolylineVertex> TessellateArc(const FcDisplaySurface& surface, const FcPoint2d& centre, double radius,
                                          double chordHeight, double startAngle, double endAngle, double startWidth,
                                          double endWidth);
// The same chains with the surface's segment cap given: a curve whose
// chains are made after its regeneration keeps the cap it had then.
int CircleSegmentCap(const FcDisplaySurface& surface);
int ArcSegmentCap(const FcDisplaySurface& surface);
std::vector<PolylineVertex> CircleChain(double radius, double chordHeight, const FcPoint2d& centre, int cap);
std::vector<PolylineVertex> ArcChain(const FcPoint2d& centre, double radius, double chordHeight, double startAngle,
                                     double endAngle, double startWidth, double endWidth, int cap);

// Rubber bands drawn straight on the device during a pass, outside the
// display list; the points are world points of the current view.
void DragDrawLine(FcDisplaySurface* surface, const FcPoint2d& p1, const FcPoint2d& p2);
void DragDrawCircle(FcDisplaySurface* surface, const FcPoint2d& centre, double radius);
void DragDrawArc(FcDisplaySurface* surface, const FcPoint2d& centre, double radius, double startAngle,
                 double endAngle);
// An open polyline.
void DrawPolylineDirect(FcDisplaySurface* surface, const FcPoint2d* points, int count);
// A filled polygon.
void DragDrawPolyline(FcDisplaySurface* surface, const FcPoint2d* points, int count);
