#include <strings.h>

#include <string>

#include "commands/command_support.h"
#include "commands/modify/modify_commands.h"
#include "commands/modify/selection_edit.h"
#include "core/matrix2d.h"
#include "core/resbuf.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "display/drag_selects.h"
#include "shell/input_request.h"

namespace {

bool IsKeyword(int status, const std::string& keyword, const char* word) {
  return status == FC_INPUT_OK && strcasecmp(keyword.c_str(), word) == 0;
}

}  // namespace

int CmdMirror() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcEntitySets selection(kEditSetGrowth);
  if (!SelectForEdit(selection) || selection.GetCount() == 0) return kStatusDone;
  FcPoint2d first;
  FcPoint2d second;
  std::string text;
  if (GetPoint(nullptr, "Input 1st point of mirror line", first, text) != FC_INPUT_OK) {
    EndUnchanged(*graph, selection);
    return kStatusDone;
  }
  FcDragSelects preview;
  ShowPreview(preview, selection, FcDragSelects::kMirror, first);
  if (GetPoint(&first, "Input 2nd point of mirror line", second, text) != FC_INPUT_OK) {
    EndUnchanged(*graph, selection);
    return kStatusDone;
  }
  std::string keyword;
  SetKeywords("Yes No", 0);
  const int status = GetKeyword("Delete resource objects?[Yes/No]<No>", keyword, text);
  const FcPoint2d from = UcsToWorldPoint(*graph, first);
  const FcPoint2d to = UcsToWorldPoint(*graph, second);
  // Equal points mirror about the horizontal line through them.
  FcMatrix2d matrix;
  MirrorMatrix(from.x, from.y, to.x, to.y, matrix);
  if (IsKeyword(status, keyword, "Yes")) {
    TransformSelection(*graph, selection, matrix, "Mirror");
    return kStatusDone;
  }
  graph->HighlightEntities(false, &selection);
  if (status == FC_INPUT_NONE || IsKeyword(status, keyword, "No")) {
    FcEntitySets copies(kEditSetGrowth);
    AddTransformedCopies(*graph, selection, matrix, "Mirror", copies);
    graph->DrawEntities(&copies);
  }
  graph->Redraw();
  return kStatusDone;
}
