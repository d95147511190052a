#include <numbers>
#include <string>

#include "commands/settings/settings_commands.h"
#include "core/geometry_basics.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "entities/entity_listing.h"
#include "shell/input_request.h"
#include "shell/system_variable_edit.h"

namespace {

constexpr const char* kVariable = "angbase";

// The typed angle counts from the present base; the view has already
// turned it the way ANGDIR counts.
double NewBase(const FcSystemVar& vars, double angle) {
  double base = vars.angbase + angle;
  if (vars.angdir == 1) base = 2 * std::numbers::pi - base;
  NormalizeAngle(base);
  return base;
}

}  // namespace

int CmdAngBase() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  const FcSystemVar& vars = graph->GetSysVars();
  double angle = 0.0;
  std::string text;
  const int status = GetAngle(nullptr, "New angbase<" + FormatDrawingDistance(vars.angbase, graph) + ">", angle, text);
  if (status != FC_INPUT_OK && status != FC_INPUT_NONE) return kStatusDone;
  FcResBuf value;
  value.type = kResTypeReal;
  value.realValue = status == FC_INPUT_NONE ? vars.angbase : NewBase(vars, angle);
  if (!RecordSysVarUndo(*graph, kVariable)) return kStatusDone;
  graph->SetSysVar(kVariable, value);
  return kStatusDone;
}
