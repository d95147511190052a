#include "database/undo_block_item.h"

#include <vector>

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
  std::vector<FcHandle> handles;
  for (const FcEntSetsUndoRecord& record : entities_.GetRecords()) handles.push_back(record.handle);
  std::vector<FcEntity*> members = graph.FindEntitiesByHandle(handles);
  std::erase(members, nullptr);
  if (mode_ == kBlockUndoCopied) {
    for (FcEntity*& member : members) {
      // The copy in the block is an object of its own: two entities of one
      // drawing never share a handle. Leaving the original's block before
      // the new handle is taken spares a search of that block's draw order
      // for a handle it cannot hold.
      member = member->Clone();
      if (member == nullptr) continue;
      member->SetBlock(nullptr);
      graph.TakeHandle(*member);
    }
    std::erase(members, nullptr);
  } else {
    graph.RemoveEntities(members);
  }
  for (FcEntity* member : members) member->SetBlock(block);
  block->SetBasePoint(basePoint_);
  block->SetName(blockName_);
  block->SetHandle(blockHandle_);
  if (mode_ == kBlockUndoReplaced) reference_.Redo(graph);
  RefreshAfterUndo(graph, FcUndoRefresh::kRedraw);
  return true;
}
