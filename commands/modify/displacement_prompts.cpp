#include "commands/modify/displacement_prompts.h"

#include <string>

#include "commands/command_support.h"
#include "commands/modify/selection_edit.h"
#include "display/drag_selects.h"
#include "shell/input_request.h"

bool AskRequiredPoint(std::string_view prompt, FcPoint2d& point) {
  std::string text;
  SetKeywords("", kInputRefuseEmpty);
  return GetPoint(nullptr, prompt, point, text) == FC_INPUT_OK;
}

SecondPointAnswer AskSecondPoint(const FcGraph& graph, const FcEntitySets& selection, FcDragSelects& preview,
                                 const FcPoint2d& base, FcPoint2d& displacement) {
  ShowPreview(preview, selection, FcDragSelects::kMove, base);
  std::string text;
  FcPoint2d second;
  const int status = GetPoint(&base, "Second point of displacement", second, text);
  if (status == FC_INPUT_NONE) {
    displacement = base;
    return SecondPointAnswer::kEnter;
  }
  if (status != FC_INPUT_OK) return SecondPointAnswer::kOther;
  const FcPoint2d from = UcsToWorldPoint(graph, base);
  const FcPoint2d to = UcsToWorldPoint(graph, second);
  displacement = {to.x - from.x, to.y - from.y};
  return SecondPointAnswer::kPoint;
}
