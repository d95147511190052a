#include "database/viewport.h"
#include "display/display_surface.h"
#include "display/view_transform.h"

bool GetSurfaceViewWindow(const FcDisplaySurface* surface, FcViewWindow& window) {
  const FcViewTransform* view = surface != nullptr ? surface->GetView() : nullptr;
  if (view == nullptr) return false;
  window = {view->x0, view->y0, view->x1, view->y1};
  return true;
}

void SetSurfaceViewWindow(FcDisplaySurface* surface, const FcViewWindow& window) {
  FcViewTransform* view = surface != nullptr ? surface->GetView() : nullptr;
  if (view == nullptr) return;
  view->x0 = window.xmin;
  view->y0 = window.ymin;
  view->x1 = window.xmax;
  view->y1 = window.ymax;
  surface->FitWindowToDevice();
  surface->viewUnchanged = false;
  surface->gripsChanged = true;
}
