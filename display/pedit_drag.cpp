#include "display/pedit_drag.h"

#include <algorithm>

#include "display/builder_support.h"
#include "display/display_surface.h"
#include "display/primitive_builders.h"
#include "display/view_transform.h"

namespace {

bool InWindow(const FcClipWindow& window, const FcPoint2d& p) {
  return p.x >= window.xmin && p.x <= window.xmax && p.y >= window.ymin && p.y <= window.ymax;
}

}  // namespace

int FcPEditDrag::Draw(FcDisplaySurface* surface, const FcPoint2d&) {
  if (surface == nullptr) return 0;
  const FcViewTransform& view = SurfaceView(*surface);
  const FcClipWindow window = view.Window();
  double m = 0.0125 * std::max(window.xmax - window.xmin, window.ymax - window.ymin);
  if (view.WorldLengthToPixels(m) < 3) m = view.PixelsToWorld(5);
  const FcPoint2d& v = currentVertex;
  if (InWindow(window, v)) {
    DragDrawLine(surface, {v.x - m, v.y - m}, {v.x + m, v.y + m});
    DragDrawLine(surface, {v.x - m, v.y + m}, {v.x + m, v.y - m});
  }
  const FcPoint2d& k = markedVertex;
  if (markedShown == 1 && InWindow(window, k)) {
    const FcPoint2d left{k.x - m, k.y - m};
    const FcPoint2d right{k.x + m, k.y - m};
    const FcPoint2d top{k.x, k.y + m};
    DragDrawLine(surface, left, right);
    DragDrawLine(surface, left, top);
    DragDrawLine(surface, right, top);
  }
  return kDragDrawn;
}
