#include <memory>
#include <new>

#include "commands/command_support.h"
#include "commands/modify/modify_commands.h"
#include "commands/modify/selection_edit.h"
#include "core/resbuf.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "database/undo_list.h"
#include "platform/frame_link.h"

int CmdErase() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcEntitySets selection(kEditSetGrowth);
  if (!SelectForEdit(selection)) return kStatusDone;
  std::unique_ptr<FcEntSetsUndoItem> item(new (std::nothrow) FcEntSetsUndoItem);
  if (!item) {
    // What Undo could not bring back is not erased.
    PrintMessage(kNoMemoryMessage);
    EndUnchanged(*graph, selection);
    return kStatusDone;
  }
  item->SetName("Erase");
  // Even an empty selection leaves its step: the run is an Erase the user
  // asked for, and Undo names it.
  if (selection.GetCount() > 0) item->RecordSet(kUndoErased, &selection);
  AddUndoItem(*graph, item.release());
  graph->EraseEntities(selection);
  // "Previous" must not offer entities that no longer exist.
  graph->GetPreviousSelection().RemoveAll(false);
  return kStatusDone;
}
