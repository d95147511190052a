#include "commands/modify/selection_edit.h"

#include <memory>
#include <new>
#include <string>

#include "commands/command_support.h"
#include "core/resbuf.h"
#include "database/entity.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "database/undo_list.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"
#include "shell/select_objects.h"

namespace {

std::unique_ptr<FcEntSetsUndoItem> NewItem(std::string_view name) {
  std::unique_ptr<FcEntSetsUndoItem> item(new (std::nothrow) FcEntSetsUndoItem);
  if (!item) {
    PrintMessage(kNoMemoryMessage);
    return item;
  }
  item->SetName(name);
  return item;
}

}  // namespace

bool SelectForEdit(FcEntitySets& selection) { return SelectObjects("", selection) == FC_INPUT_OK; }

void EndUnchanged(FcGraph& graph, const FcEntitySets& selection) {
  graph.HighlightEntities(false, &selection);
  graph.Redraw();
}

void ShowPreview(FcDragSelects& preview, const FcEntitySets& selection, FcDragSelects::Transform transform,
                 const FcPoint2d& base) {
  preview.SetEntities(selection);
  preview.transform = transform;
  preview.basePoint = base;
  SetDragObject(&preview);
}

void TransformSelection(FcGraph& graph, FcEntitySets& selection, const FcMatrix2d& matrix, std::string_view name) {
  std::unique_ptr<FcEntSetsUndoItem> item = NewItem(name);
  if (!item) {
    EndUnchanged(graph, selection);
    return;
  }
  // Taken before any entity moves, so that the records hold the old shapes.
  if (selection.GetCount() > 0) item->SetEntities(kUndoChanged, &selection);
  AddUndoItem(graph, item.release());
  for (FcEntity* entity : selection) entity->Transform(matrix);
  graph.RedrawEntities(&selection);
  graph.Redraw();
}

void AddTransformedCopies(FcGraph& graph, const FcEntitySets& selection, const FcMatrix2d& matrix,
                          std::string_view name, FcEntitySets& copies) {
  copies.RemoveAll(false);
  std::unique_ptr<FcEntSetsUndoItem> item = NewItem(name);
  if (!item) return;
  if (FcEntitySets* space = graph.GetCurrentEntitySet()) space->Reserve(selection.GetCount());
  for (const FcEntity* source : selection) {
    FcEntity* copy = source->TransformedClone(matrix);
    if (copy == nullptr) {
      // A pass that runs out of memory keeps the copies it made.
      PrintMessage(kNoMemoryMessage);
      break;
    }
    graph.AddEntityKeepLayer(copy);
    copies.Add(copy);
  }
  if (copies.GetCount() > 0) item->RecordSet(kUndoCreated, &copies);
  AddUndoItem(graph, item.release());
}

int ChangeAboutBasePoint(FcDragSelects::Transform transform, AskAboutBase ask, MatrixAboutPoint build,
                         std::string_view name) {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcEntitySets selection(kEditSetGrowth);
  if (!SelectForEdit(selection) || selection.GetCount() == 0) return kStatusDone;
  FcPoint2d base;
  std::string text;
  if (GetPoint(nullptr, "Base point", base, text) != FC_INPUT_OK) {
    EndUnchanged(*graph, selection);
    return kStatusDone;
  }
  FcDragSelects preview;
  ShowPreview(preview, selection, transform, base);
  double value = 0.0;
  if (!ask(preview, base, value)) {
    EndUnchanged(*graph, selection);
    return kStatusDone;
  }
  const FcPoint2d centre = UcsToWorldPoint(*graph, base);
  FcMatrix2d matrix;
  build(centre.x, centre.y, value, matrix);
  TransformSelection(*graph, selection, matrix, name);
  return kStatusDone;
}
