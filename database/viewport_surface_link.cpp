#include "database/viewport.h"

// The display surface is not attached to drawings yet: no drawing has a
// view window, so the viewport neither captures one nor sets one. The
// display work replaces these two with the surface's own window.

bool GetSurfaceViewWindow(const FcDisplaySurface*, FcViewWindow&) { return false; }

void SetSurfaceViewWindow(FcDisplaySurface*, const FcViewWindow&) {}
