#pragma once

#include <string>

#include "core/point2d.h"

class FcDisplaySurface;
class FcEntity;

// Set in an object-snap mask (OSMODE or a one-shot override) to search
// nothing while keeping the mode bits.
inline constexpr int kObjectSnapSuspended = 0x4000;

// Whether a mask asks for a search at all.
bool ObjectSnapSearches(int mask);

// Moves the cursor onto the characteristic point of the geometry under the
// aperture (the "SnapBoxSize" pixels around the cursor in the surface's
// view): the entities whose drawn primitives the aperture touches, the
// temporary entity (may be null) by its primitives in the preview group,
// and the intersections of everything collected. Points are in world
// coordinates; the base point (null: none) serves perpendicular and
// tangent. On return the mask holds the single mode that won, or 0; false
// when nothing was found, with point untouched.
bool SnapSearch(FcDisplaySurface& surface, FcEntity* tempEntity, const FcPoint2d* basePoint,
                const FcPoint2d& cursor, int& mask, FcPoint2d& point);

// The marker and tooltip name of a single mode ("Endpoint", "Midpoint",
// ...); empty for anything else.
std::string SnapMarkerName(int mode);
