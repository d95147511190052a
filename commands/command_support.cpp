#include "commands/command_support.h"

#include "core/matrix2d.h"
#include "database/graph.h"

FcPoint2d UcsToWorldPoint(const FcGraph& graph, const FcPoint2d& ucsPoint) {
  FcPoint2d world = ucsPoint;
  TransformPoint(graph.GetSysVars().UcsToWorld, world);
  return world;
}

FcPoint2d CursorInWorld(const FcGraph* drawing, const FcPoint2d& ucsPoint) {
  return drawing != nullptr ? UcsToWorldPoint(*drawing, ucsPoint) : ucsPoint;
}
