#pragma once

#include <cstdint>

#include "core/point2d.h"

class FcDisplaySurface;
class FcGraph;

// What a cursor-overlay Draw answers when it drew something; 0 otherwise.
// Nobody acts on it.
inline constexpr int kDragDrawn = 5100;

// A rubber-band preview of the editor shell, owned by the command that
// shows it. The display calls it in two places: mode 0 on the screen
// device's cursor overlay (Draw, straight on the device, whenever the view
// is presented, so it keeps nothing and draws the same figure each time),
// and modes 1 and 2 through the surface's DragPreview (DrawFull or
// DrawTest), which collects the figures into the preview group.
class FcDragObject {
 public:
  virtual ~FcDragObject() = default;

  // The base draws nothing and answers 0.
  virtual int Draw(FcDisplaySurface* surface, const FcPoint2d& cursor);
  // Draws the preview for the point; used when mode is 1.
  virtual void DrawFull(FcGraph* drawing, FcDisplaySurface* surface, const FcPoint2d& point);
  // Updates and draws the preview; used when mode is 2. The extra flag is
  // 1 for a clicked or typed point, 0 for a cursor movement.
  virtual bool DrawTest(FcGraph* drawing, FcDisplaySurface* surface, const FcPoint2d& point, int extra);

  std::int32_t mode = 0;
};
