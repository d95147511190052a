#pragma once

#include "commands/command_support.h"
#include "display/display_surface.h"
#include "display/drag_object.h"

// The rubber band of an entity being placed, not yet in the drawing: its
// insertion point follows the cursor and it is drawn whole there.
template <typename Entity>
class FcDragAtCursor : public FcDragObject {
 public:
  explicit FcDragAtCursor(Entity& entity) : entity_(entity) { mode = 1; }

  void DrawFull(FcGraph* drawing, FcDisplaySurface* surface, const FcPoint2d& point) override {
    entity_.SetInsertionPoint(CursorInWorld(drawing, point));
    entity_.Draw(surface);
  }

  const Entity& GetEntity() const { return entity_; }

 private:
  Entity& entity_;
};
