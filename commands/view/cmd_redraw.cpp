#include "commands/command_support.h"
#include "commands/view/view_commands.h"
#include "core/resbuf.h"
#include "database/graph.h"

int CmdRedraw() {
  if (FcGraph* graph = CurrentGraph()) graph->Redraw();
  return kStatusDone;
}
