#include "commands/dimension/annotation_drags.h"

#include "commands/command_support.h"
#include "display/display_surface.h"
#include "entities/leader.h"
#include "entities/tolerance.h"

void FcDragLeader::DrawFull(FcGraph* drawing, FcDisplaySurface* surface, const FcPoint2d& point) {
  if (leader_.GetVertexCount() == 0) return;
  leader_.SetVertex(leader_.GetVertexCount() - 1, CursorInWorld(drawing, point));
  leader_.Draw(surface);
}
