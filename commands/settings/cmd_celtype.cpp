#include <string>

#include "commands/settings/settings_commands.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "shell/input_request.h"

int CmdCeLType() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  std::string name;
  if (GetString("New value for CELTYPE <\"" + graph->GetSysVars().celtype.str() + "\">", name) != FC_INPUT_OK)
    return kStatusDone;
  // ByLayer and ByBlock in any case, or a linetype of the drawing; any other
  // name leaves the current linetype.
  graph->SetCurrentLinetype(name);
  return kStatusDone;
}
