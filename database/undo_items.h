#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>

#include "core/handle.h"
#include "database/undo_list.h"

class FcEntity;
class FcEntitySets;
class FcSortEntsTable;

// What happened to the entity of an entity record.
using UndoAction = std::int32_t;
inline constexpr UndoAction kUndoErased = 0;
inline constexpr UndoAction kUndoCreated = 1;
// Also the action of a new, empty record.
inline constexpr UndoAction kUndoChanged = 2;

// One entity of an entity item: a copy of it as it was recorded first, its
// handle and what happened to it.
struct FcEntSetsUndoRecord {
  FcEntSetsUndoRecord();
  ~FcEntSetsUndoRecord();
  FcEntSetsUndoRecord(FcEntSetsUndoRecord&&) noexcept;
  FcEntSetsUndoRecord& operator=(FcEntSetsUndoRecord&&) noexcept;

  // Reverts the record on the drawing; the entities that are in the
  // drawing afterwards and need drawing anew join the affected set.
  void Undo(FcGraph& graph, FcEntitySets& affected);
  void Redo(FcGraph& graph, FcEntitySets& affected);

  std::unique_ptr<FcEntity> copy;
  FcHandle handle = 0;
  UndoAction action = kUndoChanged;
};

// The item of nearly every editing and drawing command: copies of the
// entities it erased, created or changed, and the draw order of the
// current space from before the command. Commands record an entity before
// they erase or change it and after they create it.
class FcEntSetsUndoItem : public FcUndoItem {
 public:
  FcEntSetsUndoItem();
  ~FcEntSetsUndoItem() override;

  bool Undo(FcGraph& graph) override;
  bool Redo(FcGraph& graph) override;

  // A second recording of the same handle only changes the action; the
  // copy stays the first one. Nothing for null.
  void Record(UndoAction action, FcEntity* entity);
  void RecordSet(UndoAction action, const FcEntitySets* set);
  // Clear, then record.
  void SetEntity(UndoAction action, FcEntity* entity);
  void SetEntities(UndoAction action, const FcEntitySets* set);
  // Deletes every record and the saved draw order.
  void Clear();
  // Drops the record of the handle, if any.
  void Forget(FcHandle handle);
  // Keeps a private copy of the draw order of the current space of the
  // entity's drawing, the first time there is one.
  void CaptureDrawOrder(const FcEntity* entity);
  // Exchanges the saved draw order with the current space's; nothing
  // without a saved one.
  void SwapDrawOrder(FcGraph& graph);

  const std::list<FcEntSetsUndoRecord>& GetRecords() const { return records_; }
  bool HasRecords() const { return !records_.empty(); }
  const FcSortEntsTable* GetSavedDrawOrder() const { return savedDrawOrder_.get(); }

 private:
  // Oldest first.
  std::list<FcEntSetsUndoRecord> records_;
  std::unordered_map<FcHandle, std::list<FcEntSetsUndoRecord>::iterator> byHandle_;
  std::unique_ptr<FcSortEntsTable> savedDrawOrder_;
};

// A whole-drawing snapshot for operations too broad to record piecemeal
// (purge, inserting a drawing file, pasting). The item owns its temporary
// file and removes it when it is deleted.
class FcCombGraphUndoItem : public FcUndoItem {
 public:
  // Chooses the temporary file.
  FcCombGraphUndoItem();
  ~FcCombGraphUndoItem() override;

  // Saves the drawing into the item's file before the command changes it;
  // the drawing's name and modified state stay as they were.
  bool Backup(FcGraph& graph);
  // Exchanges the drawing's state with the file's.
  bool Undo(FcGraph& graph) override;

  // Empty when no temporary file could be made.
  const std::string& GetFileName() const { return fileName_; }

 private:
  std::string fileName_;
};

// A new, empty, uniquely named file for a snapshot: in the system's
// temporary folder with the prefix "kovra_undo", else "temp<N>.sv$" in the
// program directory. Empty when neither can be made.
std::string CreateUndoSnapshotFile();
