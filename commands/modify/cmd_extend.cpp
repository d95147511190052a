#include "commands/modify/extend_operations.h"
#include "commands/modify/modify_commands.h"
#include "database/entity.h"
#include "entities/arc.h"
#include "entities/line.h"
#include "entities/polyline.h"
#include "entities/ray.h"

namespace {

void ExtendPicked(FcEntity& picked, const EdgePick& pick) {
  switch (picked.GetKind()) {
    case kEntityLine:
      ExtendLine(static_cast<FcLine&>(picked), pick);
      return;
    case kEntityArc:
      ExtendArc(static_cast<FcArc&>(picked), pick);
      return;
    case kEntityRay:
      ExtendRay(static_cast<FcRay&>(picked), pick);
      return;
    case kEntityPolyline:
      ExtendPolyline(static_cast<FcPolyline&>(picked), pick);
      return;
    default:
      return;
  }
}

}  // namespace

int CmdExtend() { return RunEdgeCommand("Extend", "<Select object to extend>/Edge", ExtendPicked); }
