#include <memory>
#include <new>
#include <unordered_set>
#include <vector>

#include "commands/command_support.h"
#include "commands/modify/modify_commands.h"
#include "core/resbuf.h"
#include "database/entity.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/undo_items.h"
#include "database/undo_list.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"
#include "shell/select_objects.h"

namespace {

// The parts come with their layer set while they had no handle yet, which
// left entries of handle 0 in the layers' member lists; the parts' real
// handles are there now, and a stale 0 would keep the layer in use for
// ever.
void DropUnassignedHandles(const FcEntitySets& parts) {
  std::unordered_set<FcLayer*> layers;
  for (FcEntity* part : parts) {
    if (part->GetLayer() != nullptr) layers.insert(part->GetLayer());
  }
  for (FcLayer* layer : layers) layer->RemoveEntityHandle(FcHandle{0});
}

// Puts the parts in place of the exploded entities as one undo step.
void ReplaceByParts(FcGraph& graph, FcEntitySets& parts, FcEntitySets& exploded) {
  std::unique_ptr<FcEntSetsUndoItem> item(new (std::nothrow) FcEntSetsUndoItem);
  if (item == nullptr) {
    // What Undo could not take back is not changed.
    parts.RemoveAll(true);
    PrintMessage(kNoMemoryMessage);
    return;
  }
  item->SetName("Explode");
  for (FcEntity* part : parts) graph.AddEntityKeepLayer(part);
  DropUnassignedHandles(parts);
  item->RecordSet(kUndoCreated, &parts);
  item->RecordSet(kUndoErased, &exploded);
  AddUndoItem(graph, item.release());
  graph.EraseEntities(exploded);
  if (parts.GetCount() == 0) return;
  FcEntitySets& previous = graph.GetPreviousSelection();
  previous.RemoveAll(false);
  for (FcEntity* part : parts) previous.Add(part);
  graph.DrawEntities(&parts);
}

}  // namespace

int CmdExplode() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcEntitySets selection(128);
  if (SelectObjects({}, selection) != FC_INPUT_OK || selection.GetCount() == 0) return kStatusDone;
  graph->HighlightEntities(false, &selection);
  FcEntitySets parts(128);
  FcEntitySets exploded(128);
  for (FcEntity* entity : selection) {
    // Attributes and the sequence end go with their reference: adding the
    // reference to the set brings them, and a refused reference keeps them.
    if (entity->IsSubEntity() || entity->GetKind() == kEntitySeqend) continue;
    if (entity->Explode(parts)) exploded.Add(entity);
  }
  if (parts.GetCount() > 0 || exploded.GetCount() > 0) ReplaceByParts(*graph, parts, exploded);
  graph->Redraw();
  return kStatusDone;
}
