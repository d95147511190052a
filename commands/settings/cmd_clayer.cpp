#include <string>

#include "commands/settings/settings_commands.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"

int CmdCLayer() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  std::string name;
  // Enter (an empty name) keeps the layer the prompt offers.
  const std::string prompt = "New value for CLAYER <\"" + graph->GetSysVars().clayer.str() + "\">";
  if (GetString(prompt, name) != FC_INPUT_OK || name.empty()) return kStatusDone;
  if (graph->GetLayerList().FindByName(name) == nullptr) {
    PrintMessage("Can't set CLAYER to that value.");
    return kStatusDone;
  }
  graph->SetCurrentLayer(name);
  return kStatusDone;
}
