#include "commands/command_support.h"
#include "commands/view/view_commands.h"
#include "core/resbuf.h"
#include "database/graph.h"

int CmdRegen() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  PrintMessage("Regenerating...");
  graph->Regen();
  graph->Redraw();
  return kStatusDone;
}
