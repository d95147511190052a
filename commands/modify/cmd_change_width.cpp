#include <string>
#include <vector>

#include "commands/command_support.h"
#include "commands/modify/modify_commands.h"
#include "commands/modify/polyline_conversion.h"
#include "commands/undo_section.h"
#include "core/resbuf.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "entities/polyline.h"
#include "shell/input_request.h"
#include "shell/select_objects.h"

namespace {

// Gives one selected entity the width; entities that cannot carry one are
// only let go of.
void Widen(FcGraph& graph, FcEntity* entity, double width, FcEntitySets& selection, FcEntSetsUndoItem& undo) {
  if (entity->GetKind() == kEntityPolyline) {
    auto* polyline = static_cast<FcPolyline*>(entity);
    undo.Record(kUndoChanged, polyline);
    polyline->SetConstantWidth(width);
    graph.RedrawEntity(polyline);
    return;
  }
  if (!IsConvertibleToPolyline(*entity)) {
    FcEntitySets one(1);
    one.Add(entity);
    graph.HighlightEntities(false, &one);
    return;
  }
  // The entity is deleted: the selection must not hand it on.
  selection.Remove(entity);
  FcPolyline* polyline = ReplaceByPolyline(graph, entity, undo);
  if (polyline == nullptr) return;
  polyline->SetConstantWidth(width);
  graph.DrawEntity(polyline);
}

}  // namespace

int CmdChangeWidth() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcEntitySets selection(128);
  if (SelectObjects("", selection) != FC_INPUT_OK) return kStatusDone;
  SetKeywords("", kInputRefuseEmpty | kInputRefuseNegative);
  double width = 0.0;
  std::string text;
  if (GetDistance(nullptr, "Enter new width", width, text) != FC_INPUT_OK) {
    graph->HighlightEntities(false, &selection);
    graph->Redraw();
    return kStatusDone;
  }
  FcUndoSection section(*graph, "ChangeWidth", FcUndoSection::Steps::kWholeRun);
  FcEntSetsUndoItem* undo = section.RunItem();
  if (undo == nullptr) {
    PrintMessage(kNoMemoryMessage);
    graph->HighlightEntities(false, &selection);
    graph->Redraw();
    return kStatusDone;
  }
  const std::vector<FcEntity*> chosen(selection.begin(), selection.end());
  for (FcEntity* entity : chosen) Widen(*graph, entity, width, selection, *undo);
  graph->Redraw();
  return kStatusDone;
}
