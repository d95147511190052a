#include "commands/modify/modify_commands.h"
#include "core/resbuf.h"
#include "database/graph.h"

// The list prints what it stepped over, or that there was nothing.

int CmdUndo() {
  if (FcGraph* graph = CurrentGraph()) graph->GetUndoList().UndoStep();
  return kStatusDone;
}

int CmdRedo() {
  if (FcGraph* graph = CurrentGraph()) graph->GetUndoList().RedoStep();
  return kStatusDone;
}
