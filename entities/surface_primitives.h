#pragma once

#include "core/handle.h"
#include "core/point2d.h"

class FcDisplaySurface;

// The primitive builders through which entities draw. The display surface
// defines them; until it exists they add nothing
// (surface_primitive_link.cpp), and the display work replaces that file.

// One line primitive from start to end in the surface's current group,
// through its current entity transform, broken into dashes by its current
// linetype; every piece carries the sub-index and the entity's handle.
void AddLineToSurface(FcDisplaySurface* surface, const FcPoint2d& start, const FcPoint2d& end,
                      int subIndex, FcHandle handle);
