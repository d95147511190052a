#include "database/entity.h"

// The display surface does not exist yet: entities are resolved against a
// surface with no current layer, no context layer, screen output and a
// drawing linetype scale of 1, and the pen goes nowhere. The display work
// replaces these two with the surface's own state.

FcPenContext GetSurfacePenContext(const FcDisplaySurface*) { return FcPenContext{}; }

void SetSurfacePen(FcDisplaySurface*, const FcPen&) {}
