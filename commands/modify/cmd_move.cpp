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

int CmdMove() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcEntitySets selection(kEditSetGrowth);
  if (!SelectForEdit(selection) || selection.GetCount() == 0) return kStatusDone;
  FcPoint2d base;
  if (!AskRequiredPoint("Base point or displacement", base)) {
    EndUnchanged(*graph, selection);
    return kStatusDone;
  }
  FcDragSelects preview;
  FcPoint2d displacement;
  if (AskSecondPoint(*graph, selection, preview, base, displacement) == SecondPointAnswer::kOther) {
    EndUnchanged(*graph, selection);
    return kStatusDone;
  }
  FcMatrix2d matrix;
  TranslationMatrix(displacement.x, displacement.y, matrix);
  TransformSelection(*graph, selection, matrix, "Move");
  return kStatusDone;
}
