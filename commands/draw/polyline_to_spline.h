#pragma once

#include <memory>

class FcPolyline;
class FcSPline;

// The control-point spline that draws the same curve as a spline-fitted
// polyline of the same frame: its frame vertices are the control points,
// and a closed frame wraps round. Null for a frame of two vertices or
// fewer.
std::unique_ptr<FcSPline> PolylineToSpline(const FcPolyline& polyline);
