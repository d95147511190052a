#include <algorithm>
#include <limits>

#include "commands/command_support.h"
#include "commands/modify/clipboard_drawing.h"
#include "commands/modify/modify_commands.h"
#include "commands/undo_section.h"
#include "core/resbuf.h"
#include "database/block.h"
#include "database/entity.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "display/display_group.h"
#include "display/display_group_lookup.h"
#include "entities/dimension.h"
#include "platform/frame_link.h"
#include "shell/command_registry.h"
#include "shell/input_request.h"
#include "shell/select_objects.h"

namespace {

// The centre of the box over what the selection looks like on screen;
// (0,0) when none of it is drawn.
FcPoint2d DrawnCentre(const FcGraph& graph, const FcEntitySets& selection) {
  constexpr double kHuge = std::numeric_limits<double>::max();
  FcPoint2d low{kHuge, kHuge};
  FcPoint2d high{-kHuge, -kHuge};
  FcDisplaySurface* surface = graph.GetDisplaySurface();
  for (const FcEntity* entity : selection) {
    FcDsGroupEnts* group = FindDisplayGroup(surface, entity->GetHandle());
    if (group == nullptr) continue;
    FcPoint2d min{kHuge, kHuge};
    FcPoint2d max{-kHuge, -kHuge};
    group->GetExtents(min, max);
    if (min.x > max.x) continue;
    low = {std::min(low.x, min.x), std::min(low.y, min.y)};
    high = {std::max(high.x, max.x), std::max(high.y, max.y)};
  }
  if (low.x > high.x) return {0.0, 0.0};
  return {(low.x + high.x) / 2.0, (low.y + high.y) / 2.0};
}

// A copy of the entity with a handle of the drawing but outside it; a
// dimension keeps showing its block, or builds one when it has none.
FcEntity* DetachedClone(FcGraph& graph, const FcEntity& entity) {
  FcEntity* clone = entity.Clone();
  if (clone == nullptr) return nullptr;
  graph.AddEntityKeepLayer(clone);
  graph.RemoveEntity(clone);
  if (auto* dimension = dynamic_cast<FcDimension*>(clone)) {
    FcBlock* block = static_cast<const FcDimension&>(entity).GetDimBlock();
    if (block != nullptr) {
      dimension->BindBlock(block);
    } else {
      dimension->RebuildBlock();
    }
  }
  return clone;
}

// Clones of the selection go into a block of their own, based on the
// middle of what is drawn, which goes to the clipboard and away again.
// False when the clipboard did not take it.
bool CopySelection(FcGraph& graph, const FcEntitySets& selection) {
  const FcPoint2d base = DrawnCentre(graph, selection);
  FcBlockList& blocks = graph.GetBlockList();
  FcBlock* block = blocks.AddAnonymousBlock();
  if (block == nullptr) {
    PrintMessage(kNoMemoryMessage);
    return false;
  }
  for (const FcEntity* entity : selection) {
    FcEntity* clone = DetachedClone(graph, *entity);
    if (clone != nullptr && !block->AddEntity(clone)) delete clone;
  }
  block->SetBasePoint(base);
  const bool copied = CopyBlockToClipboard(graph, *block);
  blocks.RemoveByHandle(block->GetHandle());
  return copied;
}

// The selection of the default prompt, unhighlighted; false when it was
// cancelled or empty.
bool SelectForClipboard(FcGraph& graph, FcEntitySets& selection) {
  if (SelectObjects("", selection) != FC_INPUT_OK || selection.GetCount() == 0) return false;
  graph.HighlightEntities(false, &selection);
  return true;
}

}  // namespace

int CmdCopyClip() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcEntitySets selection(kFcPreviousSelectionGrowth);
  if (!SelectForClipboard(*graph, selection)) return kStatusDone;
  CopySelection(*graph, selection);
  graph->Redraw();
  return kStatusDone;
}

// What goes to the clipboard is what Copy puts there; the selection then
// leaves the drawing as one step that Undo takes back. When the clipboard
// did not take it, the selection stays: it would be lost but for Undo.
int CmdCutClip() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcUndoSection section(*graph, "CutClip", FcUndoSection::Steps::kWholeRun);
  FcEntitySets selection(kFcPreviousSelectionGrowth);
  if (!SelectForClipboard(*graph, selection)) return kStatusDone;
  if (CopySelection(*graph, selection)) section.EraseRecorded(selection);
  graph->Redraw();
  return kStatusDone;
}
