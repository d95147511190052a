#pragma once

#include "commands/drag_at_cursor.h"
#include "display/drag_object.h"

class FcLeader;
class FcTolerance;

// The rubber bands of the leader and tolerance commands: the entity being
// made, not yet in the drawing, drawn whole with the cursor's point.

// The leader's last vertex follows the cursor.
class FcDragLeader : public FcDragObject {
 public:
  explicit FcDragLeader(FcLeader& leader) : leader_(leader) { mode = 1; }
  void DrawFull(FcGraph* drawing, FcDisplaySurface* surface, const FcPoint2d& point) override;

 private:
  FcLeader& leader_;
};

// The tolerance's insertion point follows the cursor.
using FcDragTolerance = FcDragAtCursor<FcTolerance>;
