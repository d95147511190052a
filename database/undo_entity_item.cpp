#include "database/undo_items.h"

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "database/block.h"
#include "database/entity.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/linetype.h"
#include "database/sort_ents_table.h"
#include "database/undo_draw_order.h"
#include "database/undo_refresh.h"

namespace {

// The layer that carries the entity's stored layer handle (the current
// layer when the table has none) gets the entity's handle in its member
// list, once; the layer the entity was on before leaves it.
void RebindLayer(FcGraph& graph, FcEntity& entity, FcLayer* previous) {
  FcLayer* target = graph.GetLayerList().FindByHandle(entity.GetLayerHandle());
  if (target == nullptr) target = graph.GetCurrentLayer();
  if (target == nullptr) return;
  if (previous == target && entity.GetLayer() == target) return;
  if (previous != nullptr) previous->RemoveEntityHandle(entity.GetHandle());
  if (entity.GetLayer() == target) {
    target->AddEntityHandle(&entity);
  } else {
    entity.SetLayer(target);
  }
}

// A linetype record that no longer exists leaves the entity ByLayer.
void RebindLinetype(FcGraph& graph, FcEntity& entity) {
  if (entity.GetLinetype() == LinetypeByBlock() || entity.GetLinetypeHandle() == 0) return;
  entity.SetLinetype(graph.GetLinetypeList().FindByHandle(entity.GetLinetypeHandle()));
}

// Puts a clone of the copy back into the current space under the handle.
void PutBack(FcGraph& graph, const FcEntity* copy, FcHandle handle, FcEntitySets& affected) {
  if (copy == nullptr) return;
  FcEntity* entity = copy->Clone();
  if (entity == nullptr) return;
  entity->SetHandle(handle);
  if (FcEntitySets* space = graph.GetCurrentEntitySet()) space->Add(entity);
  entity->SetBlock(graph.GetCurrentBlock());
  RebindLayer(graph, *entity, nullptr);
  RebindLinetype(graph, *entity);
  AddToSelection(affected, entity);
}

// Takes the entities out of the drawing and deletes them.
void TakeOut(FcGraph& graph, const std::vector<FcEntity*>& entities) {
  graph.RemoveEntities(entities);
  for (FcEntity* entity : entities) delete entity;
}

// The drawing entity and the copy exchange their data.
void Exchange(FcGraph& graph, FcEntSetsUndoRecord& record, FcEntity* entity, FcEntitySets& affected) {
  if (entity == nullptr || record.copy == nullptr) return;
  std::unique_ptr<FcEntity> current(entity->Clone());
  if (current == nullptr) return;
  FcLayer* changedLayer = entity->GetLayer();
  entity->Copy(record.copy.get());
  RebindLayer(graph, *entity, changedLayer);
  RebindLinetype(graph, *entity);
  record.copy = std::move(current);
  AddToSelection(affected, entity);
}


// Redoing an erasure is an erasure, redoing a creation a creation: redo
// runs the undo of the opposite action. A change is its own opposite.
UndoAction Opposite(UndoAction action) {
  if (action == kUndoErased) return kUndoCreated;
  if (action == kUndoCreated) return kUndoErased;
  return action;
}

// Runs the records in order, each as the action it is given. Every record
// names a handle of its own, so no record changes which entity another one
// finds, nor where another one's handle sits in the lists of the drawing:
// the entities are all looked up before any record runs and the take-outs
// go first, together, with the result of taking them out one at a time.
void RunAs(const std::vector<UndoAction>& actions, const std::vector<FcEntSetsUndoRecord*>& records,
           FcGraph& graph, FcEntitySets& affected) {
  std::vector<FcHandle> wanted;
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (actions[i] != kUndoErased) wanted.push_back(records[i]->handle);
  }
  const std::vector<FcEntity*> found = graph.FindEntitiesByHandle(wanted);
  std::vector<FcEntity*> doomed;
  std::size_t next = 0;
  for (const UndoAction action : actions) {
    if (action == kUndoErased) continue;
    if (action == kUndoCreated) doomed.push_back(found[next]);
    ++next;
  }
  TakeOut(graph, doomed);

  next = 0;
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (actions[i] == kUndoErased) {
      PutBack(graph, records[i]->copy.get(), records[i]->handle, affected);
      continue;
    }
    if (actions[i] == kUndoChanged) Exchange(graph, *records[i], found[next], affected);
    ++next;
  }
}

