#pragma once

#include <memory>

#include "core/polyline_vertex.h"
#include "display/display_primitives.h"

class FcDisplaySurface;
class FcViewTransform;

// What the primitive builders share.

// The surface's current view, or a default view when it has none yet.
const FcViewTransform& SurfaceView(const FcDisplaySurface& surface);
// The device draws with an inverting raster operation (rubber-band images).
bool IsXorPreview(const FcDisplaySurface& surface);
// Hands the primitive to the surface unless its geometry is not finite.
void EmitPrimitive(FcDisplaySurface* surface, std::unique_ptr<FcDsEntity> primitive);
// The sum of the distances between consecutive vertices.
double ChainLength(const PolylineVertex* vertices, int count);
