#pragma once

#include <cstdint>

#include "core/point2d.h"

class FcDisplaySurface;
class FcGraph;

// What a cursor-overlay Draw answers when it drew something; 0 otherwise.
// Nobody acts on it.
inline constexpr int kDragDrawn = 5100;

// A rubber-band preview of the editor shell, owned by the command that
// shows it. The display calls it in two places: the screen device's cursor
// overlay (Draw, with an inverting pen, before and after each copy of the
// back buffer, so it must draw the same figure both times) and the
// surface's DragPreview (DrawFull or DrawTest).
class FcDragObject {
 public:
  virtual ~FcDragObject() = default;

  // The base draws nothing and answers 0.
  virtual int Draw(FcDisplaySurface* surface, const FcPoint2d& cursor);
  // Draws the preview for the point; used when mode is 1.
  virtual void DrawFull(FcGraph* drawing, FcDisplaySurface* surface, const FcPoint2d& point);
  // Updates and draws the preview; used for the other modes.
  virtual bool DrawTest(FcGraph* drawing, FcDisplaySurface* surface, const FcPoint2d& point, int extra);

  std::int32_t mode = 0;
};
