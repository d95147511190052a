#include "commands/inquiry/inquiry_commands.h"
#include "core/resbuf.h"
#include "database/entity.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "platform/frame_link.h"
#include "shell/command_registry.h"
#include "shell/input_request.h"
#include "shell/select_objects.h"

int CmdList() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcEntitySets selection(16);
  if (SelectObjects("", selection) != FC_INPUT_OK) return kStatusDone;
  for (FcEntity* entity : selection) {
    PrintMessage("");
    entity->List();
  }
  graph->HighlightEntities(false, &selection);
  graph->Redraw();
  return kStatusDone;
}
