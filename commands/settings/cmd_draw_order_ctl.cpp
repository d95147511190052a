#include <optional>
#include <string>

#include "commands/settings/settings_commands.h"
#include "commands/settings/variable_answers.h"
#include "core/resbuf.h"
#include "core/value_format.h"
#include "core/value_parse.h"
#include "database/graph.h"
#include "shell/system_variable_edit.h"

namespace {

constexpr const char* kVariable = "DrawOrderCtl";
// What a drawing without a usable value behaves as.
constexpr int kDefaultControl = 3;

// The dictionary keeps the value as text, which a file may have left empty
// or filled with something else than a number.
int CurrentControl(FcGraph& graph) {
  FcResBuf value;
  int number = 0;
  if (graph.GetSysVar(kVariable, value) != FcSysVarResult::kDone || value.text == nullptr ||
      !ParseInteger(value.text, number))
    return kDefaultControl;
  return number;
}

}  // namespace

int CmdDrawOrderCtl() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  const int current = CurrentControl(*graph);
  const std::optional<int> value = AskNumberInRange(
      {"Enter new value for DRAWORDERCTL<", 0, 3, "Requires an integer between 0 and 3."}, current, true);
  if (!value) return kStatusDone;
  FcResBuf text;
  text.type = kResTypeString;
  if (!text.SetString(IntToString(*value).c_str()) || !RecordSysVarUndo(*graph, kVariable)) return kStatusDone;
  graph->SetSysVar(kVariable, text);
  return kStatusDone;
}
