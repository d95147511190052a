#include "commands/modify/entity_property_edit.h"
#include "commands/modify/modify_commands.h"
#include "commands/modify/selection_edit.h"
#include "core/resbuf.h"
#include "database/entity_sets.h"
#include "database/graph.h"

int CmdChange() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcEntitySets selection(kEditSetGrowth);
  if (!SelectForEdit(selection)) return kStatusDone;
  EditEntityProperties(*graph, selection);
  return kStatusDone;
}
