#pragma once

#include "core/handle.h"
#include "core/point2d.h"

class FcDisplaySurface;
class FcGraph;

// More primitive builders and the surface and view state that points,
// solids, traces, faces, rays and construction lines read. The display
// surface defines them; until it exists they add nothing and report an
// empty screen view (surface_primitives_more_link.cpp), and the display
// work replaces that file.

// One point primitive.
void AddPointToSurface(FcDisplaySurface* surface, const FcPoint2d& point, FcHandle handle,
                       int subIndex);
// One thin polyline through count points, closed when asked.
void AddPolylineToSurface(FcDisplaySurface* surface, const FcPoint2d* points, int count,
                          bool closed, FcHandle handle, int subIndex);
// A full circle, tessellated and dashed by the current linetype.
void AddCurveToSurface(FcDisplaySurface* surface, const FcPoint2d& centre, double radius,
                       FcHandle handle, int subIndex);
// A polygon through the points in the given order, filled.
void AddSolidToSurface(FcDisplaySurface* surface, const FcPoint2d* points, int count,
                       FcHandle handle, int subIndex);
// A ray from the base point along the direction, clipped to the view window.
void AddRayToSurface(FcDisplaySurface* surface, const FcPoint2d& basePoint,
                     const FcPoint2d& direction, FcHandle handle, int subIndex);
// A line without end through the base point, clipped to the view window.
void AddXLineToSurface(FcDisplaySurface* surface, const FcPoint2d& basePoint,
                       const FcPoint2d& direction, FcHandle handle, int subIndex);

// Makes the primitives added next continuous, whatever the entity's
// linetype.
void SetSurfaceContinuousLinetype(FcDisplaySurface* surface);

// What the surface is drawing for.
struct FcSurfaceState {
  // The drawing the surface shows; null reads as a new drawing's settings.
  const FcGraph* graph = nullptr;
  // A print or export pass.
  bool printing = false;
  // The size of the current world window.
  double windowWidth = 0.0;
  double windowHeight = 0.0;
};
FcSurfaceState GetSurfaceState(const FcDisplaySurface* surface);

// The drawing's current view: the width of its device rectangle in pixels,
// and the world length that a whole number of its pixels covers.
int GetViewDeviceWidth(const FcGraph* graph);
double ViewPixelsToWorld(const FcGraph* graph, int pixels);
