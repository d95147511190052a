#pragma once

#include <cstdint>

#include "core/point2d.h"

class FcFiler;
class FcFilerDwg;

// Points of the plane as the table and object records store them. The
// plain x/y pair of DXF is WriteDxfPoint of the entity writers.

// x, y and a z of 0.0 as the groups code, code + 10 and code + 20.
void WriteDxfPoint3(FcFiler& filer, std::int16_t code, const FcPoint2d& point);

// 3BD: x, y and z.
void WriteDwgPoint3(FcFilerDwg& filer, const FcPoint2d& point, double z = 0.0);
// 3BD, of which the plane keeps x and y; the point changes only when all
// three were read.
bool ReadDwgPoint3(FcFilerDwg& filer, FcPoint2d& point);
// 2RD.
void WriteDwgRawPoint(FcFilerDwg& filer, const FcPoint2d& point);
// 2RD; the point changes only when both were read.
bool ReadDwgRawPoint(FcFilerDwg& filer, FcPoint2d& point);

// The UCS that the UCS and viewport records carry, always at elevation 0
// and of orthographic type 0. DXF: origin, x axis and y axis with z as the
// groups firstCode, firstCode + 1 and firstCode + 2, then 79 and 146. DWG:
// the three as 3BD, the elevation (BD) and the type (BS).
void WriteDxfUcs(FcFiler& filer, std::int16_t firstCode, const FcPoint2d& origin, const FcPoint2d& xAxis,
                 const FcPoint2d& yAxis);
void WriteDwgUcs(FcFilerDwg& filer, const FcPoint2d& origin, const FcPoint2d& xAxis, const FcPoint2d& yAxis);
