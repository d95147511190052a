#include "commands/modify/paste_drags.h"

#include "commands/command_support.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "display/display_surface.h"
#include "entities/insert.h"

void FcDragInsert::DrawFull(FcGraph* drawing, FcDisplaySurface* surface, const FcPoint2d& point) {
  const FcPoint2d cursor = CursorInWorld(drawing, point);
  if (stage == kMoving) {
    insert_.SetInsertionPoint(cursor);
  } else if (IsDifferentPoint(cursor, insert_.GetInsertionPoint())) {
    insert_.SetRotation(NormalAngleAbout(insert_.GetInsertionPoint(), cursor));
  }
  insert_.Draw(surface);
}
