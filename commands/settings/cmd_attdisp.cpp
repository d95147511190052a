#include <string>

#include "commands/settings/settings_commands.h"
#include "commands/settings/variable_answers.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "database/object.h"
#include "shell/input_request.h"
#include "shell/system_variable_edit.h"

namespace {

constexpr const char* kVariable = "attmode";

int ModeFor(const std::string& keyword) {
  if (EqualsNoCase(keyword, "Normal")) return 1;
  if (EqualsNoCase(keyword, "ON")) return 2;
  return 0;
}

}  // namespace

int CmdAttDisp() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  SetKeywords("Normal ON OFF", 0);
  std::string keyword;
  std::string text;
  if (GetKeyword("Normal/ON/OFF", keyword, text) != FC_INPUT_OK) return kStatusDone;
  const int mode = ModeFor(keyword);
  if (mode == ShortSysVar(*graph, kVariable) || !RecordSysVarUndo(*graph, kVariable, "attdisp")) return kStatusDone;
  SetShortSysVar(*graph, kVariable, mode);
  // Attributes appear or vanish in every insert.
  graph->Regen();
  return kStatusDone;
}
