#include "commands/command_support.h"

#include "core/matrix2d.h"
#include "database/entity.h"
#include "database/graph.h"
#include "database/linetype.h"

FcPoint2d UcsToWorldPoint(const FcGraph& graph, const FcPoint2d& ucsPoint) {
  FcPoint2d world = ucsPoint;
  TransformPoint(graph.GetSysVars().UcsToWorld, world);
  return world;
}

std::string EntityLinetypeName(const FcEntity& entity) {
  const FcLineType* linetype = entity.GetLinetype();
  if (linetype == nullptr) return "ByLayer";
  if (linetype == LinetypeByBlock()) return "ByBlock";
  return linetype->GetName();
}

FcPoint2d CursorInWorld(const FcGraph* drawing, const FcPoint2d& ucsPoint) {
  return drawing != nullptr ? UcsToWorldPoint(*drawing, ucsPoint) : ucsPoint;
}
