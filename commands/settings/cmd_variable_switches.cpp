#include <optional>

#include "commands/settings/settings_commands.h"
#include "commands/settings/variable_answers.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "shell/system_variable_edit.h"

namespace {

// A drawing variable that takes one of a few whole numbers.
struct SwitchVariable {
  const char* name;
  RangeQuestion question;
};

constexpr const char* kNeedZeroOrOne = "Only need 0 or 1!";

int EditSwitch(const SwitchVariable& variable) {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  const int current = ShortSysVar(*graph, variable.name);
  const std::optional<int> value = AskNumberInRange(variable.question, current, true);
  if (!value || !RecordSysVarUndo(*graph, variable.name)) return kStatusDone;
  SetShortSysVar(*graph, variable.name, *value);
  return kStatusDone;
}

}  // namespace

int CmdQTextMode() { return EditSwitch({"qtextmode", {"New qTextMode value <", 0, 1, kNeedZeroOrOne}}); }
int CmdMirrText() { return EditSwitch({"mirrtext", {"New mirrtext value <", 0, 1, kNeedZeroOrOne}}); }
int CmdSplFrame() { return EditSwitch({"splframe", {"New spline frame<", 0, 1, kNeedZeroOrOne}}); }
int CmdAngDir() { return EditSwitch({"angdir", {"New angle direction<", 0, 1, kNeedZeroOrOne}}); }
int CmdSplineType() { return EditSwitch({"splinetype", {"New spline type<", 5, 6, "Only need 5 or 6!"}}); }
