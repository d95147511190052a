#include "display/display_group_lookup.h"

#include "display/display_surface.h"

FcDsGroupEnts* FindDisplayGroup(FcDisplaySurface* surface, FcHandle handle) {
  if (surface == nullptr || surface->GetGroupCount() == 0) return nullptr;
  const int index = surface->FindHandleIndex(handle);
  return index < 0 ? nullptr : surface->GetGroup(index);
}
