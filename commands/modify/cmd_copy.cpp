#include <string>

#include "commands/command_support.h"
#include "commands/modify/displacement_prompts.h"
#include "commands/modify/modify_commands.h"
#include "commands/modify/selection_edit.h"
#include "core/matrix2d.h"
#include "core/resbuf.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "display/drag_selects.h"
#include "shell/input_request.h"

namespace {

// The base point, and whether the user chose to place copies until Enter.
bool AskCopyBase(FcPoint2d& base, bool& multiple) {
  std::string text;
  SetKeywords("Multi", kInputRefuseEmpty);
  const int status = GetPoint(nullptr, "<Base point or displacement>/Multiple", base, text);
  multiple = status == FC_INPUT_KEYWORD;
  if (!multiple) return status == FC_INPUT_OK;
  return AskRequiredPoint("Base point", base);
}

}  // namespace

int CmdCopy() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcEntitySets selection(kEditSetGrowth);
  if (!SelectForEdit(selection) || selection.GetCount() == 0) return kStatusDone;
  FcPoint2d base;
  bool multiple = false;
  if (!AskCopyBase(base, multiple)) {
    EndUnchanged(*graph, selection);
    return kStatusDone;
  }
  FcDragSelects preview;
  FcEntitySets copies(kEditSetGrowth);
  // Each pass is an undo step of its own, so Undo takes back one placement.
  for (;;) {
    FcPoint2d displacement;
    const SecondPointAnswer answer = AskSecondPoint(*graph, selection, preview, base, displacement);
    if (answer == SecondPointAnswer::kOther || (multiple && answer == SecondPointAnswer::kEnter)) break;
    FcMatrix2d matrix;
    TranslationMatrix(displacement.x, displacement.y, matrix);
    AddTransformedCopies(*graph, selection, matrix, "Copy", copies);
    graph->RedrawEntities(&copies);
    graph->Redraw();
    if (!multiple) break;
  }
  EndUnchanged(*graph, selection);
  return kStatusDone;
}
