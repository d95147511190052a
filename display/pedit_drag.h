#pragma once

#include <cstdint>

#include "core/point2d.h"
#include "display/drag_object.h"

// The markers of polyline vertex editing: an X on the current vertex and a
// triangle on the marked one. The cursor plays no part.
class FcPEditDrag : public FcDragObject {
 public:
  int Draw(FcDisplaySurface* surface, const FcPoint2d& cursor) override;

  FcPoint2d currentVertex;
  FcPoint2d markedVertex;
  // 1 shows the marked vertex.
  std::int32_t markedShown = 0;
};
