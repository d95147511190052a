#include "commands/modify/modify_commands.h"
#include "commands/modify/trim_operations.h"
#include "database/entity.h"
#include "entities/arc.h"
#include "entities/circle.h"
#include "entities/line.h"
#include "entities/polyline.h"
#include "entities/ray.h"
#include "entities/xline.h"

namespace {

void TrimPicked(FcEntity& picked, const EdgePick& pick) {
  switch (picked.GetKind()) {
    case kEntityLine:
      TrimLine(static_cast<FcLine&>(picked), pick);
      return;
    case kEntityCircle:
      TrimCircle(static_cast<FcCircle&>(picked), pick);
      return;
    case kEntityArc:
      TrimArc(static_cast<FcArc&>(picked), pick);
      return;
    case kEntityRay:
      TrimRay(static_cast<FcRay&>(picked), pick);
      return;
    case kEntityXLine:
      TrimXLine(static_cast<FcXLine&>(picked), pick);
      return;
    case kEntityPolyline:
      TrimPolyline(static_cast<FcPolyline&>(picked), pick);
      return;
    default:
      return;
  }
}

}  // namespace

int CmdTrim() { return RunEdgeCommand("Trim", "<Select object to trim>/Edge", TrimPicked); }
