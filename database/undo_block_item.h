#pragma once

#include <cstdint>
#include <string>

#include "core/handle.h"
#include "core/point2d.h"
#include "database/undo_items.h"

class FcBlock;

// How the Block command treated the selected entities.
inline constexpr std::int32_t kBlockUndoCopied = 0;    // they stayed; copies went into the block
inline constexpr std::int32_t kBlockUndoReplaced = 1;  // a reference to the block took their place
inline constexpr std::int32_t kBlockUndoRemoved = 2;   // they went into the block

// A block made from entities of the drawing.
class FcBlockUndoItm : public FcUndoItem {
 public:
  FcBlockUndoItm();
  ~FcBlockUndoItm() override;

  // Brings the entities back where the mode took them away, then deletes
  // the block.
  bool Undo(FcGraph& graph) override;
  // Makes the block again from the recorded entities.
  bool Redo(FcGraph& graph) override;

  // The new block's name, base point and handle.
  void Capture(const FcBlock& block);
  // The entities that go into the block, recorded as erased.
  void RecordEntities(const FcEntitySets& entities);

  std::int32_t GetMode() const { return mode_; }
  void SetMode(std::int32_t mode) { mode_ = mode; }
  // The entities of the block (A) and the reference that replaced them (B,
  // mode 1 only).
  FcEntSetsUndoItem& GetEntitiesItem() { return entities_; }
  FcEntSetsUndoItem& GetReferenceItem() { return reference_; }

 private:
  FcEntSetsUndoItem entities_;
  FcEntSetsUndoItem reference_;
  FcPoint2d basePoint_;
  std::string blockName_;
  FcHandle blockHandle_ = 0;
  std::int32_t mode_ = kBlockUndoRemoved;
};
