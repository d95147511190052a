#include "database/undo_block_item.h"

#include "database/block.h"
#include "database/entity.h"
#include "database/graph.h"
#include "database/undo_refresh.h"

FcBlockUndoItm::FcBlockUndoItm() = default;
FcBlockUndoItm::~FcBlockUndoItm() = default;

void FcBlockUndoItm::Capture(const FcBlock& block) {
  blockName_ = block.GetName();
  basePoint_ = block.GetBasePoint();
  blockHandle_ = block.GetHandle();
}

void FcBlockUndoItm::RecordEntities(const FcEntitySets& entities) {
  entities_.Clear();
  entities_.RecordSet(kUndoErased, &entities);
}

bool FcBlockUndoItm::Undo(FcGraph& graph) {
  if (mode_ == kBlockUndoReplaced) {
    reference_.Undo(graph);
    entities_.Undo(graph);
  } else if (mode_ == kBlockUndoRemoved) {
    entities_.Undo(graph);
  }
  graph.GetBlockList().RemoveByName(blockName_);
  return true;
}

bool FcBlockUndoItm::Redo(FcGraph& graph) {
  if (!entities_.HasRecords()) return true;
  FcBlock* block = graph.GetBlockList().AddNew();
  if (block == nullptr) return false;
  FcEntitySets* space = graph.GetCurrentEntitySet();
  for (const FcEntSetsUndoRecord& record : entities_.GetRecords()) {
    FcEntity* entity = space != nullptr ? space->FindByHandle(record.handle) : nullptr;
    if (entity == nullptr) continue;
    if (mode_ == kBlockUndoCopied) {
      // The copy in the block is an object of its own: two entities of one
      // drawing never share a handle.
      entity = entity->Clone();
      if (entity == nullptr) continue;
      graph.TakeHandle(*entity);
    } else {
      graph.RemoveEntity(entity);
    }
    entity->SetBlock(block);
  }
  block->SetBasePoint(basePoint_);
  block->SetName(blockName_);
  block->SetHandle(blockHandle_);
  if (mode_ == kBlockUndoReplaced) reference_.Redo(graph);
  RefreshAfterUndo(graph, FcUndoRefresh::kRedraw);
  return true;
}
