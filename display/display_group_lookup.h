#pragma once

#include "core/handle.h"

class FcDisplaySurface;
class FcDsGroupEnts;

// The display group that drawing the entity of the handle made on the
// surface; null for a null or empty surface and for an entity not drawn
// there.
FcDsGroupEnts* FindDisplayGroup(FcDisplaySurface* surface, FcHandle handle);
