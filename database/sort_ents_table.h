#pragma once

#include <cstdint>
#include <vector>

#include "core/handle.h"
#include "database/object.h"

class FcEntitySets;

// The draw order of a block's entities, kept in the block's extension
// dictionary under "ACAD_SORTENTS": pairs (entity handle, sort handle) in
// which a smaller sort handle is drawn earlier. In the table's own state
// the entity handles are in draw order and the sort handles ascend, so the
// entity at draw position i holds the i-th smallest sort handle. The
// display keeps a private copy sorted by entity handle (Sort) to look sort
// handles up.
class FcSortEntsTable : public FcObject {
 public:
  // Both arrays grow in steps of this many pairs.
  static constexpr int kGrowStep = 8192;

  FcSortEntsTable();
  static FcObject* Create();

  // Empties the table and takes the pairs of another draw-order table.
  int Copy(const FcObject& other) override;
  // Handles of another drawing mean nothing here: the table ends empty.
  int CopyFromOtherGraph(const FcObject& other, FcGraph& target) override;
  int WriteDwg(FcFilerDwg& filer) override;
  int WriteDxf(FcFiler& filer) override;
  // 0, or 2 on any failed read, mismatch or a count the record cannot hold.
  int ReadDwg(FcFilerDwg& filer) override;
  // 0 (also for a table without pairs); 1 for a wrong marker, an entity
  // handle without its sort handle or the end of the input; 2 for failed
  // extended data.
  int ReadDxf(FcFiler& filer) override;

  void Reserve(int n);
  // Appends the entity to the draw order unless the table holds it.
  void AddHandle(FcHandle handle);
  // The new count.
  int RemoveHandle(FcHandle handle);
  // The same as RemoveHandle for each handle in turn, in one pass over the
  // table instead of one per handle; the new count.
  int RemoveHandles(const std::vector<FcHandle>& handles);
  // Draws the entity right after the target (target 0: last); nothing when
  // either is missing or the entity is not before the target.
  void MoveEntity(FcHandle handle, FcHandle target);
  // Draws the entity right before the target (target 0: first); nothing
  // when either is missing or the target is not before the entity.
  void MoveEntityBefore(FcHandle handle, FcHandle target);
  // Drops every pair whose handles name no entity of the set, and repeated
  // sort handles.
  void RemoveMissing(const FcEntitySets& entities);
  // Sort the pairs between two indices (inclusive) by entity handle, or by
  // sort handle.
  void Sort(int first, int last);
  void SortLookup(int first, int last);
  // The sort handle paired with the entity handle (the entity handles must
  // be sorted), or the handle itself when the table lacks it.
  FcHandle LookupSortHandle(FcHandle handle) const;

  int GetEntryCount() const { return count_; }
  int GetCapacity() const { return capacity_; }
  FcHandle GetEntityHandle(int index) const { return entityHandles_[static_cast<std::size_t>(index)]; }
  FcHandle GetSortHandle(int index) const { return sortHandles_[static_cast<std::size_t>(index)]; }

 private:
  // The draw positions of the entity and of the target (targetIfZero for a
  // target of 0) in one scan from the front; false when either is missing.
  bool FindMovePositions(FcHandle handle, FcHandle target, int targetIfZero, int& from, int& to) const;
  // The handle of the block that owns the extension dictionary, 0 when
  // there is none.
  FcHandle OwningBlockHandle() const;
  void Clear();

  // Both hold capacity slots, the first count in use.
  std::vector<FcHandle> entityHandles_;
  std::vector<FcHandle> sortHandles_;
  std::int32_t count_ = 0;
  std::int32_t capacity_ = 0;
};
