#include "database/entity.h"
#include "database/graph.h"
#include "display/display_surface.h"
#include "display/primitive_builders.h"
#include "display/view_transform.h"
#include "entities/surface_primitives.h"
#include "entities/surface_primitives_more.h"

// What the entity base and the entities read of and set on the surface
// while an entity draws itself.

FcPenContext GetSurfacePenContext(const FcDisplaySurface* surface) {
  FcPenContext context;
  if (surface == nullptr) return context;
  const FcGraph* drawing = surface->GetOwner();
  context.currentLayer = drawing != nullptr ? drawing->GetCurrentLayer() : nullptr;
  context.contextLayer = surface->contextLayer;
  context.highPrecision = surface->highPrecision;
  context.drawingLinetypeScale = surface->drawingLinetypeScale;
  return context;
}

void SetSurfacePen(FcDisplaySurface* surface, const FcPen& pen) {
  if (surface == nullptr) return;
  surface->currentColorIndex = pen.color;
  surface->currentLinetype = IsLinetypeMarker(pen.linetype) ? nullptr : pen.linetype;
  surface->entityLinetypeScale = pen.linetypeScale;
}

void SetSurfaceContinuousLinetype(FcDisplaySurface* surface) {
  if (surface != nullptr) surface->currentLinetype = nullptr;
}

FcSurfaceState GetSurfaceState(const FcDisplaySurface* surface) {
  FcSurfaceState state;
  if (surface == nullptr) return state;
  state.graph = surface->GetOwner();
  state.printing = surface->highPrecision;
  if (const FcViewTransform* view = surface->GetView()) {
    state.windowWidth = view->x1 - view->x0;
    state.windowHeight = view->y1 - view->y0;
  }
  return state;
}

namespace {

const FcViewTransform* ViewOf(const FcGraph* graph) {
  const FcDisplaySurface* surface = graph != nullptr ? graph->GetDisplaySurface() : nullptr;
  return surface != nullptr ? surface->GetView() : nullptr;
}

}  // namespace

int GetViewDeviceWidth(const FcGraph* graph) {
  const FcViewTransform* view = ViewOf(graph);
  return view != nullptr ? view->deviceX1 - view->deviceX0 : 0;
}

double ViewPixelsToWorld(const FcGraph* graph, int pixels) {
  const FcViewTransform* view = ViewOf(graph);
  return view != nullptr ? view->PixelsToWorld(pixels) : 0.0;
}
