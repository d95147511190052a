#include "commands/command_support.h"
#include "commands/settings/settings_commands.h"
#include "commands/settings/text_style_editing.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "database/text_style.h"

int CmdStyle() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  const FcTextStyle* current = graph->GetCurrentTextStyle();
  EditTextStyles(*graph, current != nullptr ? current->GetName() : std::string(), true);
  return kStatusDone;
}
