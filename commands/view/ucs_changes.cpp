#include "commands/view/ucs_changes.h"

#include <new>

#include "commands/command_support.h"
#include "commands/view/ucs_alignment.h"
#include "core/geometry_basics.h"
#include "database/graph.h"
#include "database/undo_list.h"
#include "platform/frame_link.h"

namespace {

// Records and pushes the current UCS, then lets change make the new one.
template <typename Change>
void ApplyUcs(FcGraph& graph, Change change) {
  if (!RecordUcsUndo(graph, FcUCSUndoItem::StackChange::kPushed)) return;
  graph.PushPreviousUcs();
  change();
}

}  // namespace

bool RecordUcsUndo(FcGraph& graph, FcUCSUndoItem::StackChange change) {
  auto* item = new (std::nothrow) FcUCSUndoItem;
  if (item == nullptr) {
    PrintMessage(kNoMemoryMessage);
    return false;
  }
  item->Capture(graph);
  item->SetStackChange(change);
  AddUndoItem(graph, item);
  return true;
}

void ApplyUcsFrame(FcGraph& graph, const UcsFrame& frame) {
  ApplyUcs(graph, [&] { graph.GetSysVars().SetUcs(frame.origin, frame.xPoint, frame.yPoint); });
}

void ApplyUcsOrigin(FcGraph& graph, const FcPoint2d& origin) {
  const FcPoint2d current = graph.GetSysVars().ucsorg;
  if (IsSamePoint(origin, current)) return;
  ApplyUcs(graph, [&] { graph.MoveUcsOrigin(origin.x - current.x, origin.y - current.y); });
}

void ApplyUcsRotation(FcGraph& graph, double angle) {
  ApplyUcs(graph, [&] { graph.RotateUcs(angle); });
}
