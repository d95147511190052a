#include <string>

#include "commands/settings/settings_commands.h"
#include "commands/settings/variable_answers.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "database/object.h"
#include "shell/input_request.h"
#include "shell/system_variable_edit.h"

namespace {

constexpr const char* kVariable = "ucsicon";
constexpr int kShown = 1;
constexpr int kAtOrigin = 2;

int IconFor(const std::string& keyword, int icon) {
  if (EqualsNoCase(keyword, "ON")) return icon | kShown;
  if (EqualsNoCase(keyword, "OFF")) return icon & ~kShown;
  if (EqualsNoCase(keyword, "Noorigin")) return icon & ~kAtOrigin;
  return icon | kAtOrigin;
}

}  // namespace

int CmdUcsIcon() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  const int icon = ShortSysVar(*graph, kVariable);
  SetKeywords("ON OFF Noorigin ORigin", 0);
  std::string keyword;
  std::string text;
  const std::string prompt = std::string("ON/OFF/Noorigin/ORigin") + ((icon & kShown) != 0 ? "<ON>" : "<OFF>");
  if (GetKeyword(prompt, keyword, text) != FC_INPUT_OK || !RecordSysVarUndo(*graph, kVariable)) return kStatusDone;
  SetShortSysVar(*graph, kVariable, IconFor(keyword, icon));
  graph->Redraw();
  return kStatusDone;
}
