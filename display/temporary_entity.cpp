#include "display/temporary_entity.h"

#include "database/graph.h"
#include "display/display_surface.h"

void DrawTemporaryEntity(FcGraph& drawing, FcEntity* entity) {
  FcDisplaySurface* surface = drawing.GetDisplaySurface();
  if (surface == nullptr) return;
  FcLayer* const saved = surface->contextLayer;
  surface->contextLayer = nullptr;
  surface->DrawXorEntity(entity);
  surface->contextLayer = saved;
}
