#include "commands/command_support.h"

#include <new>
#include <utility>

#include "core/matrix2d.h"
#include "database/entity.h"
#include "database/graph.h"
#include "shell/work_thread.h"

namespace {

// An empty group would only be an Undo step that does nothing.
void CloseOpenUndoGroup(FcGraph& graph) {
  FcUndoList& list = graph.GetUndoList();
  FcGroupUndo* group = list.GetOpenGroup();
  if (group == nullptr) return;
  const bool empty = group->GetNewestChild() == nullptr;
  list.EndGroup();
  if (empty) list.DiscardLast();
}

}  // namespace

FcPoint2d UcsToWorldPoint(const FcGraph& graph, const FcPoint2d& ucsPoint) {
  FcPoint2d world = ucsPoint;
  TransformPoint(graph.GetSysVars().UcsToWorld, world);
  return world;
}

std::unique_ptr<FcEntSetsUndoItem> NewEntityUndoItem(std::string_view name) {
  std::unique_ptr<FcEntSetsUndoItem> item(new (std::nothrow) FcEntSetsUndoItem);
  if (item) item->SetName(name);
  return item;
}

void AddCreatedEntity(FcGraph& graph, FcEntity* entity, FcEntSetsUndoItem& item) {
  if (entity == nullptr) return;
  graph.AddEntity(entity, true);
  item.Record(kUndoCreated, entity);
}

void AddEntityWithOwnUndo(FcGraph& graph, FcEntity* entity, std::string_view name) {
  if (entity == nullptr) return;
  std::unique_ptr<FcEntSetsUndoItem> item = NewEntityUndoItem(name);
  if (!item) {
    graph.AddEntity(entity, true);
    return;
  }
  AddCreatedEntity(graph, entity, *item);
  AddUndoItem(graph, item.release());
}

void PushUndoItemIfRecorded(FcGraph& graph, std::unique_ptr<FcEntSetsUndoItem> item) {
  if (item && item->HasRecords()) AddUndoItem(graph, item.release());
}

void InstallCommandBoundaryHook() { SetCommandBoundaryHook(CloseOpenUndoGroup); }
