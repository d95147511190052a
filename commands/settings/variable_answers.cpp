#include "commands/settings/variable_answers.h"

#include <string>

#include "core/resbuf.h"
#include "core/value_format.h"
#include "database/draw_sink.h"
#include "database/graph.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"

std::optional<int> AskNumberInRange(const RangeQuestion& question, int current, bool enterKeeps) {
  const std::string prompt = question.promptHead + IntToString(current) + ">";
  const auto inRange = [&question](int number) { return number >= question.low && number <= question.high; };
  for (;;) {
    int number = 0;
    std::string text;
    const int status = GetInteger(prompt, number, text);
    if (status == FC_INPUT_NONE && enterKeeps) {
      if (inRange(current)) return current;
      continue;
    }
    if (status != FC_INPUT_OK) return std::nullopt;
    // Checked before the number is cut to the variable's 16 bits, where
    // 65537 would pass as 1.
    if (inRange(number)) return number;
    PrintMessage(question.refusal);
  }
}

int ShortSysVar(FcGraph& graph, std::string_view name) {
  FcResBuf value;
  if (graph.GetSysVar(name, value) != FcSysVarResult::kDone || value.type != kResTypeShort) return 0;
  return value.intValue;
}

void SetShortSysVar(FcGraph& graph, std::string_view name, int value) {
  FcResBuf answer;
  answer.type = kResTypeShort;
  answer.intValue = value;
  graph.SetSysVar(name, answer);
}

void SetCurrentColor(FcGraph& graph, int color) {
  if (color >= 0 && color <= kColorByLayer) SetShortSysVar(graph, "cecolor", color);
}