// Undo and redo differ only in the direction each record takes.
void RunRecords(std::list<FcEntSetsUndoRecord>& records, FcGraph& graph, bool redo) {
  if (records.empty()) return;
  std::vector<UndoAction> actions;
  std::vector<FcEntSetsUndoRecord*> pointers;
  actions.reserve(records.size());
  pointers.reserve(records.size());
  for (FcEntSetsUndoRecord& record : records) {
    actions.push_back(redo ? Opposite(record.action) : record.action);
    pointers.push_back(&record);
  }
  FcEntitySets affected(kFcPreviousSelectionGrowth);
  RunAs(actions, pointers, graph, affected);
  if (affected.GetCount() > 0) RedrawUndoneEntities(graph, affected);
}

}  // namespace

FcEntSetsUndoRecord::FcEntSetsUndoRecord() = default;
FcEntSetsUndoRecord::~FcEntSetsUndoRecord() = default;
FcEntSetsUndoRecord::FcEntSetsUndoRecord(FcEntSetsUndoRecord&&) noexcept = default;
FcEntSetsUndoRecord& FcEntSetsUndoRecord::operator=(FcEntSetsUndoRecord&&) noexcept = default;

void FcEntSetsUndoRecord::Undo(FcGraph& graph, FcEntitySets& affected) { RunAs({action}, {this}, graph, affected); }

void FcEntSetsUndoRecord::Redo(FcGraph& graph, FcEntitySets& affected) {
  RunAs({Opposite(action)}, {this}, graph, affected);
}

FcEntSetsUndoItem::FcEntSetsUndoItem() = default;
FcEntSetsUndoItem::~FcEntSetsUndoItem() = default;

// The draw order is exchanged before the records run, so that entities
// taken out leave the installed table and entities put back keep their
// place in it (or join it at the end).
bool FcEntSetsUndoItem::Undo(FcGraph& graph) {
  SwapDrawOrder(graph);
  RunRecords(records_, graph, false);
  RefreshAfterUndo(graph, FcUndoRefresh::kRedraw);
  return true;
}

bool FcEntSetsUndoItem::Redo(FcGraph& graph) {
  SwapDrawOrder(graph);
  RunRecords(records_, graph, true);
  RefreshAfterUndo(graph, FcUndoRefresh::kRedraw);
  return true;
}

void FcEntSetsUndoItem::Record(UndoAction action, FcEntity* entity) {
  if (entity == nullptr) return;
  const auto found = byHandle_.find(entity->GetHandle());
  if (found != byHandle_.end()) {
    found->second->action = action;
    return;
  }
  FcEntSetsUndoRecord record;
  record.copy.reset(entity->Clone());
  record.handle = entity->GetHandle();
  record.action = action;
  records_.push_back(std::move(record));
  byHandle_.emplace(entity->GetHandle(), std::prev(records_.end()));
  if (action == kUndoErased || action == kUndoCreated) CaptureDrawOrder(entity);
}

void FcEntSetsUndoItem::RecordSet(UndoAction action, const FcEntitySets* set) {
  if (set == nullptr) return;
  for (FcEntity* entity : *set) Record(action, entity);
}

void FcEntSetsUndoItem::SetEntity(UndoAction action, FcEntity* entity) {
  if (entity == nullptr) return;
  Clear();
  Record(action, entity);
}

void FcEntSetsUndoItem::SetEntities(UndoAction action, const FcEntitySets* set) {
  if (set == nullptr || set->GetCount() == 0) return;
  Clear();
  RecordSet(action, set);
}

void FcEntSetsUndoItem::Clear() {
  byHandle_.clear();
  records_.clear();
  savedDrawOrder_.reset();
}

void FcEntSetsUndoItem::Forget(FcHandle handle) {
  const auto found = byHandle_.find(handle);
  if (found == byHandle_.end()) return;
  records_.erase(found->second);
  byHandle_.erase(found);
}

void FcEntSetsUndoItem::CaptureDrawOrder(const FcEntity* entity) {
  if (savedDrawOrder_ != nullptr || entity == nullptr) return;
  const FcGraph* graph = OwnerGraphOf(*entity);
  if (graph == nullptr) return;
  savedDrawOrder_ = CopyOfDrawOrder(CurrentDrawOrder(*graph));
}

void FcEntSetsUndoItem::SwapDrawOrder(FcGraph& graph) {
  if (savedDrawOrder_ == nullptr) return;
  FcBlock* space = graph.GetCurrentBlock();
  if (space == nullptr) return;
  std::unique_ptr<FcSortEntsTable> current = CopyOfDrawOrder(space->GetSortEntsTable());
  InstallDrawOrder(*space, std::move(savedDrawOrder_));
  savedDrawOrder_ = std::move(current);
}
