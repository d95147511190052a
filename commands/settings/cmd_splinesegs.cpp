#include <algorithm>
#include <cstdlib>
#include <limits>
#include <string>

#include "commands/settings/settings_commands.h"
#include "commands/settings/variable_answers.h"
#include "core/resbuf.h"
#include "core/value_format.h"
#include "database/graph.h"
#include "shell/input_request.h"
#include "shell/system_variable_edit.h"

namespace {

constexpr const char* kVariable = "splinesegs";

// The count the variable keeps for an answer: its size, within what the
// 16-bit variable holds, so that a large answer is not cut to a stranger
// number; 0 keeps the present count.
int SegmentsFor(int answer, int current) {
  if (answer == 0) return current;
  const long long size = std::llabs(static_cast<long long>(answer));
  return static_cast<int>(std::min<long long>(size, std::numeric_limits<short>::max()));
}

}  // namespace

int CmdSplineSegs() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  const int current = ShortSysVar(*graph, kVariable);
  SetKeywords("", kInputRefuseZero);
  int answer = 0;
  std::string text;
  const int status = GetInteger("New spline segments number<" + IntToString(current) + ">", answer, text);
  if (status != FC_INPUT_OK && status != FC_INPUT_NONE) return kStatusDone;
  // Enter keeps the count, yet still leaves its step on the undo list.
  const int segments = status == FC_INPUT_NONE ? current : SegmentsFor(answer, current);
  if (!RecordSysVarUndo(*graph, kVariable)) return kStatusDone;
  SetShortSysVar(*graph, kVariable, segments);
  return kStatusDone;
}
